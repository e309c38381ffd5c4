#include "charts/AxisScale.h"

#include <cmath>

#include "util/NumberFormat.h"

namespace qv {

namespace {

// The arithmetic of niceScale as it would run with floating-point traps on:
// every step that would trap reports false, and the caller falls back to a
// tenth of the range as it stands at that moment.
bool roundRange(double& minimum, double& maximum, double& step) {
    const double range = maximum - minimum;
    if (!(range > 0) || !std::isfinite(range)) return false;
    const double c = std::trunc(std::log10(range));
    if (minimum > 0 && std::log10(maximum) == c) minimum = 0;
    if (maximum < 0 && std::log10(-minimum) == c) maximum = 0;
    const double u = std::pow(10.0, c - 1);
    if (!(u > 0) || !std::isfinite(u)) return false;
    const double lower = std::trunc(minimum / u);
    const double upper = std::trunc(maximum / u) + 1;
    if (!std::isfinite(lower) || !std::isfinite(upper)) return false;
    minimum = (minimum >= 0 ? lower : lower - 1) * u;
    maximum = upper * u;
    const double d = maximum - minimum;
    if (!std::isfinite(d)) return false;
    step = d / (2 * u) > 10 ? 5 * u : d / u > 10 ? 2 * u : u;
    if (d / step < 3) step /= 2;
    return true;
}

}  // namespace

double niceScale(double& minimum, double& maximum) {
    minimum *= minimum > 0 ? 0.9 : 1.1;
    maximum *= maximum > 0 ? 1.1 : 0.9;
    double step = 0;
    if (!roundRange(minimum, maximum, step)) step = (maximum - minimum) / 10;
    return step;
}

AxisNumberText axisNumberText(double step, double value) {
    if (std::fabs(value) < step / 100) return {"0", 0};
    std::string text = FormatReal(value, RealFormat::General, 4, 2);
    std::string exponent;
    if (const auto e = text.find_first_of("eE"); e != std::string::npos) {
        exponent = text.substr(e + 1);
        text.erase(e);
    }
    const char separator = Formats().DecimalSeparator;
    while (text.find(separator) != std::string::npos && (text.back() == '0' || text.back() == separator))
        text.pop_back();
    if (exponent.empty()) return {text, 0};
    return {text + "\xB7" "10" + exponent, exponent.size()};
}

}  // namespace qv
