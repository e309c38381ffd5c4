#include "util/PngCodec.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <new>

// libpng reports errors by longjmp. Every call into libpng that can fail runs
// in a plain helper frame that holds nothing with a destructor, so the jump
// skips no C++ cleanup; the buffers and the png structs are owned by the
// calling frame.

namespace qv {

namespace {

constexpr std::size_t PngSignatureSize = 8;
// Deflate cannot shrink data by more than about 1032:1, so image data that
// would need a higher ratio is damaged (and must not make us allocate for it).
constexpr uint64_t MaxDeflateRatio = 1032;
constexpr uint64_t DeflateSlack = 4096;
constexpr png_alloc_size_t MaxAncillaryChunkBytes = 8u << 20;

struct MemoryReader {
    const uint8_t* Data;
    std::size_t Size;
    std::size_t Position;
};

[[noreturn]] void onPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onPngWarning(png_structp, png_const_charp) {}

void readFromMemory(png_structp png, png_bytep target, png_size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (count > reader->Size - reader->Position) png_error(png, "truncated");
    std::memcpy(target, reader->Data + reader->Position, count);
    reader->Position += count;
}

void writeToMemory(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        out->insert(out->end(), data, data + count);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored) png_error(png, "out of memory");  // outside the handler: no exception is left active
}

void flushMemory(png_structp) {}

// The total length of the IDAT chunks, walking the chunk list as far as the
// data reaches.
uint64_t imageDataBytes(std::span<const uint8_t> bytes) {
    uint64_t total = 0;
    std::size_t pos = PngSignatureSize;
    while (bytes.size() >= pos + 8) {
        const uint64_t length = static_cast<uint64_t>(bytes[pos]) << 24 | static_cast<uint64_t>(bytes[pos + 1]) << 16 |
                                static_cast<uint64_t>(bytes[pos + 2]) << 8 | bytes[pos + 3];
        if (std::memcmp(bytes.data() + pos + 4, "IDAT", 4) == 0) total += length;
        if (length + 12 > bytes.size() - pos) break;
        pos += static_cast<std::size_t>(length) + 12;
    }
    return total;
}

struct ReadStructs {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    ReadStructs() {
        Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
        if (Png) Info = png_create_info_struct(Png);
    }
    ~ReadStructs() { png_destroy_read_struct(&Png, &Info, nullptr); }
    ReadStructs(const ReadStructs&) = delete;
    ReadStructs& operator=(const ReadStructs&) = delete;
};

struct WriteStructs {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    WriteStructs() {
        Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
        if (Png) Info = png_create_info_struct(Png);
    }
    ~WriteStructs() { png_destroy_write_struct(&Png, &Info); }
    WriteStructs(const WriteStructs&) = delete;
    WriteStructs& operator=(const WriteStructs&) = delete;
};

struct PngHeader {
    uint32_t Width;
    uint32_t Height;
    png_size_t StoredRowBytes;  // one row as stored, before any transform
};

// Reads the chunks before the image data and asks for 8-bit RGBA rows.
bool readPngHeader(png_structp png, png_infop info, PngHeader* header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    header->Width = png_get_image_width(png, info);
    header->Height = png_get_image_height(png, info);
    header->StoredRowBytes = png_get_rowbytes(png, info);
    png_set_expand(png);  // palette to RGB, small grey to 8 bits, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // only where no alpha came from above
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == static_cast<png_size_t>(header->Width) * 4;
}

bool readPngRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

bool writePngImage(png_structp png, png_infop info, const Picture* picture, bool withAlpha, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture->Width), static_cast<png_uint_32>(picture->Height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::optional<Picture> DecodePng(std::span<const uint8_t> bytes) {
    if (bytes.size() < PngSignatureSize || png_sig_cmp(bytes.data(), 0, PngSignatureSize) != 0) return std::nullopt;
    ReadStructs structs;
    if (!structs.Info) return std::nullopt;
    MemoryReader reader{bytes.data(), bytes.size(), 0};
    png_set_read_fn(structs.Png, &reader, readFromMemory);
    png_set_user_limits(structs.Png, MaxPictureSide, MaxPictureSide);
    png_set_chunk_malloc_max(structs.Png, MaxAncillaryChunkBytes);

    PngHeader header{};
    if (!readPngHeader(structs.Png, structs.Info, &header)) return std::nullopt;
    if (!PictureSizeAllowed(header.Width, header.Height)) return std::nullopt;
    if (static_cast<uint64_t>(header.StoredRowBytes) * header.Height >
        imageDataBytes(bytes) * MaxDeflateRatio + DeflateSlack)
        return std::nullopt;

    Picture picture;
    picture.Kind = PictureKind::Png;
    picture.Width = static_cast<int>(header.Width);
    picture.Height = static_cast<int>(header.Height);
    // libpng writes RGBA bytes straight into the pixel buffer; they are
    // turned into 0xAARRGGBB in place afterwards.
    picture.Pixels.resize(static_cast<std::size_t>(header.Width) * header.Height);
    std::vector<png_bytep> rows(header.Height);
    for (uint32_t y = 0; y < header.Height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(picture.Pixels.data() + static_cast<std::size_t>(y) * header.Width);
    if (!readPngRows(structs.Png, rows.data())) return std::nullopt;

    for (uint32_t& pixel : picture.Pixels) {
        uint8_t rgba[4];
        std::memcpy(rgba, &pixel, 4);
        pixel = PackArgb(rgba[3], rgba[0], rgba[1], rgba[2]);
    }
    return picture;
}

std::vector<uint8_t> EncodePng(const Picture& picture) {
    if (!HasEncodablePixels(picture)) return {};
    const bool withAlpha =
        std::any_of(picture.Pixels.begin(), picture.Pixels.end(), [](uint32_t p) { return AlphaOf(p) != 0xFF; });
    const std::size_t channels = withAlpha ? 4 : 3;
    const std::size_t rowBytes = static_cast<std::size_t>(picture.Width) * channels;

    std::vector<uint8_t> samples;
    samples.reserve(rowBytes * picture.Height);
    for (uint32_t pixel : picture.Pixels) {
        samples.push_back(RedOf(pixel));
        samples.push_back(GreenOf(pixel));
        samples.push_back(BlueOf(pixel));
        if (withAlpha) samples.push_back(AlphaOf(pixel));
    }
    std::vector<png_bytep> rows(picture.Height);
    for (int y = 0; y < picture.Height; ++y) rows[y] = samples.data() + y * rowBytes;

    WriteStructs structs;
    if (!structs.Info) return {};
    std::vector<uint8_t> out;
    png_set_write_fn(structs.Png, &out, writeToMemory, flushMemory);
    if (!writePngImage(structs.Png, structs.Info, &picture, withAlpha, rows.data())) return {};
    return out;
}

}  // namespace qv
