// `tlegend` (tag 15): a legend entry on the page, a short line in a
// curve's pen and the name of its variable.
#pragma once

#include <string>

#include "drawing/BSSline.h"

namespace qv {

class TPlot;
struct Tvariable;

// The font of all legend entries (the format command "&Legende" sets it).
struct LegendFontSettings {
    std::string Name = "Arial";  // Windows-1252
    int32_t Size = 12;           // points
    uint8_t Style = 0;
};

LegendFontSettings& LegendFont();

class tlegend : public TSimpleLine {
public:
    // The entry of a variable's curve at a pixel position, sized to its text.
    tlegend(const Tvariable& variable, TPlot* curve, int32_t pixX, int32_t pixY);
    explicit tlegend(InStream& in);

    std::string Text;         // Windows-1252
    TPlot* Curve = nullptr;  // not owned, not stored

    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    bool SaveToStream(OutStream& out) const override;
};

// "Name" or "Name [Simulation]" when the document has several simulations.
std::string LegendText(const Tvariable& variable);

}  // namespace qv
