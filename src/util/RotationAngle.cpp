#include "util/RotationAngle.h"

#include <cmath>

#include "util/NumberFormat.h"

namespace qv {

std::string AngleToText(int32_t tenths) { return FormatReal(tenths / 10.0, RealFormat::Fixed, 15, 1); }

int32_t AngleFromDegrees(double degrees) {
    // The default rounding mode rounds halves to even.
    const auto tenths = static_cast<int32_t>(std::nearbyint(degrees * 10));
    return ((tenths % 3600) + 3600) % 3600;
}

}  // namespace qv
