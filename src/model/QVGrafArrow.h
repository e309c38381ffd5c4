// The arrow of a graphical model: a polyline of at most 101 orthogonally
// snapped points from a source element to a target element.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "model/QVGrafElements.h"

namespace qv {

// The filled triangle at an arrow's last point and where its sign is written.
struct TArrowHead {
    std::array<IntPoint, 3> Triangle;  // one wing, the tip, the other wing
    IntPoint SignPos;                  // top-left corner of "+" or "-"
};

// A probe within 6 pixels of the line through A and B and within 3 of their
// box. A segment of length zero is never hit.
bool HitsSegment(IntPoint P, IntPoint A, IntPoint B);

class tpfeil {
public:
    static constexpr int32_t MaxPoints = 101;

    TGSimple* Source = nullptr;  // not owned; resolved from the indices
    TGSimple* Target = nullptr;  // not owned; none while the arrow is drawn
    int32_t SourceStockIndex = -1, SourceConstantIndex = -1, SourceRateIndex = -1;
    int32_t TargetStockIndex = -1, TargetRateIndex = -1;
    bool Unfinished = false;
    std::array<IntPoint, MaxPoints> Points{};
    int32_t PointCount = 0;
    int8_t Sign = 0;  // +1 shows "+", -1 shows "-"

    tpfeil() = default;
    tpfeil(int32_t X, int32_t Y);
    // Refuses a record that holds more than 101 points or a negative count.
    explicit tpfeil(InStream& In);
    tpfeil(InStream& In, LegacyRecord);

    // False, and nothing written, when PointCount is outside 0..101.
    bool save(OutStream& Out) const;

    // Snaps the point orthogonally against the last one (ties go
    // horizontal) and appends it; ignored once 101 points are held.
    void AddPoint(int32_t X, int32_t Y);
    // Index of the first point within 2 pixels in both directions, or -1.
    int32_t FindPoint(int32_t X, int32_t Y) const;
    // Drags point I: inner points move freely, an end point only slides
    // along the edge of its element it lies on, the start at a rate's tip stays.
    void MovePoint(int32_t I, int32_t Dx, int32_t Dy);
    // Index of the first segment the probe hits, or -1.
    int32_t HitSegment(IntPoint P) const;
    // Nothing for an unfinished arrow, fewer than two points, or a last
    // segment shorter than 6 pixels.
    std::optional<TArrowHead> ArrowHead() const;

    bool StartsAtRate() const { return Source && Source->Kind() == TElementKind::Rate; }
    const IntPoint& First() const { return Points[0]; }
    const IntPoint& Last() const { return Points[PointCount - 1]; }
    IntPoint& First() { return Points[0]; }
    IntPoint& Last() { return Points[PointCount - 1]; }
};

}  // namespace qv
