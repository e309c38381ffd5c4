#include "util/PictureCodec.h"
#include "util/PngCodec.h"

#include "picture_test_pictures.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

namespace qv {
namespace {

using testing::DistinctPixels;

// A PNG written by libpng's simplified interface, so the reader meets files
// it did not write itself: grey, grey with alpha, 16 bits and palettes.
std::vector<uint8_t> LibpngFile(int width, int height, png_uint_32 format, const void* samples,
                                const void* colourMap = nullptr, int colourCount = 0) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    image.colormap_entries = static_cast<png_uint_32>(colourCount);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, samples, 0, colourMap)) return {};
    std::vector<uint8_t> file(size);
    if (!png_image_write_to_memory(&image, file.data(), &size, 0, samples, 0, colourMap)) return {};
    file.resize(size);
    return file;
}

// Rewrites the size in the IHDR chunk, with a matching checksum.
std::vector<uint8_t> WithHeaderSize(std::vector<uint8_t> file, uint32_t width, uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        file[16 + i] = static_cast<uint8_t>(width >> (24 - 8 * i));
        file[20 + i] = static_cast<uint8_t>(height >> (24 - 8 * i));
    }
    const uint32_t crc = static_cast<uint32_t>(crc32(0, file.data() + 12, 17));
    for (int i = 0; i < 4; ++i) file[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    return file;
}

TEST(PngCodec, RoundTripKeepsPixels) {
    const Picture opaque = MakePicture(PictureKind::Png, 5, 3, DistinctPixels(5, 3));
    const std::vector<uint8_t> file = EncodePng(opaque);
    ASSERT_GT(file.size(), 33u);
    EXPECT_EQ(file[25], PNG_COLOR_TYPE_RGB);
    const auto back = ReadPicture(file, PictureKind::Png);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Kind, PictureKind::Png);
    EXPECT_EQ(back->Width, 5);
    EXPECT_EQ(back->Height, 3);
    EXPECT_EQ(back->Pixels, opaque.Pixels);
    EXPECT_EQ(SavePicture(*back), file);

    const Picture translucent = MakePicture(PictureKind::Png, 2, 2, {0x80FF0000u, 0x00000000u, 0xFF123456u, 0x01ABCDEFu});
    const std::vector<uint8_t> alphaFile = EncodePng(translucent);
    ASSERT_GT(alphaFile.size(), 33u);
    EXPECT_EQ(alphaFile[25], PNG_COLOR_TYPE_RGB_ALPHA);
    const auto alphaBack = DecodePng(alphaFile);
    ASSERT_TRUE(alphaBack);
    EXPECT_EQ(alphaBack->Pixels, translucent.Pixels);

    // Saving a picture without a file image encodes it as its kind.
    EXPECT_EQ(SavePicture(opaque), file);
    EXPECT_TRUE(EncodePng(MakePicture(PictureKind::Png, 3, 3, {1, 2})).empty());
}

TEST(PngCodec, ReadsGreyPaletteAndSixteenBitFiles) {
    const uint8_t grey[] = {0, 128, 255};
    const auto greyPicture = DecodePng(LibpngFile(3, 1, PNG_FORMAT_GRAY, grey));
    ASSERT_TRUE(greyPicture);
    EXPECT_EQ(greyPicture->Pixels, (std::vector<uint32_t>{0xFF000000u, 0xFF808080u, 0xFFFFFFFFu}));

    const uint8_t greyAlpha[] = {0x40, 0x80, 0xFF, 0x00};
    const auto greyAlphaPicture = DecodePng(LibpngFile(2, 1, PNG_FORMAT_GA, greyAlpha));
    ASSERT_TRUE(greyAlphaPicture);
    EXPECT_EQ(greyAlphaPicture->Pixels[0], 0x80404040u);
    EXPECT_EQ(AlphaOf(greyAlphaPicture->Pixels[1]), 0u);

    const uint16_t deep[] = {0, 65535};
    const auto deepPicture = DecodePng(LibpngFile(2, 1, PNG_FORMAT_LINEAR_Y, deep));
    ASSERT_TRUE(deepPicture);
    EXPECT_EQ(deepPicture->Pixels, (std::vector<uint32_t>{0xFF000000u, 0xFFFFFFFFu}));

    const uint8_t colours[] = {255, 0, 0, 0, 0, 255};
    const uint8_t indexes[] = {1, 0, 0, 1};
    const std::vector<uint8_t> paletteFile = LibpngFile(2, 2, PNG_FORMAT_RGB_COLORMAP, indexes, colours, 2);
    ASSERT_GT(paletteFile.size(), 26u);
    EXPECT_EQ(paletteFile[25], PNG_COLOR_TYPE_PALETTE);
    const auto palettePicture = DecodePng(paletteFile);
    ASSERT_TRUE(palettePicture);
    EXPECT_EQ(palettePicture->Pixels, (std::vector<uint32_t>{0xFF0000FFu, 0xFFFF0000u, 0xFFFF0000u, 0xFF0000FFu}));
}

TEST(PngCodec, RefusesDamagedAndOversizedFiles) {
    const std::vector<uint8_t> file = EncodePng(MakePicture(PictureKind::Png, 20, 10, DistinctPixels(20, 10)));
    ASSERT_TRUE(DecodePng(file));
    for (std::size_t length : {std::size_t{0}, std::size_t{8}, std::size_t{33}, file.size() / 2, file.size() - 1})
        EXPECT_FALSE(DecodePng(std::span(file).first(length))) << length;

    std::vector<uint8_t> damaged = file;
    damaged[45] ^= 0x55;  // inside the image data: its checksum no longer matches
    EXPECT_FALSE(DecodePng(damaged));

    EXPECT_FALSE(DecodePng(WithHeaderSize(file, 100000, 100000)));
    // Within the size limits, but the few bytes of image data could never
    // inflate to 8000 × 8000 pixels.
    EXPECT_FALSE(DecodePng(WithHeaderSize(file, 8000, 8000)));
    EXPECT_TRUE(DecodePng(WithHeaderSize(file, 20, 10)));
}

}  // namespace
}  // namespace qv
