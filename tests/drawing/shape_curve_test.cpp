// The smooth curve through a polygon's vertices and its cache.
#include "drawing/bspoly.h"
#include "shape_fixture.h"

namespace qv::testing {

namespace {

std::unique_ptr<TBezier> Curve(std::vector<RealPoint> points, bool closed) {
    auto curve = std::make_unique<TBezier>();
    curve->Points = std::move(points);
    curve->Closed = closed;
    curve->FitPoints();
    return curve;
}

}  // namespace

TEST_F(ShapeTest, CurvePassesThroughItsVertices) {
    auto open = Curve({{0, 0}, {2, 1}, {4, 0}, {6, 2}}, false);
    const auto& points = open->CurvePoints();
    ASSERT_EQ(points.size(), 150u);
    EXPECT_EQ(points[0], QPoint(0, 0));
    EXPECT_EQ(points[50], QPoint(20, 10));
    EXPECT_EQ(points[100], QPoint(40, 0));
    // The last vertex itself is not produced; the curve stops just before it.
    EXPECT_LE(std::abs(points[149].x() - 60) + std::abs(points[149].y() - 20), 2);

    auto closed = Curve({{0, 0}, {2, 1}, {4, 0}, {6, 2}}, true);
    const auto& loop = closed->CurvePoints();
    ASSERT_EQ(loop.size(), 200u);
    EXPECT_EQ(loop[150], QPoint(60, 20));
    EXPECT_LE(std::abs(loop[199].x()) + std::abs(loop[199].y()), 2);

    auto two = Curve({{0, 0}, {3, 3}}, false);
    const auto& straight = two->CurvePoints();
    ASSERT_EQ(straight.size(), 50u);
    EXPECT_EQ(straight[25], QPoint(15, 15));
    EXPECT_TRUE(Curve({{1, 1}}, false)->CurvePoints().empty());

    // A record read back gives the same curve.
    auto copy = ReadRecord(RecordOf(*closed));
    EXPECT_EQ(dynamic_cast<TBezier&>(*copy).CurvePoints(), loop);
}

TEST_F(ShapeTest, MovedVertexRecomputesLikeAFreshCurve) {
    const std::vector<RealPoint> start = {{0, 0}, {2, 3}, {4, 0}, {6, 3}, {8, 0}, {10, 3}};
    for (bool closed : {false, true}) {
        for (int index = 0; index < 6; ++index) {
            auto curve = Curve(start, closed);
            TBezier& moved = *curve;
            moved.CurvePoints();
            moved.MovePoint(index, start[static_cast<std::size_t>(index)].X + 0.5, 1.5);
            moved.MovePoint((index + 3) % 6, 5, 2);
            TBezier fresh;
            fresh.Points = moved.Points;
            fresh.Closed = closed;
            EXPECT_EQ(moved.CurvePoints(), fresh.CurvePoints()) << "vertex " << index << (closed ? " closed" : " open");
        }
    }

    // Moving, scaling and turning all redraw the curve from its vertices.
    auto curve = Curve(start, false);
    curve->CurvePoints();
    curve->Transform(0);
    EXPECT_EQ(curve->CurvePoints()[50], QPoint(20, 0));
    curve->SetBounds(0, 0, 5, 1.5);
    EXPECT_EQ(curve->CurvePoints()[100], QPoint(20, 15));
    int index = 0;
    EXPECT_TRUE(curve->AddPoint(index, false, 7, 1));
    EXPECT_EQ(curve->CurvePoints().size(), 300u);
    EXPECT_EQ(curve->CurvePoints()[250], QPoint(50, 0));
}

}  // namespace qv::testing
