// The program's 16 named colours. Colour values are 32-bit with red in the
// low byte, then green, then blue (the layout documents store).
#pragma once

#include <array>
#include <cstdint>

namespace qv {

constexpr uint32_t MakeColour(uint8_t Red, uint8_t Green, uint8_t Blue) {
    return static_cast<uint32_t>(Red) | static_cast<uint32_t>(Green) << 8 | static_cast<uint32_t>(Blue) << 16;
}

struct PaletteEntry {
    const char* Name;  // as shown, Windows-1252
    uint32_t Colour;
};

// The order is fixed: old documents select colours by index and new curves
// take their colours from it in turn.
inline constexpr std::array<PaletteEntry, 16> Farbtabelle = {{
    {"schwarz", MakeColour(0, 0, 0)},
    {"dunkelblau", MakeColour(0, 0, 128)},
    {"dunkelgr\xFCn", MakeColour(0, 128, 0)},
    {"blaugr\xFCn", MakeColour(0, 128, 128)},
    {"purpur", MakeColour(128, 0, 0)},
    {"violett", MakeColour(128, 0, 128)},
    {"braun", MakeColour(128, 128, 0)},
    {"silber", MakeColour(192, 192, 192)},
    {"grau", MakeColour(128, 128, 128)},
    {"blau", MakeColour(0, 0, 255)},
    {"limonengr\xFCn", MakeColour(0, 255, 0)},
    {"hellblau", MakeColour(0, 255, 255)},
    {"rot", MakeColour(255, 0, 0)},
    {"pink", MakeColour(255, 0, 255)},
    {"gelb", MakeColour(255, 255, 0)},
    {"wei\xDF", MakeColour(255, 255, 255)},
}};

// Index of the first entry with exactly this colour, -1 when none.
int PaletteIndex(uint32_t Colour);

}  // namespace qv
