#include "util/Palette.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

TEST(Palette, ColoursAndLookup) {
    EXPECT_EQ(MakeColour(0x12, 0x34, 0x56), 0x563412u);  // red in the low byte
    EXPECT_EQ(Farbtabelle[4].Colour, 0x000080u);          // "purpur" is dark red
    EXPECT_EQ(std::string(Farbtabelle[4].Name), "purpur");
    EXPECT_EQ(std::string(Farbtabelle[15].Name), "wei\xDF");
    EXPECT_EQ(std::string(Farbtabelle[10].Name), "limonengr\xFCn");

    for (std::size_t i = 0; i < Farbtabelle.size(); ++i)
        EXPECT_EQ(PaletteIndex(Farbtabelle[i].Colour), static_cast<int>(i)) << Farbtabelle[i].Name;
    EXPECT_EQ(PaletteIndex(MakeColour(255, 0, 0)), 12);
    EXPECT_EQ(PaletteIndex(MakeColour(0, 0, 255)), 9);
    EXPECT_EQ(PaletteIndex(MakeColour(1, 2, 3)), -1);
    EXPECT_EQ(PaletteIndex(0xFF000000u), -1);  // high byte must match too
}

}  // namespace
}  // namespace qv
