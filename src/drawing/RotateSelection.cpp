#include "drawing/RotateSelection.h"

#include <algorithm>
#include <array>

#include "drawing/bskomplex.h"
#include "util/Geometry.h"

namespace qv {

namespace {

bool CornersTurn(const Tsimple& object, int32_t angle) {
    const double left = object.X(), top = object.Y();
    const double right = left + object.Width(), bottom = top + object.Height();
    std::array<RealPoint, 4> corners{{{left, top}, {right, top}, {left, bottom}, {right, bottom}}};
    return std::all_of(corners.begin(), corners.end(), [&](RealPoint corner) {
        return RotatePoint(corner.X, corner.Y, object.CentreX(), object.CentreY(), angle);
    });
}

}  // namespace

std::optional<int32_t> SelectedAngle(const TKomplex& page) {
    for (const auto& child : page.Children)
        if (child->Selected()) return child->Angle;
    return std::nullopt;
}

bool RotateSelectedTo(TKomplex& page, int32_t angle) {
    angle = NormalAngle(angle);
    for (const auto& child : page.Children)
        if (child->Selected() && !CornersTurn(*child, angle)) return false;
    for (auto& child : page.Children) {
        if (!child->Selected()) continue;
        const int32_t old = child->Angle;
        child->Angle = angle;
        if (auto* group = dynamic_cast<TKomplex*>(child.get()))
            group->RotateBy(NormalAngle(int64_t{angle} - old));
        else
            child->GeometryChanged();
    }
    return true;
}

}  // namespace qv
