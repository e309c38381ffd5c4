// Reading and saving pictures of the three raster kinds a document holds.
#pragma once

#include "util/Picture.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qv {

// Decodes the bytes as the given kind. The picture keeps the bytes as its
// Encoded file image. None when they are not a readable picture of that kind.
std::optional<Picture> ReadPicture(std::span<const uint8_t> bytes, PictureKind kind);

// Tries bitmap, then PNG, then JPEG.
std::optional<Picture> ReadAnyPicture(std::span<const uint8_t> bytes);

// The picture's file image: the bytes it was read from or last saved as when
// it has them, else its pixels encoded as its kind. Empty on failure (the
// pixels do not match the size, or the size is beyond the picture limits).
std::vector<uint8_t> SavePicture(const Picture& picture);

// A picture from pixels, without a file image yet.
Picture MakePicture(PictureKind kind, int width, int height, std::vector<uint32_t> pixels);

}  // namespace qv
