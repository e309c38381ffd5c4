#include "util/BmpCodec.h"

#include "util/StreamIO.h"

#include <algorithm>
#include <bit>

namespace qv {

namespace {

enum Compression : uint32_t { RgbCompression = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

constexpr std::size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t Os2HeaderSize = 64;
constexpr uint32_t V4HeaderSize = 108;
constexpr uint32_t SrgbColourSpace = 0x73524742;  // 'sRGB'

// A run of two bytes expands to at most 255 pixels; a run-length picture
// claiming more pixels than that per byte of data is damaged.
constexpr uint64_t MaxRlePixelsPerByte = 128;

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255.
class Channel {
public:
    explicit Channel(uint32_t mask = 0)
        : mask_(mask), shift_(mask != 0 ? std::countr_zero(mask) : 0), max_(mask >> shift_) {}

    bool present() const { return mask_ != 0; }
    uint8_t operator()(uint32_t pixel) const {
        if (max_ == 0) return 0;
        const uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<uint8_t>((value * 255 + max_ / 2) / max_);
    }

private:
    uint32_t mask_;
    int shift_;
    uint32_t max_;
};

struct BmpLayout {
    int64_t Width = 0;
    int64_t Height = 0;  // always positive; TopDown tells the row order
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = RgbCompression;
    Channel Red, Green, Blue, Alpha;
    std::vector<uint32_t> Palette;
    std::size_t DataOffset = 0;

