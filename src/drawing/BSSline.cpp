#include "drawing/BSSline.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

#include "drawing/QtColour.h"

namespace qv {

TSimpleLine::TSimpleLine() {
    Tag = TagSimpleLine;
    TakeLineDefaults();
}

TSimpleLine::TSimpleLine(InStream& in) : Tsimple(in) {
    Tag = TagSimpleLine;
    LineColour = static_cast<uint32_t>(in.readInt32());
    LineStyle = in.readByte();
    LineWidth = in.readDouble();
}

void TSimpleLine::TakeLineDefaults() {
    const DrawingGlobals& g = Drawing();
    LineColour = g.DefaultLineColour;
    LineStyle = g.DefaultLineStyle;
    LineWidth = g.DefaultLineWidth;
}

void TSimpleLine::StoreLineDefaults() {
    DrawingGlobals& g = Drawing();
    g.DefaultLineColour = LineColour;
    g.DefaultLineStyle = LineStyle;
    g.DefaultLineWidth = LineWidth;
}

void TSimpleLine::CollectColours(std::vector<std::string>& list, bool toFront) const {
    RegisterColour(list, LineColour, toFront);
}

bool TSimpleLine::SaveToStream(OutStream& out) const {
    if (!Tsimple::SaveToStream(out)) return false;
    out.writeInt32(static_cast<int32_t>(LineColour));
    out.writeByte(LineStyle);
    out.writeDouble(LineWidth);
    return out.ok();
}

void TSimpleLine::SetBounds(double x, double y, double w, double h) {
    const double oldSize = std::fabs(Width()) + std::fabs(Height());
    const double scaled = (std::fabs(w) + std::fabs(h)) * LineWidth / oldSize;
    if (oldSize != 0 && std::isfinite(scaled)) LineWidth = scaled;
    Tsimple::SetBounds(x, y, w, h);
}

void TSimpleLine::NotifySelected() {
    StoreLineDefaults();
    Tsimple::NotifySelected();
}

void TSimpleLine::ApplyDefault(int kind) {
    const DrawingGlobals& g = Drawing();
    if (kind == KindLineColour || kind == KindAll) LineColour = g.DefaultLineColour;
    if (kind == KindLineStyle || kind == KindAll || kind == KindLineStyleAndWidth) LineStyle = g.DefaultLineStyle;
    if (kind == KindLineWidth || kind == KindAll || kind == KindLineStyleAndWidth) LineWidth = g.DefaultLineWidth;
}

TLine::TLine() {
    Tag = TagLine;
    TakeLineDefaults();
}

TLine::TLine(InStream& in) : TSimpleLine(in) {
    Tag = TagLine;
    ArrowAtEnd = in.readBool();
    ArrowAtStart = in.readBool();
    ArrowLength = in.readDouble();
    ArrowStyle = in.readByte();
    ArrowAngle = in.readInt32();
}

void TLine::TakeLineDefaults() {
    TSimpleLine::TakeLineDefaults();
    const DrawingGlobals& g = Drawing();
    ArrowLength = g.DefaultArrowLength;
    ArrowAngle = g.DefaultArrowAngle;
    ArrowStyle = g.DefaultArrowStyle;
    ArrowAtEnd = g.DefaultArrowAtEnd;
    ArrowAtStart = g.DefaultArrowAtStart;
}

void TLine::StoreLineDefaults() {
    TSimpleLine::StoreLineDefaults();
    DrawingGlobals& g = Drawing();
    g.DefaultArrowLength = ArrowLength;
    g.DefaultArrowAngle = ArrowAngle;
    g.DefaultArrowStyle = ArrowStyle;
    g.DefaultArrowAtEnd = ArrowAtEnd;
    g.DefaultArrowAtStart = ArrowAtStart;
}

bool TLine::SaveToStream(OutStream& out) const {
    if (!TSimpleLine::SaveToStream(out)) return false;
    out.writeBool(ArrowAtEnd);
    out.writeBool(ArrowAtStart);
    out.writeDouble(ArrowLength);
    out.writeByte(ArrowStyle);
    out.writeInt32(ArrowAngle);
    return out.ok();
}

std::array<QPoint, 2> TLine::EndPoints() const {
    if (Angle == 0)
        return {ClampedPoint(PixX(), PixY()), ClampedPoint(int64_t{PixX()} + PixWidth(), int64_t{PixY()} + PixHeight())};
    const IntPoint a = RotatedPixel(X(), Y()), b = RotatedPixel(X() + Width(), Y() + Height());
    return {ClampedPoint(a.X, a.Y), ClampedPoint(b.X, b.Y)};
}

void TLine::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (!IsInClip(dx, dy, clip)) return;
    PainterStateKeeper keeper(painter);
    const auto ends = EndPoints();
    const QPoint offset(dx, dy);
    if (Dragging) {
        SetOutlineMode(painter);
        painter.drawLine(ends[0] + offset, ends[1] + offset);
        return;
    }
    painter.setPen(Pen());
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(ends[0] + offset, ends[1] + offset);

