// Automatic axis scaling and the text of an axis number: the arithmetic
// behind the chart axes, kept apart from the drawing objects.
#pragma once

#include <cstddef>
#include <string>

namespace qv {

// Widens and rounds a data range in place and returns the distance of two
// large ticks. A range whose logarithm cannot be taken (empty, reversed or
// not finite) keeps the widened values and gets a tenth of it as the step.
double niceScale(double& minimum, double& maximum);

// The text of an axis number, Windows-1252: general format with four
// significant digits, trailing zeros dropped, and an exponent written as
// "·10" followed by the exponent ("1,5·10-05"). ExponentChars counts the
// characters at the end that hold the exponent (0 when there is none), so
// the text object can raise them.
struct AxisNumberText {
    std::string Text;
    std::size_t ExponentChars = 0;
};

// A value closer to zero than a hundredth of the step is "0".
AxisNumberText axisNumberText(double step, double value);

}  // namespace qv
