// The attributes a new text takes; selecting a text copies its attributes
// here, and the toolbar changes them. The text colour is the line-colour
// default and the ruling colour the fill-colour default of the drawing
// globals.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

struct TextDefaultValues {
    double DefaultTextSize = 12;  // points
    double DefaultShift = 0;      // cm
    bool DefaultOutline = false;
    uint8_t FontStyle = 0;
    std::string FontName = "Arial";
    int32_t CellAlign = 0;
    bool LeftEdge = true, RightEdge = true;
    double CellWidth = 0.5, CellHeight = 0.5;
    double SuperShift = 0.4, SubShift = -0.3;
    double ScriptScale = 0.6;
    double MarginLeft = 0.1, MarginRight = 0.1, MarginTop = 0.1, MarginBottom = 0.1;
    int32_t LineSpacing = 120;  // percent
    uint8_t Alignment = 0;      // 0 left, 1 right, 2 centred
    uint8_t PaperStyle = 1;
    uint8_t WrapMode = 3;  // 0 wraps at the box width, 3 does not wrap
    // A typed " becomes an opening or closing quotation mark.
    bool QuoteReplacement = true;
    // Deleting a line end shrinks the text's box by one line (a main-window option).
    bool ShrinkOnDelete = false;
};

TextDefaultValues& TextDefaults();

}  // namespace qv
