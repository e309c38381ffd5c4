#include "document/PageClipboard.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

#include "drawing/ObjectReader.h"
#include "drawing/QtColour.h"
#include "drawing/bsbitmap.h"
#include "drawing/bstext.h"
#include "util/Cp1252.h"
#include "util/Picture.h"

namespace qv {

namespace {

const QString SvgType = QStringLiteral("image/svg+xml");
constexpr double ScreenPixelsPerCm = 96 / 2.54;
constexpr double SvgPixelsPerCm = 300 / 2.54;

QByteArray AsByteArray(const OutStream& out) {
    const auto& bytes = out.bytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// Draws the object at the given scale with its top-left corner `margin`
// pixels inside the device; handles are not drawn.
void DrawExported(Tsimple& object, QPaintDevice& device, double pixelsPerCm, int margin) {
    ExportScalesGuard scales(pixelsPerCm, pixelsPerCm, &object);
    const IntRect box = object.PixelBox();
    QPainter painter(&device);
    object.Draw(painter, margin - box.Left, margin - box.Top, nullptr);
}

// The SVG picture is 0.1 cm larger than the object on every side.
QByteArray SvgOf(Tsimple& object) {
    const QSize size(static_cast<int>(std::lround((std::abs(object.Width()) + 0.2) * ScreenPixelsPerCm)),
                     static_cast<int>(std::lround((std::abs(object.Height()) + 0.2) * ScreenPixelsPerCm)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Quorvel"));
    DrawExported(object, svg, ScreenPixelsPerCm, static_cast<int>(std::lround(0.1 * ScreenPixelsPerCm)));
    return bytes;
}

// At the screen scale with a 4-pixel border; null when it would be too large.
QImage BitmapOf(Tsimple& object, uint32_t background) {
    const IntRect box = object.PixelBox();
    const int64_t width = int64_t(box.Right) - box.Left + 8, height = int64_t(box.Bottom) - box.Top + 8;
    if (!PictureSizeAllowed(width, height)) return {};
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(ToQColor(background));
    DrawExported(object, image, Scales().PixelsPerCmX, 4);
    return image;
}

std::vector<std::unique_ptr<tsim>> ReadSimulations(InStream& in, std::size_t count) {
    std::vector<std::unique_ptr<tsim>> simulations;
    for (std::size_t i = 0; i < count; ++i) simulations.push_back(std::make_unique<tsim>(in));
    return simulations;
}

// The body of a page record: only its simulations are taken over.
std::vector<std::unique_ptr<tsim>> ReadPageSimulations(InStream& in) {
    if (in.readInt32() != 0) throw DocumentError(NotADocumentText);
    in.readByte();  // the page's tag
    TSeite page(in);
    in.readBool();   // separate charts
    in.readInt32();  // chart index
    return ReadSimulations(in, in.readCount(1));
}

std::unique_ptr<Tsimple> ReadPastedObject(InStream& in) {
    auto object = ReadObject(in, in.readByte());
    object->SetPixX(object->PixX() + 2);
    object->SetPixY(object->PixY() + 2);
    return object;
}

std::unique_ptr<Tsimple> TextObject(const QString& text) {
    auto object = std::make_unique<ttext>(2, 3);
    QString paragraphs = text;
    paragraphs.replace(QStringLiteral("\r\n"), QStringLiteral("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
    object->SetText(Utf8ToCp1252(paragraphs.toStdString()));
    object->AdjustSize();
    return object;
}

// An SVG picture from another program, as pixels at 300 dpi.
std::unique_ptr<Tsimple> SvgObject(const QByteArray& svg) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return nullptr;
    const QSizeF cm = QSizeF(renderer.defaultSize()) / ScreenPixelsPerCm;
    const int64_t width = std::lround(cm.width() * SvgPixelsPerCm), height = std::lround(cm.height() * SvgPixelsPerCm);
    if (width < 1 || height < 1 || !PictureSizeAllowed(width, height)) return nullptr;
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return nullptr;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    // PNG keeps the drawing's transparent background, and stays small.
    auto bild = std::make_unique<TBild>(PictureHolder(ImageToPicture(image, PictureKind::Png)));
    if (bild->Picture.PixelSize().isEmpty()) return nullptr;
    bild->SetWidth(cm.width());
    bild->SetHeight(cm.height());
    bild->FitToPage();
    return bild;
}

// Nothing of a damaged record is taken, not even its first simulations.
ClipboardContent Refused(const char* message) {
    ClipboardContent content;
    content.Error = message;
    return content;
}

}  // namespace

std::unique_ptr<QMimeData> ObjectClipboardData(Tsimple& object) {
    OutStream out;
    if (!object.SaveToStream(out) || !out.ok()) return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(ObjectFormat), AsByteArray(out));
    data->setData(SvgType, SvgOf(object));
    if (object.Tag != TagBild) {
        const QImage image = BitmapOf(object, 0xFFFFFF);
        if (!image.isNull()) data->setImageData(image);
    }
    return data;
}

std::unique_ptr<QMimeData> PageClipboardData(TDocument& document) {
    OutStream out;
    out.writeInt32(0);
    if (!document.Page->SaveToStream(out)) return nullptr;
    out.writeBool(document.SeparateCharts);
    out.writeInt32(document.ChartIndex());
    out.writeCount(document.Simulations.size());
    for (const auto& simulation : document.Simulations)
        if (!simulation->save(out)) return nullptr;
    if (!out.ok()) return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(PageFormat), AsByteArray(out));
    data->setData(SvgType, SvgOf(*document.Page));
    const QImage image = BitmapOf(*document.Page, Drawing().PageColour);
    if (!image.isNull()) data->setImageData(image);
    return data;
}

std::unique_ptr<QMimeData> SimulationClipboardData(const tsim& simulation) {
    OutStream out;
    if (!simulation.save(out) || !out.ok()) return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(SimulationFormat), AsByteArray(out));
    return data;
}

bool CanPasteSimulations(const QMimeData* data) {
    return data && (data->hasFormat(QString::fromLatin1(PageFormat)) || data->hasFormat(QString::fromLatin1(SimulationFormat)));
}

bool CanPasteIntoPage(const QMimeData* data) {
    return CanPasteSimulations(data) ||
           (data && (data->hasFormat(QString::fromLatin1(ObjectFormat)) || data->hasText() || data->hasImage() ||
                     data->hasFormat(SvgType)));
}

ClipboardContent ReadClipboard(const QMimeData& data) {
    ClipboardContent content;
    const auto record = [&data](const char* format) {
        const QByteArray bytes = data.data(QString::fromLatin1(format));
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    };
    try {
        if (data.hasFormat(QString::fromLatin1(ObjectFormat))) {
            const auto bytes = record(ObjectFormat);
            InStream in(bytes);
            content.Object = ReadPastedObject(in);
        } else if (data.hasFormat(QString::fromLatin1(PageFormat))) {
            const auto bytes = record(PageFormat);
            InStream in(bytes);
            content.Simulations = ReadPageSimulations(in);
        } else if (data.hasFormat(QString::fromLatin1(SimulationFormat))) {
            const auto bytes = record(SimulationFormat);
            InStream in(bytes);
            content.Simulations = ReadSimulations(in, 1);
        } else if (data.hasText()) {
            content.Object = TextObject(data.text());
        } else if (data.hasImage()) {
            const auto image = qvariant_cast<QImage>(data.imageData());
            if (image.isNull()) content.Error = UnreadablePictureText;
            else content.Object = TBild::CreateFromImageData(image);
        } else if (data.hasFormat(SvgType)) {
            content.Object = SvgObject(data.data(SvgType));
            if (!content.Object) content.Error = UnreadablePictureText;
        }
    } catch (const StreamError& error) {
        content = Refused(error.what());
    } catch (const DocumentError& error) {
        content = Refused(error.what());
    }
    return content;
}

}  // namespace qv
