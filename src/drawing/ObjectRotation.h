// "Drehen": turning a page object to a new angle.
#pragma once

#include <cstdint>

#include "drawing/BSSimple.h"

namespace qv {

// Turns the object to the angle (tenths of a degree, any value; kept within
// one turn); a group turns its members with it. When the object's corners
// cannot be turned (a box beyond the range of numbers, as a damaged file may
// bring) the object stays as it was and the result is false: the caller
// says RotationErrorText.
bool RotateObjectTo(Tsimple& object, int32_t angle);

}  // namespace qv
