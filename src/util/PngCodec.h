// PNG pictures through libpng, from and to memory.
#pragma once

#include "util/Picture.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qv {

// Any colour type and bit depth becomes 0xAARRGGBB (16-bit samples are
// scaled to 8 bits, palettes and transparency chunks expanded). None for
// damaged or truncated data and for pictures beyond the picture limits. The
// result has Kind Png and no Encoded bytes.
std::optional<Picture> DecodePng(std::span<const uint8_t> bytes);

// Writes 8-bit RGB, or RGBA when any pixel is not fully opaque. Empty on
// failure.
std::vector<uint8_t> EncodePng(const Picture& picture);

}  // namespace qv
