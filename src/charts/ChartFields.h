// The settings of a chart as plain data, the part of its record that
// follows the group record, and the projection of a value triple onto the
// page.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "charts/AxisFields.h"
#include "util/Geometry.h"
#include "util/StreamIO.h"

namespace qv {

struct ChartRect {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

struct ChartPercent {
    int32_t Left = 10, Top = 10, Width = 80, Height = 80;
};

struct ChartFont {
    std::string Name = "Arial";  // Windows-1252
    int32_t Size = 12;           // points
    uint32_t Colour = 0;
    uint8_t Style = 0;  // bit 0 bold, bit 1 italic, bit 2 underline
};

struct ChartFields {
    int32_t viewAngle = 2500;  // tenths of a degree: the direction of the depth axis
    double depthFactor = 0.7;
    ChartRect plotRect{0, 0, 16, 12};
    bool threeD = false;
    ChartPercent plotPercent;
    uint32_t chartColor = 0xC0C0C0;
    bool autoScale = true;
    int32_t animationInterval = 50;  // ms
    bool showLegend = true;
    ChartFont labelFont;
};

// Fields 1 to 19 of the chart record (everything before the axis references).
void WriteChartFields(OutStream& out, const ChartFields& chart);
void ReadChartFields(InStream& in, ChartFields& chart);

// The rectangle plotPercent marks on a page of the given size (cm).
ChartRect PercentRect(const ChartPercent& percent, double pageWidth, double pageHeight);

// Page positions (cm) of value triples. The view angle and the axis ranges
// are taken once, so that a curve of many values pays only for arithmetic;
// the results are the same, bit for bit, as those of ProjectOnChart.
class ChartProjection {
public:
    ChartProjection(const ChartFields& chart, const Taxis3DFields& vertical, const Taxis3DFields& horizontal,
                    const Taxis3DFields& depth);
    // Depth counts only in a 3-D chart. A triple that cannot be placed goes
    // to (-1, -1).
    RealPoint operator()(double v, double h, double d) const { return Placed(pageX(h, d), pageY(v, d)); }

    // The two halves: across from the horizontal and depth values (the same
    // for every curve of a simulation), down from the vertical and depth
    // values; Placed puts them together.
    double pageX(double h, double d) const { return plot_.Left + plot_.Width * (horizontal_(h) + depthX_ * depthPlace(d)); }
    double pageY(double v, double d) const {
        return plot_.Top + plot_.Height - plot_.Height * (vertical_(v) + depthY_ * depthPlace(d));
    }
    static RealPoint Placed(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return {-1, -1};
        return {x, y};
    }

private:
    // Where a value lies on an axis, 0 at its minimum and 1 at its maximum;
    // not finite when the value cannot be placed (a log axis and a value
    // <= 0, an empty range).
    struct AxisPlace {
        explicit AxisPlace(const Taxis3DFields& axis);
        double operator()(double value) const {
            if (!logarithmic) return (value - minimum) / span;
            if (!(value > 0) || !placeable) return NAN;
            return std::log(value / minimum) / span;
        }
        double minimum, span;  // span: log(maximum / minimum) on a log axis
        bool logarithmic, placeable;
    };

    double depthPlace(double d) const { return threeD_ ? depth_(d) : 0.0; }

    AxisPlace vertical_, horizontal_, depth_;
    bool threeD_;
    double depthX_, depthY_;  // cos and sin of the view angle, times the depth factor
    ChartRect plot_;
};

// The same for one triple.
RealPoint ProjectOnChart(const ChartFields& chart, const Taxis3DFields& vertical, const Taxis3DFields& horizontal,
                         const Taxis3DFields& depth, double v, double h, double d);

}  // namespace qv
