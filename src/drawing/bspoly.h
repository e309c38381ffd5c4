// Polygons and polylines (`TPoly`) and the smooth curve through their
// vertices (`TBezier`). Vertices are in centimetres relative to (X, Y); the
// box is refitted to them after every change of the vertex list.
#pragma once

#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "drawing/bsrect.h"
#include "util/Geometry.h"

namespace qv {

class TPoly : public TRechteck {
public:
    TPoly();
    explicit TPoly(InStream& in);

    std::vector<RealPoint> Points;
    bool Closed = false;        // a filled polygon rather than a polyline
    bool ShowVertices = false;  // circles around the vertices while editing; not stored

    // The box as a whole; Ctrl makes no square.
    IntRect BeginDrag(int shift) override;
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    bool SaveToStream(OutStream& out) const override;
    bool HitTest(int32_t x, int32_t y) override;
    void DragHandle(int shift, double x, double y) override;
    // Scales the vertices with the box.
    void SetBounds(double x, double y, double w, double h) override;
    void Transform(int kind) override;

    // Appends the vertex (x, y), page cm. Unless forced, a point on the first
    // vertex closes the polygon and a point on the first or last adds nothing
    // (result false); index receives the vertex concerned.
    virtual bool AddPoint(int& index, bool force, double x, double y);
    // Moves one vertex to (x, y), page cm; an index outside the list is ignored.
    virtual void MovePoint(int index, double x, double y);
    // The box from the vertices alone.
    void FitPoints();
    // The same, for a caller that already knows the lowest and highest vertex.
    void FitPoints(RealPoint low, RealPoint high);

protected:
    // A vertex in pixels relative to (PixX, PixY), turned with the object.
    QPoint VertexPixel(const RealPoint& vertex) const;
    // VertexPixel of every vertex.
    std::vector<QPoint> VertexPixels() const;
    QPolygon PixelPolygon(const std::vector<QPoint>& relative, int dx, int dy) const;
    void DrawVertexCircles(QPainter& painter, int dx, int dy) const;
    // Pen for polygons, curves and points: thin dashes by the global options.
    static bool ThinDashes();
    // Called after the vertices changed through any of the operations here.
    virtual void VerticesChanged() {}
    bool FilledBox() const { return Closed && FillStyle != FillClear; }

private:
    // Refit after adding or moving a vertex: the box keeps growing from its
    // present size.
    void RefitBox();
};

// The Catmull-Rom segment from p1 to p2 (p0 and p3 its neighbours) at
// t = step / PointsPerSegment, in whole pixels.
class CatmullRomSegment {
public:
    CatmullRomSegment(QPoint p0, QPoint p1, QPoint p2, QPoint p3) : x_(p0.x(), p1.x(), p2.x(), p3.x()), y_(p0.y(), p1.y(), p2.y(), p3.y()) {}
    QPoint at(double t) const { return {x_.at(t), y_.at(t)}; }
    int y(double t) const { return y_.at(t); }
    // y at every t of a segment whose vertices lie within ±2^20 pixels, where
    // neither the clamp nor rounding beyond 2^51 can apply: the same values
    // without their checks, so that the loop runs on both halves of a register.
    template <std::size_t N>
    void NearHeights(const std::array<double, N>& ts, std::array<int, N>& heights) const {
        for (std::size_t i = 0; i < N; ++i) heights[i] = static_cast<int>((y_.value(ts[i]) + RoundingShift) - RoundingShift);
    }

private:
    struct Cubic {
        Cubic(double c0, double c1, double c2, double c3)
            : a(-0.5 * c0 + 1.5 * c1 - 1.5 * c2 + 0.5 * c3), b(c0 - 2.5 * c1 + 2 * c2 - 0.5 * c3), c(0.5 * c2 - 0.5 * c0), d(c1) {}
        double value(double t) const { return a * t * t * t + b * t * t + c * t + d; }
        int at(double t) const {
            // Far-flung vertices of a damaged record must not overflow the int.
            return static_cast<int>(std::clamp(RoundToWhole(value(t)), -1e9, 1e9));
        }
        double a, b, c, d;
    };
    Cubic x_, y_;
};

// A Catmull-Rom curve through the vertices, cached as pixel points. Whoever
// changes Points directly calls GeometryChanged afterwards.
class TBezier : public TPoly {
public:
    static constexpr int PointsPerSegment = 50;

    TBezier();
    explicit TBezier(InStream& in);

    // The box widened by a quarter: the curve may swing outside it.
    IntRect BeginDrag(int shift) override;
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    void UpdatePixels() override;
    void GeometryChanged() override;
    bool HitTest(int32_t x, int32_t y) override;
    void MoveBy(double dx, double dy) override;
    void DragHandle(int shift, double x, double y) override;
    void SetBounds(double x, double y, double w, double h) override;
    void Transform(int kind) override;
    bool AddPoint(int& index, bool force, double x, double y) override;
    void MovePoint(int index, double x, double y) override;

    // The curve in pixels relative to (PixX, PixY), 50 points per segment.
    const std::vector<QPoint>& CurvePoints();

private:
    // Marks the segments around the vertices from..to for recomputing;
    // to = 0 stands for the last vertex. Ranges add up until the next use.
    void Invalidate(int from, int to);
    void InvalidateAll() { Invalidate(0, 0); }
    void MakeValid();
    void Recompute(int from, int to);
    void Segment(int index, QPoint p0, QPoint p1, QPoint p2, QPoint p3);

    std::vector<QPoint> VertexCache;
    std::vector<QPoint> Curve;
    bool CurveValid = false;
    int DirtyFrom = 0;
    int DirtyTo = 0;
};

}  // namespace qv
