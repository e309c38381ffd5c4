// The field forms of version-20 documents: 16-bit counts, strings with a
// 16-bit size in front of a length byte, colours as palette codes, and the
// curve attribute record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Tvariable.h"
#include "util/StreamIO.h"

namespace qv {

// The palette colour a 16-bit code selects (code modulo 16).
uint32_t ColourOfCode(int16_t code);
uint32_t ReadColourCode(InStream& in);

// A 16-bit switch: any value but 0 is on.
bool ReadSwitch16(InStream& in);

// A 16-bit size L, then L + 1 bytes: a length byte and L characters. A length
// byte that claims more than L takes only the L characters present.
std::string ReadText20(InStream& in);
// The same size and bytes, but the text ends at its first zero byte.
std::string ReadZeroText20(InStream& in);
// A 16-bit count, then that many texts.
std::vector<std::string> ReadTextList20(InStream& in);

// The fewest bytes a text takes: its size and its length byte.
inline constexpr std::size_t MinText20Bytes = 3;

// A count stored as the number minus one (the start value pairs); checked
// against the remaining bytes like any other count.
std::size_t ReadCountMinusOne16(InStream& in, std::size_t minItemBytes);

struct CurveAttributes20 {
    uint8_t PenStyle = 0;
    int32_t LineWidth = 0;
    uint32_t LineColour = 0;
    bool Smooth = false;
    int32_t PointForm = 0;
    int32_t PointSize = 0;
    uint32_t PointColour = 0;
};

// The record as its fields follow one another: 26 bytes.
CurveAttributes20 ReadCurveAttributes(InStream& in);
// The record of the table of 51, padded to 32 bytes.
CurveAttributes20 ReadPaddedCurveAttributes(InStream& in);

// The variable takes the attributes as its own (Changed set).
void ApplyCurveAttributes(Tvariable& variable, const CurveAttributes20& attributes);

// The diagram type code: 3 line, 4 line and points, 5 points, 8 bars; any
// other code draws lines.
int32_t CurveKindOfCode(int16_t code);

// A start value text with either decimal separator; 0 when it is no number.
double StartValueOfText(const std::string& text);

// Every occurrence of the time step's name, in any case, spelled "ZEITSCHRITT".
std::string SpellTimeStep(std::string text);

}  // namespace qv
