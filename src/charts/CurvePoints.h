// The markers of a point curve as one object: thousands of values make
// thousands of markers, most of them on top of one another at screen size.
#pragma once

#include <algorithm>
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
    // marker gives size, pen and style; centre(i), i < count, is in cm
    // relative to the parent, whose origin becomes this object's own. The
    // markers are placed and their box found as the centres come, in one
    // pass over a long curve.
    template <class Centre>
    TCurvePoints(std::unique_ptr<TPunkt> marker, std::size_t count, Centre&& centre) : Marker(std::move(marker)) {
        // Read back, the record is the plain group of markers it was before.
        Tag = TagKomplex;
        // As TPunkt::SetCentreX and SetCentreY place the box.
        const double halfWidth = Marker->Width() / 2, halfHeight = Marker->Height() / 2;
        Corners.reserve(count);
        FarCorner far(*Marker);
        for (std::size_t i = 0; i < count; ++i) {
            const RealPoint c = centre(i);
            Corners.push_back({c.X - halfWidth, c.Y - halfHeight});
            far.Reach(Corners.back());
        }
        SetBox(0, 0, far.Right, far.Bottom);
    }

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
    // The farthest marker edges from this object's origin, by the same sums
    // as the parent's FitToChildren would form for each marker.
    struct FarCorner {
        explicit FarCorner(const TPunkt& marker) : Width(marker.Width()), Height(marker.Height()) {}
        void Reach(const RealPoint& corner) {
            Right = std::max(Right, corner.X + Width);
            Bottom = std::max(Bottom, corner.Y + Height);
        }
        double Width, Height, Right = 0, Bottom = 0;
    };
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
