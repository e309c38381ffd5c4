#include "drawing/EmfPicture.h"

#include "drawing/DrawStyles.h"
#include "util/Picture.h"

#include <emf2svg.h>

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace qv {

namespace {

constexpr uint32_t EmrHeader = 1;
constexpr uint32_t EmrEof = 14;
constexpr uint32_t EmfSignature = 0x464D4520;  // " EMF"
constexpr std::size_t MinHeaderSize = 88;
constexpr std::size_t RecordPrefixSize = 8;

uint32_t U32At(std::span<const uint8_t> bytes, std::size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | bytes[offset + i];
    return value;
}

int32_t I32At(std::span<const uint8_t> bytes, std::size_t offset) {
    return static_cast<int32_t>(U32At(bytes, offset));
}

// Size of the header record, or 0 when the bytes do not begin with one.
std::size_t HeaderSize(std::span<const uint8_t> bytes) {
    if (bytes.size() < MinHeaderSize) return 0;
    const std::size_t size = U32At(bytes, 4);
    if (U32At(bytes, 0) != EmrHeader || U32At(bytes, 40) != EmfSignature) return 0;
    if (size < MinHeaderSize || size % 4 != 0 || size > bytes.size()) return 0;
    return size;
}

}  // namespace

std::optional<EmfFrameSize> ReadEmfFrame(std::span<const uint8_t> bytes) {
    if (HeaderSize(bytes) == 0) return std::nullopt;
    const int64_t width = int64_t{I32At(bytes, 32)} - I32At(bytes, 24);
    const int64_t height = int64_t{I32At(bytes, 36)} - I32At(bytes, 28);
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
    return EmfFrameSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

std::size_t EmfRecordCount(std::span<const uint8_t> bytes) {
    std::size_t pos = HeaderSize(bytes);
    if (pos == 0) return 0;
    for (std::size_t count = 2; bytes.size() - pos >= RecordPrefixSize; ++count) {
        const uint32_t type = U32At(bytes, pos);
        const std::size_t size = U32At(bytes, pos + 4);
        if (size < RecordPrefixSize || size % 4 != 0 || size > bytes.size() - pos) return 0;
        if (type == EmrEof) return count;
        pos += size;
    }
    return 0;
}

bool IsWellFormedEmf(std::span<const uint8_t> bytes) { return EmfRecordCount(bytes) > 0; }

std::vector<char> EmfToSvg(std::span<const uint8_t> bytes) {
    if (!IsWellFormedEmf(bytes)) return {};
    // The converter takes a writable buffer; it gets a copy, never the record's bytes.
    std::vector<char> contents(bytes.begin(), bytes.end());
    char emptyNamespace[] = "";
    generatorOptions options{};
    options.nameSpace = emptyNamespace;
    options.svgDelimiter = true;
    options.emfplus = true;
    char* out = nullptr;
    std::size_t outLength = 0;
    const int status = emf2svg(contents.data(), contents.size(), &out, &outLength, &options);
    const std::unique_ptr<char, decltype(&std::free)> owned(out, &std::free);
    if (status == 0 || out == nullptr || outLength == 0) return {};
    return std::vector<char>(out, out + outLength);
}

EmfPicture::EmfPicture(std::vector<uint8_t> bytes)
    : bytes_(std::move(bytes)), frame_(ReadEmfFrame(bytes_)), recordCount_(EmfRecordCount(bytes_)) {}

EmfPicture::~EmfPicture() = default;

QSvgRenderer* EmfPicture::renderer() const {
    if (!converted_) {
        converted_ = true;
        const std::vector<char> svg = EmfToSvg(bytes_);
        if (!svg.empty()) {
            auto renderer = std::make_unique<QSvgRenderer>(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
            if (renderer->isValid()) renderer_ = std::move(renderer);
        }
    }
    return renderer_.get();
}

bool EmfPicture::TooComplex() const { return recordCount_ > MaxDrawnMetafileRecords; }

bool EmfPicture::Drawable() const { return TooComplex() || renderer() != nullptr; }

bool EmfPicture::Draw(QPainter& painter, const QRectF& target) const {
    if (target.isEmpty()) return false;
    if (TooComplex()) {
        PainterStateKeeper keeper(painter);
        painter.setPen(QPen(Qt::gray, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(target);
        painter.drawText(target, Qt::AlignCenter | Qt::TextWordWrap, QString::fromLatin1(MetafileTooComplexText));
        return true;
    }
    // The raster at the size the target has on the device, within what a
    // picture may have on a side.
    const QSizeF onDevice = painter.worldTransform().mapRect(target).size();
    if (!(onDevice.width() > 0 && onDevice.height() > 0 && std::isfinite(onDevice.width() + onDevice.height())))
        return false;
    const double shrink = std::min(1.0, MaxMetafileRenderSide / std::max(onDevice.width(), onDevice.height()));
    const QImage image = Render(QSize(std::max(1, qRound(onDevice.width() * shrink)),
                                      std::max(1, qRound(onDevice.height() * shrink))));
    if (image.isNull()) return false;
    painter.drawImage(target, image);
    return true;
}

QImage EmfPicture::Render(QSize size) const {
    if (TooComplex() || !PictureSizeAllowed(size.width(), size.height())) return {};
    if (raster_.size() == size) return raster_;
    // A metafile that took too long is not rendered again: its raster is scaled.
    if (slow_) return raster_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QSvgRenderer* svg = renderer();
    if (svg == nullptr) return {};
    QImage image(size, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    const auto start = std::chrono::steady_clock::now();
    {
        QPainter painter(&image);
        svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    slow_ = std::chrono::steady_clock::now() - start > MaxMetafileRenderTime;
    raster_ = image;
    return raster_;
}

}  // namespace qv
