#include "util/PictureText.h"

#include "util/PictureCodec.h"

#include <cstdint>
#include <vector>

namespace qv {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string GraphicToHexText(const Picture& picture) {
    const std::vector<uint8_t> bytes = SavePicture(picture);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t byte : bytes) {
        text.push_back(HexDigits[byte >> 4]);
        text.push_back(HexDigits[byte & 0x0F]);
    }
    return text;
}

std::optional<Picture> HexTextToGraphic(const std::string& text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const int high = hexValue(text[i]);
        const int low = hexValue(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return ReadAnyPicture(bytes);
}

}  // namespace qv
