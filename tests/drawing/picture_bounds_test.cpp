// Pictures that decode to far more than their file size: read without
// decoding, decoded only to draw, and held within bounds when drawn.
#include <zlib.h>

#include <QPainter>
#include <gtest/gtest.h>

#include "LimitedChild.h"
#include "bitmap_test_pictures.h"
#include "document/QVDocument.h"
#include "drawing/PictureHolder.h"
#include "drawing/bsbitmap.h"

namespace qv {
namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutU32(out, static_cast<uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutU32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// A black one-bit PNG: a few kilobytes for a picture of width × height.
std::vector<uint8_t> OneBitPng(uint32_t width, uint32_t height) {
    std::vector<uint8_t> header;
    PutU32(header, width);
    PutU32(header, height);
    header.insert(header.end(), {1, 0, 0, 0, 0});  // one bit, grey, no interlace
    const std::vector<uint8_t> rows(static_cast<std::size_t>(height) * (1 + (width + 7) / 8), 0);
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), 9);
    packed.resize(packedSize);
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

TEST(PictureBounds, ADocumentOfPictureBombsReadsWithoutDecodingThem) {
    if (!QV_ADDRESS_SPACE_LIMITS) GTEST_SKIP() << "address-space limits do not work with the sanitizers";
    const std::vector<uint8_t> bomb = OneBitPng(8000, 8000);  // 256 MB decoded
    ASSERT_LT(bomb.size(), 20000u);
    const int code = RunWithAddressSpaceRoom(192u << 20, [&] {
        const int64_t before = HeldPicturePixels();
        TDocument document = TDocument::CreateNew();
        for (int i = 0; i < 8; ++i) document.Page->Add(std::make_unique<TBild>(PictureHolder(GraphicKind::Png, bomb)));
        OutStream out;
        if (!saveDocument(document, out)) return 1;
        const TDocument read = loadDocument(out.take());
        return read.Page->Children.size() == document.Page->Children.size() && HeldPicturePixels() == before ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
}

TEST(PictureBounds, DrawnPicturesKeepWithinTheirBoundsAndTheFileImage) {
    const PictureMemoryBounds saved = PictureBounds();
    PictureBounds() = {2500, 5000};
    const std::vector<uint8_t> png = test::FileImage(test::NumberedPicture(PictureKind::Png, 100, 100));
    std::vector<PictureHolder> pictures;
    for (int i = 0; i < 3; ++i) pictures.emplace_back(GraphicKind::Png, png);
    QImage canvas(50, 50, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    for (const auto& picture : pictures) picture.Draw(painter, QRect(0, 0, 50, 50), false);
    // Each drawn picture is scaled down to its own bound; the third finds
    // no room left in the bound of all pictures and draws as its frame.
    // Every file image stays as it was.
    EXPECT_EQ(pictures[0].PixelSize(), QSize(50, 50));
    EXPECT_EQ(pictures[1].PixelSize(), QSize(50, 50));
    EXPECT_FALSE(pictures[2].Drawable());
    EXPECT_LE(HeldPicturePixels(), 5000);
    for (const auto& picture : pictures) EXPECT_EQ(picture.Data(), png);
    // Room given back is room for the next.
    pictures.erase(pictures.begin());
    EXPECT_EQ(pictures[1].PixelSize(), QSize(50, 50));
    painter.end();
    PictureBounds() = saved;
}

// The red square with `extra` more brush selections before its end.
std::vector<uint8_t> RedSquareOfManyRecords(std::size_t extra) {
    std::vector<uint8_t> emf = test::RedSquareEmf();
    const std::vector<uint8_t> select = {37, 0, 0, 0, 12, 0, 0, 0, 1, 0, 0, 0};
    std::vector<uint8_t> records;
    for (std::size_t i = 0; i < extra; ++i) records.insert(records.end(), select.begin(), select.end());
    emf.insert(emf.end() - 20, records.begin(), records.end());
    return emf;
}

TEST(PictureBounds, AMetafileOfTooManyRecordsDrawsItsFrameWithANote) {
    QImage canvas(60, 60, QImage::Format_ARGB32);
    const auto centreAfterDrawing = [&](const PictureHolder& picture) {
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        picture.Draw(painter, QRect(0, 0, 60, 60), false);
        painter.end();
        return canvas.pixel(30, 30) & 0xFFFFFF;
    };
    const PictureHolder drawn(GraphicKind::Metafile, RedSquareOfManyRecords(100));
    EXPECT_EQ(centreAfterDrawing(drawn), 0xFF0000u);
    EXPECT_FALSE(drawn.ToImage(false, QSize(10, 10)).isNull());

    const std::vector<uint8_t> many = RedSquareOfManyRecords(MaxDrawnMetafileRecords);
    const PictureHolder tooComplex(GraphicKind::Metafile, many);
    EXPECT_TRUE(tooComplex.Drawable());
    EXPECT_NE(centreAfterDrawing(tooComplex), 0xFF0000u);
    EXPECT_NE(canvas.pixel(0, 30) & 0xFFFFFF, 0xFFFFFFu);  // the frame
    EXPECT_TRUE(tooComplex.ToImage(false, QSize(10, 10)).isNull());
    EXPECT_EQ(tooComplex.Data(), many);
}

}  // namespace
}  // namespace qv
