// Hit codes of the handles and the hit tests of the shapes.
#include "drawing/BSSline.h"
#include "drawing/bspoly.h"
#include "drawing/bspunkt.h"
#include "shape_fixture.h"

namespace qv::testing {

TEST_F(ShapeTest, HandleCodesOfABox) {
    Tsimple box;
    box.SetBounds(1, 1, 6, 4);  // pixels 10..70 × 10..50
    EXPECT_EQ(box.HitTestHandles(12, 12), 11);
    EXPECT_EQ(box.HitTestHandles(65, 12), 13);
    EXPECT_EQ(box.HitTestHandles(12, 45), 19);
    EXPECT_EQ(box.HitTestHandles(68, 48), 21);
    EXPECT_EQ(box.HitTestHandles(12, 30), 3);
    EXPECT_EQ(box.HitTestHandles(65, 30), 5);
    EXPECT_EQ(box.HitTestHandles(40, 12), 9);
    EXPECT_EQ(box.HitTestHandles(40, 48), 17);
    EXPECT_EQ(box.HitTestHandles(40, 30), 33);
    EXPECT_EQ(box.HitTestHandles(12, 20), 1);  // between corner and side handle
    EXPECT_EQ(box.HitTestHandles(25, 30), 1);
    EXPECT_EQ(box.HitTestHandles(40, 20), 1);
    EXPECT_EQ(box.HitTestHandles(3, 30), 3);   // one handle outside still grabs
    EXPECT_EQ(box.HitTestHandles(2, 30), 0);
    EXPECT_EQ(box.HitTestHandles(77, 30), 5);
    EXPECT_EQ(box.HitTestHandles(78, 30), 0);
    EXPECT_TRUE(box.HitTest(40, 20));
    EXPECT_FALSE(box.HitTest(40, 58));

    // Extending to the left of X: the visual left edge still gives left codes.
    box.SetBounds(7, 1, -6, 4);
    EXPECT_EQ(box.HitTestHandles(12, 12), 11);
    EXPECT_EQ(box.HitTestHandles(12, 30), 3);
    EXPECT_EQ(box.HitTestHandles(68, 48), 21);

    // One pixel wide: hit within three handle widths around it.
    box.SetBounds(1, 1, 0.1, 4);
    EXPECT_NE(box.HitTestHandles(10, 30), 0);
    EXPECT_NE(box.HitTestHandles(-7, 30), 0);
    EXPECT_NE(box.HitTestHandles(28, 30), 0);
    EXPECT_EQ(box.HitTestHandles(29, 30), 0);

    // Turned a quarter: the point is tested in the unturned frame.
    box.SetBounds(1, 1, 6, 4);
    box.Angle = 900;
    EXPECT_EQ(box.HitTestHandles(12, 12), 0);
    const uint8_t side = box.HitTestHandles(40, 2);
    EXPECT_TRUE(side == 3 || side == 5) << int(side);
}

TEST_F(ShapeTest, LineHitsAndHandles) {
    TLine line;
    line.SetBounds(1, 1, 4, 0);  // pixels (10,10)-(50,10)
    EXPECT_EQ(line.HitTestHandles(10, 10), 11);
    EXPECT_EQ(line.HitTestHandles(50, 12), 13);
    EXPECT_EQ(line.HitTestHandles(30, 10), 33);
    EXPECT_EQ(line.HitTestHandles(20, 16), 1);
    EXPECT_EQ(line.HitTestHandles(20, 18), 0);
    EXPECT_TRUE(line.HitTest(20, 13));
    EXPECT_FALSE(line.HitTest(20, 18));
    EXPECT_FALSE(line.HitTest(60, 10));

    // A short line still offers its end handles apart from the middle one.
    line.SetBounds(1, 1, 0.2, 0);  // (10,10)-(12,10)
    EXPECT_EQ(line.HitTestHandles(4, 10), 11);
    EXPECT_EQ(line.HitTestHandles(18, 10), 13);
    EXPECT_EQ(line.HitTestHandles(11, 10), 33);
    EXPECT_EQ(line.HitTestHandles(2, 10), 0);
}

TEST_F(ShapeTest, ShapeSpecificHits) {
    TPoly rect;
    rect.SetBounds(1, 1, 6, 4);
    rect.FillStyle = FillClear;
    EXPECT_FALSE(rect.HitTest(40, 30)) << "an empty polygon is hit on its segments only";

    TPoly poly;
    poly.SetBounds(1, 1, 4, 2);
    poly.Points = {{0, 0}, {4, 0}, {4, 2}};
    EXPECT_TRUE(poly.HitTest(30, 12));
    EXPECT_TRUE(poly.HitTest(48, 30));
    EXPECT_FALSE(poly.HitTest(30, 20));  // on the closing side, which an open polyline lacks
    poly.Closed = true;
    EXPECT_TRUE(poly.HitTest(30, 20));
    poly.FillStyle = 0;
    EXPECT_TRUE(poly.HitTest(20, 25)) << "a filled polygon is hit in its box";

    TBezier curve;
    curve.Points = {{0, 0}, {2, 2}, {4, 0}};
    curve.FitPoints();
    curve.FillStyle = FillClear;
    EXPECT_TRUE(curve.HitTest(20, 20));
    EXPECT_FALSE(curve.HitTest(20, 5));

    TPunkt point(3, 3);  // pixels 29..31
    EXPECT_EQ(point.HitTestHandles(30, 30), 33);
    EXPECT_EQ(point.HitTestHandles(34, 30), 33);
    EXPECT_EQ(point.HitTestHandles(35, 30), 0);
}

TEST_F(ShapeTest, UnfilledBoxIsHitOnItsBorder) {
    TRechteck box;
    box.SetBounds(1, 1, 6, 4);
    box.FillStyle = FillClear;
    EXPECT_FALSE(box.HitTest(40, 30));
    EXPECT_TRUE(box.HitTest(40, 12));
    EXPECT_TRUE(box.HitTest(68, 30));
    EXPECT_FALSE(box.HitTest(40, 58));
    box.FillStyle = 0;
    EXPECT_TRUE(box.HitTest(40, 30));
}

}  // namespace qv::testing
