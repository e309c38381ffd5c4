// The picture a bitmap object shows: exactly one graphic (bitmap, PNG, JPEG
// or enhanced metafile) together with its file image.
//
// The file image is what a document stores. It is kept byte-exact as long as
// the pixels are not changed, also when it cannot be decoded: a pupil's
// picture is never lost, it only draws as an empty frame. Raster pictures are
// decoded by the program's own codec when they are first needed (drawn,
// measured, transformed), never merely by reading a document, and drawn from
// a QImage made of their pixels.
//
// A small file may decode to a huge picture. A decoded picture keeps at most
// PictureBounds().PerPicture pixels (larger ones are scaled down), and all
// pictures held together (one document's, in practice) at most
// PictureBounds().InAll: a picture beyond that is scaled down further or,
// with no room left, not decoded and drawn as its frame.
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

struct PictureMemoryBounds {
    int64_t PerPicture = 50'000'000;  // 200 MB decoded
    int64_t InAll = 100'000'000;
};
PictureMemoryBounds& PictureBounds();

// The decoded pixels all pictures hold now.
int64_t HeldPicturePixels();

// The picture shrunk by whole-pixel sampling so that it has at most
// maxPixels pixels, keeping its proportions; unchanged when it has no more.
Picture ShrinkToPixels(const Picture& picture, int64_t maxPixels);

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
    // The decoded pixels of a raster picture, none for a metafile or a
    // picture that did not decode (or found no room). Decodes on first use.
    const std::optional<Picture>& Raster() const;
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
    // Takes the pixels as the held raster, counted against the bound of all pictures.
    void hold(std::optional<Picture> picture) const;
    void release() const;

    GraphicKind kind_ = GraphicKind::Bitmap;
    std::vector<uint8_t> data_;
    mutable bool decoded_ = true;  // false while a raster file image waits to be decoded
    mutable std::optional<Picture> raster_;
    mutable int64_t heldPixels_ = 0;
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
