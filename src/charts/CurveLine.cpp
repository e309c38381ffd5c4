#include "charts/CurveLine.h"

#include <QPainter>
#include <algorithm>
#include <array>

#include "drawing/DrawStyles.h"

namespace qv {

namespace {

// Below this many vertices drawing them all costs nothing worth saving.
constexpr std::size_t ThinningThreshold = 256;

// Dashes follow the length of the path, so leaving vertices out would move
// them; only plain pens may be thinned.
bool MayThinOut(const TSimpleLine& line, std::size_t count, bool dragging, int angle) {
    return count > ThinningThreshold && !dragging && angle == 0 &&
           (line.LineStyle == PenSolid || line.LineStyle == PenInsideFrame);
}

}  // namespace

void ColumnThinner::EndRun() {
    if (!open_) return;
    const bool lowFirst = low_.index < high_.index;
    const Kept after[3] = {lowFirst ? low_ : high_, lowFirst ? high_ : low_, last_};
    std::size_t previous = first_.index;
    kept_.push_back(first_.point);
    for (const Kept& k : after)
        if (k.index != previous) kept_.push_back(k.point), previous = k.index;
    open_ = false;
}

std::vector<QPoint> ColumnThinner::Finish() {
    EndRun();
    return std::move(kept_);
}

void TCurvePoly::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Closed || !MayThinOut(*this, Points.size(), Dragging, Angle) || !IsInClip(dx, dy, clip)) {
        TPoly::Draw(painter, dx, dy, clip);
        return;
    }
    const std::vector<QPoint>& thinned = thinned_.get([this] {
        // VertexPixels of an unturned line, fed to the thinner as they come.
        ColumnThinner thinner;
        const PixelMapping toPixels;
        for (const RealPoint& p : Points) {
            const IntPoint q = toPixels(p.X, p.Y);
            thinner.Add({q.X, q.Y});
        }
        return thinner.Finish();
    });
    PainterStateKeeper keep(painter);
    SetUpPainter(painter, ThinDashes());
    painter.drawPolyline(PixelPolygon(thinned, dx, dy));
}

namespace {

// Whole pixels that every point of a segment rounds into.
struct PixelSpan {
    int low, high;
};

// The segment runs inside the convex hull of its Bezier control points
// p1, p1 + (p2 - p0) / 6, p2 - (p3 - p1) / 6, p2; a margin far above the
// rounding error of its evaluation keeps the span on the safe side.
PixelSpan SpanOf(int c0, int c1, int c2, int c3) {
    constexpr double Margin = 1.0 / 64;
    const double b1 = c1 + (c2 - c0) / 6.0, b2 = c2 - (c3 - c1) / 6.0;
    const double low = std::min({double(c1), b1, b2, double(c2)}), high = std::max({double(c1), b1, b2, double(c2)});
    return {static_cast<int>(RoundToWhole(low - Margin)), static_cast<int>(RoundToWhole(high + Margin))};
}

// The common case without arithmetic in doubles: four vertices in the run's
// column whose heights differ by at most 2 pixels. The hull then reaches at
// most a third of a pixel beyond them (a sixth of their spread), so every
// point rounds to a height between theirs.
bool StaysInRun(const ColumnThinner& thinner, QPoint p0, QPoint p1, QPoint p2, QPoint p3) {
    if (p0.x() != p1.x() || p2.x() != p1.x() || p3.x() != p1.x() || !thinner.InRun(p1.x())) return false;
    const auto [low, high] = std::minmax({p0.y(), p1.y(), p2.y(), p3.y()});
    return high - low <= 2 && thinner.Lowest() <= low && high <= thinner.Highest();
}

// Beyond this the evaluation is clamped and the margin no longer safe.
constexpr int FarPixel = 1 << 20;

// The parameter of every point of a segment, step / PointsPerSegment,
// divided once rather than for every point of every segment.
constexpr auto SegmentSteps = [] {
    std::array<double, TBezier::PointsPerSegment> steps{};
    for (int i = 0; i < TBezier::PointsPerSegment; ++i) steps[static_cast<std::size_t>(i)] = static_cast<double>(i) / TBezier::PointsPerSegment;
    return steps;
}();

}  // namespace

void TCurveBezier::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Closed || !MayThinOut(*this, Points.size(), Dragging, Angle) || !IsInClip(dx, dy, clip)) {
        TBezier::Draw(painter, dx, dy, clip);
        return;
    }
    const std::vector<QPoint>& thinned = thinned_.get([this] { return ThinnedCurve(); });
    PainterStateKeeper keep(painter);
    SetUpPainter(painter, ThinDashes());
    painter.drawPolyline(PixelPolygon(thinned, dx, dy));
}

std::vector<QPoint> TCurveBezier::ThinnedCurve() const {
    // The curve of an open TBezier, segment by segment, without storing its
    // points: a segment that lies wholly inside the run of its pixel column,
    // within the run's lowest and highest pixel, and does not end the run,
    // would change nothing that is kept, so it is not computed at all.
    // The vertex pixels (VertexPixels of an unturned curve) are taken as
    // the segments reach them, four at a time, rather than stored first.
    const PixelMapping toPixels;
    auto pixel = [&](std::size_t i) __attribute__((always_inline)) {
        const IntPoint q = toPixels(Points[i].X, Points[i].Y);
        return QPoint(q.X, q.Y);
    };
    const std::size_t last = Points.size() - 1;
    ColumnThinner thinner;
    QPoint p0 = pixel(0), p1 = p0, p2 = pixel(1), p3 = pixel(std::min<std::size_t>(2, last));
    for (std::size_t s = 0; s < last; ++s, p0 = p1, p1 = p2, p2 = p3, p3 = pixel(std::min(s + 2, last))) {
        if (s + 1 < last && StaysInRun(thinner, p0, p1, p2, p3)) continue;
        const bool near = std::max({std::abs(p0.x()), std::abs(p1.x()), std::abs(p2.x()), std::abs(p3.x()),
                                    std::abs(p0.y()), std::abs(p1.y()), std::abs(p2.y()), std::abs(p3.y())}) < FarPixel;
        const CatmullRomSegment segment(p0, p1, p2, p3);
        if (near && s + 1 < last) {
            const PixelSpan x = SpanOf(p0.x(), p1.x(), p2.x(), p3.x());
            const PixelSpan y = SpanOf(p0.y(), p1.y(), p2.y(), p3.y());
            if (x.low == x.high && thinner.InRun(x.low)) {
                if (thinner.Lowest() <= y.low && y.high <= thinner.Highest()) continue;
                // Every point lies in the run's column: only the heights are needed.
                std::array<int, PointsPerSegment> heights;
                segment.NearHeights(SegmentSteps, heights);
                for (int h : heights) thinner.AddInRun({x.low, h});
                continue;
            }
        }
        for (double t : SegmentSteps) thinner.Add(segment.at(t));
    }
    return thinner.Finish();
}

}  // namespace qv
