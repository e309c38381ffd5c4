// Pictures and hand-made file images shared by the picture tests.
#pragma once

#include "util/Picture.h"
#include "util/StreamIO.h"

#include <cstdint>
#include <vector>

namespace qv::testing {

// Every pixel a different opaque colour, so swapped rows, columns or
// channels show up.
inline std::vector<uint32_t> DistinctPixels(int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(PackArgb(0xFF, static_cast<uint8_t>(x * 40 + 7), static_cast<uint8_t>(y * 50 + 3),
                                      static_cast<uint8_t>(x * 11 + y * 23 + 1)));
    return pixels;
}

// A bitmap file around a hand-written info header, optional palette (BGRA
// entries) and pixel data. The header starts with its own size.
inline std::vector<uint8_t> BmpFile(const std::vector<uint8_t>& header, const std::vector<uint8_t>& palette,
                                    const std::vector<uint8_t>& data) {
    OutStream out;
    out.writeByte('B');
    out.writeByte('M');
    const auto offset = static_cast<int32_t>(14 + header.size() + palette.size());
    out.writeInt32(offset + static_cast<int32_t>(data.size()));
    out.writeInt32(0);
    out.writeInt32(offset);
    out.writeBytes(header.data(), header.size());
    out.writeBytes(palette.data(), palette.size());
    out.writeBytes(data.data(), data.size());
    return out.take();
}

// A 40-byte BITMAPINFOHEADER.
inline std::vector<uint8_t> InfoHeader(int32_t width, int32_t height, int16_t bits, int32_t compression = 0,
                                       int32_t coloursUsed = 0) {
    OutStream out;
    out.writeInt32(40);
    out.writeInt32(width);
    out.writeInt32(height);
    out.writeInt16(1);
    out.writeInt16(bits);
    out.writeInt32(compression);
    out.writeInt32(0);
    out.writeInt32(0);
    out.writeInt32(0);
    out.writeInt32(coloursUsed);
    out.writeInt32(0);
    return out.take();
}

}  // namespace qv::testing
