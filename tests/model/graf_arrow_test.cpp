#include "model/QVGrafArrow.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

IntPoint AddedAfterOrigin(int32_t X, int32_t Y) {
    tpfeil a(0, 0);
    a.AddPoint(X, Y);
    return a.Last();
}

TEST(GrafArrow, AddPointSnapsOrthogonally) {
    tpfeil fresh(4, 5);
    EXPECT_EQ(fresh.PointCount, 1);
    EXPECT_EQ(fresh.First(), (IntPoint{4, 5}));
    EXPECT_EQ(fresh.Sign, 0);
    EXPECT_FALSE(fresh.Unfinished);
    EXPECT_EQ(fresh.SourceStockIndex, -1);
    EXPECT_EQ(fresh.TargetRateIndex, -1);

    EXPECT_EQ(AddedAfterOrigin(10, 50), (IntPoint{0, 50}));
    EXPECT_EQ(AddedAfterOrigin(50, 10), (IntPoint{50, 0}));
    EXPECT_EQ(AddedAfterOrigin(20, 20), (IntPoint{20, 0}));  // ties go horizontal
    EXPECT_EQ(AddedAfterOrigin(-10, -50), (IntPoint{0, -50}));

    // Each point snaps against the one before it.
    tpfeil a(0, 0);
    a.AddPoint(30, 2);
    a.AddPoint(33, 40);
    EXPECT_EQ(a.PointCount, 3);
    EXPECT_EQ(a.Points[1], (IntPoint{30, 0}));
    EXPECT_EQ(a.Points[2], (IntPoint{30, 40}));

    // An arrow read without points takes its first point as given.
    tpfeil empty;
    empty.AddPoint(7, 9);
    EXPECT_EQ(empty.PointCount, 1);
    EXPECT_EQ(empty.First(), (IntPoint{7, 9}));
}

TEST(GrafArrow, AtMost101Points) {
    tpfeil a(0, 0);
    for (int i = 1; i <= 150; ++i) a.AddPoint(i * 10, 0);
    EXPECT_EQ(a.PointCount, 101);
    EXPECT_EQ(a.Last(), (IntPoint{1000, 0}));
}

TEST(GrafArrow, FindPointAndSegments) {
    tpfeil a(0, 0);
    a.AddPoint(100, 0);
    a.AddPoint(100, 50);
    a.AddPoint(101, 50);  // a second point close to the third

    EXPECT_EQ(a.FindPoint(2, -2), 0);
    EXPECT_EQ(a.FindPoint(3, 0), -1);
    EXPECT_EQ(a.FindPoint(101, 51), 2);  // the lowest index wins
    EXPECT_EQ(a.FindPoint(500, 500), -1);

    // Along an axis the 3-pixel margin of the segment's box decides.
    EXPECT_EQ(a.HitSegment({50, 3}), 0);
    EXPECT_EQ(a.HitSegment({50, 4}), -1);
    EXPECT_EQ(a.HitSegment({-3, 0}), 0);    // 3 beyond the end still counts
    EXPECT_EQ(a.HitSegment({-4, 0}), -1);
    EXPECT_EQ(a.HitSegment({103, 25}), 1);
    EXPECT_EQ(a.HitSegment({100, 0}), 0);   // a shared point belongs to the first segment

    EXPECT_TRUE(HitsSegment({5, 5}, {0, 0}, {10, 10}));
    // Across a slanted segment the distance from its line decides: below 6.
    EXPECT_TRUE(HitsSegment({9, 1}, {0, 0}, {10, 10}));    // 5.7 pixels off
    EXPECT_FALSE(HitsSegment({10, 1}, {0, 0}, {10, 10}));  // 6.4 pixels off
    EXPECT_FALSE(HitsSegment({0, 0}, {0, 0}, {0, 0}));     // zero length is never hit
}

