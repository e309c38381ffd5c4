// Feeds arbitrary bytes to the picture readers: once as the hex text of an
// animation picture, once as a picture file of unknown kind. Neither may
// crash or read past the data. A picture that comes out must have as many
// pixels as its size says and keep the bytes it came from; a small one,
// encoded afresh from its pixels, must read back with the same size (and,
// for the lossless kinds, the same pixels).
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "util/PictureCodec.h"
#include "util/PictureText.h"

namespace {

constexpr std::size_t MaxReencodedPixels = 1 << 16;

void checkPicture(const qv::Picture& picture) {
    if (picture.Pixels.size() != static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height))
        std::abort();
    if (picture.Encoded.empty() || picture.Pixels.size() > MaxReencodedPixels) return;

    const qv::Picture fresh = qv::MakePicture(picture.Kind, picture.Width, picture.Height, picture.Pixels);
    const auto back = qv::ReadPicture(qv::SavePicture(fresh), picture.Kind);
    if (!back || back->Width != picture.Width || back->Height != picture.Height) std::abort();
    if (picture.Kind != qv::PictureKind::Jpeg && back->Pixels != picture.Pixels) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (auto picture = qv::HexTextToGraphic(text)) checkPicture(*picture);

    const std::span<const uint8_t> bytes(data, size);
    if (auto picture = qv::ReadAnyPicture(bytes)) {
        checkPicture(*picture);
        if (picture->Encoded.size() != size || qv::SavePicture(*picture).size() != size) std::abort();
    }
    return 0;
}