    RealPoint start{X(), Y()}, end{X() + Width(), Y() + Height()};
    if (Angle != 0) {
        RotatePoint(start.X, start.Y, CentreX(), CentreY(), Angle);
        RotatePoint(end.X, end.Y, CentreX(), CentreY(), Angle);
    }
    painter.setPen(qv::LinePen(LineColour, PenSolid, LineWidth));
    if (ArrowAtEnd) DrawArrowHead(painter, end, start, dx, dy);
    if (ArrowAtStart) DrawArrowHead(painter, start, end, dx, dy);
}

void TLine::DrawArrowHead(QPainter& painter, RealPoint tip, RealPoint other, int dx, int dy) const {
    const double vx = other.X - tip.X, vy = other.Y - tip.Y;
    const double length = std::hypot(vx, vy);
    if (!(length >= ArrowLength) || length == 0) return;
    const double ux = vx * ArrowLength / length, uy = vy * ArrowLength / length;
    const double half = ArrowAngle / 2.0 * std::numbers::pi / 180.0;
    const double c = std::cos(half), s = std::sin(half);
    auto pixel = [dx, dy](double x, double y) {
        const IntPoint p = CmToPixels(x, y);
        return ClampedPoint(int64_t{p.X} + dx, int64_t{p.Y} + dy);
    };
    const QPoint t = pixel(tip.X, tip.Y);
    const QPoint a = pixel(tip.X + ux * c - uy * s, tip.Y + ux * s + uy * c);
    const QPoint b = pixel(tip.X + ux * c + uy * s, tip.Y - ux * s + uy * c);
    switch (ArrowStyle) {
        case 0: {
            const QPoint strokes[] = {a, t, b};
            painter.drawPolyline(strokes, 3);
            break;
        }
        case 1: {
            painter.setBrush(ToQColor(LineColour));
            const QPoint triangle[] = {a, t, b};
            painter.drawPolygon(triangle, 3);
            break;
        }
        default:
            painter.drawLine(pixel(tip.X - uy, tip.Y + ux), pixel(tip.X + uy, tip.Y - ux));
            break;
    }
}

void TLine::ToggleHandles(QPainter& painter, int dx, int dy) {
    if (Drawing().ExportInProgress) return;
    const auto ends = EndPoints();
    const QPoint offset(dx, dy);
    InvertHandle(painter, ends[0] + offset);
    InvertHandle(painter, ends[1] + offset);
    InvertHandle(painter, (ends[0] + ends[1]) / 2 + offset);
}

bool TLine::HitTest(int32_t x, int32_t y) {
    if (!UnrotatedPixel(x, y)) return false;
    const int64_t right = int64_t{PixX()} + PixWidth(), bottom = int64_t{PixY()} + PixHeight();
    if (right != static_cast<int32_t>(right) || bottom != static_cast<int32_t>(bottom)) return false;
    return NearSegment(x, y, PixX(), PixY(), static_cast<int32_t>(right), static_cast<int32_t>(bottom));
}

