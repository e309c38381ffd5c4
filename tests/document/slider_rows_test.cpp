// Start-value sliders: the default range, positions and values, the range
// the user types and the rows kept in the settings.
#include <gtest/gtest.h>

#include <limits>

#include "document/SliderRows.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

TEST(SliderRows, NewRowSpansTwiceTheValueWithTheValueInside) {
    struct Case {
        double value, from, to;
    };
    for (const Case& c : {Case{30, 0, 60}, Case{0.0005, 0, 0.001}, Case{0, 0, 1}, Case{-4, -8, 0}}) {
        const SliderRow row = NewSliderRow("Räuber", "HASEN", c.value);
        EXPECT_EQ(row.From, c.from) << c.value;
        EXPECT_EQ(row.To, c.to) << c.value;
        EXPECT_LT(row.From, row.To);
        EXPECT_DOUBLE_EQ(SliderValue(row, SliderPosition(row, c.value)), c.value) << c.value;
    }
    const double huge = std::numeric_limits<double>::max();
    const SliderRow big = NewSliderRow("S", "X", huge);
    EXPECT_EQ(big.To, huge);
    EXPECT_EQ(SliderPosition(big, huge), SliderSteps);
}

TEST(SliderRows, PositionsCoverTheRangeInThousandStepsAndHoldOutsideValues) {
    const SliderRow row{"S", "X", -1, 3};
    EXPECT_EQ(SliderValue(row, 0), -1);
    EXPECT_EQ(SliderValue(row, SliderSteps), 3);
    EXPECT_DOUBLE_EQ(SliderValue(row, 1), -0.996);
    EXPECT_EQ(SliderPosition(row, 1), 500);
    EXPECT_EQ(SliderPosition(row, -100), 0);
    EXPECT_EQ(SliderPosition(row, 100), SliderSteps);
    EXPECT_EQ(SliderValue(row, SliderSteps + 5), 3);
    EXPECT_EQ(SliderPosition(row, std::numeric_limits<double>::quiet_NaN()), 0);
    // The widest range there is neither overflows nor loses its middle.
    const double max = std::numeric_limits<double>::max();
    const SliderRow widest{"S", "X", -max, max};
    EXPECT_EQ(SliderPosition(widest, 0), 500);
    EXPECT_EQ(SliderValue(widest, 500), 0);
    EXPECT_EQ(SliderValue(widest, SliderSteps), max);
}

TEST(SliderRows, TypedRangeNeedsTwoNumbersInRisingOrder) {
    Formats().DecimalSeparator = ',';
    double from = 7, to = 8;
    EXPECT_EQ(CheckSliderRange("0,5", " 20 ", from, to), std::nullopt);
    EXPECT_EQ(from, 0.5);
    EXPECT_EQ(to, 20);
    for (auto [a, b] : {std::pair{"0.5", "2"}, std::pair{"1", "abc"}, std::pair{"3", "3"}, std::pair{"4", "-1"}}) {
        from = 7, to = 8;
        const auto message = CheckSliderRange(a, b, from, to);
        ASSERT_TRUE(message) << a << " " << b;
        EXPECT_FALSE(message->empty());
        EXPECT_EQ(from, 7);
        EXPECT_EQ(to, 8);
    }
    EXPECT_EQ(*CheckSliderRange("0.5", "2", from, to), "0.5 ist kein g\xFCltiger Gleitkommawert.");
}

TEST(SliderRows, SettingsTextKeepsEveryRowExactlyAndSkipsDamagedLines) {
    const std::vector<SliderRow> rows{
        {"R\xE4uber", "HASEN", 0, 60}, {"R\xE4uber", "FUECHSE", 0.1, 0.3}, {"Kaffee (2)", "T", -1e-300, 5e300}};
    EXPECT_EQ(DecodeSliderRows(EncodeSliderRows(rows)), rows);
    const std::string damaged =
        "A\tX\t0\t1\n\nB\tY\t1\n"
        "C\tZ\t5\t2\n"
        "D\t\t0\t1\n"
        "E\tW\t0\tnan\n"
        "F\tV\t0,5\t1\n";
    const std::vector<SliderRow> kept{{"A", "X", 0, 1}};
    EXPECT_EQ(DecodeSliderRows(damaged), kept);
    // A name the text could not carry is left out rather than spoiling the rows
    // after it.
    EXPECT_EQ(DecodeSliderRows(EncodeSliderRows({{"A\tB", "X", 0, 1}, {"A", "X", 0, 1}})), kept);
}

}  // namespace
}  // namespace qv
