// The angle the user enters in "Drehen": degrees in the box, tenths of a
// degree (0 … 3599) on the objects.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Degrees as the box shows them, one decimal.
std::string AngleToText(int32_t tenths);

// Tenths of a degree in 0 … 3599 for an entry between -360 and 360 degrees,
// halves rounded to even: -90 gives 2700, 360 gives 0.
int32_t AngleFromDegrees(double degrees);

}  // namespace qv
