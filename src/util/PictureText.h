// The text form of a picture that travels inside a text field (the
// animation picture of a curve): the hexadecimal digits of its file image.
#pragma once

#include "util/Picture.h"

#include <optional>
#include <string>

namespace qv {

// Two upper-case hex digits per byte of the picture's saved form, high nibble
// first, no separators. Empty when the picture cannot be saved.
std::string GraphicToHexText(const Picture& picture);

// Reads the text back: digits in either case, taken in pairs (a final single
// digit is ignored), then the bytes are tried as bitmap, PNG and JPEG. None
// when no picture comes out. A text holding anything but hex digits (spaces,
// line breaks included) is not a picture text and gives none, so the caller
// treats it as a file name.
std::optional<Picture> HexTextToGraphic(const std::string& text);

}  // namespace qv
