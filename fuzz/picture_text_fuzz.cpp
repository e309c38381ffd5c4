// Feeds arbitrary bytes to the picture readers: once as the hex text of an
// animation picture, once as a picture file of unknown kind. Neither may
// crash or read past the data; a picture that comes out must have as many
// pixels as its size says and must save back to the very bytes it came from.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "util/PictureCodec.h"
#include "util/PictureText.h"

namespace {

void checkPicture(const qv::Picture& picture) {
    if (picture.Pixels.size() != static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height))
        std::abort();
    if (qv::SavePicture(picture) != picture.Encoded) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (auto picture = qv::HexTextToGraphic(text)) checkPicture(*picture);

    const std::span<const uint8_t> bytes(data, size);
    if (auto picture = qv::ReadAnyPicture(bytes)) {
        checkPicture(*picture);
        if (picture->Encoded.size() != size) std::abort();
    }
    return 0;
}
