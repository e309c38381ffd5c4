// The start-value sliders of a document: which input variables of which
// simulation have a slider, over what range, and how a slider position of
// 0 … SliderSteps maps to a value. The rows live in the user's settings, not
// in the document file, so they travel as a short text (EncodeSliderRows).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv {

inline constexpr int SliderSteps = 1000;

inline constexpr const char* TooSlowText =
    "Zu langsam f\xFCr Live-Vorschau \x97 Wert wird beim Loslassen \xFC"
    "bernommen";

struct SliderRow {
    std::string Simulation;
    std::string Variable;
    double From = 0;
    double To = 1;
    bool operator==(const SliderRow&) const = default;
};

// A new row: 0 to twice the value (twice the value to 0 for a negative
// one, 0 to 1 for 0), so the current value sits in the middle of the range
// or at its end.
SliderRow NewSliderRow(const std::string& simulation, const std::string& variable, double value);

// The position nearest to value, held within the range.
int SliderPosition(const SliderRow& row, double value);
// The value at a position; the ends give From and To exactly.
double SliderValue(const SliderRow& row, int position);

// Checks the range texts the user typed (the user's decimal separator);
// without a message from and to are set, otherwise they are left alone.
std::optional<std::string> CheckSliderRange(const std::string& fromText, const std::string& toText, double& from,
                                            double& to);

// The rows as one line per row for the settings and back. Lines that do not
// read as a row (a damaged or hand-edited setting) are left out.
std::string EncodeSliderRows(const std::vector<SliderRow>& rows);
std::vector<SliderRow> DecodeSliderRows(const std::string& text);

}  // namespace qv
