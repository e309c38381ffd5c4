#include "drawing/PictureHolder.h"

#include "util/PictureCodec.h"

#include <QPainter>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <utility>

namespace qv {

namespace {

PictureKind RasterKind(GraphicKind kind) {
    switch (kind) {
    case GraphicKind::Png: return PictureKind::Png;
    case GraphicKind::Jpeg: return PictureKind::Jpeg;
    default: return PictureKind::Bitmap;
    }
}

GraphicKind GraphicKindOf(PictureKind kind) {
    switch (kind) {
    case PictureKind::Png: return GraphicKind::Png;
    case PictureKind::Jpeg: return GraphicKind::Jpeg;
    case PictureKind::Bitmap: break;
    }
    return GraphicKind::Bitmap;
}

constexpr uint32_t RgbMask = 0x00FFFFFF;

std::atomic<int64_t> heldInAll = 0;

// The pixels a picture decoded now may keep.
int64_t PixelRoom() { return std::min(PictureBounds().PerPicture, PictureBounds().InAll - heldInAll); }

}  // namespace

PictureMemoryBounds& PictureBounds() {
    static PictureMemoryBounds bounds;
    return bounds;
}

int64_t HeldPicturePixels() { return heldInAll; }

Picture ShrinkToPixels(const Picture& picture, int64_t maxPixels) {
    const int64_t pixels = int64_t{picture.Width} * picture.Height;
    if (pixels <= maxPixels || !HasEncodablePixels(picture)) return picture;
    const double scale = std::sqrt(static_cast<double>(std::max<int64_t>(maxPixels, 1)) / static_cast<double>(pixels));
    const int width = std::max(1, static_cast<int>(picture.Width * scale));
    const int height = std::max(1, static_cast<int>(picture.Height * scale));
    std::vector<uint32_t> shrunk(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto sourceRow = static_cast<std::size_t>(int64_t{y} * picture.Height / height) * picture.Width;
        for (int x = 0; x < width; ++x)
            shrunk[static_cast<std::size_t>(y) * width + x] =
                picture.Pixels[sourceRow + static_cast<std::size_t>(int64_t{x} * picture.Width / width)];
    }
    return MakePicture(picture.Kind, width, height, std::move(shrunk));
}

Picture TransformPixels(const Picture& picture, int kind) {
    const int w = picture.Width;
    const int h = picture.Height;
    const bool swapsSize = kind == 2 || kind == 3;
    Picture result = MakePicture(picture.Kind, swapsSize ? h : w, swapsSize ? w : h, picture.Pixels);
    if (!HasEncodablePixels(picture) || kind < 0 || kind > 3) return result;
    const auto source = [&](int i, int j) { return picture.Pixels[static_cast<std::size_t>(j) * w + i]; };
    auto& target = result.Pixels;
    const std::size_t targetWidth = static_cast<std::size_t>(result.Width);
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            int x = i, y = j;
            switch (kind) {
            case 0: y = h - j - 1; break;
            case 1: x = w - i - 1; break;
            case 2: x = h - j - 1; y = w - i - 1; break;
            case 3: x = j; y = i; break;
            }
            target[static_cast<std::size_t>(y) * targetWidth + x] = source(i, j);
        }
    }
    return result;
}

QImage PictureToImage(const Picture& picture) {
    if (!HasEncodablePixels(picture)) return {};
    QImage image(picture.Width, picture.Height, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    const std::size_t rowBytes = static_cast<std::size_t>(picture.Width) * sizeof(uint32_t);
    for (int y = 0; y < picture.Height; ++y)
        std::memcpy(image.scanLine(y), picture.Pixels.data() + static_cast<std::size_t>(y) * picture.Width, rowBytes);
    return image;
}

Picture ImageToPicture(const QImage& image, PictureKind kind) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<uint32_t> pixels(static_cast<std::size_t>(argb.width()) * static_cast<std::size_t>(argb.height()));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(argb.constScanLine(y));
        std::copy(row, row + argb.width(), pixels.begin() + static_cast<std::ptrdiff_t>(y) * argb.width());
    }
    return MakePicture(kind, argb.width(), argb.height(), std::move(pixels));
}

PictureHolder::PictureHolder() = default;

PictureHolder::PictureHolder(GraphicKind kind, std::vector<uint8_t> bytes) : kind_(kind), data_(std::move(bytes)) {
    if (kind_ == GraphicKind::Metafile)
        metafile_ = std::make_unique<EmfPicture>(data_);
    else
        decoded_ = false;
}

PictureHolder::PictureHolder(Picture picture) : kind_(GraphicKindOf(picture.Kind)) {
    data_ = SavePicture(picture);
    if (data_.empty()) return;
    picture.Encoded.clear();
    hold(std::move(picture));
}

PictureHolder::~PictureHolder() { release(); }