    bool isRle() const { return Compression == Rle8 || Compression == Rle4; }
    uint64_t pixelCount() const { return static_cast<uint64_t>(Width) * static_cast<uint64_t>(Height); }
    uint64_t rowStride() const { return (static_cast<uint64_t>(Width) * BitCount + 31) / 32 * 4; }
    uint32_t paletteColour(uint32_t index) const {
        return index < Palette.size() ? Palette[index] : PackArgb(255, 0, 0, 0);
    }
    uint32_t maskedColour(uint32_t pixel) const {
        return PackArgb(Alpha.present() ? Alpha(pixel) : 255, Red(pixel), Green(pixel), Blue(pixel));
    }
};

uint32_t readU32(InStream& in) { return static_cast<uint32_t>(in.readInt32()); }
uint16_t readU16(InStream& in) { return static_cast<uint16_t>(in.readInt16()); }

bool isKnownInfoHeader(uint32_t size) {
    return size == InfoHeaderSize || size == 52 || size == 56 || size == Os2HeaderSize || size == V4HeaderSize ||
           size == 124;
}

bool isSupported(int bits, uint32_t compression) {
    switch (compression) {
    case RgbCompression: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case Rle8: return bits == 8;
    case Rle4: return bits == 4;
    case BitFields:
    case AlphaBitFields: return bits == 16 || bits == 32;
    default: return false;  // embedded JPEG or PNG data
    }
}

void setDefaultMasks(BmpLayout& layout) {
    if (layout.BitCount == 16) {
        layout.Red = Channel(0x7C00);
        layout.Green = Channel(0x03E0);
        layout.Blue = Channel(0x001F);
    } else if (layout.BitCount == 32) {
        layout.Red = Channel(0x00FF0000);
        layout.Green = Channel(0x0000FF00);
        layout.Blue = Channel(0x000000FF);
        // Most writers leave the fourth byte zero; makeOpaqueWhenAlphaUnused
        // turns such a picture opaque again.
        layout.Alpha = Channel(0xFF000000);
    }
}

// Reads the headers, colour masks and palette. None when they describe no
// picture this reader handles; StreamError when they run past the data.
std::optional<BmpLayout> readLayout(InStream& in) {
    BmpLayout layout;
    if (in.readByte() != 'B' || in.readByte() != 'M') return std::nullopt;
    in.readInt32();  // the stated file size: the data's real size is what counts
    in.readInt32();  // reserved
    layout.DataOffset = readU32(in);
    const uint32_t headerSize = readU32(in);
    std::size_t paletteEntrySize = 4;
    uint32_t coloursUsed = 0;
    std::size_t paletteStart = FileHeaderSize + headerSize;
    if (headerSize == CoreHeaderSize) {
        layout.Width = readU16(in);
        layout.Height = readU16(in);
        readU16(in);  // planes
        layout.BitCount = readU16(in);
        paletteEntrySize = 3;
    } else if (isKnownInfoHeader(headerSize)) {
        layout.Width = in.readInt32();
        const int64_t height = in.readInt32();
        layout.TopDown = height < 0;
        layout.Height = height < 0 ? -height : height;
        readU16(in);  // planes
        layout.BitCount = readU16(in);
        layout.Compression = readU32(in);
        for (int i = 0; i < 3; ++i) in.readInt32();  // image size, resolution
        coloursUsed = readU32(in);
        in.readInt32();  // important colours
        // OS/2 numbers its further compressions differently (3 is Huffman).
        if (headerSize == Os2HeaderSize && layout.Compression > Rle4) return std::nullopt;
        if (layout.Compression == BitFields || layout.Compression == AlphaBitFields) {
            // The masks sit right after the INFO fields, both inside the
            // longer headers and after a plain INFO header.
            const bool withAlpha = layout.Compression == AlphaBitFields || headerSize >= 56;
            layout.Red = Channel(readU32(in));
            layout.Green = Channel(readU32(in));
            layout.Blue = Channel(readU32(in));
            if (withAlpha) layout.Alpha = Channel(readU32(in));
            if (headerSize == InfoHeaderSize) paletteStart += withAlpha ? 16 : 12;
        } else {
            setDefaultMasks(layout);
        }
    } else {
        return std::nullopt;
    }

    if (!isSupported(layout.BitCount, layout.Compression)) return std::nullopt;
    if (!PictureSizeAllowed(layout.Width, layout.Height)) return std::nullopt;
    if (layout.TopDown && layout.isRle()) return std::nullopt;

    if (layout.BitCount <= 8) {
        std::size_t count = std::size_t{1} << layout.BitCount;
        if (coloursUsed > 0 && coloursUsed < count) count = coloursUsed;
        in.seek(paletteStart);
        for (std::size_t i = 0; i < count; ++i) {
            const uint8_t blue = in.readByte();
            const uint8_t green = in.readByte();
            const uint8_t red = in.readByte();
            if (paletteEntrySize == 4) in.readByte();
            layout.Palette.push_back(PackArgb(255, red, green, blue));
        }
    }
    return layout;
}

uint32_t littleEndian16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8; }
uint32_t littleEndian32(const uint8_t* p) { return littleEndian16(p) | littleEndian16(p + 2) << 16; }

void decodeRow(const uint8_t* row, const BmpLayout& layout, uint32_t* out) {
    const int bits = layout.BitCount;
    for (int64_t x = 0; x < layout.Width; ++x) {
        switch (bits) {
        case 16: out[x] = layout.maskedColour(littleEndian16(row + 2 * x)); break;
        case 24: out[x] = PackArgb(255, row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
        case 32: out[x] = layout.maskedColour(littleEndian32(row + 4 * x)); break;
        default: {
            // Palette indexes, the leftmost pixel in the highest bits.
            const int64_t bit = x * bits;
            const int shift = 8 - bits - static_cast<int>(bit % 8);
            out[x] = layout.paletteColour((row[bit / 8] >> shift) & ((1u << bits) - 1));
        }
        }
    }
}

void decodeRows(std::span<const uint8_t> data, const BmpLayout& layout, std::vector<uint32_t>& pixels) {
    const uint64_t stride = layout.rowStride();
    for (int64_t y = 0; y < layout.Height; ++y) {
        const int64_t stored = layout.TopDown ? y : layout.Height - 1 - y;
        decodeRow(data.data() + stored * stride, layout, pixels.data() + y * layout.Width);
    }
}

// Run-length data, bottom row first: (count, value) runs and the escapes end
// of line, end of picture, jump and a stretch of literal pixels (padded to
// an even length). Pixels left out keep palette colour 0. Data that ends
// before the end-of-picture mark is damaged.
bool decodeRle(std::span<const uint8_t> data, const BmpLayout& layout, std::vector<uint32_t>& pixels) {
    const bool nibbles = layout.Compression == Rle4;
    const int64_t width = layout.Width;
    const int64_t height = layout.Height;
    int64_t x = 0;
    int64_t y = 0;
    std::size_t pos = 0;
    auto put = [&](uint32_t index) {
        if (x < width && y < height) pixels[(height - 1 - y) * width + x] = layout.paletteColour(index);
        ++x;
    };
    auto literal = [&](std::size_t i) -> uint32_t {
        return nibbles ? (i % 2 == 0 ? data[pos + i / 2] >> 4 : data[pos + i / 2] & 0x0F) : data[pos + i];
    };
    while (y < height) {
        if (data.size() - pos < 2) return false;
        const unsigned count = data[pos];
        const unsigned value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) put(nibbles ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (data.size() - pos < 2) return false;
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
        } else {
            const std::size_t bytes = nibbles ? (value + 1) / 2 : value;
            const std::size_t padded = bytes + (bytes & 1);
            if (data.size() - pos < padded) return false;
            for (std::size_t i = 0; i < value; ++i) put(literal(i));
            pos += padded;
        }
    }
    return true;
}

// A 32-bit picture whose alpha bytes are all zero was written by a program
// that did not use them: show it opaque rather than invisible.
void makeOpaqueWhenAlphaUnused(std::vector<uint32_t>& pixels) {
    if (std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return AlphaOf(p) == 0; }))
        for (uint32_t& p : pixels) p |= 0xFF000000u;
}

}  // namespace

