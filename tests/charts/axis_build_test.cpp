// Building the axes of a chart: ticks, numbers, auxiliary lines and the
// settings that cannot give a scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "charts/bsgraf3d.h"
#include "drawing/BSSline.h"
#include "drawing/bstext.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

// A 2-D chart whose plot area is 10 × 10 cm at (1, 1).
struct Chart2D {
    Tgraf3d chart;
    Chart2D() {
        Formats().DecimalSeparator = ',';
        chart.plotRect = {1, 1, 10, 10};
    }
};

std::vector<const TLine*> Lines(const TKomplex& group) {
    std::vector<const TLine*> lines;
    for (const auto& child : group.Children)
        if (auto* line = dynamic_cast<const TLine*>(child.get())) lines.push_back(line);
    return lines;
}

std::vector<std::string> Numbers(const TKomplex& group) {
    std::vector<std::string> texts;
    for (const auto& child : group.Children)
        if (auto* text = dynamic_cast<const ttext*>(child.get())) texts.push_back(text->Text());
    return texts;
}

// Page x of the ticks hanging down from a horizontal axis, in order.
std::vector<double> TickXs(const Taxis3D& axis, double length) {
    std::vector<double> xs;
    const auto lines = Lines(axis);
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (std::fabs(lines[i]->Height() - length) < 1e-9 && lines[i]->Width() == 0) xs.push_back(axis.X() + lines[i]->X());
    std::sort(xs.begin(), xs.end());
    return xs;
}

TEST(BuildAxes, LinearAxisTicksNumbersAndGrid) {
    Chart2D c;
    Taxis3D& h = c.chart.horizontalAxis();
    Taxis3D& v = c.chart.verticalAxis();
    h.minimum = 0, h.maximum = 10, h.step = 2, h.minorTicks = 1;
    v.minimum = 0, v.maximum = 5, v.step = 1, v.minorTicks = 0;
    buildAxes(c.chart);

    // Axis line first, with its arrow, from the projected minimum to the maximum.
    const auto hLines = Lines(h);
    ASSERT_FALSE(hLines.empty());
    EXPECT_TRUE(hLines[0]->ArrowAtEnd);
    EXPECT_DOUBLE_EQ(h.X() + hLines[0]->X(), 1);
    EXPECT_DOUBLE_EQ(hLines[0]->Width(), 10);

    // Large ticks at 0 … 8 (10 is the end), small ones between them.
    const std::vector<double> large = TickXs(h, h.largeTickLength);
    ASSERT_EQ(large.size(), 5u);
    EXPECT_NEAR(large[4], 9, 1e-9);
    const std::vector<double> small = TickXs(h, h.smallTickLength);
    ASSERT_EQ(small.size(), 5u);
    EXPECT_NEAR(small[0], 2, 1e-9);

    // No number where the axes meet; the others as texts.
    EXPECT_EQ(Numbers(h), (std::vector<std::string>{"2", "4", "6", "8"}));

    // Auxiliary lines are the chart's own, under the axes; the vertical axis
    // comes last. Horizontal ticks 2 … 8 and vertical ticks 1 … 4 get lines
    // (a tick just under the arrow is dropped, so is its line).
    ASSERT_GE(c.chart.Children.size(), 2u);
    EXPECT_EQ(c.chart.Children[c.chart.Children.size() - 2].get(), &h);
    EXPECT_EQ(c.chart.Children.back().get(), &v);
    std::size_t grid = 0;
    for (const auto& child : c.chart.Children)
        if (auto* line = dynamic_cast<const TLine*>(child.get())) {
            ++grid;
            EXPECT_EQ(line->LineColour, h.gridColor);
            EXPECT_EQ(line->LineStyle, 1);
        }
    EXPECT_EQ(grid, 4u + 4u);

    // A second build replaces everything instead of adding to it.
    const std::size_t count = c.chart.Children.size(), axisCount = h.Children.size();
    buildAxes(c.chart);
    EXPECT_EQ(c.chart.Children.size(), count);
    EXPECT_EQ(h.Children.size(), axisCount);

    // Without auxiliary lines only the axes remain.
    h.gridLines = v.gridLines = false;
    buildAxes(c.chart);
    EXPECT_EQ(c.chart.Children.size(), 2u);
}

TEST(BuildAxes, LogarithmicAxisTicks) {
    Chart2D c;
    Taxis3D& h = c.chart.horizontalAxis();
    h.logarithmic = true;
    h.minimum = 1, h.maximum = 1000, h.step = 10, h.minorTicks = 8;
    h.gridLines = c.chart.verticalAxis().gridLines = false;
    buildAxes(c.chart);
    // Every third of the axis is a decade.
    const std::vector<double> large = TickXs(h, h.largeTickLength);
    ASSERT_EQ(large.size(), 3u);
    EXPECT_NEAR(large[1], 1 + 10.0 / 3, 1e-9);
    EXPECT_NEAR(large[2], 1 + 20.0 / 3, 1e-9);
    // 2 … 9, 20 … 90 and 200 … 900, but 900 lies under the arrow head.
    const std::vector<double> small = TickXs(h, h.smallTickLength);
    ASSERT_EQ(small.size(), 23u);
    EXPECT_NEAR(small[0], 1 + 10 * std::log10(2.0) / 3, 1e-9);
    EXPECT_NEAR(small[8], 1 + 10 * std::log10(20.0) / 3, 1e-9);
    EXPECT_NEAR(small[22], 1 + 10 * std::log10(800.0) / 3, 1e-9);
    EXPECT_EQ(Numbers(h), (std::vector<std::string>{"10", "100"}));
}

