// The program's colour values (red in the low byte, then green, then blue)
// as Qt colours and back.
#pragma once

#include <QColor>
#include <cstdint>

namespace qv {

inline QColor ToQColor(uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF), static_cast<int>(colour >> 16 & 0xFF));
}

inline uint32_t FromQColor(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}

}  // namespace qv
