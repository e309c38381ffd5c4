// A decoded raster picture together with the file image it came from.
//
// Documents must round-trip byte-exact, so a picture that was read keeps the
// bytes it was read from and saving it writes those again. Whoever changes
// Pixels (mirroring, turning) must clear Encoded, so the next save encodes
// the new pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace qv {

enum class PictureKind { Bitmap, Png, Jpeg };

struct Picture {
    PictureKind Kind = PictureKind::Bitmap;
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;  // 0xAARRGGBB, row-major, top row first
    std::vector<uint8_t> Encoded;  // the file image the picture was read from or last saved as
};

// Limits for pictures read from outside bytes. A side longer than 30000
// pixels is refused outright; the pixel count is capped so that a small
// damaged or hostile file cannot make a reader reserve gigabytes (64 M
// pixels are 256 MB decoded, more than any school picture needs).
inline constexpr int MaxPictureSide = 30000;
inline constexpr int64_t MaxPicturePixels = int64_t{1} << 26;

constexpr bool PictureSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= MaxPicturePixels;
}

// True when the picture's pixels can be encoded: allowed size and exactly
// Width × Height pixels.
inline bool HasEncodablePixels(const Picture& picture) {
    return PictureSizeAllowed(picture.Width, picture.Height) &&
           picture.Pixels.size() == static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height);
}

constexpr uint32_t PackArgb(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 |
           blue;
}

constexpr uint8_t AlphaOf(uint32_t argb) { return static_cast<uint8_t>(argb >> 24); }
constexpr uint8_t RedOf(uint32_t argb) { return static_cast<uint8_t>(argb >> 16); }
constexpr uint8_t GreenOf(uint32_t argb) { return static_cast<uint8_t>(argb >> 8); }
constexpr uint8_t BlueOf(uint32_t argb) { return static_cast<uint8_t>(argb); }

}  // namespace qv
