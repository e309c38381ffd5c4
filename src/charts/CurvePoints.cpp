#include "charts/CurvePoints.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
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
    if (Corners.empty()) return distinct;
    const PixelMapping toPixels;
    // The pixels PlaceMarker gives the marker's box.
    auto pixel = [&](const RealPoint& c) { return toPixels(X() + c.X, Y() + c.Y); };
    // Rounding keeps the order, so the extreme corners give the extreme pixels.
    RealPoint low = Corners.front(), high = Corners.front();
    for (const RealPoint& c : Corners) {
        low = {std::min(low.X, c.X), std::min(low.Y, c.Y)};
        high = {std::max(high.X, c.X), std::max(high.Y, c.Y)};
    }
    const IntPoint first = pixel(low), last = pixel(high);
    const uint64_t columns = uint64_t(int64_t{last.X} - first.X + 1), rows = uint64_t(int64_t{last.Y} - first.Y + 1);
    // A curve on screen covers few pixels: one bit each is far cheaper than
    // hashing. One zoomed far beyond the screen is hashed, and so is a NaN,
    // which no comparison put inside the extremes.
    constexpr uint64_t MaxBits = uint64_t{1} << 26;
    const bool gridded = columns <= MaxBits && rows <= MaxBits / columns;
    std::vector<bool> grid(gridded ? columns * rows : 0);
    auto onGrid = [&](IntPoint p) { return gridded && first.X <= p.X && p.X <= last.X && first.Y <= p.Y && p.Y <= last.Y; };
    std::unordered_set<uint64_t> seen;
    std::optional<uint64_t> previous;
    for (std::size_t i = 0; i < Corners.size(); ++i) {
        const IntPoint p = pixel(Corners[i]);
        const uint64_t key = (uint64_t{static_cast<uint32_t>(p.X)} << 32) | static_cast<uint32_t>(p.Y);
        if (key == previous) continue;
        previous = key;
        if (onGrid(p)) {
            auto bit = grid[uint64_t(int64_t{p.Y} - first.Y) * columns + uint64_t(int64_t{p.X} - first.X)];
            if (bit) continue;
            bit = true;
            distinct.push_back(i);
        } else if (seen.insert(key).second) {
            distinct.push_back(i);
        }
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
