#include "model/QVGrafArrow.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qv {

namespace {

constexpr int32_t PointTolerance = 3;  // |dx| and |dy| below this find a point
constexpr double SegmentDistance = 6;   // a probe nearer than this to a segment's line hits it
constexpr double HeadLength = 6;
constexpr double HeadCos = 0.866;
constexpr double HeadSin = 0.5;

// Only used near existing int32 points, so the double always fits an int64.
int32_t RoundToInt32(double V) { return ClampPixel(static_cast<int64_t>(std::nearbyint(V))); }

int32_t ClampedShift(int32_t V, int32_t By, int32_t Lo, int32_t Hi) {
    int64_t moved = static_cast<int64_t>(V) + By;
    return static_cast<int32_t>(std::max<int64_t>(Lo, std::min<int64_t>(Hi, moved)));
}

// An end point on a side edge of its element slides up and down along it, one
// on the top or bottom edge slides sideways; anywhere else it stays.
void SlideAlongEdge(IntPoint& P, const TGSimple* Element, int32_t Dx, int32_t Dy) {
    if (!Element) return;
    const IntRect& box = Element->Box;
    if (P.X == box.Left || P.X == box.Right)
        P.Y = ClampedShift(P.Y, Dy, box.Top, box.Bottom);
    else if (P.Y == box.Top || P.Y == box.Bottom)
        P.X = ClampedShift(P.X, Dx, box.Left, box.Right);
}

}  // namespace

bool HitsSegment(IntPoint P, IntPoint A, IntPoint B) {
    double bx = static_cast<double>(B.X) - A.X, by = static_cast<double>(B.Y) - A.Y;
    double px = static_cast<double>(P.X) - A.X, py = static_cast<double>(P.Y) - A.Y;
    double length = std::hypot(bx, by);
    if (length == 0) return false;
    if (std::abs(px * by - py * bx) >= SegmentDistance * length) return false;
    int64_t t = PointTolerance;
    return P.X >= std::min(A.X, B.X) - t && P.X <= std::max(A.X, B.X) + t && P.Y >= std::min(A.Y, B.Y) - t &&
           P.Y <= std::max(A.Y, B.Y) + t;
}

tpfeil::tpfeil(int32_t X, int32_t Y) : PointCount(1) { Points[0] = {X, Y}; }

tpfeil::tpfeil(InStream& In) {
    int32_t n = In.readInt32();
    if (n < 0 || n > MaxPoints) throw StreamError(DamagedRecordText);
    for (int32_t i = 0; i < n; ++i) {
        Points[i].X = In.readInt32();
        Points[i].Y = In.readInt32();
    }
    PointCount = n;
    Sign = In.readInt8();
    SourceStockIndex = In.readInt32();
    SourceConstantIndex = In.readInt32();
    SourceRateIndex = In.readInt32();
    TargetStockIndex = In.readInt32();
    TargetRateIndex = In.readInt32();
}

tpfeil::tpfeil(InStream& In, LegacyRecord) {
    int16_t n = In.readInt16();
    if (n < 0 || n > MaxPoints) throw StreamError(DamagedRecordText);
    for (int16_t i = 0; i < n; ++i) {
        Points[i].X = In.readInt16();
        Points[i].Y = In.readInt16();
    }
    PointCount = n;
    Sign = In.readInt8();
    // Older documents name each end by an index and a kind (1 stock, 2 rate, 3 constant).
    int16_t sourceIndex = In.readInt16();
    switch (In.readInt16()) {
        case 1: SourceStockIndex = sourceIndex; break;
        case 2: SourceRateIndex = sourceIndex; break;
        case 3: SourceConstantIndex = sourceIndex; break;
        default: break;
    }
    int16_t targetIndex = In.readInt16();
    switch (In.readInt16()) {
        case 1: TargetStockIndex = targetIndex; break;
        case 2: TargetRateIndex = targetIndex; break;
        default: break;
    }
}

bool tpfeil::save(OutStream& Out) const {
    if (PointCount < 0 || PointCount > MaxPoints) return false;
    Out.writeInt32(PointCount);
    for (int32_t i = 0; i < PointCount; ++i) {
        Out.writeInt32(Points[i].X);
        Out.writeInt32(Points[i].Y);
    }
    Out.writeInt8(Sign);
    for (int32_t v : {SourceStockIndex, SourceConstantIndex, SourceRateIndex, TargetStockIndex, TargetRateIndex})
        Out.writeInt32(v);
    return Out.ok();
}

void tpfeil::AddPoint(int32_t X, int32_t Y) {
    if (PointCount >= MaxPoints) return;
    if (PointCount > 0) {
        const IntPoint& prev = Last();
        if (std::abs(static_cast<int64_t>(X) - prev.X) < std::abs(static_cast<int64_t>(Y) - prev.Y))
            X = prev.X;
        else
            Y = prev.Y;
    }
    Points[PointCount++] = {X, Y};
}

int32_t tpfeil::FindPoint(int32_t X, int32_t Y) const {
    for (int32_t i = 0; i < PointCount; ++i) {
        if (std::abs(static_cast<int64_t>(X) - Points[i].X) < PointTolerance &&
            std::abs(static_cast<int64_t>(Y) - Points[i].Y) < PointTolerance)
            return i;
    }
    return -1;
}

void tpfeil::MovePoint(int32_t I, int32_t Dx, int32_t Dy) {
    if (I < 0 || I >= PointCount) return;
    IntPoint& p = Points[I];
    if (I == 0) {
        if (!StartsAtRate()) SlideAlongEdge(p, Source, Dx, Dy);
    } else if (I == PointCount - 1) {
        SlideAlongEdge(p, Target, Dx, Dy);
    } else {
        p = {ClampPixel(int64_t{p.X} + Dx), ClampPixel(int64_t{p.Y} + Dy)};
    }
}

int32_t tpfeil::HitSegment(IntPoint P) const {
    for (int32_t i = 0; i + 1 < PointCount; ++i)
        if (HitsSegment(P, Points[i], Points[i + 1])) return i;
    return -1;
}

std::optional<TArrowHead> tpfeil::ArrowHead() const {
    if (Unfinished || PointCount < 2) return std::nullopt;
    const IntPoint& l = Points[PointCount - 1];
    const IntPoint& p = Points[PointCount - 2];
    double dx = static_cast<double>(p.X) - l.X, dy = static_cast<double>(p.Y) - l.Y;
    double length = std::hypot(dx, dy);
    if (length < HeadLength) return std::nullopt;
    double ux = HeadLength * dx / length, uy = HeadLength * dy / length;
    TArrowHead head;
    head.Triangle = {IntPoint{RoundToInt32(l.X + ux * HeadCos - uy * HeadSin), RoundToInt32(l.Y + ux * HeadSin + uy * HeadCos)},
                     l,
                     IntPoint{RoundToInt32(l.X + ux * HeadCos + uy * HeadSin), RoundToInt32(l.Y - ux * HeadSin + uy * HeadCos)}};
    head.SignPos = {static_cast<int32_t>((static_cast<int64_t>(l.X) + p.X) / 2),
                    static_cast<int32_t>((static_cast<int64_t>(l.Y) + p.Y) / 2)};
    return head;
}

}  // namespace qv
