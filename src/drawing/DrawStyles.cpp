#include "drawing/DrawStyles.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>

#include "drawing/QtColour.h"

namespace qv {

Qt::PenStyle QtPenStyle(uint8_t style) {
    switch (style) {
        case 1: return Qt::DashLine;
        case 2: return Qt::DotLine;
        case 3: return Qt::DashDotLine;
        case 4: return Qt::DashDotDotLine;
        case PenNone: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}

Qt::BrushStyle QtBrushStyle(uint8_t style) {
    switch (style) {
        case 0: return Qt::SolidPattern;
        case 2: return Qt::HorPattern;
        case 3: return Qt::VerPattern;
        case 4: return Qt::FDiagPattern;
        case 5: return Qt::BDiagPattern;
        case 6: return Qt::CrossPattern;
        case 7: return Qt::DiagCrossPattern;
        default: return Qt::NoBrush;
    }
}

int PenWidthPixels(double widthMm, uint8_t style, bool thinDashes) {
    const bool solid = style == PenSolid || style == PenInsideFrame;
    if (!solid && thinDashes) return 1;
    const double pixels = std::nearbyint(widthMm * Scales().PixelsPerCmX / 10.0);
    // A damaged record may hold any width; a pen wider than the page is useless.
    return static_cast<int>(std::clamp(std::isfinite(pixels) ? pixels : 1.0, 0.0, 10000.0));
}

QPen LinePen(uint32_t colour, uint8_t style, double widthMm, bool thinDashes) {
    QPen pen(ToQColor(colour), PenWidthPixels(widthMm, style, thinDashes), QtPenStyle(style));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

namespace {

bool HasRasterOps(const QPainter& painter) {
    return painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
}

}  // namespace

void SetOutlineMode(QPainter& painter) {
    painter.setPen(QPen(ToQColor(OutlineColour), 1, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (HasRasterOps(painter)) painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
}

void SetInvertMode(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (HasRasterOps(painter)) painter.setCompositionMode(QPainter::RasterOp_NotDestination);
}

QPoint ClampedPoint(int64_t x, int64_t y) {
    return {static_cast<int>(std::clamp<int64_t>(x, -32768, 32767)), static_cast<int>(std::clamp<int64_t>(y, -32768, 32767))};
}

}  // namespace qv
