// Small pictures built in memory for the bitmap object tests.
#pragma once

#include "util/Picture.h"
#include "util/PictureCodec.h"

#include <cstdint>
#include <vector>

namespace qv::test {

// A picture whose every pixel differs from its neighbours, so any
// misplaced pixel shows.
inline Picture NumberedPicture(PictureKind kind, int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(PackArgb(255, static_cast<uint8_t>(x * 20), static_cast<uint8_t>(y * 20), 77));
    return MakePicture(kind, width, height, std::move(pixels));
}

inline Picture PlainPicture(PictureKind kind, int width, int height, uint32_t argb) {
    return MakePicture(kind, width, height, std::vector<uint32_t>(static_cast<std::size_t>(width) * height, argb));
}

inline std::vector<uint8_t> FileImage(const Picture& picture) { return SavePicture(picture); }

// An enhanced metafile of 1 × 1 cm: header, a red brush selected, a
// rectangle filling the bounds, end of file.
inline std::vector<uint8_t> RedSquareEmf() {
    std::vector<uint8_t> b;
    const auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    // Header: type, size, bounds (device units), frame (0.01 mm), signature,
    // version, total bytes (patched below), records, handles, description,
    // palette, device size (pixels, millimetres), pixel format, OpenGL,
    // device size in micrometres.
    u32(1), u32(108);
    u32(0), u32(0), u32(99), u32(99);
    u32(0), u32(0), u32(1000), u32(1000);
    u32(0x464D4520), u32(0x10000), u32(0), u32(5), u32(2), u32(0), u32(0), u32(0);
    u32(1920), u32(1080), u32(508), u32(285), u32(0), u32(0), u32(0), u32(508000), u32(285000);
    u32(39), u32(24), u32(1), u32(0), u32(0x0000FF), u32(0);  // create solid brush 1, red
    u32(37), u32(12), u32(1);                                  // select brush 1
    u32(43), u32(24), u32(0), u32(0), u32(99), u32(99);        // rectangle
    u32(14), u32(20), u32(0), u32(16), u32(20);                // end of file
    const auto total = static_cast<uint32_t>(b.size());
    for (int i = 0; i < 4; ++i) b[48 + i] = static_cast<uint8_t>(total >> (8 * i));
    return b;
}

}  // namespace qv::test
