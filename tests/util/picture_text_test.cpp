#include "util/PictureCodec.h"
#include "util/PictureText.h"

#include "picture_test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace qv {
namespace {

using testing::DistinctPixels;

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TEST(PictureText, BitmapTextRoundTrip) {
    const Picture picture = MakePicture(PictureKind::Bitmap, 3, 2, DistinctPixels(3, 2));
    const std::string text = GraphicToHexText(picture);
    EXPECT_EQ(text.rfind("424D", 0), 0u);
    EXPECT_EQ(text.size(), SavePicture(picture).size() * 2);
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string::npos);

    const auto back = HexTextToGraphic(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Kind, PictureKind::Bitmap);
    EXPECT_EQ(back->Pixels, picture.Pixels);
    // The decoded picture keeps its bytes, so its text is the same again.
    EXPECT_EQ(GraphicToHexText(*back), text);

    const auto lower = HexTextToGraphic(Lowered(text));
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->Encoded, back->Encoded);
    // A final single character is ignored.
    const auto odd = HexTextToGraphic(text + "7");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->Encoded, back->Encoded);
}

TEST(PictureText, PngAndJpegTextsKeepTheirKind) {
    const Picture png = MakePicture(PictureKind::Png, 4, 3, DistinctPixels(4, 3));
    const std::string pngText = GraphicToHexText(png);
    EXPECT_EQ(pngText.rfind("89504E47", 0), 0u);
    const auto pngBack = HexTextToGraphic(pngText);
    ASSERT_TRUE(pngBack);
    EXPECT_EQ(pngBack->Kind, PictureKind::Png);
    EXPECT_EQ(pngBack->Pixels, png.Pixels);

    const auto jpegBack = HexTextToGraphic(GraphicToHexText(MakePicture(PictureKind::Jpeg, 8, 8, DistinctPixels(8, 8))));
    ASSERT_TRUE(jpegBack);
    EXPECT_EQ(jpegBack->Kind, PictureKind::Jpeg);
    EXPECT_EQ(jpegBack->Width, 8);
}

TEST(PictureText, UnreadableTextsGiveNone) {
    EXPECT_FALSE(HexTextToGraphic(""));
    EXPECT_FALSE(HexTextToGraphic("4"));
    EXPECT_FALSE(HexTextToGraphic("424D"));
    EXPECT_FALSE(HexTextToGraphic("Hallo Welt"));
    EXPECT_FALSE(HexTextToGraphic("ani/auto.bmp"));
    EXPECT_FALSE(HexTextToGraphic(std::string(1000, 'F')));

    // A picture text with anything but hex digits in it (here a line break)
    // is not taken as a picture.
    std::string text = GraphicToHexText(MakePicture(PictureKind::Bitmap, 2, 2, DistinctPixels(2, 2)));
    ASSERT_TRUE(HexTextToGraphic(text));
    text.insert(10, "\n");
    EXPECT_FALSE(HexTextToGraphic(text));

    // Truncated texts of every kind fail cleanly.
    for (PictureKind kind : {PictureKind::Bitmap, PictureKind::Png, PictureKind::Jpeg}) {
        const std::string full = GraphicToHexText(MakePicture(kind, 16, 16, DistinctPixels(16, 16)));
        ASSERT_FALSE(full.empty());
        EXPECT_FALSE(HexTextToGraphic(full.substr(0, full.size() / 2)));
    }

    // A picture that cannot be saved has no text.
    EXPECT_EQ(GraphicToHexText(MakePicture(PictureKind::Png, 5, 5, {})), "");
}

}  // namespace
}  // namespace qv
