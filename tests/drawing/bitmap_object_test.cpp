#include "bitmap_test_pictures.h"

#include "drawing/ObjectReader.h"
#include "drawing/bsbitmap.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace qv {
namespace {

using test::FileImage;
using test::NumberedPicture;
using test::PlainPicture;
using test::RedSquareEmf;

constexpr std::size_t SimpleRecordSize = 37;

class BitmapObject : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        ResetDrawing();
        Scales() = PageScales{};
        BildOptions() = BildSettings{};
    }
};

std::vector<uint8_t> Record(const TBild& bild) {
    OutStream out;
    EXPECT_TRUE(bild.SaveToStream(out));
    return out.take();
}

// Reads a record as groups and the document do: the tag byte, then the factory.
std::unique_ptr<TBild> ReadBack(const std::vector<uint8_t>& record) {
    InStream in(record);
    std::unique_ptr<Tsimple> object = ReadObject(in, in.readByte());
    EXPECT_TRUE(in.atEnd());
    if (dynamic_cast<TBild*>(object.get()) == nullptr) throw std::runtime_error("tag 7 did not read as a TBild");
    return std::unique_ptr<TBild>(static_cast<TBild*>(object.release()));
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

QImage DrawOnWhite(TBild& bild, int width, int height) {
    QImage canvas(width, height, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    bild.Draw(painter, 0, 0, nullptr);
    return canvas;
}

TEST_F(BitmapObject, RecordsRoundTripByteExact) {
    struct Case {
        GraphicKind Kind;
        std::vector<uint8_t> Bytes;
        const char* Name;
    };
    const std::vector<Case> cases = {
        {GraphicKind::Bitmap, FileImage(NumberedPicture(PictureKind::Bitmap, 3, 2)), "bmp"},
        {GraphicKind::Png, FileImage(NumberedPicture(PictureKind::Png, 3, 2)), "png"},
        {GraphicKind::Jpeg, FileImage(NumberedPicture(PictureKind::Jpeg, 3, 2)), "jpg"},
        {GraphicKind::Metafile, RedSquareEmf(), "emf"},
        {GraphicKind::Png, {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'}, "png"},
    };
    for (const Case& c : cases) {
        TBild bild{PictureHolder(c.Kind, c.Bytes)};
        bild.SetX(1.5);
        bild.SetWidth(4);
        bild.SetHeight(3);
        bild.Angle = 450;
        bild.Picture.Transparent = true;
        bild.Picture.TransparentMode = 1;
        bild.Picture.TransparentColor = 0x00123456;
        const std::vector<uint8_t> record = Record(bild);
        const bool raster = c.Kind != GraphicKind::Metafile;
        ASSERT_EQ(record.size(), SimpleRecordSize + 8 + c.Bytes.size() + (raster ? 6 : 0)) << c.Name;
        EXPECT_EQ(record[SimpleRecordSize + 4], 3);
        EXPECT_EQ(std::string(record.begin() + SimpleRecordSize + 5, record.begin() + SimpleRecordSize + 8), c.Name);
        EXPECT_TRUE(std::equal(c.Bytes.begin(), c.Bytes.end(), record.begin() + SimpleRecordSize + 8));
        if (c.Kind == GraphicKind::Png) {
            // Mode and colour mean something for bitmaps only and are written as 0.
            EXPECT_EQ(std::vector<uint8_t>(record.end() - 6, record.end()), (std::vector<uint8_t>{1, 0, 0, 0, 0, 0}));
        }

        const auto reread = ReadBack(record);
        EXPECT_EQ(reread->Picture.Kind(), c.Kind) << c.Name;
        EXPECT_EQ(reread->Angle, 450);
        EXPECT_DOUBLE_EQ(reread->Width(), 4);
        EXPECT_EQ(Record(*reread), record) << c.Name;
    }

    // A bitmap keeps its transparency mode and colour.
    TBild bmp{PictureHolder(GraphicKind::Bitmap, cases[0].Bytes)};
    bmp.Picture.Transparent = true;
    bmp.Picture.TransparentMode = 1;
    bmp.Picture.TransparentColor = 0x00123456;
    const auto reread = ReadBack(Record(bmp));
    EXPECT_EQ(Record(dynamic_cast<const TBild&>(*bmp.Clone())), Record(bmp));
    EXPECT_TRUE(reread->Picture.Transparent);
    EXPECT_EQ(reread->Picture.TransparentMode, 1);
    EXPECT_EQ(reread->Picture.TransparentColor, 0x00123456u);

    // An unknown kind reads as a metafile, without transparency fields; an
    // empty picture writes an empty bitmap.
    std::vector<uint8_t> oddKind = Record(TBild{PictureHolder(GraphicKind::Metafile, RedSquareEmf())});
    std::copy_n("wmf", 3, oddKind.begin() + SimpleRecordSize + 5);
    EXPECT_EQ(ReadBack(oddKind)->Picture.Kind(), GraphicKind::Metafile);
    const std::vector<uint8_t> empty = Record(TBild{});
    EXPECT_EQ(empty.size(), SimpleRecordSize + 8 + 6);
    EXPECT_EQ(Record(*ReadBack(empty)), empty);
}

TEST_F(BitmapObject, DamagedRecordsThrow) {
    const std::vector<uint8_t> record = Record(TBild{PictureHolder(GraphicKind::Bitmap, FileImage(NumberedPicture(PictureKind::Bitmap, 2, 2)))});
    const auto readAll = [](std::vector<uint8_t> bytes) {
        InStream in(bytes);
        in.readByte();
        TBild bild(in);
    };
    const auto withCount = [&](int32_t count) {
        std::vector<uint8_t> bytes = record;
        for (int i = 0; i < 4; ++i) bytes[SimpleRecordSize + i] = static_cast<uint8_t>(count >> (8 * i));
        return bytes;
    };
    EXPECT_NO_THROW(readAll(record));
    EXPECT_THROW(readAll(withCount(0x7FFFFFF0)), StreamError);
    EXPECT_THROW(readAll(withCount(-4)), StreamError);
    EXPECT_THROW(readAll(std::vector<uint8_t>(record.begin(), record.end() - 3)), StreamError);
    EXPECT_THROW(readAll(std::vector<uint8_t>(record.begin(), record.begin() + SimpleRecordSize + 6)), StreamError);
}

TEST_F(BitmapObject, FilesAreSizedByTheirResolutionAndFittedToThePage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();

    WriteFile(folder / "photo.PNG", FileImage(PlainPicture(PictureKind::Png, 3000, 2000, 0xFF336699)));
    TBild::FileResult photo = TBild::CreateFromFile(folder / "photo.PNG");
    ASSERT_TRUE(photo.Bild) << photo.Message;
    EXPECT_EQ(photo.Bild->Picture.Kind(), GraphicKind::Png);
    EXPECT_DOUBLE_EQ(photo.Bild->Width(), 21.0);
    EXPECT_NEAR(photo.Bild->Height(), 2000 / (300 / 2.54) * 21.0 / 25.4, 1e-9);
    EXPECT_NEAR(photo.Bild->Height(), 14.0, 1e-9);

    // Unfitted, the same picture is 25.4 × 16.93 cm; a tall one is fitted to the page height.
    Drawing().PageWidth = 100;
    photo = TBild::CreateFromFile(folder / "photo.PNG");
    EXPECT_NEAR(photo.Bild->Width(), 25.4, 1e-9);
    EXPECT_NEAR(photo.Bild->Height(), 16.933, 1e-3);
    ResetDrawing();
    WriteFile(folder / "tall.bmp", FileImage(PlainPicture(PictureKind::Bitmap, 200, 4000, 0xFF000000)));
    const TBild::FileResult tall = TBild::CreateFromFile(folder / "tall.bmp");
    ASSERT_TRUE(tall.Bild);
    EXPECT_DOUBLE_EQ(tall.Bild->Height(), 29.6);
    EXPECT_NEAR(tall.Bild->Width(), 29.6 / 20, 1e-9);

    WriteFile(folder / "shot.jpeg", FileImage(PlainPicture(PictureKind::Jpeg, 236, 118, 0xFF808080)));
    const TBild::FileResult shot = TBild::CreateFromFile(folder / "shot.jpeg");
    ASSERT_TRUE(shot.Bild);
    EXPECT_EQ(shot.Bild->Picture.Kind(), GraphicKind::Jpeg);
    EXPECT_NEAR(shot.Bild->Width(), 236 / (300 / 2.54), 1e-9);

    WriteFile(folder / "drawing.emf", RedSquareEmf());
    const TBild::FileResult drawing = TBild::CreateFromFile(folder / "drawing.emf");
    ASSERT_TRUE(drawing.Bild);
    EXPECT_DOUBLE_EQ(drawing.Bild->Width(), 1.0);
    EXPECT_DOUBLE_EQ(drawing.Bild->Height(), 1.0);

    WriteFile(folder / "picture.gif", {'G', 'I', 'F'});
    EXPECT_FALSE(TBild::CreateFromFile(folder / "picture.gif").Bild);
    EXPECT_EQ(TBild::CreateFromFile(folder / "picture.gif").Message, "Dieses Format wird nicht unterst\xFCtzt");
    WriteFile(folder / "broken.png", {1, 2, 3});
    EXPECT_EQ(TBild::CreateFromFile(folder / "broken.png").Message, UnreadablePictureText);
    EXPECT_EQ(TBild::CreateFromFile(folder / "missing.bmp").Message, UnreadablePictureText);

    // Pasted pixels take the screen scale.
    QImage pasted(96, 48, QImage::Format_RGB32);
    pasted.fill(Qt::blue);
    const auto bild = TBild::CreateFromImageData(pasted);
    EXPECT_NEAR(bild->Width(), 2.54, 1e-9);
    EXPECT_NEAR(bild->Height(), 1.27, 1e-9);
    EXPECT_EQ(bild->Picture.Kind(), GraphicKind::Bitmap);
    EXPECT_TRUE(TBild::CreateFromMetafileData(RedSquareEmf()));
    EXPECT_FALSE(TBild::CreateFromMetafileData({1, 2, 3}));
}

TEST_F(BitmapObject, TransformsTurnPixelsAndBox) {
    const Picture numbered = NumberedPicture(PictureKind::Bitmap, 4, 2);
    TBild bild{PictureHolder(numbered)};
    bild.SetBounds(1, 1, 4, 2);
    bild.Transform(1);
    bild.Transform(1);
    EXPECT_EQ(bild.Picture.Raster()->Pixels, numbered.Pixels);
    bild.Transform(0);
    EXPECT_NE(bild.Picture.Raster()->Pixels, numbered.Pixels);
    bild.Transform(0);
    EXPECT_EQ(bild.Picture.Raster()->Pixels, numbered.Pixels);

    for (int kind : {2, 3}) {
        bild.Transform(kind);
        EXPECT_EQ(bild.Picture.PixelSize(), QSize(2, 4));
        EXPECT_DOUBLE_EQ(bild.Width(), 2);
        EXPECT_DOUBLE_EQ(bild.Height(), 4);
        EXPECT_DOUBLE_EQ(bild.CentreX(), 3);
        bild.Transform(kind);
        EXPECT_EQ(bild.Picture.Raster()->Pixels, numbered.Pixels);
    }

    // A metafile keeps its proportions while its handles are dragged.
    TBild drawing{PictureHolder(GraphicKind::Metafile, RedSquareEmf())};
    drawing.SetBounds(0, 0, 2, 2);
    drawing.LastRect = drawing.PixelBox();
    Drawing().DragMode = HitInside | HitRight;
    drawing.DragHandle(0, 4, 1);
    EXPECT_DOUBLE_EQ(drawing.Width(), 4);
    EXPECT_DOUBLE_EQ(drawing.Height(), 4);
}

TEST_F(BitmapObject, DrawsStretchedTurnedAndWithTransparency) {
    TBild red{PictureHolder(PlainPicture(PictureKind::Png, 3, 2, 0xFFFF0000))};
    red.SetPixX(10), red.SetPixY(10), red.SetPixWidth(40), red.SetPixHeight(20);
    QImage canvas = DrawOnWhite(red, 80, 60);
    for (QPoint p : {QPoint(10, 10), QPoint(49, 29), QPoint(30, 20)}) EXPECT_EQ(canvas.pixel(p), 0xFFFF0000u) << p.x();
    for (QPoint p : {QPoint(9, 10), QPoint(50, 29), QPoint(30, 30)}) EXPECT_EQ(canvas.pixel(p), 0xFFFFFFFFu) << p.x();

    // A box with negative width draws the same.
    red.SetPixX(50), red.SetPixWidth(-40);
    EXPECT_EQ(DrawOnWhite(red, 80, 60), canvas);

    // A quarter turn stands the box on end about its centre (30, 20).
    red.Angle = 900;
    canvas = DrawOnWhite(red, 80, 60);
    EXPECT_EQ(canvas.pixel(30, 2), 0xFFFF0000u);
    EXPECT_EQ(canvas.pixel(30, 38), 0xFFFF0000u);
    EXPECT_EQ(canvas.pixel(12, 20), 0xFFFFFFFFu);

    // Green picture with a blue bottom-left corner, transparent automatically.
    Picture cornered = PlainPicture(PictureKind::Bitmap, 2, 2, 0xFF00FF00);
    cornered.Pixels[2] = 0xFF0000FF;
    TBild keyed{PictureHolder(cornered)};
    keyed.Picture.Transparent = true;
    keyed.SetPixWidth(20), keyed.SetPixHeight(20);
    EXPECT_EQ(DrawOnWhite(keyed, 20, 20).pixel(2, 18), 0xFFFFFFFFu);
    Drawing().ExportInProgress = true;
    EXPECT_EQ(DrawOnWhite(keyed, 20, 20).pixel(2, 18), 0xFFFFFFFFu) << "kept on output";
    BildOptions().KeepTransparencyOnOutput = false;
    EXPECT_EQ(DrawOnWhite(keyed, 20, 20).pixel(2, 18), 0xFF0000FFu) << "printed without";
    Drawing().ExportInProgress = false;
    EXPECT_EQ(DrawOnWhite(keyed, 20, 20).pixel(2, 18), 0xFFFFFFFFu) << "the screen keeps it";

    // A metafile that converts fills its box; one that does not shows an outline on screen only.
    TBild drawing{PictureHolder(GraphicKind::Metafile, RedSquareEmf())};
    drawing.SetPixX(5), drawing.SetPixY(5), drawing.SetPixWidth(30), drawing.SetPixHeight(30);
    EXPECT_EQ(DrawOnWhite(drawing, 40, 40).pixel(20, 20), 0xFFFF0000u);
    drawing.Angle = 300;
    EXPECT_EQ(DrawOnWhite(drawing, 40, 40).pixel(20, 20), 0xFFFF0000u);
    std::vector<uint8_t> damaged = RedSquareEmf();
    damaged.resize(damaged.size() - 20);
    TBild broken{PictureHolder(GraphicKind::Metafile, damaged)};
    broken.SetPixX(5), broken.SetPixY(5), broken.SetPixWidth(30), broken.SetPixHeight(30);
    canvas = DrawOnWhite(broken, 40, 40);
    EXPECT_EQ(canvas.pixel(20, 20), 0xFFFFFFFFu);
    EXPECT_NE(canvas.pixel(5, 20), 0xFFFFFFFFu);
    Drawing().ExportInProgress = true;
    EXPECT_EQ(DrawOnWhite(broken, 40, 40).pixel(5, 20), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace qv
