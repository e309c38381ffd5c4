#include "model/QVGrafElements.h"

#include <gtest/gtest.h>

#include <limits>

namespace qv {
namespace {

TEST(GrafElements, FreshElementsAndMove) {
    tzustand stock(100, 100);
    EXPECT_EQ(stock.Box, (IntRect{80, 85, 120, 115}));
    EXPECT_EQ(stock.Name, "?");
    EXPECT_EQ(stock.Kind(), TElementKind::Stock);

    trate rate(50, 60);
    EXPECT_EQ(rate.Definition, "?");
    EXPECT_EQ(rate.TipX, 50);

    stock.MoveTo(110, 90);
    EXPECT_EQ(stock.Box, (IntRect{90, 75, 130, 105}));
    EXPECT_EQ(stock.CentreX, 110);
    EXPECT_EQ(stock.CentreY, 90);
}

TEST(GrafElements, DisplayName) {
    EXPECT_EQ(DisplayName("Bestand:=Bestand*2"), "Bestand");
    EXPECT_EQ(DisplayName("a=b:c"), "a=b");  // ":" wins over an earlier "="
    EXPECT_EQ(DisplayName("x=1"), "x");
    EXPECT_EQ(DisplayName("Wachstum"), "Wachstum");
    EXPECT_EQ(DisplayName(""), "");
    EXPECT_EQ(DisplayName(":=1"), "");
    EXPECT_EQ(DisplayName("gr\xF6\xDF" "e:=1", true), "GR\xD6\xDF" "E");  // ß has no capital
    EXPECT_EQ(UpperCase1252("\xE4\xFF\x9A\xF7z"), "\xC4\x9F\x8A\xF7Z");
}

TEST(GrafElements, StockAndRateLayout) {
    tzustand stock(100, 100);
    stock.LayoutLabel(7, 13, false);  // "?" keeps the default box, label centred
    EXPECT_EQ(stock.Box, (IntRect{80, 85, 120, 115}));
    EXPECT_EQ(stock.LabelX, 97);
    EXPECT_EQ(stock.LabelY, 94);

    stock.LayoutLabel(60, 13, false);
    EXPECT_EQ(stock.Box, (IntRect{66, 85, 134, 115}));
    EXPECT_EQ(stock.SavedBox, (IntRect{80, 85, 120, 115}));

    stock.LayoutLabel(30, 13, false);  // 30 + 8 is not above 40
    EXPECT_EQ(stock.Box, (IntRect{80, 85, 120, 115}));
    EXPECT_EQ(stock.SavedBox, (IntRect{66, 85, 134, 115}));

    stock.LayoutLabel(32, 23, false);  // 32 + 8 is not above 40 either; 23 + 8 is above 30
    EXPECT_EQ(stock.Box, (IntRect{80, 85, 120, 115}));
    stock.LayoutLabel(33, 23, false);
    EXPECT_EQ(stock.Box, (IntRect{80, 85, 120, 115}));
    stock.LayoutLabel(34, 23, false);
    EXPECT_EQ(stock.Box, (IntRect{79, 85, 121, 115}));
    stock.LayoutLabel(34, 24, false);
    EXPECT_EQ(stock.Box, (IntRect{79, 84, 121, 116}));

    // While dragged, SavedBox keeps the box from before the drag.
    stock.SavedBox = {1, 2, 3, 4};
    stock.LayoutLabel(60, 13, true);
    EXPECT_EQ(stock.SavedBox, (IntRect{1, 2, 3, 4}));

    trate rate(200, 100);
    rate.LayoutLabel(10, 13, false);
    EXPECT_EQ(rate.Box.Bottom - rate.Box.Top, 30);
    EXPECT_EQ(rate.TipX, rate.Box.Right + 15);
    EXPECT_EQ(rate.TipOutline(), (std::array<IntPoint, 3>{IntPoint{219, 85}, IntPoint{235, 100}, IntPoint{219, 114}}));
    rate.LayoutLabel(10, 40, false);
    EXPECT_EQ(rate.TipX, rate.Box.Right + 24);

    // A rate shows its name as typed but is sized by its display name.
    rate.Name = "r:=1";
    EXPECT_EQ(rate.MeasuredText(), "r");
    EXPECT_EQ(rate.LabelText(), "r:=1");
    stock.Name = "s:=2*s";
    EXPECT_EQ(stock.LabelText(), "s");
}

TEST(GrafElements, ConstantLayoutHasNoMinimum) {
    tKonstante c(50, 50);
    c.Name = "k=3";
    EXPECT_EQ(c.MeasuredText(), "k=3");
    c.LayoutLabel(10, 12, false);
    EXPECT_EQ(c.Box, (IntRect{41, 40, 59, 60}));
    EXPECT_EQ(c.SavedBox, (IntRect{30, 35, 70, 65}));
    EXPECT_EQ(c.LabelX, 45);
    EXPECT_EQ(c.LabelY, 44);
}

TEST(GrafElements, Assign) {
    trate a(10, 20);
    a.Name = "r";
    a.Definition = "r:=k*2";
    a.TipX = 77;
    a.SavedBox = {1, 2, 3, 4};
    a.LabelX = 5;
    a.LabelY = 6;
    trate b;
    b.Assign(a);
    EXPECT_EQ(b.CentreX, 10);
    EXPECT_EQ(b.Box, a.Box);
    EXPECT_EQ(b.SavedBox, a.SavedBox);
    EXPECT_EQ(b.LabelX, 5);
    EXPECT_EQ(b.LabelY, 6);
    EXPECT_EQ(b.Definition, "r:=k*2");
    EXPECT_EQ(b.TipX, 77);

    // A rate that takes a stock's state keeps its own formula.
    tzustand s(0, 0);
    s.Name = "s";
    b.Assign(s);
    EXPECT_EQ(b.Name, "s");
    EXPECT_EQ(b.Definition, "r:=k*2");
}

TEST(GrafElements, TipZone) {
    trate r(100, 100);  // box (80, 85, 120, 115)
    r.UpdateTip();      // tip at x 135
    ASSERT_EQ(r.TipX, 135);
    // Zone: x from 123 to 138 (exclusive), y from 82 to 118 (exclusive).
    EXPECT_TRUE(r.InTipZone({124, 110}));   // lower half: anything inside
    EXPECT_TRUE(r.InTipZone({137, 117}));
    EXPECT_TRUE(r.InTipZone({124, 99}));    // upper half below the slant
    EXPECT_FALSE(r.InTipZone({136, 84}));   // upper half above the slant
    EXPECT_FALSE(r.InTipZone({123, 100}));  // on the zone's border
    EXPECT_FALSE(r.InTipZone({130, 118}));
    EXPECT_FALSE(r.InTipZone({140, 100}));
}

// Damaged documents can place elements anywhere; the geometry saturates
// instead of overflowing.
TEST(GrafElements, ExtremeCoordinatesSaturate) {
    constexpr int32_t big = std::numeric_limits<int32_t>::max();
    constexpr int32_t small = std::numeric_limits<int32_t>::min();
    trate r(big - 5, small + 5);
    EXPECT_EQ(r.Box, (IntRect{big - 25, small, big, small + 20}));
    r.LayoutLabel(100, 100, false);
    EXPECT_EQ(r.Box.Right, big);
    EXPECT_EQ(r.Box.Top, small);
    EXPECT_EQ(r.TipX, big);
    r.MoveTo(small, big);
    EXPECT_EQ(r.Box.Left, small);
    EXPECT_EQ(r.Box.Bottom, big);
}

}  // namespace
}  // namespace qv
