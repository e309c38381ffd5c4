#include "util/JpegCodec.h"

#include <array>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE declared
#include <new>

#include <jpeglib.h>
#include <jerror.h>

// libjpeg's default error handler ends the process; ours jumps back instead.
// Every libjpeg call that can fail runs in a plain helper frame that holds
// nothing with a destructor, so the jump skips no C++ cleanup; buffers and
// the codec structs are owned by the calling frame.

namespace qv {

namespace {

// Working memory libjpeg may take for one picture (progressive pictures
// keep all coefficients).
constexpr long MaxJpegWorkingMemory = 512L << 20;

struct JpegErrorManager {
    jpeg_error_mgr Base;  // first member: libjpeg hands us a pointer to it
    std::jmp_buf Jump;
};

[[noreturn]] void onJpegError(j_common_ptr codec) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(codec->err)->Jump, 1);
}

// Warnings are silent, except that data ending early is an error: libjpeg
// would otherwise fill the rest of the picture with grey.
void onJpegMessage(j_common_ptr codec, int level) {
    if (level >= 0) return;
    if (codec->err->msg_code == JWRN_JPEG_EOF) onJpegError(codec);
    ++codec->err->num_warnings;
}

void silentOutput(j_common_ptr) {}

void installErrorManager(JpegErrorManager& manager) {
    jpeg_std_error(&manager.Base);
    manager.Base.error_exit = onJpegError;
    manager.Base.emit_message = onJpegMessage;
    manager.Base.output_message = silentOutput;
}

// Collects the compressed bytes in a vector. jpeg_mem_dest is not used: after
// an error its buffer may already have been freed, so nobody could safely
// release it.
struct VectorDestination {
    jpeg_destination_mgr Base;  // first member: libjpeg hands us a pointer to it
    std::vector<uint8_t>* Out;
    std::array<JOCTET, 16384> Buffer;
};

VectorDestination& destinationOf(j_compress_ptr codec) { return *reinterpret_cast<VectorDestination*>(codec->dest); }

void startDestination(j_compress_ptr codec) {
    VectorDestination& dest = destinationOf(codec);
    dest.Base.next_output_byte = dest.Buffer.data();
    dest.Base.free_in_buffer = dest.Buffer.size();
}

void appendToDestination(j_compress_ptr codec, std::size_t count) {
    VectorDestination& dest = destinationOf(codec);
    bool stored = true;
    try {
        dest.Out->insert(dest.Out->end(), dest.Buffer.data(), dest.Buffer.data() + count);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored) ERREXIT1(codec, JERR_OUT_OF_MEMORY, 0);  // outside the handler: no exception is left active
}

boolean flushDestination(j_compress_ptr codec) {
    appendToDestination(codec, destinationOf(codec).Buffer.size());
    startDestination(codec);
    return TRUE;
}

void finishDestination(j_compress_ptr codec) {
    appendToDestination(codec, destinationOf(codec).Buffer.size() - destinationOf(codec).Base.free_in_buffer);
}

struct DecompressGuard {
    jpeg_decompress_struct Codec{};
    ~DecompressGuard() { jpeg_destroy_decompress(&Codec); }  // safe also when creation failed
};

struct CompressGuard {
    jpeg_compress_struct Codec{};
    ~CompressGuard() { jpeg_destroy_compress(&Codec); }
};

bool readJpegHeader(j_decompress_ptr codec, JpegErrorManager* errors, const uint8_t* data, std::size_t size) {
    if (setjmp(errors->Jump)) return false;
    jpeg_create_decompress(codec);
    codec->mem->max_memory_to_use = MaxJpegWorkingMemory;
    jpeg_mem_src(codec, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(codec, TRUE) != JPEG_HEADER_OK) return false;
    if (codec->jpeg_color_space == JCS_CMYK || codec->jpeg_color_space == JCS_YCCK) return false;
    codec->out_color_space = JCS_RGB;
    return true;
}

bool readJpegRows(j_decompress_ptr codec, JpegErrorManager* errors, uint32_t* pixels, JSAMPLE* row) {
    if (setjmp(errors->Jump)) return false;
    jpeg_start_decompress(codec);
    if (codec->output_components != 3 || codec->output_width != codec->image_width ||
        codec->output_height != codec->image_height)
        return false;
    const JDIMENSION width = codec->output_width;
    while (codec->output_scanline < codec->output_height) {
        uint32_t* target = pixels + static_cast<std::size_t>(codec->output_scanline) * width;
        JSAMPROW rows[1] = {row};
        if (jpeg_read_scanlines(codec, rows, 1) != 1) return false;
        for (JDIMENSION x = 0; x < width; ++x) target[x] = PackArgb(255, row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    }
    jpeg_finish_decompress(codec);
    return true;
}

bool writeJpegImage(j_compress_ptr codec, JpegErrorManager* errors, VectorDestination* destination,
                    const Picture* picture, int quality, JSAMPLE* row) {
    if (setjmp(errors->Jump)) return false;
    jpeg_create_compress(codec);
    codec->dest = &destination->Base;
    codec->image_width = static_cast<JDIMENSION>(picture->Width);
    codec->image_height = static_cast<JDIMENSION>(picture->Height);
    codec->input_components = 3;
    codec->in_color_space = JCS_RGB;
    jpeg_set_defaults(codec);
    jpeg_set_quality(codec, quality, TRUE);
    jpeg_start_compress(codec, TRUE);
    while (codec->next_scanline < codec->image_height) {
        const uint32_t* source = picture->Pixels.data() + static_cast<std::size_t>(codec->next_scanline) * picture->Width;
        for (int x = 0; x < picture->Width; ++x) {
            row[3 * x] = RedOf(source[x]);
            row[3 * x + 1] = GreenOf(source[x]);
            row[3 * x + 2] = BlueOf(source[x]);
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(codec, rows, 1);
    }
    jpeg_finish_compress(codec);
    return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(std::span<const uint8_t> bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
    JpegErrorManager errors;
    DecompressGuard guard;
    installErrorManager(errors);
    guard.Codec.err = &errors.Base;
    if (!readJpegHeader(&guard.Codec, &errors, bytes.data(), bytes.size())) return std::nullopt;
    if (!PictureSizeAllowed(guard.Codec.image_width, guard.Codec.image_height)) return std::nullopt;

    Picture picture;
    picture.Kind = PictureKind::Jpeg;
    picture.Width = static_cast<int>(guard.Codec.image_width);
    picture.Height = static_cast<int>(guard.Codec.image_height);
    picture.Pixels.resize(static_cast<std::size_t>(picture.Width) * picture.Height);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.Width) * 3);
    if (!readJpegRows(&guard.Codec, &errors, picture.Pixels.data(), row.data())) return std::nullopt;
    return picture;
}

std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality) {
    if (!HasEncodablePixels(picture)) return {};
    std::vector<uint8_t> out;
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.Width) * 3);
    VectorDestination destination{};
    destination.Base.init_destination = startDestination;
    destination.Base.empty_output_buffer = flushDestination;
    destination.Base.term_destination = finishDestination;
    destination.Out = &out;
    JpegErrorManager errors;
    CompressGuard guard;
    installErrorManager(errors);
    guard.Codec.err = &errors.Base;
    if (!writeJpegImage(&guard.Codec, &errors, &destination, &picture, quality, row.data())) return {};
    return out;
}

}  // namespace qv
