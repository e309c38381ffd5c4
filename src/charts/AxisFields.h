// The settings of a chart axis as plain data, with their part of the axis
// record. TAxis and Taxis3D carry them next to their drawing-object base.
#pragma once

#include <array>
#include <cstdint>

#include "util/StreamIO.h"

namespace qv {

// The fields of a plain axis. Only gridLines and the lengths take part in
// drawing; the rest is stored and read back unchanged.
struct TAxisFields {
    bool orientation = true;  // width scales the unit length, height the ticks
    std::array<bool, 4> switches = {true, true, true, true};
    bool gridLines = false;
    uint8_t switch5 = 0;
    double unitLength = 1.0;
    int32_t count = 4;
    double start = 0.0;
    double end = 1.0;
    uint8_t digits = 2;
    int32_t value3 = 3;
    int32_t value1 = 1;
    double largeTickLength = 0.3;
    double smallTickLength = 0.2;
};

// The axis dialog admits 0 to 100 small ticks between two large ones; a file
// may hold any number, and each tick is an object on the page.
inline constexpr int32_t MaxMinorTicks = 100;

// What the axis dialog edits. crossAt1/crossAt2 are positions on the other
// two axes (see the chart for which is which).
struct Taxis3DFields {
    double crossAt1 = 0;
    double crossAt2 = 0;
    double minimum = 0;
    double maximum = 5;
    bool logarithmic = false;
    double step = 1;
    int32_t minorTicks = 4;
    uint8_t gridStyle = 1;
    uint32_t gridColor = 0x808080;
    bool visible = true;
};

// gridLines is the last field of the plain-axis part in the record,
// although it follows the switches in memory.
void WriteAxisFields(OutStream& out, const TAxisFields& axis);
void ReadAxisFields(InStream& in, TAxisFields& axis);
void WriteAxis3DFields(OutStream& out, const Taxis3DFields& axis);
void ReadAxis3DFields(InStream& in, Taxis3DFields& axis);

}  // namespace qv
