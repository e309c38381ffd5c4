#include "bitmap_test_pictures.h"

#include "drawing/EmfPicture.h"
#include "drawing/PictureHolder.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::FileImage;
using test::NumberedPicture;
using test::PlainPicture;
using test::RedSquareEmf;

QImage Canvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    return canvas;
}

TEST(BitmapPicture, KeepsFileImagesAndDecodesRasterKinds) {
    const Picture numbered = NumberedPicture(PictureKind::Png, 5, 3);
    const std::vector<uint8_t> png = FileImage(numbered);
    PictureHolder fromPng(GraphicKind::Png, png);
    EXPECT_EQ(fromPng.Data(), png);
    ASSERT_TRUE(fromPng.Raster());
    EXPECT_EQ(fromPng.Raster()->Pixels, numbered.Pixels);
    EXPECT_EQ(fromPng.PixelSize(), QSize(5, 3));
    EXPECT_TRUE(fromPng.Drawable());

    // Bytes that do not decode stay as they are but draw nothing.
    const std::vector<uint8_t> garbage{'B', 'M', 1, 2, 3};
    PictureHolder broken(GraphicKind::Bitmap, garbage);
    EXPECT_EQ(broken.Data(), garbage);
    EXPECT_FALSE(broken.Drawable());
    QImage canvas = Canvas(4, 4);
    QPainter painter(&canvas);
    broken.Draw(painter, QRect(0, 0, 4, 4), true);
    EXPECT_FALSE(broken.Transform(1));
    EXPECT_EQ(broken.Data(), garbage);

    // Pixels handed over get a file image of their own kind.
    PictureHolder fromPixels(PlainPicture(PictureKind::Bitmap, 2, 2, 0xFF00FF00));
    EXPECT_EQ(fromPixels.Kind(), GraphicKind::Bitmap);
    ASSERT_GE(fromPixels.Data().size(), 2u);
    EXPECT_EQ(fromPixels.Data()[0], 'B');
    EXPECT_EQ(fromPixels.Data()[1], 'M');
}

TEST(BitmapPicture, TransformsMovePixelsAndReencode) {
    const Picture numbered = NumberedPicture(PictureKind::Bitmap, 4, 3);
    const auto at = [](const Picture& p, int x, int y) { return p.Pixels[static_cast<std::size_t>(y) * p.Width + x]; };

    const Picture flipped = TransformPixels(numbered, 0);
    EXPECT_EQ(at(flipped, 1, 0), at(numbered, 1, 2));
    const Picture mirrored = TransformPixels(numbered, 1);
    EXPECT_EQ(at(mirrored, 0, 1), at(numbered, 3, 1));
    const Picture falling = TransformPixels(numbered, 2);
    EXPECT_EQ(falling.Width, 3);
    EXPECT_EQ(falling.Height, 4);
    EXPECT_EQ(at(falling, 3 - 0 - 1, 4 - 1 - 1), at(numbered, 1, 0));
    const Picture rising = TransformPixels(numbered, 3);
    EXPECT_EQ(at(rising, 2, 1), at(numbered, 1, 2));
    EXPECT_EQ(TransformPixels(falling, 2).Pixels, numbered.Pixels);

    for (GraphicKind kind : {GraphicKind::Bitmap, GraphicKind::Png}) {
        const PictureKind rasterKind = kind == GraphicKind::Png ? PictureKind::Png : PictureKind::Bitmap;
        PictureHolder holder(kind, FileImage(NumberedPicture(rasterKind, 4, 3)));
        const std::vector<uint8_t> original = holder.Data();
        for (int kindOfTransform = 0; kindOfTransform <= 3; ++kindOfTransform) {
            ASSERT_TRUE(holder.Transform(kindOfTransform));
            EXPECT_NE(holder.Data(), original);
            ASSERT_TRUE(holder.Transform(kindOfTransform));
            EXPECT_EQ(holder.Raster()->Pixels, numbered.Pixels) << "kind " << kindOfTransform;
        }
        // The file image is re-encoded in the picture's own kind and decodes to the new pixels.
        ASSERT_TRUE(holder.Transform(2));
        const PictureHolder reread(holder.Kind(), holder.Data());
        ASSERT_TRUE(reread.Raster());
        EXPECT_EQ(reread.Raster()->Pixels, TransformPixels(numbered, 2).Pixels);
    }

    PictureHolder jpeg(GraphicKind::Jpeg, FileImage(PlainPicture(PictureKind::Jpeg, 16, 8, 0xFF808080)));
    ASSERT_TRUE(jpeg.Transform(3));
    EXPECT_EQ(jpeg.Kind(), GraphicKind::Jpeg);
    EXPECT_EQ(jpeg.PixelSize(), QSize(8, 16));
}

