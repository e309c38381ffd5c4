#include "util/BmpCodec.h"
#include "util/PictureCodec.h"

#include "picture_test_pictures.h"

#include <gtest/gtest.h>

#include <climits>

namespace qv {
namespace {

using testing::BmpFile;
using testing::DistinctPixels;
using testing::InfoHeader;

constexpr uint32_t Red = 0xFFFF0000u;
constexpr uint32_t Green = 0xFF00FF00u;
constexpr uint32_t Blue = 0xFF0000FFu;
constexpr uint32_t Black = 0xFF000000u;
constexpr uint32_t White = 0xFFFFFFFFu;

// Three palette entries (BGRA): red, green, blue.
const std::vector<uint8_t> RgbPalette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};

TEST(BmpCodec, RoundTripKeepsPixelsAndPadsRows) {
    for (int width : {1, 2, 3, 5})
        for (int height : {1, 4}) {
            const Picture picture = MakePicture(PictureKind::Bitmap, width, height, DistinctPixels(width, height));
            const std::vector<uint8_t> file = EncodeBmp(picture);
            const std::size_t stride = (width * 3 + 3) / 4 * 4;
            EXPECT_EQ(file.size(), 54 + stride * height) << width << "x" << height;
            const auto back = DecodeBmp(file);
            ASSERT_TRUE(back) << width << "x" << height;
            EXPECT_EQ(back->Width, width);
            EXPECT_EQ(back->Height, height);
            EXPECT_EQ(back->Pixels, picture.Pixels) << width << "x" << height;
        }

    // Any pixel that is not fully opaque makes it a 32-bit file that keeps alpha.
    const Picture translucent = MakePicture(PictureKind::Bitmap, 3, 1, {0x80FF0000u, 0x00000000u, White});
    const std::vector<uint8_t> file = EncodeBmp(translucent);
    ASSERT_GT(file.size(), 30u);
    EXPECT_EQ(file[28], 32);
    const auto back = DecodeBmp(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Pixels, translucent.Pixels);

    EXPECT_TRUE(EncodeBmp(MakePicture(PictureKind::Bitmap, 2, 2, {Red, Green, Blue})).empty());
    EXPECT_TRUE(EncodeBmp(MakePicture(PictureKind::Bitmap, 0, 0, {})).empty());
}

TEST(BmpCodec, ReadsPaletteBitmaps) {
    // 8 bits, three colours used, bottom row first, rows padded to 4 bytes;
    // index 7 lies beyond the palette and reads as black.
    const auto eight = DecodeBmp(BmpFile(InfoHeader(3, 2, 8, 0, 3), RgbPalette, {2, 1, 0, 0, 0, 1, 7, 0}));
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->Pixels, (std::vector<uint32_t>{Red, Green, Black, Blue, Green, Red}));

    // 4 bits, top row first (negative height).
    const std::vector<uint8_t> whiteBlack = {255, 255, 255, 0, 0, 0, 0, 0};
    const auto four = DecodeBmp(BmpFile(InfoHeader(3, -2, 4, 0, 2), whiteBlack, {0x01, 0x00, 0, 0, 0x10, 0x10, 0, 0}));
    ASSERT_TRUE(four);
    EXPECT_EQ(four->Pixels, (std::vector<uint32_t>{White, Black, White, Black, White, Black}));

    // 1 bit with the old core header: 16-bit sizes, three-byte palette entries.
    OutStream core;
    core.writeInt32(12);
    core.writeInt16(10);
    core.writeInt16(1);
    core.writeInt16(1);
    core.writeInt16(1);
    const auto one = DecodeBmp(BmpFile(core.bytes(), {0, 0, 0, 255, 255, 255}, {0xAA, 0xC0, 0, 0}));
    ASSERT_TRUE(one);
    EXPECT_EQ(one->Pixels, (std::vector<uint32_t>{White, Black, White, Black, White, Black, White, Black, White, White}));
}

TEST(BmpCodec, ReadsSixteenAndThirtyTwoBitPixels) {
    // 565 bit fields: the masks follow the INFO header.
    const std::vector<uint8_t> masks565 = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    const auto bitFields = DecodeBmp(BmpFile(InfoHeader(2, 1, 16, 3), masks565, {0x00, 0xF8, 0xFF, 0x07}));
    ASSERT_TRUE(bitFields);
    EXPECT_EQ(bitFields->Pixels, (std::vector<uint32_t>{Red, 0xFF00FFFFu}));

    // Plain 16 bits are 555; five-bit channels scale to 0..255 with rounding.
    const auto plain16 = DecodeBmp(BmpFile(InfoHeader(2, 1, 16), {}, {0x00, 0x7C, 0x00, 0x02}));
    ASSERT_TRUE(plain16);
    EXPECT_EQ(plain16->Pixels, (std::vector<uint32_t>{Red, 0xFF008400u}));

    // 32 bits whose fourth bytes are all zero are opaque; used alpha is kept.
    const auto unusedAlpha = DecodeBmp(BmpFile(InfoHeader(2, 1, 32), {}, {255, 0, 0, 0, 0, 0, 255, 0}));
    ASSERT_TRUE(unusedAlpha);
    EXPECT_EQ(unusedAlpha->Pixels, (std::vector<uint32_t>{Blue, Red}));
    const auto usedAlpha = DecodeBmp(BmpFile(InfoHeader(2, 1, 32), {}, {255, 0, 0, 0x80, 0, 0, 255, 0}));
    ASSERT_TRUE(usedAlpha);
    EXPECT_EQ(usedAlpha->Pixels, (std::vector<uint32_t>{0x800000FFu, 0x00FF0000u}));
}

