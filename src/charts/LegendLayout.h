// Where the legend entries of a display go: along the top of the page in
// reading order, clear of each other and of the numbers on the chart's axes.
#pragma once

#include <cstdint>

namespace qv {

class TKomplex;
class Tgraf3d;

// The place of the first legend entry of a display, in pixels.
inline constexpr int32_t FirstLegendX = 10;
inline constexpr int32_t FirstLegendY = 0;

// Places every legend entry on the page, once the chart is laid out: in list
// order from the first place to the right, onto a new line where the page
// width is used up, and further right (or onto the next line) where an
// entry would cover a number on one of the chart's visible axes.
void placeLegends(TKomplex& page, const Tgraf3d& chart);

}  // namespace qv