TEST(BuildAxes, SettingsWithoutAScale) {
    auto failure = [](auto&& configure) -> std::string {
        Chart2D c;
        configure(c.chart.horizontalAxis());
        try {
            buildAxes(c.chart);
        } catch (const AxisError& e) {
            return e.what();
        }
        return "";
    };
    EXPECT_EQ(failure([](Taxis3D& a) { a.step = 0; }), "Achsenfortschritt muss gr\xF6\xDF" "er als 0 sein!");
    EXPECT_EQ(failure([](Taxis3D& a) { a.step = -1; }), "Achsenfortschritt muss gr\xF6\xDF" "er als 0 sein!");
    EXPECT_EQ(failure([](Taxis3D& a) { a.logarithmic = true, a.minimum = 1, a.step = 1; }),
              "Achsenfortschritt muss gr\xF6\xDF" "er als 1 sein!");
    EXPECT_EQ(failure([](Taxis3D& a) { a.logarithmic = true, a.minimum = 0, a.step = 10; }),
              "Logarithmische Skala nur mit positiven Achsenwerten erlaubt!");
    // A range that is empty never advances, so nothing is wrong with it.
    EXPECT_EQ(failure([](Taxis3D& a) { a.minimum = a.maximum = 0, a.step = 0; }), "");
    // A step lost below the precision of the values ends the walk instead
    // of repeating the same tick for ever; so does a step far too small.
    EXPECT_EQ(failure([](Taxis3D& a) { a.minimum = 1e20, a.maximum = 2e20, a.step = 1; }), "");
    EXPECT_EQ(failure([](Taxis3D& a) { a.maximum = 1e9, a.step = 1e-3, a.minorTicks = 0; }), "");
}

TEST(BuildAxes, CrossingsAreClampedAndLeaveNoNumber) {
    Chart2D c;
    Taxis3D& h = c.chart.horizontalAxis();
    Taxis3D& v = c.chart.verticalAxis();
    v.minimum = -4, v.maximum = 8, v.step = 2;
    h.crossAt2 = 100;  // far above the vertical range
    v.crossAt2 = -3;   // below the horizontal minimum
    buildAxes(c.chart);
    EXPECT_EQ(h.crossAt2, 8);
    EXPECT_EQ(v.crossAt2, 0);

    h.crossAt2 = 0;
    buildAxes(c.chart);
    // The horizontal axis stands at vertical 0: 4/12 of the height up.
    EXPECT_NEAR(h.Y() + Lines(h)[0]->Y(), 11 - 10 * 4.0 / 12, 1e-9);
    const std::vector<std::string> numbers = Numbers(v);
    EXPECT_EQ(std::count(numbers.begin(), numbers.end(), "0"), 0);
    EXPECT_EQ(std::count(numbers.begin(), numbers.end(), "-4"), 0);  // would hang below the axis line
    EXPECT_EQ(std::count(numbers.begin(), numbers.end(), "2"), 1);
}

TEST(BuildAxes, DepthAxisInThreeDimensions) {
    Chart2D c;
    c.chart.threeD = true;
    buildAxes(c.chart);
    Taxis3D& d = c.chart.depthAxis();
    // The depth axis is a child before the other two, and has no tick at its start.
    ASSERT_GE(c.chart.Children.size(), 3u);
    EXPECT_EQ(c.chart.Children[c.chart.Children.size() - 3].get(), &d);
    EXPECT_EQ(Lines(d).size(), 1u + 5u + 4u * 5u - 1u);  // line, 5 large ticks (1 … 5 minus the start), small ticks
    // Going back to two dimensions takes it out of the list again.
    c.chart.threeD = false;
    buildAxes(c.chart);
    EXPECT_EQ(std::count_if(c.chart.Children.begin(), c.chart.Children.end(),
                            [&](const auto& child) { return child.get() == &d; }),
              0);
}

TEST(FormatAxisNumber, RaisesTheExponentInTheText) {
    Formats().DecimalSeparator = ',';
    ttext text;
    text.TextSize = 12;
    formatAxisNumber(text, 0.00001, 0.000015);
    EXPECT_EQ(text.Text(), "1,5\xB7" "10-05");
    ASSERT_EQ(text.Chars.size(), 9u);
    EXPECT_EQ(text.Chars[5].Size, 12);  // the "0" of "10"
    EXPECT_EQ(text.Chars[5].Shift, 0);
    // Raised characters are drawn at the script size; their own size stays
    // the label size, or the exponent would shrink twice.
    for (std::size_t i = 6; i < 9; ++i) {
        EXPECT_EQ(text.Chars[i].Size, 12);
        EXPECT_GT(text.Chars[i].Shift, 0);
    }
    // The box follows the text.
    const double wide = text.Width();
    formatAxisNumber(text, 1, 3);
    EXPECT_EQ(text.Text(), "3");
    EXPECT_LT(text.Width(), wide);
}

}  // namespace
}  // namespace qv