PictureHolder::PictureHolder(PictureHolder&& other) noexcept { *this = std::move(other); }

PictureHolder& PictureHolder::operator=(PictureHolder&& other) noexcept {
    if (this == &other) return *this;
    release();
    Transparent = other.Transparent;
    TransparentMode = other.TransparentMode;
    TransparentColor = other.TransparentColor;
    kind_ = other.kind_;
    data_ = std::move(other.data_);
    decoded_ = other.decoded_;
    raster_ = std::move(other.raster_);
    heldPixels_ = std::exchange(other.heldPixels_, 0);
    metafile_ = std::move(other.metafile_);
    image_ = std::move(other.image_);
    keyedImage_ = std::move(other.keyedImage_);
    keyedColour_ = other.keyedColour_;
    other.raster_.reset();
    other.decoded_ = true;
    return *this;
}

void PictureHolder::hold(std::optional<Picture> picture) const {
    release();
    if (picture) {
        const int64_t room = PixelRoom();
        if (room <= 0) picture.reset();
        else if (int64_t{picture->Width} * picture->Height > room) picture = ShrinkToPixels(*picture, room);
    }
    raster_ = std::move(picture);
    heldPixels_ = raster_ ? int64_t{raster_->Width} * raster_->Height : 0;
    heldInAll += heldPixels_;
}

void PictureHolder::release() const {
    heldInAll -= heldPixels_;
    heldPixels_ = 0;
    raster_.reset();
}

const std::optional<Picture>& PictureHolder::Raster() const {
    // Without room the picture stays undecoded; it may find room later.
    if (!decoded_ && PixelRoom() > 0) {
        decoded_ = true;
        std::optional<Picture> picture = ReadPicture(data_, RasterKind(kind_));
        // data_ already holds the file image; one copy is enough.
        if (picture) picture->Encoded.clear();
        hold(std::move(picture));
    }
    return raster_;
}

std::optional<EmfFrameSize> PictureHolder::MetafileFrame() const {
    return metafile_ ? metafile_->Frame() : std::nullopt;
}

bool PictureHolder::Drawable() const {
    return metafile_ ? metafile_->Drawable() : Raster() && HasEncodablePixels(*raster_);
}

QSize PictureHolder::PixelSize() const { return Raster() ? QSize(raster_->Width, raster_->Height) : QSize(); }

std::optional<uint32_t> PictureHolder::KeyColour() const {
    if (!Transparent || kind_ != GraphicKind::Bitmap || !Raster() || !HasEncodablePixels(*raster_)) return std::nullopt;
    if (TransparentMode == 0)
        return raster_->Pixels[static_cast<std::size_t>(raster_->Height - 1) * raster_->Width] & RgbMask;
    const uint32_t c = TransparentColor;
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

QImage PictureHolder::ToImage(bool withTransparency, QSize metafileSize) const {
    if (metafile_) return metafile_->Render(metafileSize);
    if (!Raster()) return {};
    if (image_.isNull()) image_ = PictureToImage(*raster_);
    const std::optional<uint32_t> key = withTransparency ? KeyColour() : std::nullopt;
    if (!key || image_.isNull()) return image_;
    if (keyedImage_.isNull() || keyedColour_ != *key) {
        keyedImage_ = image_.copy();
        keyedColour_ = *key;
        for (int y = 0; y < keyedImage_.height(); ++y) {
            auto* row = reinterpret_cast<uint32_t*>(keyedImage_.scanLine(y));
            for (int x = 0; x < keyedImage_.width(); ++x)
                if ((row[x] & RgbMask) == *key) row[x] = 0;
        }
    }
    return keyedImage_;
}

void PictureHolder::Draw(QPainter& painter, const QRect& target, bool withTransparency) const {
    if (target.isEmpty()) return;
    if (metafile_) {
        metafile_->Draw(painter, QRectF(target));
        return;
    }
    const QImage image = ToImage(withTransparency);
    if (!image.isNull()) painter.drawImage(target, image);
}

bool PictureHolder::Transform(int kind, QSize metafileSize) {
    std::optional<Picture> source = Raster();
    if (metafile_) {
        const QImage rendered = metafile_->Render(metafileSize);
        if (rendered.isNull()) return false;
        source = ImageToPicture(rendered, PictureKind::Png);
    }
    if (!source || !HasEncodablePixels(*source)) return false;
    Picture transformed = TransformPixels(*source, kind);
    std::vector<uint8_t> encoded = SavePicture(transformed);
    if (encoded.empty()) return false;
    kind_ = GraphicKindOf(transformed.Kind);
    data_ = std::move(encoded);
    hold(std::move(transformed));
    metafile_.reset();
    ResetImages();
    return true;
}

void PictureHolder::ResetImages() {
    image_ = QImage();
    keyedImage_ = QImage();
}

}  // namespace qv
