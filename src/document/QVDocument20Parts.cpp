#include "document/QVDocument20Parts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engine/QVCompile.h"
#include "model/QVGrafElements.h"
#include "util/Palette.h"
#include "util/TextHelpers.h"

namespace qv {

namespace {

// The size and the bytes of a text; the size is at most 32767, so the
// buffer stays small even before the bytes are known to be there.
std::string ReadSizedBytes(InStream& in) {
    const int16_t size = in.readInt16();
    if (size < 0) throw StreamError(DamagedRecordText);
    std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
    in.readBytes(bytes.data(), bytes.size());
    return bytes;
}

}  // namespace

uint32_t ColourOfCode(int16_t code) { return Farbtabelle[static_cast<uint16_t>(code) % Farbtabelle.size()].Colour; }

uint32_t ReadColourCode(InStream& in) { return ColourOfCode(in.readInt16()); }

bool ReadSwitch16(InStream& in) { return in.readInt16() != 0; }

std::string ReadText20(InStream& in) {
    std::string bytes = ReadSizedBytes(in);
    const std::size_t length = std::min<std::size_t>(static_cast<uint8_t>(bytes[0]), bytes.size() - 1);
    return bytes.substr(1, length);
}

std::string ReadZeroText20(InStream& in) {
    std::string bytes = ReadSizedBytes(in);
    bytes.resize(std::min(bytes.find('\0'), bytes.size() - 1));
    return bytes;
}

std::vector<std::string> ReadTextList20(InStream& in) {
    const std::size_t count = in.readCount16(MinText20Bytes);
    std::vector<std::string> list;
    list.reserve(count);
    for (std::size_t i = 0; i < count; ++i) list.push_back(ReadText20(in));
    return list;
}

std::size_t ReadCountMinusOne16(InStream& in, std::size_t minItemBytes) {
    const int32_t count = int32_t{in.readInt16()} + 1;
    if (count <= 0) return 0;
    const auto items = static_cast<std::size_t>(count);
    if (items > in.remaining() / std::max<std::size_t>(minItemBytes, 1)) throw StreamError(DamagedRecordText);
    return items;
}

CurveAttributes20 ReadCurveAttributes(InStream& in) {
    CurveAttributes20 a;
    a.PenStyle = static_cast<uint8_t>(in.readInt16() & 0xFF);
    // Widths and point sizes are kept within what the curve dialog admits.
    a.LineWidth = std::max<int32_t>(0, in.readInt16());
    a.LineColour = ReadColourCode(in);
    in.readByte();
    a.Smooth = in.readBool();
    a.PointForm = static_cast<uint16_t>(in.readInt16()) % 3;
    a.PointSize = std::clamp<int32_t>(in.readInt16(), 1, 15);
    in.readInt16();
    a.PointColour = ReadColourCode(in);
    in.readDouble();
    in.readInt16();
    return a;
}

CurveAttributes20 ReadPaddedCurveAttributes(InStream& in) {
    // The record's double is aligned to 8 bytes, so its end is padded too.
    constexpr std::size_t Padding = 32 - 26;
    CurveAttributes20 a = ReadCurveAttributes(in);
    uint8_t padding[Padding];
    in.readBytes(padding, Padding);
    return a;
}

void ApplyCurveAttributes(Tvariable& variable, const CurveAttributes20& a) {
    variable.LineStyle = a.PenStyle;
    variable.LineWidth = a.LineWidth;
    variable.LineColour = static_cast<int32_t>(a.LineColour);
    variable.Splines = a.Smooth;
    variable.PointForm = a.PointForm;
    variable.PointSize = a.PointSize;
    variable.PointColour = static_cast<int32_t>(a.PointColour);
    variable.Changed = true;
}

int32_t CurveKindOfCode(int16_t code) {
    switch (code) {
        case 4: return 2;
        case 5: return 1;
        case 8: return 3;
        default: return 0;
    }
}

double StartValueOfText(const std::string& text) {
    std::string number = TrimBlanks(text);
    std::replace(number.begin(), number.end(), ',', '.');
    if (!number.empty() && number.front() == '+') number.erase(0, 1);
    double value = 0;
    const char* end = number.data() + number.size();
    auto [stop, error] = std::from_chars(number.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return 0;
    return value;
}

std::string SpellTimeStep(std::string text) {
    const std::string upper = UpperCase1252(text);
    for (std::size_t at = upper.find(TimeStepName); at != std::string::npos;
         at = upper.find(TimeStepName, at + TimeStepName.size()))
        text.replace(at, TimeStepName.size(), TimeStepName);
    return text;
}

}  // namespace qv
