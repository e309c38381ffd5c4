// Moving and resizing: handle drags, proportions, snapping, keeping on the page.
#include "drawing/BSSline.h"
#include "drawing/bspoly.h"
#include "drawing/bspunkt.h"
#include "shape_fixture.h"

namespace qv::testing {

namespace {

void ExpectBox(const Tsimple& o, double x, double y, double w, double h) {
    EXPECT_NEAR(o.X(), x, 1e-9);
    EXPECT_NEAR(o.Y(), y, 1e-9);
    EXPECT_NEAR(o.Width(), w, 1e-9);
    EXPECT_NEAR(o.Height(), h, 1e-9);
}

}  // namespace

TEST_F(ShapeTest, DraggingAnEdgePastTheOtherSwitchesEdges) {
    Tsimple box;
    box.SetBounds(1, 1, 4, 2);  // 1..5
    Drawing().DragMode = HitInside | HitLeft;
    box.DragHandle(0, 7, 0);
    ExpectBox(box, 7, 1, -2, 2);  // 5..7, the dragged edge is now the right one
    EXPECT_EQ(Drawing().DragMode, HitInside | HitRight);
    EXPECT_EQ(box.PixX(), 70);
    EXPECT_EQ(box.PixWidth(), -20);
    box.DragHandle(0, 8, 0);
    ExpectBox(box, 8, 1, -3, 2);
    box.DragHandle(0, 3, 0);  // back across 5
    ExpectBox(box, 3, 1, 2, 2);
    EXPECT_EQ(Drawing().DragMode, HitInside | HitLeft);

    Drawing().DragMode = HitInside | HitBottom;
    box.DragHandle(0, 0, -1);
    ExpectBox(box, 3, 1, 2, -2);
    EXPECT_EQ(Drawing().DragMode, HitInside | HitTop);

    // A turned box is dragged in its own frame: a half turn mirrors the move.
    Tsimple turned;
    turned.SetBounds(0, 0, 4, 2);
    turned.Angle = 1800;
    Drawing().DragMode = HitInside | HitRight;
    turned.DragHandle(0, -1, 1);  // the visual left edge of the turned box
    EXPECT_NEAR(turned.Width(), 5, 1e-9);
}

TEST_F(ShapeTest, ShiftKeepsProportions) {
    Tsimple box;
    box.SetBounds(1, 1, 4, 2);
    box.BeginDrag(0);
    Drawing().DragMode = HitInside | HitRight;
    box.DragHandle(ShiftKey, 9, 0);
    ExpectBox(box, 1, 1, 8, 4);
    Drawing().DragMode = HitInside | HitRight | HitBottom;
    box.DragHandle(ShiftKey, 20, 2);
    ExpectBox(box, 1, 1, 2, 1);
    // The top-left corner keeps the bottom-right one in place.
    Drawing().DragMode = HitInside | HitLeft | HitTop;
    box.DragHandle(ShiftKey, -1, 0);
    ExpectBox(box, -1, 0, 4, 2);
    // Smaller than a handle: the drag is refused.
    Drawing().DragMode = HitInside | HitRight;
    box.DragHandle(ShiftKey, -0.6, 0);
    ExpectBox(box, -1, 0, 4, 2);
    EXPECT_TRUE(box.Dragging);
    box.EndDrag();
    EXPECT_FALSE(box.Dragging);

    // Boxes also keep proportions with Ctrl; Ctrl at the start squares them.
    TRechteck rect;
    rect.SetBounds(1, 1, 4, 2);
    Drawing().DragMode = HitInside | HitRight | HitBottom;
    rect.BeginDrag(CtrlKey);
    ExpectBox(rect, 1, 1, 3, 3);
    rect.DragHandle(CtrlKey, 7, 4);
    ExpectBox(rect, 1, 1, 3, 3);
}

TEST_F(ShapeTest, MovingSnapsToTheGridAndEndingStaysOnThePage) {
    Tsimple box;
    box.SetBounds(1.1, 2.6, 1, 1);
    box.MoveBy(0.3, 0);
    ExpectBox(box, 1.4, 2.6, 1, 1);
    Drawing().SnapToGrid = true;
    box.MoveBy(0.3, 0);
    ExpectBox(box, 1.5, 2.5, 1, 1);
    box.MoveBy(0.75, 0.25);  // halves go to the even step
    ExpectBox(box, 2.0, 3.0, 1, 1);

    TPunkt point(3, 3);
    point.MoveBy(0.33, 0.01);
    EXPECT_NEAR(point.CentreX(), 3.33, 1e-9);
    EXPECT_NEAR(point.CentreY(), 3.01, 1e-9);

    box.SetBounds(20, 29, 4, 2);
    box.EndDrag();
    ExpectBox(box, 19, 28.6, 4, 2);
    box.SetBounds(-3, -2, 2, 2);
    box.EndDrag();
    ExpectBox(box, -1, -1, 2, 2);
}

TEST_F(ShapeTest, LineEndsAreDraggedAlone) {
    TLine line;
    line.SetBounds(1, 1, 4, 1);
    Drawing().DragMode = HitInside | HitLeft | HitTop;
    line.DragHandle(0, 0, 0);
    ExpectBox(line, 0, 0, 5, 2);  // the end point stays at (5, 2)
    Drawing().DragMode = HitInside | HitRight | HitTop;
    line.DragHandle(CtrlKey, 6, 2.5);
    ExpectBox(line, 0, 0, 6, 0);  // Ctrl makes it horizontal
    line.DragHandle(CtrlKey, 1, 4);
    ExpectBox(line, 0, 0, 0, 4);
    Drawing().DragMode = HitInside | HitLeft | HitTop;
    line.DragHandle(CtrlKey, 0.5, 1);  // vertical from the end point (0, 4)
    ExpectBox(line, 0, 1, 0, 3);

    // Scaling the line scales its arrow head and pen with it.
    line.SetBounds(0, 0, 0, 6);
    EXPECT_NEAR(line.ArrowLength, 0.5, 1e-9);
    EXPECT_NEAR(line.LineWidth, 0.2, 1e-9);
}

TEST_F(ShapeTest, PolygonVerticesFollowTheBox) {
    TPoly poly;
    int index = -1;
    EXPECT_TRUE(poly.AddPoint(index, false, 1, 1));
    EXPECT_TRUE(poly.AddPoint(index, false, 5, 2));
    EXPECT_TRUE(poly.AddPoint(index, false, 3, 4));
    EXPECT_EQ(index, 2);
    ExpectBox(poly, 1, 1, 4, 3);
    EXPECT_FALSE(poly.AddPoint(index, false, 3.1, 4.1));  // on the last vertex
    EXPECT_FALSE(poly.Closed);
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(poly.AddPoint(index, false, 1.2, 0.9));  // on the first: closes
    EXPECT_TRUE(poly.Closed);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(poly.Points.size(), 3u);

    poly.MovePoint(0, 0, 0);
    ExpectBox(poly, 0, 0, 5, 4);
    EXPECT_NEAR(poly.Points[1].X, 5, 1e-9);
    poly.MovePoint(7, 9, 9);  // no such vertex
    EXPECT_EQ(poly.Points.size(), 3u);

    Drawing().DragMode = HitInside | HitRight;
    poly.DragHandle(0, 10, 0);
    ExpectBox(poly, 0, 0, 10, 4);
    EXPECT_NEAR(poly.Points[1].X, 10, 1e-9);
    poly.DragHandle(0, 0, 0);  // collapsing is refused
    ExpectBox(poly, 0, 0, 10, 4);

    // A flat polyline can still be stretched along its length.
    TPoly flat;
    flat.Points = {{0, 0}, {2, 0}};
    flat.FitPoints();
    flat.DragHandle(0, 4, 0);
    EXPECT_NEAR(flat.Points[1].X, 4, 1e-9);

    poly.Transform(1);
    EXPECT_NEAR(poly.Points[1].X, 0, 1e-9);
    poly.Transform(3);
    ExpectBox(poly, 3, -3, 4, 10);
}

}  // namespace qv::testing
