#include <gtest/gtest.h>

#include "charts/AxisScale.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

TEST(NiceScale, RoundsTypicalRanges) {
    double lo = 0, hi = 100;
    EXPECT_DOUBLE_EQ(niceScale(lo, hi), 20);
    EXPECT_DOUBLE_EQ(lo, 0);
    EXPECT_DOUBLE_EQ(hi, 120);

    lo = -5, hi = 5;
    EXPECT_DOUBLE_EQ(niceScale(lo, hi), 2);
    EXPECT_DOUBLE_EQ(lo, -6);
    EXPECT_DOUBLE_EQ(hi, 6);

    // A range of only a few units halves the step so that at least three
    // large ticks remain.
    lo = 1, hi = 2;
    const double step = niceScale(lo, hi);
    EXPECT_GE((hi - lo) / step, 3);
    EXPECT_LE(lo, 1);
    EXPECT_GE(hi, 2);

    // Wholly negative data keeps its sign and still ends above the maximum.
    lo = -200, hi = -100;
    EXPECT_GT(niceScale(lo, hi), 0);
    EXPECT_LE(lo, -200);
    EXPECT_GE(hi, -100);
}

TEST(NiceScale, FallsBackWhenTheLogarithmFails) {
    double lo = 0, hi = 0;
    EXPECT_EQ(niceScale(lo, hi), 0);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0);

    // A reversed range is widened and given a tenth of it, whatever its sign.
    lo = 10, hi = 1;
    EXPECT_DOUBLE_EQ(niceScale(lo, hi), (1.1 - 9.0) / 10);
}

TEST(AxisNumberText, ShortensAndRaisesTheExponent) {
    Formats().DecimalSeparator = ',';
    EXPECT_EQ(axisNumberText(0.00001, 0.000015).Text, "1,5\xB7" "10-05");
    EXPECT_EQ(axisNumberText(0.00001, 0.000015).ExponentChars, 3u);
    EXPECT_EQ(axisNumberText(0.5, 2.5).Text, "2,5");
    EXPECT_EQ(axisNumberText(1, 3).Text, "3");
    EXPECT_EQ(axisNumberText(1, 10.0).Text, "10");
    EXPECT_EQ(axisNumberText(1, 10.0).ExponentChars, 0u);
    EXPECT_EQ(axisNumberText(20, 100).Text, "100");
    EXPECT_EQ(axisNumberText(1, -2).Text, "-2");
    // Large numbers switch to the exponent form; a positive exponent has no sign.
    EXPECT_EQ(axisNumberText(10000, 120000).Text, "1,2\xB7" "1005");

    // Rounding noise at the crossing point becomes a plain zero.
    EXPECT_EQ(axisNumberText(0.1, 1e-17).Text, "0");
    EXPECT_EQ(axisNumberText(0.1, 1e-17).ExponentChars, 0u);

    Formats().DecimalSeparator = '.';
    EXPECT_EQ(axisNumberText(0.5, 2.5).Text, "2.5");
    Formats().DecimalSeparator = ',';
}

}  // namespace
}  // namespace qv