std::optional<Picture> DecodeBmp(std::span<const uint8_t> bytes) {
    std::optional<BmpLayout> layout;
    try {
        InStream in(bytes);
        layout = readLayout(in);
    } catch (const StreamError&) {
        return std::nullopt;
    }
    if (!layout || layout->DataOffset > bytes.size()) return std::nullopt;
    const std::span<const uint8_t> data = bytes.subspan(layout->DataOffset);
    // Checked before anything is allocated: the data must be able to hold
    // the pixels the headers claim.
    if (layout->isRle() ? layout->pixelCount() / MaxRlePixelsPerByte > data.size()
                        : layout->rowStride() * static_cast<uint64_t>(layout->Height) > data.size())
        return std::nullopt;

    Picture picture;
    picture.Kind = PictureKind::Bitmap;
    picture.Width = static_cast<int>(layout->Width);
    picture.Height = static_cast<int>(layout->Height);
    picture.Pixels.assign(layout->pixelCount(), layout->paletteColour(0));
    if (layout->isRle()) {
        if (!decodeRle(data, *layout, picture.Pixels)) return std::nullopt;
    } else {
        decodeRows(data, *layout, picture.Pixels);
    }
    if (layout->Alpha.present()) makeOpaqueWhenAlphaUnused(picture.Pixels);
    return picture;
}

std::vector<uint8_t> EncodeBmp(const Picture& picture) {
    if (!HasEncodablePixels(picture)) return {};
    const bool withAlpha =
        std::any_of(picture.Pixels.begin(), picture.Pixels.end(), [](uint32_t p) { return AlphaOf(p) != 0xFF; });
    const int bits = withAlpha ? 32 : 24;
    const uint32_t headerSize = withAlpha ? V4HeaderSize : InfoHeaderSize;
    const uint64_t stride = (static_cast<uint64_t>(picture.Width) * bits + 31) / 32 * 4;
    const uint64_t imageSize = stride * static_cast<uint64_t>(picture.Height);
    const uint32_t dataOffset = static_cast<uint32_t>(FileHeaderSize + headerSize);

    OutStream out;
    out.writeByte('B');
    out.writeByte('M');
    out.writeInt32(static_cast<int32_t>(static_cast<uint32_t>(dataOffset + imageSize)));
    out.writeInt32(0);  // reserved
    out.writeInt32(static_cast<int32_t>(dataOffset));
    out.writeInt32(static_cast<int32_t>(headerSize));
    out.writeInt32(picture.Width);
    out.writeInt32(picture.Height);  // positive: bottom row first
    out.writeInt16(1);               // planes
    out.writeInt16(static_cast<int16_t>(bits));
    out.writeInt32(static_cast<int32_t>(withAlpha ? BitFields : RgbCompression));
    out.writeInt32(static_cast<int32_t>(static_cast<uint32_t>(imageSize)));
    for (int i = 0; i < 4; ++i) out.writeInt32(0);  // resolution, colours used, important colours
    if (withAlpha) {
        for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
            out.writeInt32(static_cast<int32_t>(mask));
        out.writeInt32(static_cast<int32_t>(SrgbColourSpace));
        for (int i = 0; i < 12; ++i) out.writeInt32(0);  // end points and gamma, unused with sRGB
    }

    std::vector<uint8_t> row(stride, 0);
    for (int y = picture.Height - 1; y >= 0; --y) {
        const uint32_t* source = picture.Pixels.data() + static_cast<std::size_t>(y) * picture.Width;
        uint8_t* target = row.data();
        for (int x = 0; x < picture.Width; ++x) {
            *target++ = BlueOf(source[x]);
            *target++ = GreenOf(source[x]);
            *target++ = RedOf(source[x]);
            if (withAlpha) *target++ = AlphaOf(source[x]);
        }
        out.writeBytes(row.data(), row.size());
    }
    return out.take();
}

}  // namespace qv
