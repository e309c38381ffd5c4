// The program's own reader and writer for Windows bitmap files (.bmp).
#pragma once

#include "util/Picture.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qv {

// Reads a bitmap file: the Windows headers (INFO, V2 to V5, OS/2 2.x) and the
// old OS/2 core header; 1, 4 and 8 bits with palette, 16, 24 and 32 bits;
// uncompressed, bit fields, RLE8 and RLE4; bottom-up and top-down. Gives none
// for anything damaged, truncated or larger than the picture limits. The
// result has Kind Bitmap and no Encoded bytes.
std::optional<Picture> DecodeBmp(std::span<const uint8_t> bytes);

// Writes a 24-bit bitmap, or a 32-bit one with an alpha mask when any pixel
// is not fully opaque. Empty when the picture's pixels are inconsistent.
std::vector<uint8_t> EncodeBmp(const Picture& picture);

}  // namespace qv
