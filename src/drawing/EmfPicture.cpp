#include "drawing/EmfPicture.h"

#include "util/Picture.h"

#include <emf2svg.h>

#include <QPainter>
#include <QSvgRenderer>

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

bool IsWellFormedEmf(std::span<const uint8_t> bytes) {
    std::size_t pos = HeaderSize(bytes);
    if (pos == 0) return false;
    while (bytes.size() - pos >= RecordPrefixSize) {
        const uint32_t type = U32At(bytes, pos);
        const std::size_t size = U32At(bytes, pos + 4);
        if (size < RecordPrefixSize || size % 4 != 0 || size > bytes.size() - pos) return false;
        if (type == EmrEof) return true;
        pos += size;
    }
    return false;
}

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

EmfPicture::EmfPicture(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)), frame_(ReadEmfFrame(bytes_)) {}

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

bool EmfPicture::Drawable() const { return renderer() != nullptr; }

bool EmfPicture::Draw(QPainter& painter, const QRectF& target) const {
    QSvgRenderer* svg = renderer();
    if (svg == nullptr || target.isEmpty()) return false;
    svg->render(&painter, target);
    return true;
}

QImage EmfPicture::Render(QSize size) const {
    if (!Drawable() || !PictureSizeAllowed(size.width(), size.height())) return {};
    QImage image(size, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

}  // namespace qv
