#include "drawing/RotatedImage.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(BitmapRotated, TurnsTheStretchedPictureAboutTheBoxCentre) {
    // Left half red, right half blue.
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, 0xFFFF0000);
    source.setPixel(1, 0, 0xFF0000FF);
    const QRect box(100, 50, 40, 20);  // centre (120, 60)
    const QRect everything(-1000, -1000, 3000, 3000);

    const PlacedImage quarter = StretchTurned(source, box, 900, everything);
    ASSERT_FALSE(quarter.Image.isNull());
    EXPECT_EQ(QRect(quarter.TopLeft, quarter.Image.size()), QRect(QPoint(110, 40), QPoint(130, 80)));
    const auto at = [&](const PlacedImage& placed, int x, int y) {
        return placed.Image.pixel(x - placed.TopLeft.x(), y - placed.TopLeft.y());
    };
    // A quarter turn counter-clockwise brings the left half to the bottom.
    EXPECT_EQ(at(quarter, 120, 75), 0xFFFF0000u);
    EXPECT_EQ(at(quarter, 120, 45), 0xFF0000FFu);
    EXPECT_EQ(qAlpha(at(quarter, 111, 41)), 255);

    // At a slant the bounding rectangle's corners stay transparent.
    const PlacedImage slant = StretchTurned(source, box, 450, everything);
    ASSERT_FALSE(slant.Image.isNull());
    EXPECT_EQ(qAlpha(slant.Image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(at(slant, 120, 60)), 255);

    // Only the visible part is produced; nothing at all outside it or for an empty box.
    const PlacedImage clipped = StretchTurned(source, box, 900, QRect(0, 0, 115, 1000));
    EXPECT_EQ(clipped.Image.width(), 5);
    EXPECT_TRUE(StretchTurned(source, box, 900, QRect(500, 500, 10, 10)).Image.isNull());
    EXPECT_TRUE(StretchTurned(source, QRect(100, 50, 0, 20), 900, everything).Image.isNull());
}

}  // namespace
}  // namespace qv
