#include "util/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qv {
namespace {

class NumberFormatTest : public ::testing::Test {
protected:
    void SetUp() override { Formats() = FormatSettings{}; }
    void TearDown() override { Formats() = FormatSettings{}; }
};

TEST_F(NumberFormatTest, GeneralFormat) {
    EXPECT_EQ(RealToText(0.5), "0,5");
    EXPECT_EQ(RealToText(0.0001), "0,0001");
    EXPECT_EQ(RealToText(0.00001), "1E-5");
    EXPECT_EQ(RealToText(0), "0");
    EXPECT_EQ(RealToText(-0.0), "0");
    EXPECT_EQ(RealToText(100), "100");
    EXPECT_EQ(RealToText(-2.5), "-2,5");
    EXPECT_EQ(RealToText(123.456), "123,456");
    EXPECT_EQ(RealToText(0.1 + 0.2), "0,3");
    EXPECT_EQ(RealToText(1e14), "100000000000000");
    EXPECT_EQ(RealToText(1e15), "1E15");
    EXPECT_EQ(RealToText(-1.5e-7), "-1,5E-7");
    EXPECT_EQ(FormatReal(12345, RealFormat::General, 4, 2), "1,235E04");
    EXPECT_EQ(FormatReal(1234, RealFormat::General, 4, 2), "1234");
    EXPECT_EQ(FormatReal(0.00001, RealFormat::General, 15, 3), "1E-005");
    EXPECT_EQ(FormatReal(0.00001, RealFormat::General, 15, 5), "1E-5");  // above 4: no padding
    // Rounding that carries into a new leading digit.
    EXPECT_EQ(FormatReal(9.9999, RealFormat::General, 3, 0), "10");
    EXPECT_EQ(FormatReal(99999, RealFormat::General, 4, 0), "1E5");
}

TEST_F(NumberFormatTest, ExponentFormat) {
    EXPECT_EQ(FormatReal(12345, RealFormat::Exponent, 4, 2), "1,235E+04");
    EXPECT_EQ(FormatReal(-0.00012, RealFormat::Exponent, 3, 0), "-1,20E-4");
    EXPECT_EQ(FormatReal(1, RealFormat::Exponent, 5, 3), "1,0000E+000");
    EXPECT_EQ(FormatReal(0, RealFormat::Exponent, 4, 2), "0,000E+00");
    // Precision below 2 counts as 2, above 18 as 18.
    EXPECT_EQ(FormatReal(3.14159, RealFormat::Exponent, 0, 0), "3,1E+0");
    EXPECT_EQ(FormatReal(3.14159, RealFormat::Exponent, -7, 0), "3,1E+0");
    EXPECT_EQ(FormatReal(1, RealFormat::Exponent, 40, 0), "1,00000000000000000E+0");
    EXPECT_EQ(FormatReal(1e300, RealFormat::Exponent, 3, 0), "1,00E+300");
}

TEST_F(NumberFormatTest, FixedFormat) {
    EXPECT_EQ(FormatReal(3.14159, RealFormat::Fixed, 5, 2), "3,14");
    EXPECT_EQ(FormatReal(0, RealFormat::Fixed, 5, 2), "0,00");
    EXPECT_EQ(FormatReal(70, RealFormat::Fixed, 5, 2), "70,00");
    EXPECT_EQ(FormatReal(0.004, RealFormat::Fixed, 5, 2), "0,00");
    EXPECT_EQ(FormatReal(-0.004, RealFormat::Fixed, 5, 2), "0,00");  // no "-0,00"
    EXPECT_EQ(FormatReal(-0.006, RealFormat::Fixed, 5, 2), "-0,01");
    EXPECT_EQ(FormatReal(0.5, RealFormat::Fixed, 5, 0), "1");
    EXPECT_EQ(FormatReal(2.5, RealFormat::Fixed, 5, 0), "3");
    EXPECT_EQ(FormatReal(1234.5678, RealFormat::Fixed, 18, 0), "1235");
    // Never more than Precision significant digits.
    EXPECT_EQ(FormatReal(1234.5678, RealFormat::Fixed, 5, 3), "1234,600");
    EXPECT_EQ(FormatReal(99.996, RealFormat::Fixed, 4, 2), "100,00");
    // More integer digits than Precision: general format instead.
    EXPECT_EQ(FormatReal(123456, RealFormat::Fixed, 5, 2), "1,2346E05");
}

TEST_F(NumberFormatTest, RoundsHalfAwayFromZeroOnTheShortestDecimal) {
    EXPECT_EQ(FormatReal(0.125, RealFormat::Fixed, 15, 2), "0,13");
    EXPECT_EQ(FormatReal(-0.125, RealFormat::Fixed, 15, 2), "-0,13");
    EXPECT_EQ(FormatReal(2.675, RealFormat::Fixed, 15, 2), "2,68");  // binary value lies just below
    EXPECT_EQ(FormatReal(1.005, RealFormat::General, 3, 0), "1,01");
    EXPECT_EQ(FormatReal(2.5, RealFormat::General, 2, 0), "2,5");
    EXPECT_EQ(FormatReal(0.45, RealFormat::Exponent, 1, 0), "4,5E-1");
    EXPECT_EQ(FormatReal(0.445, RealFormat::Exponent, 2, 0), "4,5E-1");
}

TEST_F(NumberFormatTest, SpecialValuesAndSeparator) {
    const double inf = std::numeric_limits<double>::infinity();
    for (auto format : {RealFormat::General, RealFormat::Exponent, RealFormat::Fixed}) {
        EXPECT_EQ(FormatReal(inf, format, 5, 2), "INF");
        EXPECT_EQ(FormatReal(-inf, format, 5, 2), "-INF");
        EXPECT_EQ(FormatReal(std::numeric_limits<double>::quiet_NaN(), format, 5, 2), "NAN");
    }
    EXPECT_EQ(RealToText(std::numeric_limits<double>::denorm_min()), "5E-324");
    EXPECT_EQ(RealToText(-std::numeric_limits<double>::max()), "-1,79769313486232E308");

    Formats().DecimalSeparator = '.';
    EXPECT_EQ(RealToText(0.5), "0.5");
    EXPECT_EQ(FormatReal(12345, RealFormat::Exponent, 4, 2), "1.235E+04");
}

TEST_F(NumberFormatTest, TextToReal) {
    double v = 0;
    EXPECT_TRUE(TextToReal("3,5", v));
    EXPECT_EQ(v, 3.5);
    EXPECT_TRUE(TextToReal("  -12  ", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(TextToReal("+1,5E3", v));
    EXPECT_EQ(v, 1500);
    EXPECT_TRUE(TextToReal("2e-3", v));
    EXPECT_EQ(v, 0.002);
    EXPECT_TRUE(TextToReal(",5", v));
    EXPECT_EQ(v, 0.5);
    EXPECT_TRUE(TextToReal("7,", v));
    EXPECT_EQ(v, 7);

    v = 42;
    for (const char* bad : {"", "   ", "-", ",", "3.5", "1,2,3", "12a", "1e", "1e+", "e5", "1 2", "INF", "nan",
                            "0x10", "--1", "1e400", "\t1"}) {
        EXPECT_FALSE(TextToReal(bad, v)) << bad;
    }
    EXPECT_EQ(v, 42);  // untouched on failure

    Formats().DecimalSeparator = '.';
    EXPECT_TRUE(TextToReal("3.25", v));
    EXPECT_EQ(v, 3.25);
    EXPECT_FALSE(TextToReal("3,25", v));
}

TEST_F(NumberFormatTest, FormattedTextReadsBack) {
    for (double value : {0.1, -7.25, 1e-9, 6.02214076e23, 123456789.0, 1.0 / 3}) {
        double read = 0;
        ASSERT_TRUE(TextToReal(RealToText(value), read)) << RealToText(value);
        EXPECT_NEAR(read, value, std::abs(value) * 1e-14);
    }
}

TEST_F(NumberFormatTest, TextToInteger) {
    int64_t v = 0;
    EXPECT_TRUE(TextToInteger("15", v));
    EXPECT_EQ(v, 15);
    EXPECT_TRUE(TextToInteger(" -3 ", v));
    EXPECT_EQ(v, -3);
    EXPECT_TRUE(TextToInteger("+8", v));
    EXPECT_EQ(v, 8);
    EXPECT_TRUE(TextToInteger("-9223372036854775808", v));
    EXPECT_EQ(v, std::numeric_limits<int64_t>::min());

    v = 42;
    for (const char* bad : {"", "-", "+", "+-1", "12a", "1,5", "1e3", "9223372036854775808", "0x1F", "1 2"})
        EXPECT_FALSE(TextToInteger(bad, v)) << bad;
    EXPECT_EQ(v, 42);
}

}  // namespace
}  // namespace qv
