// `Taxis3D`: one axis of a chart (tag 63) with its scale settings, the
// building of all axes of a chart (`buildAxes`) and the text of an axis
// number (`formatAxisNumber`).
#pragma once

#include <stdexcept>
#include <string>

#include "charts/AxisScale.h"
#include "charts/bsaxis.h"

namespace qv {

class Tgraf3d;
class ttext;

// German texts of the axes that cannot be built (Windows-1252).
inline constexpr const char* StepNotPositiveText = "Achsenfortschritt muss gr\xF6\xDF" "er als 0 sein!";
inline constexpr const char* LogStepTooSmallText = "Achsenfortschritt muss gr\xF6\xDF" "er als 1 sein!";
inline constexpr const char* LogNotPositiveText = "Logarithmische Skala nur mit positiven Achsenwerten erlaubt!";

// An axis whose settings do not give a scale; what() is one of the texts above.
class AxisError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Taxis3D : public TAxis, public Taxis3DFields {
public:
    // A chart axis: 0 … 5, step 1, four small ticks, auxiliary lines on.
    Taxis3D();
    explicit Taxis3D(InStream& in);

    bool SaveToStream(OutStream& out) const override;
    // An invisible axis keeps its place in the layout but draws nothing.
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
};

// Throws the chart's generated children away and builds the axes, their
// ticks and numbers and the auxiliary lines again from the axis settings.
// Throws AxisError; the chart then stays partly built.
void buildAxes(Tgraf3d& chart);

// Fills a text (which carries the label font) with the axis number of value
// on an axis with the given step; the exponent is raised.
void formatAxisNumber(ttext& text, double step, double value);

}  // namespace qv
