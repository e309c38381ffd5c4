// The curve half of bspoly.h: TBezier keeps its curve points and recomputes
// only the segments a change touched.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "drawing/DrawStyles.h"
#include "drawing/bspoly.h"

namespace qv {

TBezier::TBezier() { Tag = TagBezier; }

TBezier::TBezier(InStream& in) : TPoly(in) { Tag = TagBezier; }

IntRect TBezier::BeginDrag(int shift) {
    TPoly::BeginDrag(shift);
    const int32_t qx = std::abs(PixWidth() / 4), qy = std::abs(PixHeight() / 4);
    LastRect = {LastRect.Left - qx, LastRect.Top - qy, LastRect.Right + qx, LastRect.Bottom + qy};
    return LastRect;
}

void TBezier::Invalidate(int from, int to) {
    if (CurveValid) {
        DirtyFrom = from;
        DirtyTo = to;
    } else {
        DirtyFrom = std::min(DirtyFrom, from);
        DirtyTo = DirtyTo == 0 || to == 0 ? 0 : std::max(DirtyTo, to);
    }
    CurveValid = false;
}

void TBezier::MakeValid() {
    if (CurveValid) return;
    const int last = static_cast<int>(Points.size()) - 1;
    // Vertices added or removed by hand leave no cached segment usable.
    if (VertexCache.size() != Points.size()) DirtyFrom = DirtyTo = 0;
    Recompute(DirtyFrom, DirtyTo == 0 ? last : DirtyTo);
}

const std::vector<QPoint>& TBezier::CurvePoints() {
    MakeValid();
    return Curve;
}

void TBezier::Segment(int index, QPoint p0, QPoint p1, QPoint p2, QPoint p3) {
    const CatmullRomSegment segment(p0, p1, p2, p3);
    for (int i = 0; i < PointsPerSegment; ++i)
        Curve[static_cast<std::size_t>(index * PointsPerSegment + i)] = segment.at(static_cast<double>(i) / PointsPerSegment);
}

void TBezier::Recompute(int from, int to) {
    const int n = static_cast<int>(Points.size());
    VertexCache.resize(Points.size());
    Curve.resize(n < 2 ? 0 : static_cast<std::size_t>(PointsPerSegment) * static_cast<std::size_t>(Closed ? n : n - 1));
    CurveValid = true;
    if (n == 0) return;
    int a = std::clamp(from, 0, n - 1), b = std::clamp(to, 0, n - 1);
    for (int i = a; i <= b; ++i) VertexCache[static_cast<std::size_t>(i)] = VertexPixel(Points[static_cast<std::size_t>(i)]);
    if (n < 2) return;
    auto v = [this](int i) { return VertexCache[static_cast<std::size_t>(i)]; };
    if (a == 0 || b == n - 1) {
        if (n == 2) {
            Segment(0, v(0), v(0), v(1), v(1));
            if (Closed) Segment(1, v(1), v(1), v(0), v(0));
        } else if (!Closed) {
            Segment(0, v(0), v(0), v(1), v(2));
            Segment(n - 2, v(n - 3), v(n - 2), v(n - 1), v(n - 1));
        } else {
            Segment(0, v(n - 1), v(0), v(1), v(2));
            Segment(n - 2, v(n - 3), v(n - 2), v(n - 1), v(0));
            Segment(n - 1, v(n - 2), v(n - 1), v(0), v(1));
        }
        a = std::max(a, 1);
        b = std::min(b, n - 2);
    }
    for (int s = a; s < b; ++s) Segment(s, v(s - 1), v(s), v(s + 1), v(s + 2));
}

void TBezier::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Points.empty() || !IsInClip(dx, dy, clip)) return;
    if (Dragging && Angle != 0) {
        TPoly::Draw(painter, dx, dy, clip);
        return;
    }
    MakeValid();
    if (Points.size() >= 2) {
        PainterStateKeeper keeper(painter);
        if (Dragging)
            SetOutlineMode(painter);
        else
            SetUpPainter(painter, ThinDashes());
        const QPolygon polygon = PixelPolygon(Curve, dx, dy);
        if (Closed && !Dragging)
            painter.drawPolygon(polygon);
        else
            painter.drawPolyline(polygon);
    }
    DrawVertexCircles(painter, dx, dy);
}

bool TBezier::HitTest(int32_t x, int32_t y) {
    if (FilledBox()) return Tsimple::HitTest(x, y);
    MakeValid();
    if (Curve.size() < 2) return false;
    const QPolygon polygon = PixelPolygon(Curve, 0, 0);
    const int pairs = Closed ? polygon.size() : polygon.size() - 1;
    for (int i = 0; i < pairs; ++i) {
        const QPoint a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        if (NearSegment(x, y, a.x(), a.y(), b.x(), b.y())) return true;
    }
    return false;
}

void TBezier::UpdatePixels() {
    TPoly::UpdatePixels();
    InvalidateAll();
}

void TBezier::GeometryChanged() { InvalidateAll(); }

void TBezier::MoveBy(double dx, double dy) {
    TPoly::MoveBy(dx, dy);
    InvalidateAll();
}

void TBezier::DragHandle(int shift, double x, double y) {
    TPoly::DragHandle(shift, x, y);
    InvalidateAll();
}

void TBezier::SetBounds(double x, double y, double w, double h) {
    TPoly::SetBounds(x, y, w, h);
    InvalidateAll();
}

void TBezier::Transform(int kind) {
    TPoly::Transform(kind);
    InvalidateAll();
}

bool TBezier::AddPoint(int& index, bool force, double x, double y) {
    const bool wasClosed = Closed;
    const bool added = TPoly::AddPoint(index, force, x, y);
    // A new vertex refits the box, which shifts every vertex's pixels.
    if (added || Closed != wasClosed) InvalidateAll();
    return added;
}

void TBezier::MovePoint(int index, double x, double y) {
    const double oldX = X(), oldY = Y(), oldWidth = Width(), oldHeight = Height();
    TPoly::MovePoint(index, x, y);
    const bool boxMoved = X() != oldX || Y() != oldY || (Angle != 0 && (Width() != oldWidth || Height() != oldHeight));
    // A vertex shapes the two segments on either side of it.
    if (boxMoved)
        InvalidateAll();
    else
        Invalidate(std::max(index - 2, 0), index + 2);
}

}  // namespace qv
