// The curves of a chart (`TPlot`): building them and their legend entries
// from the results of a simulation, completing the automatic scaling after
// a run, and finding the variable behind a clicked curve.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "drawing/bskomplex.h"

namespace qv {

class Tgraf3d;
class tsim;
struct Tvariable;

// One curve: the line, points, bars and animation picture of a variable.
// Written as a plain group (tag 5) whose point markers are TPunkts; curves
// are rebuilt on every display.
class TPlot : public TKomplex {
public:
    TPlot() = default;
    bool SaveToStream(OutStream& out) const override;
    // Hit when any part is hit.
    bool HitTest(int32_t x, int32_t y) override;
};

// Builds the curves of one simulation into the chart and its legend entries
// onto the page (placed by placeLegends once the chart is laid out). While
// animating, animated variables show up to their Frame, with their picture
// from the simulation's AnimationPictures.
void buildCurves(tsim& simulation, Tgraf3d& chart, TKomplex& page, bool animating);

// Frees every legend entry on the page (before the curves are built anew).
void removeLegends(TKomplex& page);

// Rounds the vertical axis and places the axes where they cross; only when
// the chart scales automatically.
void finishVerticalRange(Tgraf3d& chart);

// The variables whose curve is the given one (usually one).
std::vector<Tvariable*> findVariableOfCurve(std::span<const std::unique_ptr<tsim>> simulations, const TPlot* curve);

}  // namespace qv
