// JPEG pictures through libjpeg, from and to memory.
#pragma once

#include "util/Picture.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qv {

// Grey and colour (YCbCr or RGB) JPEG files become opaque 0xAARRGGBB
// pixels. CMYK files, damaged data, data that ends before the picture does,
// and pictures beyond the picture limits give none. The result has Kind Jpeg
// and no Encoded bytes.
std::optional<Picture> DecodeJpeg(std::span<const uint8_t> bytes);

inline constexpr int DefaultJpegQuality = 90;

// Writes a colour JPEG; alpha is dropped. Empty on failure.
std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality = DefaultJpegQuality);

}  // namespace qv
