#include "util/EntryChecks.h"

#include "util/NumberFormat.h"

namespace qv {

namespace {

std::string OutOfRange(const std::string& lower, const std::string& upper) {
    return "Wert nicht in den Grenzen " + lower + "<...<" + upper;
}

std::optional<std::string> CheckReal(const std::string& text, double lower, double upper,
                                     std::string (*bound)(double)) {
    double value = 0;
    if (!TextToReal(text, value)) return text + " ist kein g\xFCltiger Gleitkommawert.";
    if (value < lower || value > upper) return OutOfRange(bound(lower), bound(upper));
    return std::nullopt;
}

std::string FixedBound(double value) { return FormatReal(value, RealFormat::Fixed, 5, 2); }

}  // namespace

std::optional<std::string> CheckRealInRange(const std::string& Text, double Lower, double Upper) {
    return CheckReal(Text, Lower, Upper, FixedBound);
}

std::optional<std::string> CheckRealInRangeGeneral(const std::string& Text, double Lower, double Upper) {
    return CheckReal(Text, Lower, Upper, RealToText);
}

std::optional<std::string> CheckIntegerInRange(const std::string& Text, int64_t Lower, int64_t Upper) {
    int64_t value = 0;
    if (!TextToInteger(Text, value)) return Text + " ist keine g\xFCltige ganze Zahl.";
    if (value < Lower || value > Upper) return OutOfRange(std::to_string(Lower), std::to_string(Upper));
    return std::nullopt;
}

}  // namespace qv
