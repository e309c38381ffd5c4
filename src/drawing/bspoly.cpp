#include "drawing/bspoly.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "drawing/DrawStyles.h"

namespace qv {

namespace {

// Vertex records hold two doubles each.
constexpr std::size_t VertexBytes = 16;
// Below this a resized polygon would collapse and lose its shape.
constexpr double MinPolySize = 0.001;

}  // namespace

TPoly::TPoly() { Tag = TagPoly; }

TPoly::TPoly(InStream& in) : TRechteck(in) {
    Tag = TagPoly;
    const std::size_t count = in.readCount(VertexBytes);
    Points.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double x = in.readDouble();
        const double y = in.readDouble();
        Points.push_back({x, y});
    }
    Closed = in.readBool();
}

bool TPoly::SaveToStream(OutStream& out) const {
    if (!TRechteck::SaveToStream(out)) return false;
    out.writeCount(Points.size());
    for (const RealPoint& p : Points) {
        out.writeDouble(p.X);
        out.writeDouble(p.Y);
    }
    out.writeBool(Closed);
    return out.ok();
}

IntRect TPoly::BeginDrag(int shift) { return Tsimple::BeginDrag(shift); }

bool TPoly::ThinDashes() {
    const DrawingGlobals& g = Drawing();
    return g.ExportInProgress ? g.ThinDashesOnOutput : g.ThinDashesOnScreen;
}

QPoint TPoly::VertexPixel(const RealPoint& vertex) const {
    double x = vertex.X, y = vertex.Y;
    if (Angle != 0) RotatePoint(x, y, Width() / 2, Height() / 2, Angle);
    const IntPoint p = CmToPixels(x, y);
    return {p.X, p.Y};
}

std::vector<QPoint> TPoly::VertexPixels() const {
    std::vector<QPoint> pixels;
    pixels.reserve(Points.size());
    if (Angle != 0) {
        for (const RealPoint& p : Points) pixels.push_back(VertexPixel(p));
        return pixels;
    }
    const PixelMapping toPixels;
    for (const RealPoint& p : Points) {
        const IntPoint q = toPixels(p.X, p.Y);
        pixels.emplace_back(q.X, q.Y);
    }
    return pixels;
}

QPolygon TPoly::PixelPolygon(const std::vector<QPoint>& relative, int dx, int dy) const {
    const int64_t ox = int64_t{dx} + PixX(), oy = int64_t{dy} + PixY();
    QPolygon polygon;
    polygon.reserve(static_cast<int>(relative.size()));
    for (const QPoint& p : relative) polygon << ClampedPoint(ox + p.x(), oy + p.y());
    return polygon;
}

void TPoly::DrawVertexCircles(QPainter& painter, int dx, int dy) const {
    if (!ShowVertices || Drawing().ExportInProgress) return;
    PainterStateKeeper keeper(painter);
    SetOutlineMode(painter);
    const int hw = Scales().HandleWidth, hh = Drawing().HandleHeight;
    for (const QPoint& p : PixelPolygon(VertexPixels(), dx, dy)) painter.drawEllipse(p, hw / 2, hh / 2);
}

void TPoly::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Points.empty() || !IsInClip(dx, dy, clip)) return;
    if (Dragging && Angle != 0) {
        Tsimple::Draw(painter, dx, dy, clip);
        return;
    }
    PainterStateKeeper keeper(painter);
    const QPolygon polygon = PixelPolygon(VertexPixels(), dx, dy);
    if (Dragging) {
        SetOutlineMode(painter);
        painter.drawPolyline(polygon);
        return;
    }
    SetUpPainter(painter, ThinDashes());
    if (Closed)
        painter.drawPolygon(polygon);
    else
        painter.drawPolyline(polygon);
    DrawVertexCircles(painter, dx, dy);
}

bool TPoly::HitTest(int32_t x, int32_t y) {
    if (FilledBox()) return Tsimple::HitTest(x, y);
    if (!UnrotatedPixel(x, y) || Points.empty()) return false;
    // Unturned vertices, since the point was turned back instead.
    std::vector<QPoint> pixels;
    for (const RealPoint& p : Points) {
        const IntPoint v = CmToPixels(p.X, p.Y);
        pixels.push_back(ClampedPoint(int64_t{PixX()} + v.X, int64_t{PixY()} + v.Y));
    }
    const std::size_t segments = Closed ? pixels.size() : pixels.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const QPoint a = pixels[i], b = pixels[(i + 1) % pixels.size()];
        if (NearSegment(x, y, a.x(), a.y(), b.x(), b.y())) return true;
    }
    return false;
}

