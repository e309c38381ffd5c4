// Gripping, moving and resizing selected page objects with the mouse.
#include "drawing/PageDrag.h"
#include "drawing/bsbitmap.h"
#include "drawing/bskomplex.h"
#include "drawing/bsrect.h"
#include "shape_fixture.h"

namespace qv::testing {

class PageDragTest : public ShapeTest {
protected:
    // A picture and a box on a page at 10 pixels per centimetre: a at pixels
    // 10..70 × 10..50, b at 100..140 × 10..50; a is selected.
    void SetUp() override {
        ShapeTest::SetUp();
        a = add<TBild>(1, 1, 6, 4);
        b = add<TRechteck>(10, 1, 4, 4);
        a->SetSelected(true);
    }
    template <class Shape>
    Tsimple* add(double x, double y, double w, double h) {
        auto box = std::make_unique<Shape>();
        box->SetBounds(x, y, w, h);
        Tsimple* raw = box.get();
        page.Add(std::move(box));
        return raw;
    }
    TSeite page;
    Tsimple* a = nullptr;
    Tsimple* b = nullptr;
};

TEST_F(PageDragTest, GripsAndTheirPointerShapes) {
    struct Case {
        int x, y;
        uint8_t code;
        Qt::CursorShape cursor;
    };
    for (const Case& c : {Case{12, 30, 2, Qt::SizeHorCursor}, Case{65, 30, 4, Qt::SizeHorCursor},
                          Case{40, 12, 8, Qt::SizeVerCursor}, Case{40, 48, 16, Qt::SizeVerCursor},
                          Case{12, 12, 10, Qt::SizeFDiagCursor}, Case{68, 48, 20, Qt::SizeFDiagCursor},
                          Case{65, 12, 12, Qt::SizeBDiagCursor}, Case{12, 45, 18, Qt::SizeBDiagCursor},
                          Case{40, 30, 32, Qt::SizeAllCursor}}) {
        const PageGrip grip = FindGrip(page, c.x, c.y);
        EXPECT_EQ(grip.Object, a) << c.x << "," << c.y;
        EXPECT_EQ(grip.Code, c.code) << c.x << "," << c.y;
        EXPECT_EQ(GripCursor(grip.Code), c.cursor) << c.x << "," << c.y;
    }
    // Inside but on no handle, on an unselected object, or on nothing.
    EXPECT_FALSE(FindGrip(page, 25, 30));
    EXPECT_FALSE(FindGrip(page, 120, 30));
    EXPECT_FALSE(FindGrip(page, 90, 90));
    EXPECT_EQ(GripCursor(0), Qt::ArrowCursor);
}

TEST_F(PageDragTest, TheCentreMovesEverySelectedObject) {
    b->SetSelected(true);
    PageDrag drag;
    drag.Start(page, FindGrip(page, 40, 30), 40, 30);
    ASSERT_TRUE(drag.Active());
    EXPECT_EQ(drag.Dragged().size(), 2u);
    EXPECT_TRUE(a->Dragging && b->Dragging);
    EXPECT_EQ(drag.Move(40, 30, Qt::LeftButton, {}), DragStep::Unchanged) << "no movement, no change";
    EXPECT_EQ(drag.Move(50, 35, Qt::LeftButton, {}), DragStep::Moved);
    EXPECT_EQ(drag.Move(55, 50, Qt::LeftButton | Qt::RightButton, {}), DragStep::Moved);
    drag.Finish();
    EXPECT_FALSE(drag.Active());
    EXPECT_FALSE(a->Dragging || b->Dragging);
    EXPECT_DOUBLE_EQ(a->X(), 2.5);
    EXPECT_DOUBLE_EQ(a->Y(), 3);
    EXPECT_DOUBLE_EQ(b->X(), 11.5);
    EXPECT_DOUBLE_EQ(b->Y(), 3);
    EXPECT_DOUBLE_EQ(a->Width(), 6) << "moving keeps the size";
}

TEST_F(PageDragTest, AHandleResizesTheGrippedObjectOnly) {
    b->SetSelected(true);
    PageDrag drag;
    drag.Start(page, FindGrip(page, 68, 48), 68, 48);  // bottom right of a
    EXPECT_EQ(drag.Dragged().size(), 1u);
    drag.Move(90, 60, Qt::LeftButton, {});
    drag.Finish();
    EXPECT_DOUBLE_EQ(a->X(), 1);
    EXPECT_DOUBLE_EQ(a->Width(), 8);
    EXPECT_DOUBLE_EQ(a->Height(), 5);
    EXPECT_DOUBLE_EQ(b->Width(), 4);

    // Dragging the left edge past the right one goes on as the right edge.
    ASSERT_EQ(FindGrip(page, 12, 35).Code, HitLeft);  // a is now 10..90 × 10..60
    drag.Start(page, FindGrip(page, 12, 35), 12, 35);
    drag.Move(110, 35, Qt::LeftButton, {});
    drag.Finish();
    EXPECT_DOUBLE_EQ(std::min(a->X(), a->X() + a->Width()), 9);
    EXPECT_DOUBLE_EQ(std::abs(a->Width()), 2);

    // Shift keeps the proportions.
    a->SetBounds(1, 1, 6, 4);
    drag.Start(page, FindGrip(page, 68, 48), 68, 48);
    drag.Move(100, 48, Qt::LeftButton, Qt::ShiftModifier);
    drag.Finish();
    EXPECT_NEAR(a->Width() / a->Height(), 6.0 / 4.0, 1e-9);
}

TEST_F(PageDragTest, AMoveWithoutTheLeftButtonEndsTheDrag) {
    // The release was missed (it happened outside the picture): the next
    // move without the button ends the drag and leaves the object in place.
    PageDrag drag;
    drag.Start(page, FindGrip(page, 40, 30), 40, 30);
    EXPECT_EQ(drag.Move(60, 30, Qt::RightButton, {}), DragStep::Ended);
    EXPECT_FALSE(drag.Active());
    EXPECT_TRUE(drag.Dragged().empty());
    EXPECT_FALSE(a->Dragging);
    EXPECT_DOUBLE_EQ(a->X(), 1);
    EXPECT_EQ(drag.Move(80, 30, Qt::LeftButton, {}), DragStep::Unchanged) << "nothing follows once it ended";
    EXPECT_DOUBLE_EQ(a->X(), 1);
}

TEST_F(PageDragTest, ObjectsAreKeptOnThePage) {
    PageDrag drag;
    drag.Start(page, FindGrip(page, 40, 30), 40, 30);
    drag.Move(-500, -500, Qt::LeftButton, {});
    drag.Finish();
    EXPECT_DOUBLE_EQ(a->CentreX(), 0) << "the centre stays on the page";
    EXPECT_DOUBLE_EQ(a->CentreY(), 0);

    // The page shown is smaller than the printed sheet: an object let go
    // beyond it comes back to its edge, where it can be gripped again.
    page.SetBounds(0, 0, 16, 12);
    a->SetBounds(1, 1, 6, 4);
    drag.Start(page, FindGrip(page, 40, 30), 40, 30);
    drag.Move(220, 150, Qt::LeftButton, {});
    drag.Finish();
    EXPECT_DOUBLE_EQ(a->CentreX(), 16);
    EXPECT_DOUBLE_EQ(a->CentreY(), 12);
    EXPECT_DOUBLE_EQ(Drawing().PageWidth, 21) << "the sheet keeps its size";
    EXPECT_DOUBLE_EQ(Drawing().PageHeight, 29.6);
    // A resize past the page's edge keeps the centre on it as well.
    a->SetBounds(1, 1, 6, 4);
    drag.Start(page, FindGrip(page, 68, 48), 68, 48);
    drag.Move(400, 50, Qt::LeftButton, {});
    drag.Finish();
    EXPECT_DOUBLE_EQ(a->CentreX(), 16);
    EXPECT_DOUBLE_EQ(a->Height(), 4);

    drag.Start(page, {}, 0, 0);
    EXPECT_FALSE(drag.Active()) << "no grip, no drag";
}

}  // namespace qv::testing
