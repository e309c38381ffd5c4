#include "charts/CurvePoints.h"

#include <QPainter>

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "drawing/DrawStyles.h"

namespace qv {

template <class Move>
void TCurvePoints::MoveMarkers(Move&& move) {
    FarCorner far(*Marker);
    for (RealPoint& c : Corners) {
        c = move(c);
        far.Reach(c);
    }
    SetBox(0, 0, far.Right, far.Bottom);
    distinct_.forget();
}

void TCurvePoints::PlaceMarker(const RealPoint& corner) const {
    Marker->SetX(X() + corner.X);
    Marker->SetY(Y() + corner.Y);
}

bool TCurvePoints::WriteMarkers(OutStream& out, double originX, double originY) const {
    for (const RealPoint& c : Corners) {
        Marker->SetX(originX + c.X);
        Marker->SetY(originY + c.Y);
        if (!Marker->SaveToStream(out)) return false;
    }
    return out.ok();
}

bool TCurvePoints::SaveMarkers(OutStream& out) const { return WriteMarkers(out, X(), Y()); }

bool TCurvePoints::SaveToStream(OutStream& out) const {
    if (!Tsimple::SaveToStream(out)) return false;
    out.writeCount(Corners.size());
    // In a group record the markers stand relative to the group.
    return WriteMarkers(out, 0, 0);
}

void TCurvePoints::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Dragging) {
        Tsimple::Draw(painter, dx, dy, clip);
        return;
    }
    if (!IsInClip(dx, dy, clip)) return;
    PainterStateKeeper keep(painter);
    Marker->SetUpMarker(painter);
    for (std::size_t i : distinct_.get([this] { return DistinctMarkers(); }, X(), Y())) {
        PlaceMarker(Corners[i]);
        if (Marker->IsInClip(dx, dy, clip)) Marker->DrawMarker(painter, dx, dy);
    }
}

std::vector<std::size_t> TCurvePoints::DistinctMarkers() const {
    // Markers of one curve look alike and are opaque: one drawn twice at the
    // same pixels leaves them as they were.
    std::vector<std::size_t> distinct;
    std::unordered_set<uint64_t> seen;
    std::optional<uint64_t> previous;
    const PixelMapping toPixels;
    for (std::size_t i = 0; i < Corners.size(); ++i) {
        // The pixels PlaceMarker gives the marker's box.
        const IntPoint p = toPixels(X() + Corners[i].X, Y() + Corners[i].Y);
        const uint64_t key = (uint64_t{static_cast<uint32_t>(p.X)} << 32) | static_cast<uint32_t>(p.Y);
        if (key == previous) continue;
        previous = key;
        if (seen.insert(key).second) distinct.push_back(i);
    }
    return distinct;
}

bool TCurvePoints::HitTest(int32_t x, int32_t y) {
    return std::any_of(Corners.begin(), Corners.end(), [&](const RealPoint& c) {
        PlaceMarker(c);
        return Marker->HitTest(x, y);
    });
}

void TCurvePoints::UpdatePixels() {
    Tsimple::UpdatePixels();
    Marker->UpdatePixels();
}

void TCurvePoints::ScaleBy(double fx, double fy) {
    // Each marker scales as a TPunkt in a group does, its pen with it.
    Marker->ScaleBy(fx, fy);
    const double x = X() * fx, y = Y() * fy;
    MoveMarkers([&](const RealPoint& c) { return RealPoint{c.X * fx, c.Y * fy}; });
    SetX(x);
    SetY(y);
}

void TCurvePoints::CollectColours(std::vector<std::string>& list, bool toFront) const {
    if (!Corners.empty()) Marker->CollectColours(list, toFront);
}

void TCurvePoints::NotifySelected() {
    if (!Corners.empty()) Marker->NotifySelected();
}

void TCurvePoints::ApplyDefault(int kind) { Marker->ApplyDefault(kind); }

}  // namespace qv
