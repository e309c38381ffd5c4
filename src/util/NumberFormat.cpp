#include "util/NumberFormat.h"

#include "util/TextHelpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace qv {

namespace {

// A non-negative value as 0.Digits × 10^Exponent. No leading or trailing
// zeros in Digits; zero has no digits at all.
struct Decimal {
    std::string Digits;
    int Exponent = 0;
};

void StripTrailingZeros(Decimal& d) {
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    if (d.Digits.empty()) d.Exponent = 0;
}

Decimal ShortestDecimal(double magnitude) {
    Decimal d;
    if (magnitude == 0) return d;
    char buffer[64];
    // Scientific form "d.ddde±x" of the shortest round-trip digits.
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    std::string text(buffer, result.ptr);
    auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.Digits += text[i];
    d.Exponent = std::atoi(text.c_str() + e + 1) + 1;
    StripTrailingZeros(d);
    return d;
}

// Keeps `keep` significant digits, rounding half away from zero (the value is
// a magnitude, so rounding up moves away from zero). keep ≤ 0 rounds at or
// before the first digit.
void RoundTo(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.Digits.size())) return;
    if (keep < 0) {
        d = Decimal{};
        return;
    }
    bool up = d.Digits[static_cast<std::size_t>(keep)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9') d.Digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.Digits[static_cast<std::size_t>(i)];
        } else {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Exponent;
        }
    }
    StripTrailingZeros(d);
}

// The digit at position i of Digits, '0' beyond either end.
char DigitAt(const Decimal& d, int i) {
    return i >= 0 && i < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<std::size_t>(i)] : '0';
}

std::string PaddedExponent(int exponent, int digits, bool alwaysSign) {
    std::string text = exponent < 0 ? "-" : alwaysSign ? "+" : "";
    std::string number = std::to_string(std::abs(exponent));
    if (digits > 4) digits = 0;
    if (static_cast<int>(number.size()) < digits) text.append(static_cast<std::size_t>(digits) - number.size(), '0');
    return text + number;
}

// First digit, the separator and `fraction` further digits, then the exponent.
std::string Scientific(const Decimal& d, int fraction, int digits, bool alwaysSign) {
    std::string text(1, DigitAt(d, 0));
    if (fraction > 0) {
        text += Formats().DecimalSeparator;
        for (int i = 1; i <= fraction; ++i) text += DigitAt(d, i);
    }
    int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
    return text + 'E' + PaddedExponent(exponent, digits, alwaysSign);
}

std::string General(const Decimal& d, int precision, int digits) {
    const int count = static_cast<int>(d.Digits.size());
    if (d.Exponent < -3 || d.Exponent > precision) return Scientific(d, count - 1, digits, false);
    std::string text;
    if (d.Exponent <= 0) {
        text = "0";
        if (count > 0) text += Formats().DecimalSeparator + std::string(static_cast<std::size_t>(-d.Exponent), '0') + d.Digits;
        return text;
    }
    for (int i = 0; i < d.Exponent; ++i) text += DigitAt(d, i);
    if (count > d.Exponent) text += Formats().DecimalSeparator + d.Digits.substr(static_cast<std::size_t>(d.Exponent));
    return text;
}

std::string Fixed(const Decimal& d, int digits) {
    std::string text;
    if (d.Exponent <= 0) text = "0";
    for (int i = 0; i < d.Exponent; ++i) text += DigitAt(d, i);
    if (digits > 0) {
        text += Formats().DecimalSeparator;
        for (int i = 0; i < digits; ++i) text += DigitAt(d, d.Exponent + i);
    }
    return text;
}

}  // namespace

FormatSettings& Formats() {
    static FormatSettings settings;
    return settings;
}

std::string FormatReal(double Value, RealFormat Format, int Precision, int Digits) {
    if (std::isnan(Value)) return "NAN";
    const std::string sign = std::signbit(Value) ? "-" : "";
    if (std::isinf(Value)) return sign + "INF";
    Precision = std::clamp(Precision, 2, 18);
    Digits = std::max(Digits, 0);

    const Decimal exact = ShortestDecimal(std::fabs(Value));
    Decimal rounded = exact;
    RoundTo(rounded, Precision);
    std::string text;
    if (Format == RealFormat::Fixed && rounded.Exponent <= Precision) {
        Digits = std::min(Digits, 18);
        rounded = exact;
        RoundTo(rounded, std::min(Precision, exact.Exponent + Digits));
        text = Fixed(rounded, Digits);
    } else if (Format == RealFormat::Exponent) {
        text = Scientific(rounded, Precision - 1, Digits, true);
    } else {
        text = General(rounded, Precision, Digits);
    }
    return rounded.Digits.empty() ? text : sign + text;
}

std::string RealToText(double Value) { return FormatReal(Value, RealFormat::General, 15, 0); }

bool TextToReal(const std::string& Text, double& Value) {
    std::string text = TrimBlanks(Text);
    std::string plain;  // the number in the form std::from_chars reads
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
    }
    auto takeDigits = [&] {
        std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') plain += text[i++];
        return i - start;
    };
    std::size_t mantissa = takeDigits();
    if (i < text.size() && text[i] == Formats().DecimalSeparator) {
        plain += '.';
        ++i;
        mantissa += takeDigits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        if (takeDigits() == 0) return false;
    }
    if (i != text.size()) return false;
    double parsed = 0;
    auto result = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) return false;
    Value = parsed;
    return true;
}

bool TextToInteger(const std::string& Text, int64_t& Value) {
    std::string text = TrimBlanks(Text);
    // from_chars takes a "-" but no "+".
    if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9') text.erase(0, 1);
    int64_t parsed = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), parsed, 10);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
    Value = parsed;
    return true;
}

}  // namespace qv
