// The program's colour values (red in the low byte, then green, then blue)
// as Qt colours.
#pragma once

#include <QColor>
#include <cstdint>

namespace qv {

inline QColor ToQColor(uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF), static_cast<int>(colour >> 16 & 0xFF));
}

}  // namespace qv