void TPoly::DragHandle(int shift, double x, double y) {
    const double oldX = X(), oldY = Y(), oldWidth = Width(), oldHeight = Height();
    TRechteck::DragHandle(shift, x, y);
    const double newX = X(), newY = Y(), newWidth = Width(), newHeight = Height();
    SetBox(oldX, oldY, oldWidth, oldHeight);
    // A flat polyline (a horizontal stroke) may stay flat; only a box that
    // had extent must keep it.
    const bool collapsed =
        (newWidth <= MinPolySize && oldWidth > MinPolySize) || (newHeight <= MinPolySize && oldHeight > MinPolySize);
    if (collapsed || !std::isfinite(newWidth) || !std::isfinite(newHeight)) return;
    SetBounds(newX, newY, newWidth, newHeight);
}

void TPoly::SetBounds(double x, double y, double w, double h) {
    const double fx = w / Width(), fy = h / Height();
    const bool scaleX = Width() != 0 && std::isfinite(fx), scaleY = Height() != 0 && std::isfinite(fy);
    if (scaleX && scaleY)
        for (RealPoint& p : Points) p = {p.X * fx, p.Y * fy};
    else if (scaleX)
        for (RealPoint& p : Points) p.X *= fx;
    else if (scaleY)
        for (RealPoint& p : Points) p.Y *= fy;
    TSimpleLine::SetBounds(x, y, w, h);
    VerticesChanged();
}

void TPoly::Transform(int kind) {
    const double w = Width(), h = Height();
    for (RealPoint& p : Points) {
        const RealPoint old = p;
        switch (kind) {
            case 0: p.Y = h - old.Y; break;
            case 1: p.X = w - old.X; break;
            case 2: p = {h - old.Y, w - old.X}; break;
            case 3: p = {old.Y, old.X}; break;
            default: break;
        }
    }
    TRechteck::Transform(kind);
    VerticesChanged();
}

void TPoly::RefitBox() {
    RealPoint low{Width(), Height()}, high{0, 0};
    for (const RealPoint& p : Points) {
        low = {std::min(low.X, p.X), std::min(low.Y, p.Y)};
        high = {std::max(high.X, p.X), std::max(high.Y, p.Y)};
    }
    for (RealPoint& p : Points) p = {p.X - low.X, p.Y - low.Y};
    SetBox(X() + low.X, Y() + low.Y, high.X - low.X, high.Y - low.Y);
    VerticesChanged();
}

void TPoly::FitPoints() {
    if (Points.empty()) return;
    RealPoint low = Points.front(), high = Points.front();
    for (const RealPoint& p : Points) {
        low = {std::min(low.X, p.X), std::min(low.Y, p.Y)};
        high = {std::max(high.X, p.X), std::max(high.Y, p.Y)};
    }
    FitPoints(low, high);
}

void TPoly::FitPoints(RealPoint low, RealPoint high) {
    for (RealPoint& p : Points) p = {p.X - low.X, p.Y - low.Y};
    SetBox(X() + low.X, Y() + low.Y, high.X - low.X, high.Y - low.Y);
    VerticesChanged();
}

bool TPoly::AddPoint(int& index, bool force, double x, double y) {
    x -= X();
    y -= Y();
    if (!force && !Points.empty()) {
        const double halfX = Scales().HandleWidth / 2.0 / Scales().PixelsPerCmX;
        const double halfY = Drawing().HandleHeight / 2.0 / Scales().PixelsPerCmY;
        auto near = [&](const RealPoint& p) { return std::fabs(x - p.X) <= halfX && std::fabs(y - p.Y) <= halfY; };
        const bool onFirst = near(Points.front());
        if (onFirst) Closed = true;
        if (onFirst || near(Points.back())) {
            index = Closed ? 0 : static_cast<int>(Points.size()) - 1;
            return false;
        }
    }
    Points.push_back({x, y});
    RefitBox();
    index = static_cast<int>(Points.size()) - 1;
    return true;
}

void TPoly::MovePoint(int index, double x, double y) {
    if (index < 0 || static_cast<std::size_t>(index) >= Points.size()) return;
    double px = x - X(), py = y - Y();
    if (Angle != 0) RotatePoint(px, py, Width() / 2, Height() / 2, 3600 - Angle);
    Points[static_cast<std::size_t>(index)] = {px, py};
    RefitBox();
}

}  // namespace qv
