#include "util/Palette.h"

namespace qv {

int PaletteIndex(uint32_t Colour) {
    for (std::size_t i = 0; i < Farbtabelle.size(); ++i)
        if (Farbtabelle[i].Colour == Colour) return static_cast<int>(i);
    return -1;
}

}  // namespace qv
