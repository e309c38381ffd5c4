// The angle entered in "Drehen": degrees to tenths in 0 … 3599.
#include <gtest/gtest.h>

#include "util/NumberFormat.h"
#include "util/RotationAngle.h"

namespace qv {
namespace {

TEST(RotationAngle, EnteredDegreesBecomeTenthsWithinOneTurn) {
    EXPECT_EQ(AngleFromDegrees(-90), 2700);
    EXPECT_EQ(AngleFromDegrees(360), 0);
    EXPECT_EQ(AngleFromDegrees(-360), 0);
    EXPECT_EQ(AngleFromDegrees(12.34), 123);
    EXPECT_EQ(AngleFromDegrees(0.25), 2);  // halves to even
    EXPECT_EQ(AngleFromDegrees(-0.05), 0);
    EXPECT_EQ(AngleFromDegrees(359.96), 0);
}

TEST(RotationAngle, TheBoxShowsOneDecimal) {
    Formats().DecimalSeparator = ',';
    EXPECT_EQ(AngleToText(2700), "270,0");
    EXPECT_EQ(AngleToText(123), "12,3");
    EXPECT_EQ(AngleToText(0), "0,0");
}

}  // namespace
}  // namespace qv
