#include <gtest/gtest.h>

#include <cmath>

#include "charts/ChartFields.h"

namespace qv {
namespace {

struct Axes {
    Taxis3DFields vertical, horizontal, depth;
};

TEST(ChartProjection, TwoDimensionalCornersAndPlotArea) {
    ChartFields chart;
    chart.plotRect = PercentRect(chart.plotPercent, 16, 12);
    EXPECT_DOUBLE_EQ(chart.plotRect.Left, 1.6);
    EXPECT_DOUBLE_EQ(chart.plotRect.Top, 1.2);
    EXPECT_DOUBLE_EQ(chart.plotRect.Width, 12.8);
    EXPECT_DOUBLE_EQ(chart.plotRect.Height, 9.6);

    Axes a;
    RealPoint p = ProjectOnChart(chart, a.vertical, a.horizontal, a.depth, a.vertical.maximum, a.horizontal.minimum, 0);
    EXPECT_DOUBLE_EQ(p.X, 1.6);
    EXPECT_DOUBLE_EQ(p.Y, 1.2);
    p = ProjectOnChart(chart, a.vertical, a.horizontal, a.depth, 0, 5, 0);
    EXPECT_DOUBLE_EQ(p.X, 14.4);
    EXPECT_DOUBLE_EQ(p.Y, 10.8);
    // In two dimensions the depth value does not move the point.
    RealPoint q = ProjectOnChart(chart, a.vertical, a.horizontal, a.depth, 0, 5, 5);
    EXPECT_DOUBLE_EQ(q.X, p.X);
    EXPECT_DOUBLE_EQ(q.Y, p.Y);
}

TEST(ChartProjection, DepthRunsDownAndLeft) {
    ChartFields chart;
    chart.threeD = true;
    chart.plotRect = PercentRect(chart.plotPercent, 16, 12);
    Axes a;
    const RealPoint p = ProjectOnChart(chart, a.vertical, a.horizontal, a.depth, 0, 0, a.depth.maximum);
    EXPECT_NEAR(p.X, -1.464, 0.01);
    EXPECT_NEAR(p.X, 1.6 + 12.8 * std::cos(250 * M_PI / 180) * 0.7, 1e-9);
    EXPECT_GT(p.Y, 10.8);
}

TEST(ChartProjection, LogarithmicAxesAndUnplaceableValues) {
    ChartFields chart;
    chart.plotRect = {0, 0, 10, 10};
    Axes a;
    a.horizontal.logarithmic = true;
    a.horizontal.minimum = 1;
    a.horizontal.maximum = 1000;
    EXPECT_NEAR(ProjectOnChart(chart, a.vertical, a.horizontal, a.depth, 0, 10, 0).X, 10.0 / 3, 1e-12);
    EXPECT_NEAR(ProjectOnChart(chart, a.vertical, a.horizontal, a.depth, 0, 100, 0).X, 20.0 / 3, 1e-12);

    // A value the log axis cannot show, and a log axis starting at 0.
    RealPoint p = ProjectOnChart(chart, a.vertical, a.horizontal, a.depth, 0, -1, 0);
    EXPECT_EQ(p.X, -1);
    EXPECT_EQ(p.Y, -1);
    a.horizontal.minimum = 0;
    p = ProjectOnChart(chart, a.vertical, a.horizontal, a.depth, 1, 10, 0);
    EXPECT_EQ(p.X, -1);
    EXPECT_EQ(p.Y, -1);

    // An empty linear range cannot place anything either.
    Axes b;
    b.vertical.maximum = b.vertical.minimum;
    p = ProjectOnChart(chart, b.vertical, b.horizontal, b.depth, 0, 1, 0);
    EXPECT_EQ(p.X, -1);
}

}  // namespace
}  // namespace qv
