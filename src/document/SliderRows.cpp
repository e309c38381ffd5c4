#include "document/SliderRows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>

#include "util/NumberFormat.h"

namespace qv {

SliderRow NewSliderRow(const std::string& simulation, const std::string& variable, double value) {
    SliderRow row{simulation, variable, 0, 1};
    if (!std::isfinite(value) || value == 0) return row;
    // Twice a value near the largest double would overflow; its range then ends
    // at the largest one.
    const double twice = std::clamp(2 * value, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
    if (value > 0) {
        row.To = twice;
    } else {
        row.From = twice;
        row.To = 0;
    }
    return row;
}

// Halved so that a range from near the lowest to near the largest double
// does not overflow.
int SliderPosition(const SliderRow& row, double value) {
    if (std::isnan(value)) return 0;
    const double share = (value / 2 - row.From / 2) / (row.To / 2 - row.From / 2);
    return static_cast<int>(std::lround(std::clamp(share, 0.0, 1.0) * SliderSteps));
}

double SliderValue(const SliderRow& row, int position) {
    const double share = static_cast<double>(std::clamp(position, 0, SliderSteps)) / SliderSteps;
    return row.From * (1 - share) + row.To * share;
}

std::optional<std::string> CheckSliderRange(const std::string& fromText, const std::string& toText, double& from,
                                            double& to) {
    double lower = 0, upper = 0;
    if (!TextToReal(fromText, lower)) return fromText + " ist kein g\xFCltiger Gleitkommawert.";
    if (!TextToReal(toText, upper)) return toText + " ist kein g\xFCltiger Gleitkommawert.";
    if (!(lower < upper)) return "Der Wert bei \"von\" muss kleiner sein als der Wert bei \"bis\".";
    from = lower;
    to = upper;
    return std::nullopt;
}

namespace {

std::string Exact(double value) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

bool ReadExact(const std::string& text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool Encodable(const std::string& name) { return name.find_first_of("\t\n") == std::string::npos; }

}  // namespace

std::string EncodeSliderRows(const std::vector<SliderRow>& rows) {
    std::string text;
    for (const SliderRow& row : rows)
        if (Encodable(row.Simulation) && Encodable(row.Variable))
            text += row.Simulation + '\t' + row.Variable + '\t' + Exact(row.From) + '\t' + Exact(row.To) + '\n';
    return text;
}

std::vector<SliderRow> DecodeSliderRows(const std::string& text) {
    std::vector<SliderRow> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
        SliderRow row{};
        if (fields.size() != 4 || fields[1].empty() || !ReadExact(fields[2], row.From) ||
            !ReadExact(fields[3], row.To) || !(row.From < row.To))
            continue;
        row.Simulation = fields[0];
        row.Variable = fields[1];
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace qv