uint8_t TLine::HitTestHandles(int32_t x, int32_t y) const {
    if (!UnrotatedPixel(x, y)) return 0;
    const int64_t hw = Scales().HandleWidth, hh = Drawing().HandleHeight;
    const IntRect box = PixelBox();
    if (x < box.Left - hw || x > int64_t{box.Right} + hw || y < box.Top - hh || y > int64_t{box.Bottom} + hh) return 0;
    // A short line gets room for its three handles, keeping its direction.
    auto widen = [](int64_t& start, int64_t& size, int64_t handle) {
        if (size == 0 || std::llabs(size) >= 3 * handle) return;
        const int64_t wider = size > 0 ? 3 * handle : -3 * handle;
        start -= (wider - size) / 2;
        size = wider;
    };
    int64_t x1 = PixX(), y1 = PixY(), w = PixWidth(), h = PixHeight();
    widen(x1, w, hw);
    widen(y1, h, hh);
    if (std::llabs(x - x1) <= hw && std::llabs(y - y1) <= hh) return HitInside | HitLeft | HitTop;
    if (std::llabs(x - (x1 + w)) <= hw && std::llabs(y - (y1 + h)) <= hh) return HitInside | HitRight | HitTop;
    if (std::llabs(x - (x1 + w / 2)) <= hw / 2 && std::llabs(y - (y1 + h / 2)) <= hh / 2) return HitInside | HitCentre;
    return HitInside;
}

void TLine::DragHandle(int shift, double x, double y) {
    const double oldX = X(), oldY = Y(), oldWidth = Width(), oldHeight = Height();
    UnrotatedCm(x, y);
    const uint8_t mode = Drawing().DragMode;
    const bool startDragged = (mode & HitLeft) != 0;
    if (startDragged)
        SetBox(x, y, oldX + oldWidth - x, oldY + oldHeight - y);
    else if (mode & HitRight)
        SetBox(oldX, oldY, x - oldX, y - oldY);
    if (shift & ShiftKey) KeepProportions(oldX, oldY, oldWidth, oldHeight, false);
    if (shift & CtrlKey) {
        const bool flat = std::fabs(Width()) >= std::fabs(Height());
        if (startDragged && flat)
            SetBox(X(), Y() + Height(), Width(), 0);
        else if (startDragged)
            SetBox(X() + Width(), Y(), 0, Height());
        else if (flat)
            SetHeight(0);
        else
            SetWidth(0);
    }
}

void TLine::SetBounds(double x, double y, double w, double h) {
    const double oldSize = std::fabs(Width()) + std::fabs(Height());
    const double scaled = (std::fabs(w) + std::fabs(h)) * ArrowLength / oldSize;
    if (oldSize != 0 && std::isfinite(scaled)) ArrowLength = scaled;
    TSimpleLine::SetBounds(x, y, w, h);
}

void TLine::ApplyDefault(int kind) {
    TSimpleLine::ApplyDefault(kind);
    const DrawingGlobals& g = Drawing();
    if (kind == KindArrowAtEnd || kind == KindAll) ArrowAtEnd = g.DefaultArrowAtEnd;
    if (kind == KindArrowAtStart || kind == KindAll) ArrowAtStart = g.DefaultArrowAtStart;
    if (kind == KindAll) {
        ArrowLength = g.DefaultArrowLength;
        ArrowAngle = g.DefaultArrowAngle;
        ArrowStyle = g.DefaultArrowStyle;
    }
}

void TLine::Transform(int kind) {
    const double cx = CentreX(), cy = CentreY();
    double d1 = X() - cx, d2 = X() + Width() - cx, e1 = Y() - cy, e2 = Y() + Height() - cy;
    switch (kind) {
        case 0: std::swap(e1, e2); break;
        case 1: std::swap(d1, d2); break;
        case 2:
            std::swap(ArrowAtEnd, ArrowAtStart);
            std::swap(d1, e1);
            std::swap(d2, e2);
            break;
        case 3: {
            std::swap(ArrowAtEnd, ArrowAtStart);
            const double n1 = -e1, n2 = -e2;
            e1 = -d1;
            e2 = -d2;
            d1 = n1;
            d2 = n2;
            break;
        }
        default: return;
    }
    SetBox(cx + d1, cy + e1, d2 - d1, e2 - e1);
}

}  // namespace qv
