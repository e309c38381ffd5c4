// One character of a rich text with its own attributes and the results of
// the last layout step for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// Bits of a font style byte.
enum FontStyleBits : uint8_t { StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8 };

inline constexpr uint8_t ParagraphEnd = 13;
inline constexpr double CmPerPoint = 0.035;

// A character's own font; it overrides the text's colour, style and name.
struct TCharFont {
    uint32_t Colour = 0;
    uint8_t Style = 0;
    std::string Name;
    friend bool operator==(const TCharFont&, const TCharFont&) = default;
};

// Where the layout put a character, all in cm: X is the pen position after
// the character (so the character starts at X - Advance), Top the top of its
// line, Height the line height so far, Ascent the line's ascent, Advance the
// step to the next character and ExtraWidth the width of the ExtraGlyph.
struct TCharCache {
    bool Cached = false;
    double X = 0, Top = 0, Height = 0, Ascent = 0, Advance = 0, ExtraWidth = 0;
};

struct TcharWithAttr {
    uint8_t Glyph = 65;  // drawn
    uint8_t Code = 65;   // typed
    uint8_t ExtraGlyph = 0;
    double Size = 12;  // points
    bool Outline = false;
    bool SoftBreak = false;  // the line breaks after this character
    double Shift = 0;        // cm, positive upwards
    std::optional<TCharFont> Font;
    TCharCache Cache;

    bool IsParagraphEnd() const { return Code == ParagraphEnd; }
    bool EndsLine() const { return IsParagraphEnd() || SoftBreak; }
};

}  // namespace qv
