#include "drawing/bsbitmap.h"

#include "drawing/DrawStyles.h"
#include "drawing/RotatedImage.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <optional>

namespace qv {

namespace {

// The kind names of the record: a length byte and three letters.
constexpr uint8_t KindNameLength = 3;

const char* KindName(GraphicKind kind) {
    switch (kind) {
    case GraphicKind::Bitmap: return "bmp";
    case GraphicKind::Png: return "png";
    case GraphicKind::Jpeg: return "jpg";
    case GraphicKind::Metafile: break;
    }
    return "emf";
}

// Any name that is no raster kind stands for a metafile.
GraphicKind KindOfName(const std::string& name) {
    if (name == "bmp") return GraphicKind::Bitmap;
    if (name == "png") return GraphicKind::Png;
    if (name == "jpg") return GraphicKind::Jpeg;
    return GraphicKind::Metafile;
}

std::optional<GraphicKind> KindOfExtension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (extension == ".BMP") return GraphicKind::Bitmap;
    if (extension == ".EMF") return GraphicKind::Metafile;
    if (extension == ".JPG" || extension == ".JPEG") return GraphicKind::Jpeg;
    if (extension == ".PNG") return GraphicKind::Png;
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    // The record counts the bytes in an int32.
    if (error || size > static_cast<std::uintmax_t>(INT32_MAX)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return std::nullopt;
    return bytes;
}

bool IsRaster(GraphicKind kind) { return kind != GraphicKind::Metafile; }

// A metafile's frame is in 0.01 mm.
void SizeByFrame(TBild& bild) {
    if (const auto frame = bild.Picture.MetafileFrame()) {
        bild.SetWidth(frame->Width / 1000.0);
        bild.SetHeight(frame->Height / 1000.0);
    }
}

}  // namespace

BildSettings& BildOptions() {
    static BildSettings settings;
    return settings;
}

TBild::TBild() { Tag = TagBild; }

TBild::TBild(PictureHolder picture) : Picture(std::move(picture)) { Tag = TagBild; }

TBild::TBild(InStream& in) : Tsimple(in) {
    Tag = TagBild;
    const int32_t count = in.readInt32();
    const GraphicKind kind = KindOfName(in.readShortString());
    if (count < 0 || static_cast<std::size_t>(count) > in.remaining()) throw StreamError(DamagedRecordText);
    std::vector<uint8_t> bytes(static_cast<std::size_t>(count));
    in.readBytes(bytes.data(), bytes.size());
    Picture = PictureHolder(kind, std::move(bytes));
    if (IsRaster(kind)) {
        Picture.Transparent = in.readBool();
        Picture.TransparentMode = in.readByte();
        Picture.TransparentColor = static_cast<uint32_t>(in.readInt32());
    }
}

TBild::FileResult TBild::CreateFromFile(const std::filesystem::path& file) {
    const std::optional<GraphicKind> kind = KindOfExtension(file);
    if (!kind) return {nullptr, UnsupportedFormatText};
    std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(file);
    if (!bytes) return {nullptr, UnreadablePictureText};
    PictureHolder picture(*kind, std::move(*bytes));
    if (!picture.Drawable()) return {nullptr, UnreadablePictureText};
    auto bild = std::make_unique<TBild>(std::move(picture));
    if (IsRaster(*kind)) {
        const QSize pixels = bild->Picture.PixelSize();
        bild->SetWidth(pixels.width() / BildOptions().ImageResolutionX);
        bild->SetHeight(pixels.height() / BildOptions().ImageResolutionY);
    } else {
        SizeByFrame(*bild);
    }
    bild->FitToPage();
    return {std::move(bild), {}};
}

std::unique_ptr<TBild> TBild::CreateFromImageData(const QImage& image) {
    auto bild = std::make_unique<TBild>(PictureHolder(ImageToPicture(image, PictureKind::Bitmap)));
    bild->SetPixWidth(image.width());
    bild->SetPixHeight(image.height());
    bild->FitToPage();
    return bild;
}

std::unique_ptr<TBild> TBild::CreateFromMetafileData(std::vector<uint8_t> bytes) {
    PictureHolder picture(GraphicKind::Metafile, std::move(bytes));
    if (!picture.MetafileFrame()) return nullptr;
    auto bild = std::make_unique<TBild>(std::move(picture));
    SizeByFrame(*bild);
    bild->FitToPage();
    return bild;
}

void TBild::FitToPage() {
    const double pageWidth = Drawing().PageWidth, pageHeight = Drawing().PageHeight;
    if (Width() > pageWidth) {
        SetHeight(Height() * pageWidth / Width());
        SetWidth(pageWidth);
    }
    if (Height() > pageHeight) {
        SetWidth(Width() * pageHeight / Height());
        SetHeight(pageHeight);
    }
}

void TBild::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Dragging) {
        Tsimple::Draw(painter, dx, dy, clip);
        return;
    }
    if (!IsInClip(dx, dy, clip)) return;
    // A picture that cannot be shown keeps its place on the screen as an outline.
    if (!Picture.Drawable()) {
        if (!Drawing().ExportInProgress) Tsimple::Draw(painter, dx, dy, clip);
        return;
    }
    const QRect target = ToQRect(PixelBox()).translated(dx, dy);
    if (target.isEmpty()) return;
    const bool transparency = !Drawing().ExportInProgress || BildOptions().KeepTransparencyOnOutput;
    PainterStateKeeper keeper(painter);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (Angle == 0) {
        Picture.Draw(painter, target, transparency);
        return;
    }
    QRect visible = target.adjusted(-target.width(), -target.height(), target.width(), target.height());
    if (const QPaintDevice* device = painter.device())
        visible = painter.worldTransform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
    const PlacedImage turned = StretchTurned(Picture.ToImage(transparency, target.size()), target, Angle, visible);
    if (!turned.Image.isNull()) painter.drawImage(turned.TopLeft, turned.Image);
}

bool TBild::SaveToStream(OutStream& out) const {
    if (!Tsimple::SaveToStream(out)) return false;
    const std::vector<uint8_t>& data = Picture.Data();
    out.writeCount(data.size());
    out.writeByte(KindNameLength);
    out.writeBytes(KindName(Picture.Kind()), KindNameLength);
    out.writeBytes(data.data(), data.size());
    if (IsRaster(Picture.Kind())) {
        out.writeBool(Picture.Transparent);
        out.writeByte(Picture.Kind() == GraphicKind::Bitmap ? Picture.TransparentMode : 0);
        out.writeInt32(Picture.Kind() == GraphicKind::Bitmap ? static_cast<int32_t>(Picture.TransparentColor) : 0);
    }
    return out.ok();
}

void TBild::DragHandle(int shift, double x, double y) {
    // Stretching a drawing out of shape is never wanted; photos may be.
    Tsimple::DragHandle(Picture.Kind() == GraphicKind::Metafile ? shift | ShiftKey : shift, x, y);
}

void TBild::Transform(int kind) {
    Picture.Transform(kind, MetafileRenderSize());
    Tsimple::Transform(kind);
}

QSize TBild::MetafileRenderSize() const {
    const auto frame = Picture.MetafileFrame();
    if (!frame) return {std::abs(PixWidth()), std::abs(PixHeight())};
    double width = frame->Width / 1000.0 * BildOptions().ImageResolutionX;
    double height = frame->Height / 1000.0 * BildOptions().ImageResolutionY;
    const double shrink = std::min(1.0, MaxMetafileRenderSide / std::max(width, height));
    return {std::max(1, static_cast<int>(width * shrink)), std::max(1, static_cast<int>(height * shrink))};
}

}  // namespace qv
