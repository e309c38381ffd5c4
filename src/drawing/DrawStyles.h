// Pens and brushes of the drawing objects: the program's numbered pen and
// fill styles, its pen-width rule and the outline mode used while dragging.
#pragma once

#include <QPainter>
#include <QPen>
#include <cstdint>

#include "util/Geometry.h"

namespace qv {

inline constexpr uint8_t PenSolid = 0;
inline constexpr uint8_t PenNone = 5;
inline constexpr uint8_t PenInsideFrame = 6;
inline constexpr uint8_t FillClear = 1;
inline constexpr uint32_t OutlineColour = 0xC0C0C0;  // silver

// Styles 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none,
// 6 inside frame; unknown numbers draw solid.
Qt::PenStyle QtPenStyle(uint8_t style);
// Styles 0 solid, 1 clear, 2 horizontal, 3 vertical, 4 forward diagonal,
// 5 backward diagonal, 6 cross, 7 diagonal cross; unknown numbers are clear.
Qt::BrushStyle QtBrushStyle(uint8_t style);

// round(widthMm × PixelsPerCmX ÷ 10) for a solid pen; 1 for the other styles
// when thinDashes is set.
int PenWidthPixels(double widthMm, uint8_t style, bool thinDashes = true);
QPen LinePen(uint32_t colour, uint8_t style, double widthMm, bool thinDashes = true);

// Silver, one pixel, no brush, not-XOR: drawing the same outline twice
// leaves the image as it was (on a QImage; other devices draw plainly).
void SetOutlineMode(QPainter& painter);

// Filling with any colour inverts what lies below (handles).
void SetInvertMode(QPainter& painter);

// Coordinates far outside the 16-bit range confuse some paint engines.
QPoint ClampedPoint(int64_t x, int64_t y);
inline QPoint ToQPoint(IntPoint p) { return {p.X, p.Y}; }

// Saves the painter's state and restores it on every path out.
class PainterStateKeeper {
public:
    explicit PainterStateKeeper(QPainter& painter) : painter_(painter) { painter_.save(); }
    ~PainterStateKeeper() { painter_.restore(); }
    PainterStateKeeper(const PainterStateKeeper&) = delete;
    PainterStateKeeper& operator=(const PainterStateKeeper&) = delete;

private:
    QPainter& painter_;
};

}  // namespace qv
