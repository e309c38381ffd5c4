#include "util/JpegCodec.h"
#include "util/PictureCodec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace qv {
namespace {

// A smooth picture, so that lossy compression stays close to it.
std::vector<uint32_t> Gradient(int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(PackArgb(0xFF, static_cast<uint8_t>(x * 12), static_cast<uint8_t>(y * 20),
                                      static_cast<uint8_t>(100 + x * 4 + y * 4)));
    return pixels;
}

int LargestChannelDifference(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift : {0, 8, 16, 24})
        largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return largest;
}

// A one-component (grey) JPEG written with libjpeg directly.
std::vector<uint8_t> GreyJpeg(int width, int height, uint8_t value) {
    jpeg_compress_struct codec{};
    jpeg_error_mgr errors{};
    codec.err = jpeg_std_error(&errors);
    jpeg_create_compress(&codec);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&codec, &buffer, &size);
    codec.image_width = static_cast<JDIMENSION>(width);
    codec.image_height = static_cast<JDIMENSION>(height);
    codec.input_components = 1;
    codec.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&codec);
    jpeg_start_compress(&codec, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width), value);
    while (codec.next_scanline < codec.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&codec, rows, 1);
    }
    jpeg_finish_compress(&codec);
    std::vector<uint8_t> file(buffer, buffer + size);
    jpeg_destroy_compress(&codec);
    std::free(buffer);
    return file;
}

TEST(JpegCodec, RoundTripKeepsSizeAndPixelsApproximately) {
    const Picture picture = MakePicture(PictureKind::Jpeg, 21, 11, Gradient(21, 11));
    const std::vector<uint8_t> file = SavePicture(picture);
    ASSERT_GT(file.size(), 2u);
    EXPECT_EQ(file[0], 0xFF);
    EXPECT_EQ(file[1], 0xD8);
    const auto back = ReadPicture(file, PictureKind::Jpeg);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Kind, PictureKind::Jpeg);
    EXPECT_EQ(back->Width, 21);
    EXPECT_EQ(back->Height, 11);
    ASSERT_EQ(back->Pixels.size(), picture.Pixels.size());
    int worst = 0;
    for (std::size_t i = 0; i < picture.Pixels.size(); ++i)
        worst = std::max(worst, LargestChannelDifference(picture.Pixels[i], back->Pixels[i]));
    EXPECT_LE(worst, 16);
    EXPECT_EQ(back->Encoded, file);

    // JPEG has no alpha: a translucent picture comes back opaque.
    const auto opaque = DecodeJpeg(EncodeJpeg(MakePicture(PictureKind::Jpeg, 1, 1, {0x20808080u})));
    ASSERT_TRUE(opaque);
    EXPECT_EQ(AlphaOf(opaque->Pixels[0]), 0xFF);

    const auto grey = DecodeJpeg(GreyJpeg(9, 5, 200));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->Width, 9);
    for (uint32_t pixel : grey->Pixels) EXPECT_LE(LargestChannelDifference(pixel, 0xFFC8C8C8u), 2);

    EXPECT_TRUE(EncodeJpeg(MakePicture(PictureKind::Jpeg, 2, 2, {})).empty());
}

TEST(JpegCodec, RefusesDamagedAndTruncatedFiles) {
    const std::vector<uint8_t> file = EncodeJpeg(MakePicture(PictureKind::Jpeg, 64, 48, Gradient(64, 48)));
    ASSERT_TRUE(DecodeJpeg(file));
    // Data ending early would leave libjpeg filling the rest with grey.
    for (std::size_t length : {std::size_t{0}, std::size_t{2}, std::size_t{100}, file.size() / 2, file.size() - 2})
        EXPECT_FALSE(DecodeJpeg(std::span(file).first(length))) << length;

    std::vector<uint8_t> garbage = {0xFF, 0xD8};
    garbage.insert(garbage.end(), 200, 0x5A);
    EXPECT_FALSE(DecodeJpeg(garbage));
    EXPECT_FALSE(ReadPicture(file, PictureKind::Png));
    EXPECT_FALSE(ReadPicture(file, PictureKind::Bitmap));
}

}  // namespace
}  // namespace qv
