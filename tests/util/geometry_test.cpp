#include "util/Geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace qv {
namespace {

class GeometryTest : public ::testing::Test {
protected:
    void SetUp() override { Scales() = PageScales{}; }
    void TearDown() override { Scales() = PageScales{}; }
};

TEST_F(GeometryTest, RotatePoint) {
    double x = 20, y = 10;
    EXPECT_TRUE(RotatePoint(x, y, 10, 10, 900));  // a quarter turn counter-clockwise on screen
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 0);
    EXPECT_TRUE(RotatePoint(x, y, 10, 10, 900));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 10);
    EXPECT_TRUE(RotatePoint(x, y, 10, 10, -1800));
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 10);

    x = 1, y = 0;
    EXPECT_TRUE(RotatePoint(x, y, 0, 0, 450));
    EXPECT_NEAR(x, 0.70710678, 1e-8);
    EXPECT_NEAR(y, -0.70710678, 1e-8);

    x = 3, y = 4;
    EXPECT_FALSE(RotatePoint(x, y, std::numeric_limits<double>::infinity(), 0, 100));
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
}

TEST_F(GeometryTest, RotatePointInBox) {
    // Box 0,0 10x10: centre (5, 5).
    int32_t x = 10, y = 5;
    EXPECT_TRUE(RotatePointInBox(x, y, 0, 0, 10, 10, 900));
    EXPECT_EQ(IntPoint(x, y), IntPoint(5, 0));
    EXPECT_TRUE(RotatePointInBox(x, y, 0, 0, 10, 10, 2700));
    EXPECT_EQ(IntPoint(x, y), IntPoint(10, 5));

    // Odd width: centre (1.5, 0); the corner lands on halves, which round to even.
    x = 0, y = 0;
    EXPECT_TRUE(RotatePointInBox(x, y, 0, 0, 3, 0, 900));  // exact (1.5, 1.5)
    EXPECT_EQ(IntPoint(x, y), IntPoint(2, 2));
    x = 1, y = 0;
    EXPECT_TRUE(RotatePointInBox(x, y, 0, 0, 3, 0, 900));  // exact (1.5, 0.5)
    EXPECT_EQ(IntPoint(x, y), IntPoint(2, 0));
    x = 0, y = 0;
    EXPECT_TRUE(RotatePointInBox(x, y, 0, -2, 5, 1, 2700));  // centre (2.5, -1.5)
    EXPECT_EQ(IntPoint(x, y), IntPoint(1, -4));

    // A result beyond int32 leaves the point alone.
    x = std::numeric_limits<int32_t>::max(), y = 0;
    EXPECT_FALSE(RotatePointInBox(x, y, std::numeric_limits<int32_t>::min(), 0, 0, 0, 1800));
    EXPECT_EQ(IntPoint(x, y), IntPoint(std::numeric_limits<int32_t>::max(), 0));
}

TEST_F(GeometryTest, SmallHelpers) {
    EXPECT_EQ(Sign(-7), -1);
    EXPECT_EQ(Sign(0), 0);
    EXPECT_EQ(Sign(12), 1);
    EXPECT_EQ(NormalRect(10, 2, 3, 8), (IntRect{3, 2, 10, 8}));
    EXPECT_EQ(NormalRect(-1, -1, -5, 4), (IntRect{-5, -1, -1, 4}));
}

TEST_F(GeometryTest, UnitConversion) {
    EXPECT_NEAR(Scales().PixelsPerCmX, 37.795, 0.001);
    EXPECT_EQ(CmToPixels(1, 2), IntPoint(38, 76));

    Scales().PixelsPerCmX = 1;
    Scales().PixelsPerCmY = 10;
    EXPECT_EQ(CmToPixels(2.5, 0.05), IntPoint(2, 0));    // halves to even
    EXPECT_EQ(CmToPixels(3.5, -0.25), IntPoint(4, -2));
    EXPECT_EQ(CmToPixels(-2.5, 0.35), IntPoint(-2, 4));

    EXPECT_EQ(CmToPixels(3e9, -3e9), IntPoint(PixelOverflowValue, -PixelOverflowValue));
    EXPECT_EQ(CmToPixels(2147483647.0, 0).X, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(CmToPixels(-2147483648.0, 0).X, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(CmToPixels(-2147483649.0, 0).X, -PixelOverflowValue);
    EXPECT_EQ(CmToPixels(2147483648.0, std::numeric_limits<double>::quiet_NaN()),
              IntPoint(PixelOverflowValue, -PixelOverflowValue));

    RealPoint cm = PixelsToCm(15, -30);
    EXPECT_EQ(cm.X, 15);
    EXPECT_EQ(cm.Y, -3);

    // One coordinate in range and the other not: each rounds on its own.
    Scales().PixelsPerCmY = 1;
    EXPECT_EQ(CmToPixels(1.5, std::numeric_limits<double>::quiet_NaN()), IntPoint(2, -PixelOverflowValue));
    EXPECT_EQ(CmToPixels(-0.5, 2147483646.5), IntPoint(0, 2147483646));
    EXPECT_EQ(CmToPixels(-2147483647.5, 0.5), IntPoint(-2147483648, 0));
}

TEST_F(GeometryTest, HitTolerance) {
    // Default handle width 7: half tolerance 3.
    EXPECT_TRUE(InBetween(7, 10, 50));
    EXPECT_TRUE(InBetween(53, 50, 10));
    EXPECT_FALSE(InBetween(6, 10, 50));
    EXPECT_FALSE(InBetween(54, 10, 50));
    EXPECT_TRUE(InBetween(std::numeric_limits<int32_t>::max(), 0, std::numeric_limits<int32_t>::max()));

    EXPECT_TRUE(NearSegment(30, 13, 10, 10, 50, 10));
    EXPECT_TRUE(NearSegment(53, 10, 10, 10, 50, 10));
    EXPECT_FALSE(NearSegment(30, 14, 10, 10, 50, 10));
    EXPECT_FALSE(NearSegment(54, 10, 10, 10, 50, 10));

    // Diagonal: distance from the line is what counts; 6 px off is near, 7 px is not.
    EXPECT_TRUE(NearSegment(20 - 4, 20 + 4, 0, 0, 40, 40));    // about 5.66 px away
    EXPECT_FALSE(NearSegment(20 - 5, 20 + 5, 0, 0, 40, 40));   // about 7.07 px away

    EXPECT_FALSE(NearSegment(10, 10, 10, 10, 10, 10));  // zero length
    const int32_t big = std::numeric_limits<int32_t>::max();
    EXPECT_TRUE(NearSegment(big, big, -big, -big, big, big));  // no overflow on huge segments

    Scales().HandleWidth = 11;
    EXPECT_TRUE(NearSegment(30, 15, 10, 10, 50, 10));
    EXPECT_FALSE(NearSegment(30, 16, 10, 10, 50, 10));
}

}  // namespace
}  // namespace qv
