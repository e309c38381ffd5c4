// The content and format of a rich text, apart from its box on the page:
// everything the layout, the ruling and the record need besides the box
// size. `ttext` adds the box and the line attributes.
#pragma once

#include "drawing/TextChar.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct TextBody {
    double TextSize = 12;  // points
    std::vector<TcharWithAttr> Chars;
    uint32_t RulingColour = 0;
    int32_t CellAlign = 0;
    uint8_t FontStyle = 0;
    bool DefaultOutline = false;
    bool LeftEdge = true, RightEdge = true;
    std::string FontName = "Arial";
    double CellWidth = 0.5, CellHeight = 0.5;
    double SuperShift = 0.4, SubShift = -0.3;
    double ScriptScale = 0.6;
    double MarginLeft = 0.1, MarginRight = 0.1, MarginTop = 0.1, MarginBottom = 0.1;
    double ScriptRoom = 0;  // computed by the layout of the first line
    int32_t LineSpacing = 120;
    uint8_t Alignment = 0;
    double Ascent = 0, Descent = 0;  // of the text's own font, cm
    bool AutoSize = true;
    uint8_t PaperStyle = 1;
    int32_t SelStart = 0, SelEnd = 0, Caret = 0;
    uint8_t WrapMode = 3;
    uint8_t SecondMode = 3;  // kept for the record; the program gives it no meaning
    bool Editing = false;    // the editing control is attached to this text

    bool IsSquared() const { return PaperStyle > 6; }
    bool IsRuled() const { return PaperStyle >= 2 && PaperStyle <= 6; }
    // The height of one line of the text's own size, cm.
    double BaseHeight() const { return TextSize * CmPerPoint; }
    // The pitch of ruled paper, cm.
    double RuledPitch() const { return BaseHeight() * LineSpacing / 100.0; }
    // The own font's name, or the text's.
    const std::string& FontNameOf(const TcharWithAttr& ch) const { return ch.Font ? ch.Font->Name : FontName; }
    uint8_t StyleOf(const TcharWithAttr& ch) const { return ch.Font ? ch.Font->Style : FontStyle; }
};

}  // namespace qv
