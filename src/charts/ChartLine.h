// A plain line between two page points with a pen of its own, as the
// charts generate them for ticks, auxiliary lines and thin bars.
#pragma once

#include <memory>

#include "drawing/BSSline.h"

namespace qv {

// The pen is set here rather than through the global line defaults, so
// that building a chart never changes what the user draws next.
inline std::unique_ptr<TLine> MakeChartLine(RealPoint from, RealPoint to, uint32_t colour, double widthMm, uint8_t style) {
    auto line = std::make_unique<TLine>();
    line->LineColour = colour;
    line->LineWidth = widthMm;
    line->LineStyle = style;
    line->ArrowAtEnd = line->ArrowAtStart = false;
    line->SetX(from.X);
    line->SetY(from.Y);
    line->SetWidth(to.X - from.X);
    line->SetHeight(to.Y - from.Y);
    return line;
}

}  // namespace qv
