// Where and how a rich text is drawn: its box on the device and the line
// attributes of the text object.
#pragma once

#include <cstdint>

namespace qv {

struct TextFrame {
    int Left = 0, Top = 0;            // device pixels of the box's top-left corner
    int PixWidth = 0, PixHeight = 0;  // device pixels
    double Width = 0, Height = 0;     // cm
    int Angle = 0;                    // tenths of a degree, about the box centre
    uint32_t Colour = 0;              // the text colour (the object's line colour)
    uint8_t LineStyle = 0;            // pen style of the ruling
    double LineWidth = 0.1;           // mm, pen width of the ruling
};

}  // namespace qv
