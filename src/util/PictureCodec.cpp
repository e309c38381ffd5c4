#include "util/PictureCodec.h"

#include "util/BmpCodec.h"
#include "util/JpegCodec.h"
#include "util/PngCodec.h"

namespace qv {

std::optional<Picture> ReadPicture(std::span<const uint8_t> bytes, PictureKind kind) {
    std::optional<Picture> picture;
    switch (kind) {
    case PictureKind::Bitmap: picture = DecodeBmp(bytes); break;
    case PictureKind::Png: picture = DecodePng(bytes); break;
    case PictureKind::Jpeg: picture = DecodeJpeg(bytes); break;
    }
    if (picture) picture->Encoded.assign(bytes.begin(), bytes.end());
    return picture;
}

std::optional<Picture> ReadAnyPicture(std::span<const uint8_t> bytes) {
    for (PictureKind kind : {PictureKind::Bitmap, PictureKind::Png, PictureKind::Jpeg})
        if (auto picture = ReadPicture(bytes, kind)) return picture;
    return std::nullopt;
}

std::vector<uint8_t> SavePicture(const Picture& picture) {
    if (!picture.Encoded.empty()) return picture.Encoded;
    switch (picture.Kind) {
    case PictureKind::Bitmap: return EncodeBmp(picture);
    case PictureKind::Png: return EncodePng(picture);
    case PictureKind::Jpeg: return EncodeJpeg(picture);
    }
    return {};
}

Picture MakePicture(PictureKind kind, int width, int height, std::vector<uint32_t> pixels) {
    Picture picture;
    picture.Kind = kind;
    picture.Width = width;
    picture.Height = height;
    picture.Pixels = std::move(pixels);
    return picture;
}

}  // namespace qv
