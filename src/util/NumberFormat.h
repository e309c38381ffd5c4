// Real numbers as the program shows and reads them: the user's decimal
// separator, no thousands separators, three formats with precision and digits.
//
// Rounding is "half away from zero" on the shortest decimal that reads back as
// the same double (the digits std::to_chars prints, at most 17 of them). So a
// value the user typed as 2.675 shows as "2,68" at three digits, exactly as a
// pupil rounding by hand expects, although the binary double lies a little
// below 2.675. Rounding the full binary expansion instead would show "2,67".
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Process-wide; set once from the user's locale at start-up, tests set it.
struct FormatSettings {
    char DecimalSeparator = ',';
};

FormatSettings& Formats();

enum class RealFormat { General, Exponent, Fixed };

// Precision (significant digits) is clamped to 2 … 18. Digits is the minimum
// exponent width for General and Exponent (above 4 means no padding) and the
// number of decimals for Fixed (clamped to 0 … 18). A value that rounds to
// zero is written without a minus sign; infinities give "INF"/"-INF", NaN "NAN".
std::string FormatReal(double Value, RealFormat Format, int Precision, int Digits);

// General format, precision 15, no exponent padding.
std::string RealToText(double Value);

// Accepts blanks around an optional sign, digits with at most one user
// decimal separator and an optional exponent ("E-5"). Rejects anything else,
// including the "." when the user's separator is ",", and values beyond the
// range of a double (overflow and underflow alike). Value is left alone on
// failure.
bool TextToReal(const std::string& Text, double& Value);

// Blanks around an optional sign and decimal digits; false when out of range.
bool TextToInteger(const std::string& Text, int64_t& Value);

}  // namespace qv