TEST(GrafArrow, ArrowHead) {
    tpfeil a(0, 0);
    EXPECT_FALSE(a.ArrowHead());  // one point
    a.AddPoint(20, 0);
    auto head = a.ArrowHead();
    ASSERT_TRUE(head);
    EXPECT_EQ(head->Triangle[0], (IntPoint{15, -3}));
    EXPECT_EQ(head->Triangle[1], (IntPoint{20, 0}));
    EXPECT_EQ(head->Triangle[2], (IntPoint{15, 3}));
    EXPECT_EQ(head->SignPos, (IntPoint{10, 0}));

    a.Unfinished = true;
    EXPECT_FALSE(a.ArrowHead());

    tpfeil down(0, 0);
    down.AddPoint(0, 30);
    head = down.ArrowHead();
    ASSERT_TRUE(head);
    EXPECT_EQ(head->Triangle[0], (IntPoint{3, 25}));
    EXPECT_EQ(head->Triangle[2], (IntPoint{-3, 25}));
    EXPECT_EQ(head->SignPos, (IntPoint{0, 15}));

    // Only the last segment counts: 5 pixels show neither head nor sign, 6 do.
    tpfeil shortEnd(0, 0);
    shortEnd.AddPoint(0, 100);
    shortEnd.AddPoint(5, 100);
    EXPECT_FALSE(shortEnd.ArrowHead());
    shortEnd.Points[2].X = 6;
    EXPECT_TRUE(shortEnd.ArrowHead());

    // Odd sums halve toward zero.
    tpfeil negative(-5, 0);
    negative.AddPoint(-20, 0);
    EXPECT_EQ(negative.ArrowHead()->SignPos, (IntPoint{-12, 0}));
}

TEST(GrafArrow, MovePointAlongElementEdges) {
    tzustand stock(100, 100);  // box (80, 85, 120, 115)
    trate rate(300, 100);      // box (280, 85, 320, 115)

    // Leaving the stock's left edge: only vertical moves, clamped to the edge.
    tpfeil a(80, 100);
    a.Source = &stock;
    a.AddPoint(40, 100);
    a.AddPoint(40, 200);
    a.MovePoint(0, 7, 5);
    EXPECT_EQ(a.First(), (IntPoint{80, 105}));
    a.MovePoint(0, 0, 100);
    EXPECT_EQ(a.First(), (IntPoint{80, 115}));
    a.MovePoint(0, 0, -1000);
    EXPECT_EQ(a.First(), (IntPoint{80, 85}));

    // On the bottom edge: only sideways, clamped to the box's width.
    a.First() = {100, 115};
    a.MovePoint(0, 50, 9);
    EXPECT_EQ(a.First(), (IntPoint{120, 115}));
    // On a corner the side edge wins.
    a.MovePoint(0, -5, -3);
    EXPECT_EQ(a.First(), (IntPoint{120, 112}));
    // Off every edge nothing moves.
    a.First() = {100, 100};
    a.MovePoint(0, 5, 5);
    EXPECT_EQ(a.First(), (IntPoint{100, 100}));

    // Inner points move freely; neighbours stay.
    a.MovePoint(1, -3, 4);
    EXPECT_EQ(a.Points[1], (IntPoint{37, 104}));
    EXPECT_EQ(a.Points[2], (IntPoint{40, 200}));
    // The last point slides along its target; without a target it stays.
    a.MovePoint(2, 10, 10);
    EXPECT_EQ(a.Points[2], (IntPoint{40, 200}));
    a.Target = &rate;
    a.Points[2] = {280, 90};
    a.MovePoint(2, 10, 10);
    EXPECT_EQ(a.Points[2], (IntPoint{280, 100}));
    a.MovePoint(5, 1, 1);  // beyond the points: ignored
    a.MovePoint(-1, 1, 1);
    EXPECT_EQ(a.PointCount, 3);

    // An arrow from a rate never moves its start at the tip.
    tpfeil fromRate(320, 85);
    fromRate.Source = &rate;
    fromRate.AddPoint(400, 85);
    fromRate.MovePoint(0, 0, 10);
    EXPECT_EQ(fromRate.First(), (IntPoint{320, 85}));
}

}  // namespace
}  // namespace qv
