// The picture a bitmap object shows: exactly one graphic (bitmap, PNG, JPEG
// or enhanced metafile) together with its file image.
//
// The file image is what a document stores. It is kept byte-exact as long as
// the pixels are not changed, also when it cannot be decoded: a pupil's
// picture is never lost, it only draws as an empty frame. Raster pictures are
// decoded by the program's own codec and drawn from a QImage made of their
// pixels.
//
// Transforming (mirroring, turning) changes the pixels; a bitmap, PNG or JPEG
// picture is then encoded again as its own kind, so a JPEG loses a little on
// every transform. A metafile is first rendered into pixels and from then on
// is a PNG picture.
#pragma once

#include "drawing/EmfPicture.h"
#include "util/Picture.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace qv {

enum class GraphicKind { Bitmap, Png, Jpeg, Metafile };

class PictureHolder {
public:
    // An empty bitmap (nothing to draw, nothing stored).
    PictureHolder();
    // The file image as the given kind; bytes that do not decode are kept as they are.
    PictureHolder(GraphicKind kind, std::vector<uint8_t> bytes);
    // Decoded pixels; the file image is encoded from them.
    explicit PictureHolder(Picture picture);
    ~PictureHolder();
    PictureHolder(PictureHolder&&) noexcept;
    PictureHolder& operator=(PictureHolder&&) noexcept;

    GraphicKind Kind() const { return kind_; }
    // The file image to store (empty for an empty picture).
    const std::vector<uint8_t>& Data() const { return data_; }
    // The decoded pixels of a raster picture, none for a metafile or a picture that did not decode.
    const std::optional<Picture>& Raster() const { return raster_; }
    // The frame of a metafile from its header (0.01 mm).
    std::optional<EmfFrameSize> MetafileFrame() const;
    // Whether there is something to draw.
    bool Drawable() const;
    // The size in pixels of a raster picture; an empty size otherwise.
    QSize PixelSize() const;

    // The pixels as an image, with the transparent colour of a bitmap made
    // transparent when requested; a metafile is rendered at the given size.
    // A null image when there is nothing to draw.
    QImage ToImage(bool withTransparency, QSize metafileSize = {}) const;
    // Stretches the picture into the target rectangle.
    void Draw(QPainter& painter, const QRect& target, bool withTransparency) const;

    // Mirrors (kinds 0 and 1) or reflects across a diagonal (kinds 2 and 3)
    // the pixels. False, nothing changed, when there are no pixels to
    // transform or they cannot be encoded again. A metafile is rendered at
    // metafileSize first.
    bool Transform(int kind, QSize metafileSize = {});

    bool Transparent = false;
    uint8_t TransparentMode = 0;    // 0: the bottom-left pixel's colour, 1: TransparentColor
    uint32_t TransparentColor = 0;  // red in the low byte

private:
    // The colour (0xRRGGBB) that a transparent bitmap leaves out, none when nothing is left out.
    std::optional<uint32_t> KeyColour() const;
    void ResetImages();

    GraphicKind kind_ = GraphicKind::Bitmap;
    std::vector<uint8_t> data_;
    std::optional<Picture> raster_;
    std::unique_ptr<EmfPicture> metafile_;
    mutable QImage image_;
    mutable QImage keyedImage_;
    mutable uint32_t keyedColour_ = 0;
};

// The raster pixels transformed as PictureHolder::Transform describes it;
// the picture keeps its kind and loses its file image.
Picture TransformPixels(const Picture& picture, int kind);

// The pixels as a 32-bit ARGB image, and back.
QImage PictureToImage(const Picture& picture);
Picture ImageToPicture(const QImage& image, PictureKind kind);

}  // namespace qv
