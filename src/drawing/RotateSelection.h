// Turning the selected objects of a page to an angle ("Drehen").
#pragma once

#include <cstdint>
#include <optional>

namespace qv {

class TKomplex;

// The angle of the first selected child; none when nothing is selected.
std::optional<int32_t> SelectedAngle(const TKomplex& page);

// Turns every selected child to angle (tenths of a degree); a group passes
// the difference on to its members. False, and nothing turned, when the
// corners of an object cannot be turned (its box lies beyond what the
// arithmetic holds).
bool RotateSelectedTo(TKomplex& page, int32_t angle);

}  // namespace qv