TEST(BmpCodec, ReadsRunLengthData) {
    // RLE8, bottom row: three pixels of colour 1, end of line; top row: a
    // literal stretch 2, 0, 1 (padded to even), end of picture. Pixels left
    // out keep colour 0.
    const auto rle8 = DecodeBmp(BmpFile(InfoHeader(4, 2, 8, 1, 3), RgbPalette,
                                        {3, 1, 0, 0, 0, 3, 2, 0, 1, 0, 0, 1}));
    ASSERT_TRUE(rle8);
    EXPECT_EQ(rle8->Pixels, (std::vector<uint32_t>{Blue, Red, Green, Red, Green, Green, Green, Red}));

    // RLE4: a run alternates the two nibbles; a jump skips pixels.
    const auto rle4 = DecodeBmp(BmpFile(InfoHeader(7, 1, 4, 2, 3), RgbPalette, {5, 0x12, 0, 2, 1, 0, 1, 0x22, 0, 1}));
    ASSERT_TRUE(rle4);
    EXPECT_EQ(rle4->Pixels, (std::vector<uint32_t>{Green, Blue, Green, Blue, Green, Red, Blue}));

    // Without the end-of-picture mark the data is damaged; so is a run-length
    // picture stored top row first, and a literal stretch running past the end.
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(4, 2, 8, 1, 3), RgbPalette, {3, 1})));
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(4, -2, 8, 1, 3), RgbPalette, {3, 1, 0, 1})));
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(4, 2, 8, 1, 3), RgbPalette, {0, 4, 1, 1})));
}

TEST(BmpCodec, RefusesDamagedAndOversizedFiles) {
    const std::vector<uint8_t> good = EncodeBmp(MakePicture(PictureKind::Bitmap, 5, 3, DistinctPixels(5, 3)));
    ASSERT_TRUE(DecodeBmp(good));
    for (std::size_t length : {std::size_t{0}, std::size_t{2}, std::size_t{20}, std::size_t{53}, good.size() - 1})
        EXPECT_FALSE(DecodeBmp(std::span(good).first(length))) << length;

    // Headers claiming far more pixels than the data holds are refused before
    // any pixel buffer is reserved.
    const std::vector<uint8_t> fewBytes(16, 0);
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(100000, 100000, 24), {}, fewBytes)));
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(8000, 8000, 24), {}, fewBytes)));
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(8000, 8000, 8, 1), RgbPalette, {0, 1})));
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(20000, 20000, 1), {0, 0, 0, 0, 255, 255, 255, 0}, fewBytes)));
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(2, INT_MIN, 24), {}, fewBytes)));

    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(0, 1, 24), {}, fewBytes)));
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(-2, 1, 24), {}, fewBytes)));
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(1, 0, 24), {}, fewBytes)));
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(1, 1, 24, 4), {}, fewBytes)));  // embedded JPEG
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(1, 1, 24, 3), {}, fewBytes)));  // bit fields need 16 or 32 bits
    EXPECT_FALSE(DecodeBmp(BmpFile(InfoHeader(1, 1, 7), {}, fewBytes)));

    std::vector<uint8_t> farOffset = good;
    farOffset[10] = 0xFF;  // pixel data said to start beyond the end
    farOffset[11] = 0xFF;
    EXPECT_FALSE(DecodeBmp(farOffset));
    std::vector<uint8_t> oddHeader = good;
    oddHeader[14] = 20;  // no such header size
    EXPECT_FALSE(DecodeBmp(oddHeader));
}

TEST(BmpCodec, ReadPictureKeepsTheFileImage) {
    // Trailing bytes are no picture data, yet saving must give the very bytes read.
    std::vector<uint8_t> file = EncodeBmp(MakePicture(PictureKind::Bitmap, 3, 2, DistinctPixels(3, 2)));
    file.insert(file.end(), {1, 2, 3});
    const auto picture = ReadPicture(file, PictureKind::Bitmap);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Kind, PictureKind::Bitmap);
    EXPECT_EQ(picture->Encoded, file);
    EXPECT_EQ(SavePicture(*picture), file);
    EXPECT_FALSE(ReadPicture(file, PictureKind::Png));
    EXPECT_FALSE(ReadPicture(file, PictureKind::Jpeg));
}

}  // namespace
}  // namespace qv
