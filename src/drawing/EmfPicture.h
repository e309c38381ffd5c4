// Enhanced metafiles as a worksheet picture holds them: the file bytes stay
// exactly as they were inserted (a document must give them back unchanged),
// and drawing goes through an SVG conversion by libemf2svg rendered with
// QSvgRenderer, since Linux has no metafile player of its own.
//
// Rendering a metafile of many records takes seconds, far too long to repeat
// on every repaint. A metafile is rendered once per size into a cached
// raster. One of more than MaxDrawnMetafileRecords records is not rendered
// at all, and one whose rendering took longer than MaxMetafileRenderTime is
// not rendered again: further sizes scale its raster. A metafile that is not
// rendered draws its frame with a note instead.
#pragma once

#include <QImage>
#include <QRectF>

#include <chrono>
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

inline constexpr std::size_t MaxDrawnMetafileRecords = 20000;
// Metafiles turned into pixels get at most this many on their longer side.
inline constexpr int MaxMetafileRenderSide = 4096;
inline constexpr std::chrono::milliseconds MaxMetafileRenderTime{1000};

// What a metafile that is not rendered shows inside its frame.
inline constexpr const char* MetafileTooComplexText = "Diese Grafik ist zu aufwendig, um sie zu zeichnen.";

// The number of records of a well-formed metafile, header and end included;
// 0 when it is not well formed.
std::size_t EmfRecordCount(std::span<const uint8_t> bytes);

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

    // Whether there is something to draw: the metafile converts into
    // something drawable (converted once, on first use), or it is too
    // complex and draws its frame with the note.
    bool Drawable() const;
    // Whether it draws its frame with the note instead of itself.
    bool TooComplex() const;
    // Stretches the picture into the target; false when there is nothing to draw.
    bool Draw(QPainter& painter, const QRectF& target) const;
    // The picture rendered into a transparent image of the given size; a null
    // image when there is nothing to draw, the size is empty or the metafile
    // is too complex.
    QImage Render(QSize size) const;

private:
    QSvgRenderer* renderer() const;

    std::vector<uint8_t> bytes_;
    std::optional<EmfFrameSize> frame_;
    std::size_t recordCount_ = 0;
    mutable std::unique_ptr<QSvgRenderer> renderer_;
    mutable bool converted_ = false;
    mutable QImage raster_;  // the last rendering, at its size
    mutable bool slow_ = false;  // rendering took longer than MaxMetafileRenderTime
};

}  // namespace qv
