// The markers of a point curve as one object: thousands of values make
// thousands of markers, most of them on top of one another at screen size.
#pragma once

#include <memory>
#include <vector>

#include "charts/ScaleKeyed.h"
#include "drawing/bspunkt.h"

namespace qv {

// Markers all shaped like one TPunkt, each where a TPunkt of the curve would
// stand, and drawn, hit and written exactly as those TPunkts: its record is
// a group of them. A marker whose pixels were drawn already is not drawn
// again, so the cost follows the pixels rather than the values.
class TCurvePoints : public Tsimple {
public:
    // marker gives size, pen and style; centres are in cm relative to the
    // parent, whose origin becomes this object's own.
    TCurvePoints(std::unique_ptr<TPunkt> marker, std::vector<RealPoint> centres);

    std::size_t MarkerCount() const { return Corners.size(); }
    // The record of every marker, as TPunkts of the parent group (TPlot).
    bool SaveMarkers(OutStream& out) const;

    // A dragged curve shows its box.
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    bool HitTest(int32_t x, int32_t y) override;
    void UpdatePixels() override;
    bool SaveToStream(OutStream& out) const override;
    void ScaleBy(double fx, double fy) override;
    void CollectColours(std::vector<std::string>& list, bool toFront) const override;
    void NotifySelected() override;
    void ApplyDefault(int kind) override;

private:
    // Puts the marker on a corner, in the parent's centimetres.
    void PlaceMarker(const RealPoint& corner) const;
    // Every marker's record, the corners taken from the given origin.
    bool WriteMarkers(OutStream& out, double originX, double originY) const;
    // Moves every marker corner, and the box then reaches the farthest one
    // from this object's origin.
    template <class Move>
    void MoveMarkers(Move&& move);

    // The first of the markers at each pixel position, in their order.
    std::vector<std::size_t> DistinctMarkers() const;

    std::unique_ptr<TPunkt> Marker;
    std::vector<RealPoint> Corners;  // top-left corners of the markers
    ScaleKeyed<std::vector<std::size_t>> distinct_;
};

}  // namespace qv
