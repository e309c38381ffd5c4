// The picture dialog's edits: crop amounts that always leave a picture, the
// turn, mirrors and grey levels taken once from the unchanged pixels, and
// the box following a crop so the kept part stays where it was.
#include "bitmap_test_pictures.h"

#include "drawing/PictureEdits.h"
#include "drawing/bsbitmap.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::FileImage;
using test::NumberedPicture;
using test::RedSquareEmf;

uint32_t PixelAt(const Picture& picture, int x, int y) { return picture.Pixels[static_cast<std::size_t>(y) * picture.Width + x]; }

TEST(PictureEdits, CropAlwaysKeepsAPixelOnEachAxis) {
    const CropAmounts wide = ClampCrop({5000, 0, 7, 0}, 400, 300);
    EXPECT_EQ(wide.Left, 399);
    EXPECT_EQ(wide.Right, 0);  // one pixel column must stay
    const CropAmounts both = ClampCrop({100, 250, 350, 100}, 400, 300);
    EXPECT_EQ(both.Right, 299);
    EXPECT_EQ(both.Bottom, 49);
    const CropAmounts negative = ClampCrop({-5, -1, 3, 2}, 400, 300);
    EXPECT_EQ(negative.Left, 0);
    EXPECT_EQ(negative.Top, 0);
    EXPECT_EQ(negative.Right, 3);
    EXPECT_EQ(negative.Bottom, 2);
}

TEST(PictureEdits, TurnMirrorsAndGreyComeFromTheOriginal) {
    const Picture original = NumberedPicture(PictureKind::Bitmap, 3, 2);
    PictureChoices turn;
    turn.QuarterTurn = true;
    const Picture turned = EditedPixels(original, turn);
    ASSERT_EQ(turned.Width, 2);
    ASSERT_EQ(turned.Height, 3);
    // The right edge becomes the top edge.
    EXPECT_EQ(PixelAt(turned, 0, 0), PixelAt(original, 2, 0));
    EXPECT_EQ(PixelAt(turned, 1, 0), PixelAt(original, 2, 1));
    EXPECT_EQ(PixelAt(turned, 0, 2), PixelAt(original, 0, 0));

    PictureChoices both;
    both.MirrorUpDown = both.MirrorLeftRight = true;
    const Picture half = EditedPixels(original, both);
    EXPECT_EQ(PixelAt(half, 0, 0), PixelAt(original, 2, 1));
    PictureChoices upDown;
    upDown.MirrorUpDown = true;
    EXPECT_EQ(PixelAt(EditedPixels(original, upDown), 1, 0), PixelAt(original, 1, 1));
    PictureChoices leftRight;
    leftRight.MirrorLeftRight = true;
    EXPECT_EQ(PixelAt(EditedPixels(original, leftRight), 0, 1), PixelAt(original, 2, 1));

    PictureChoices grey;
    grey.Grey = true;
    const uint32_t pixel = PixelAt(original, 2, 1);
    const auto level = static_cast<uint8_t>((RedOf(pixel) + GreenOf(pixel) + BlueOf(pixel)) / 3);
    EXPECT_EQ(PixelAt(EditedPixels(original, grey), 2, 1), PackArgb(255, level, level, level));
}

TEST(PictureEdits, NothingChosenKeepsTheFileBytesAndTheBox) {
    const Picture original = NumberedPicture(PictureKind::Png, 40, 30);
    TBild bild(PictureHolder(GraphicKind::Png, FileImage(original)));
    const std::vector<uint8_t> bytes = bild.Picture.Data();
    ApplyPictureEdits(bild, {}, {}, {1.5, 2.5, 4, 3});
    EXPECT_EQ(bild.Picture.Data(), bytes);
    EXPECT_DOUBLE_EQ(bild.X(), 1.5);
    EXPECT_DOUBLE_EQ(bild.Y(), 2.5);
    EXPECT_DOUBLE_EQ(bild.Width(), 4);
    EXPECT_DOUBLE_EQ(bild.Height(), 3);
}

TEST(PictureEdits, CropCutsTheTurnedPictureAndKeepsThePartInPlace) {
    const Picture original = NumberedPicture(PictureKind::Bitmap, 40, 20);
    TBild bild(PictureHolder(GraphicKind::Bitmap, FileImage(original)));
    PictureChoices turn;
    turn.QuarterTurn = true;
    // Turned the picture is 20 × 40 pixels on a 2 × 4 cm box.
    ApplyPictureEdits(bild, turn, {5, 10, 5, 1000}, {1, 1, 2, 4});
    const auto& raster = bild.Picture.Raster();
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->Width, 10);
    EXPECT_EQ(raster->Height, 1);  // the bottom amount stops one row short of the top
    EXPECT_EQ(PixelAt(*raster, 0, 0), PixelAt(EditedPixels(original, turn), 5, 10));
    EXPECT_DOUBLE_EQ(bild.X(), 1 + 5 * 2.0 / 20);
    EXPECT_DOUBLE_EQ(bild.Y(), 1 + 10 * 4.0 / 40);
    EXPECT_DOUBLE_EQ(bild.Width(), 10 * 2.0 / 20);
    EXPECT_DOUBLE_EQ(bild.Height(), 1 * 4.0 / 40);
}

TEST(PictureEdits, ATransparentColourSurvivesTheTurn) {
    Picture original = NumberedPicture(PictureKind::Bitmap, 4, 3);
    TBild bild(PictureHolder(GraphicKind::Bitmap, FileImage(original)));
    bild.Picture.Transparent = true;
    const uint32_t ownColour = OwnTransparentColour(bild.Picture);  // the bottom-left pixel
    PictureChoices turn;
    turn.QuarterTurn = true;
    turn.Transparent = true;
    turn.TransparentColour = ownColour;
    ApplyPictureEdits(bild, turn, {}, {0, 0, 3, 4});
    EXPECT_TRUE(bild.Picture.Transparent);
    EXPECT_EQ(OwnTransparentColour(bild.Picture), ownColour);
}

TEST(PictureEdits, AMetafileIsOnlyPlaced) {
    TBild bild(PictureHolder(GraphicKind::Metafile, RedSquareEmf()));
    const std::vector<uint8_t> bytes = bild.Picture.Data();
    PictureChoices everything;
    everything.QuarterTurn = everything.Grey = everything.MirrorUpDown = true;
    ApplyPictureEdits(bild, everything, {3, 3, 3, 3}, {2, 3, 5, 5});
    EXPECT_EQ(bild.Picture.Kind(), GraphicKind::Metafile);
    EXPECT_EQ(bild.Picture.Data(), bytes);
    EXPECT_DOUBLE_EQ(bild.X(), 2);
    EXPECT_DOUBLE_EQ(bild.Width(), 5);
}

}  // namespace
}  // namespace qv
