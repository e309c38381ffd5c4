#include "drawing/PictureEdits.h"

#include <algorithm>
#include <utility>

#include "drawing/bsbitmap.h"

namespace qv {

namespace {

Picture SameKind(const Picture& like, int width, int height) {
    Picture result;
    result.Kind = like.Kind;
    result.Width = width;
    result.Height = height;
    result.Pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return result;
}

std::size_t At(const Picture& picture, int i, int j) {
    return static_cast<std::size_t>(j) * static_cast<std::size_t>(picture.Width) + static_cast<std::size_t>(i);
}

Picture Mirrored(const Picture& source, bool upDown, bool leftRight) {
    Picture result = SameKind(source, source.Width, source.Height);
    for (int j = 0; j < source.Height; ++j)
        for (int i = 0; i < source.Width; ++i)
            result.Pixels[At(result, i, j)] = source.Pixels[At(source, leftRight ? source.Width - 1 - i : i,
                                                                upDown ? source.Height - 1 - j : j)];
    return result;
}

Picture Turned(const Picture& source) {
    Picture result = SameKind(source, source.Height, source.Width);
    for (int j = 0; j < result.Height; ++j)
        for (int i = 0; i < result.Width; ++i)
            result.Pixels[At(result, i, j)] = source.Pixels[At(source, source.Width - 1 - j, i)];
    return result;
}

void MakeGrey(Picture& picture) {
    for (uint32_t& pixel : picture.Pixels) {
        const auto grey = static_cast<uint8_t>((RedOf(pixel) + GreenOf(pixel) + BlueOf(pixel)) / 3);
        pixel = PackArgb(AlphaOf(pixel), grey, grey, grey);
    }
}

Picture Cropped(const Picture& source, const CropAmounts& crop) {
    Picture result =
        SameKind(source, source.Width - crop.Left - crop.Right, source.Height - crop.Top - crop.Bottom);
    for (int j = 0; j < result.Height; ++j)
        for (int i = 0; i < result.Width; ++i)
            result.Pixels[At(result, i, j)] = source.Pixels[At(source, i + crop.Left, j + crop.Top)];
    return result;
}

}  // namespace

uint32_t ColourRefOf(uint32_t argb) { return uint32_t{RedOf(argb)} | uint32_t{GreenOf(argb)} << 8 | uint32_t{BlueOf(argb)} << 16; }

uint32_t OwnTransparentColour(const PictureHolder& picture) {
    if (picture.TransparentMode != 0) return picture.TransparentColor;
    const auto& raster = picture.Raster();
    if (!raster || !HasEncodablePixels(*raster)) return picture.TransparentColor;
    return ColourRefOf(raster->Pixels[At(*raster, 0, raster->Height - 1)]);
}

CropAmounts ClampCrop(CropAmounts crop, int width, int height) {
    crop.Left = std::clamp(crop.Left, 0, std::max(0, width - 1));
    crop.Top = std::clamp(crop.Top, 0, std::max(0, height - 1));
    crop.Right = std::clamp(crop.Right, 0, std::max(0, width - crop.Left - 1));
    crop.Bottom = std::clamp(crop.Bottom, 0, std::max(0, height - crop.Top - 1));
    return crop;
}

Picture EditedPixels(const Picture& original, const PictureChoices& choices) {
    Picture result = choices.MirrorUpDown || choices.MirrorLeftRight
                         ? Mirrored(original, choices.MirrorUpDown, choices.MirrorLeftRight)
                         : original;
    result.Encoded.clear();
    if (choices.QuarterTurn) result = Turned(result);
    if (choices.Grey) MakeGrey(result);
    return result;
}

void ApplyPictureEdits(TBild& bild, const PictureChoices& choices, CropAmounts crop, const PictureBox& box) {
    bild.SetBounds(box.X, box.Y, box.Width, box.Height);
    const auto& raster = bild.Picture.Raster();
    if (!raster || !HasEncodablePixels(*raster)) return;
    Picture edited = choices.ChangesPixels() ? EditedPixels(*raster, choices) : *raster;
    const int width = edited.Width;
    const int height = edited.Height;
    crop = ClampCrop(crop, width, height);
    const bool newPixels = choices.ChangesPixels() || crop.Any();
    const bool newColour = choices.TransparentColour != OwnTransparentColour(bild.Picture);
    if (newPixels) {
        if (crop.Any()) edited = Cropped(edited, crop);
        edited.Encoded.clear();
        PictureHolder changed(std::move(edited));
        // A picture that cannot be encoded again stays as it was rather than being lost.
        if (changed.Data().empty()) return;
        changed.TransparentMode = bild.Picture.TransparentMode;
        changed.TransparentColor = bild.Picture.TransparentColor;
        bild.Picture = std::move(changed);
    }
    // The bottom-left pixel names the colour only as long as it keeps it.
    if (bild.Picture.Kind() == GraphicKind::Bitmap && (newPixels || newColour)) {
        bild.Picture.TransparentMode = 1;
        bild.Picture.TransparentColor = choices.TransparentColour;
    }
    bild.Picture.Transparent = choices.Transparent;
    if (crop.Any()) {
        const int keptWidth = width - crop.Left - crop.Right;
        const int keptHeight = height - crop.Top - crop.Bottom;
        bild.SetBounds(box.X + crop.Left * box.Width / width, box.Y + crop.Top * box.Height / height,
                       keptWidth * box.Width / width, keptHeight * box.Height / height);
    }
}

}  // namespace qv
