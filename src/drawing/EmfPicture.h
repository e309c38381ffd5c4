// Enhanced metafiles as a worksheet picture holds them: the file bytes stay
// exactly as they were inserted (a document must give them back unchanged),
// and drawing goes through an SVG conversion by libemf2svg rendered with
// QSvgRenderer, since Linux has no metafile player of its own.
#pragma once

#include <QImage>
#include <QRectF>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QPainter;
class QSvgRenderer;

namespace qv {

// The picture frame from the metafile header, in 0.01 mm.
struct EmfFrameSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

// The frame (rclFrame of the header record), or none when the bytes do not
// start with a metafile header or the frame is empty.
std::optional<EmfFrameSize> ReadEmfFrame(std::span<const uint8_t> bytes);

// A header followed by a chain of records whose sizes fit the bytes and
// which ends in an end-of-file record. The converter trusts record sizes, so
// nothing else is ever handed to it.
bool IsWellFormedEmf(std::span<const uint8_t> bytes);

// The SVG text of the metafile; empty when it is not well formed or the
// conversion fails.
std::vector<char> EmfToSvg(std::span<const uint8_t> bytes);

class EmfPicture {
public:
    explicit EmfPicture(std::vector<uint8_t> bytes);
    ~EmfPicture();
    EmfPicture(const EmfPicture&) = delete;
    EmfPicture& operator=(const EmfPicture&) = delete;

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    const std::optional<EmfFrameSize>& Frame() const { return frame_; }

    // Whether the metafile converts into something drawable (converted once,
    // on first use).
    bool Drawable() const;
    // Stretches the picture into the target; false when there is nothing to draw.
    bool Draw(QPainter& painter, const QRectF& target) const;
    // The picture rendered into a transparent image of the given size; a null
    // image when there is nothing to draw or the size is empty.
    QImage Render(QSize size) const;

private:
    QSvgRenderer* renderer() const;

    std::vector<uint8_t> bytes_;
    std::optional<EmfFrameSize> frame_;
    mutable std::unique_ptr<QSvgRenderer> renderer_;
    mutable bool converted_ = false;
};

}  // namespace qv
