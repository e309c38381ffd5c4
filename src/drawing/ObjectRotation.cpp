#include "drawing/ObjectRotation.h"

#include "drawing/bskomplex.h"
#include "util/Geometry.h"

namespace qv {

bool RotateObjectTo(Tsimple& object, int32_t angle) {
    const int32_t target = NormalAngle(angle);
    const double left = object.X(), top = object.Y();
    const double right = left + object.Width(), bottom = top + object.Height();
    for (auto [x, y] : {RealPoint{left, top}, RealPoint{right, top}, RealPoint{right, bottom}, RealPoint{left, bottom}})
        if (!RotatePoint(x, y, object.CentreX(), object.CentreY(), target)) return false;
    const int32_t old = object.Angle;
    object.Angle = target;
    if (auto* group = dynamic_cast<TKomplex*>(&object))
        group->RotateBy(NormalAngle(int64_t{target} - old));
    else
        object.GeometryChanged();
    return true;
}

}  // namespace qv