TEST(BitmapPicture, BitmapTransparencyLeavesOutOneColour) {
    // Blue picture with a green bottom-left corner and one red pixel.
    Picture picture = PlainPicture(PictureKind::Bitmap, 3, 2, 0xFF0000FF);
    picture.Pixels[3] = 0xFF00FF00;
    picture.Pixels[1] = 0xFFFF0000;
    PictureHolder holder(GraphicKind::Bitmap, FileImage(picture));

    EXPECT_EQ(holder.ToImage(true).pixel(0, 1), 0xFF00FF00u) << "opaque while the flag is off";
    holder.Transparent = true;
    QImage automatic = holder.ToImage(true);
    EXPECT_EQ(qAlpha(automatic.pixel(0, 1)), 0);
    EXPECT_EQ(automatic.pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(holder.ToImage(false).pixel(0, 1), 0xFF00FF00u) << "switched off for output";

    holder.TransparentMode = 1;
    holder.TransparentColor = 0x000000FF;  // red, red in the low byte
    QImage fixed = holder.ToImage(true);
    EXPECT_EQ(qAlpha(fixed.pixel(1, 0)), 0);
    EXPECT_EQ(fixed.pixel(0, 1), 0xFF00FF00u);

    // Drawn over white, the left-out colour shows the background.
    QImage canvas = Canvas(6, 4);
    {
        QPainter painter(&canvas);
        holder.Draw(painter, QRect(0, 0, 6, 4), true);
    }
    EXPECT_EQ(canvas.pixel(2, 0), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.pixel(5, 0), 0xFF0000FFu);

    // PNG and JPEG pictures have no colour key.
    PictureHolder png(GraphicKind::Png, FileImage(PlainPicture(PictureKind::Png, 2, 2, 0xFF112233)));
    png.Transparent = true;
    EXPECT_EQ(png.ToImage(true).pixel(0, 1), 0xFF112233u);
}

TEST(BitmapPicture, MetafilesConvertOnlyWhenWellFormed) {
    const std::vector<uint8_t> emf = RedSquareEmf();
    EXPECT_TRUE(IsWellFormedEmf(emf));
    const auto frame = ReadEmfFrame(emf);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Width, 1000);
    EXPECT_EQ(frame->Height, 1000);

    PictureHolder holder(GraphicKind::Metafile, emf);
    EXPECT_EQ(holder.Data(), emf);
    ASSERT_TRUE(holder.Drawable());
    QImage canvas = Canvas(40, 40);
    {
        QPainter painter(&canvas);
        holder.Draw(painter, QRect(0, 0, 40, 40), true);
    }
    EXPECT_EQ(canvas.pixel(20, 20), 0xFFFF0000u);

    // Truncated, without end record, with a record running past the end, or
    // empty: never handed to the converter.
    std::vector<uint8_t> noEnd(emf.begin(), emf.end() - 20);
    std::vector<uint8_t> overlong = emf;
    overlong[emf.size() - 16] = 0xF0;
    for (const auto& damaged : {noEnd, overlong, std::vector<uint8_t>(emf.begin(), emf.begin() + 60),
                                std::vector<uint8_t>()}) {
        EXPECT_FALSE(IsWellFormedEmf(damaged));
        EXPECT_TRUE(EmfToSvg(damaged).empty());
        PictureHolder broken(GraphicKind::Metafile, damaged);
        EXPECT_FALSE(broken.Drawable());
        EXPECT_EQ(broken.Data(), damaged);
        QPainter painter(&canvas);
        broken.Draw(painter, QRect(0, 0, 40, 40), true);
    }

    // Transforming renders the metafile into pixels; it is a PNG picture from then on.
    ASSERT_TRUE(holder.Transform(1, QSize(10, 10)));
    EXPECT_EQ(holder.Kind(), GraphicKind::Png);
    EXPECT_EQ(holder.PixelSize(), QSize(10, 10));
    EXPECT_EQ(holder.ToImage(false).pixel(5, 5), 0xFFFF0000u);
}

}  // namespace
}  // namespace qv
