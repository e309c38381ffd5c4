#include "util/EntryChecks.h"

#include "util/NumberFormat.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

class EntryChecksTest : public ::testing::Test {
protected:
    void SetUp() override { Formats() = FormatSettings{}; }
    void TearDown() override { Formats() = FormatSettings{}; }
};

TEST_F(EntryChecksTest, RealInRange) {
    EXPECT_FALSE(CheckRealInRange("0", 0, 70));
    EXPECT_FALSE(CheckRealInRange("70", 0, 70));
    EXPECT_FALSE(CheckRealInRange(" 35,5 ", 0, 70));
    EXPECT_EQ(CheckRealInRange("70,01", 0, 70), "Wert nicht in den Grenzen 0,00<...<70,00");
    EXPECT_EQ(CheckRealInRange("-1", -0.5, 2.125), "Wert nicht in den Grenzen -0,50<...<2,13");
    EXPECT_EQ(CheckRealInRange("x", 0, 70), "x ist kein g\xFCltiger Gleitkommawert.");
    EXPECT_EQ(CheckRealInRange("", 0, 70), " ist kein g\xFCltiger Gleitkommawert.");
}

TEST_F(EntryChecksTest, RealInRangeGeneral) {
    EXPECT_FALSE(CheckRealInRangeGeneral("1E-5", 0, 1));
    EXPECT_EQ(CheckRealInRangeGeneral("2", 0.001, 1.5), "Wert nicht in den Grenzen 0,001<...<1,5");
    EXPECT_EQ(CheckRealInRangeGeneral("0", 1e-5, 1e20), "Wert nicht in den Grenzen 1E-5<...<1E20");
    EXPECT_EQ(CheckRealInRangeGeneral("1.5", 0, 2), "1.5 ist kein g\xFCltiger Gleitkommawert.");
}

TEST_F(EntryChecksTest, IntegerInRange) {
    EXPECT_FALSE(CheckIntegerInRange("1", 1, 15));
    EXPECT_FALSE(CheckIntegerInRange("15", 1, 15));
    EXPECT_EQ(CheckIntegerInRange("0", 1, 15), "Wert nicht in den Grenzen 1<...<15");
    EXPECT_EQ(CheckIntegerInRange("16", -3, 15), "Wert nicht in den Grenzen -3<...<15");
    EXPECT_EQ(CheckIntegerInRange("12a", 1, 15), "12a ist keine g\xFCltige ganze Zahl.");
    EXPECT_EQ(CheckIntegerInRange("2,0", 1, 15), "2,0 ist keine g\xFCltige ganze Zahl.");
}

}  // namespace
}  // namespace qv
