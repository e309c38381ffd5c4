// "Drehen" on the page: selected objects take the angle, groups turn their
// members by the difference, and a box beyond the arithmetic turns nothing.
#include "drawing/RotateSelection.h"
#include "drawing/bskomplex.h"
#include "drawing/bsrect.h"
#include "shape_fixture.h"

namespace qv::testing {

namespace {

TRechteck* AddBox(TKomplex& group, double x, double y) {
    auto box = std::make_unique<TRechteck>();
    box->SetBounds(x, y, 2, 1);
    TRechteck* raw = box.get();
    group.Add(std::move(box));
    return raw;
}

}  // namespace

TEST_F(ShapeTest, SelectedObjectsTurnToTheAngleAndGroupsPassTheDifference) {
    TSeite page;
    TRechteck* alone = AddBox(page, 1, 1);
    TRechteck* untouched = AddBox(page, 5, 5);
    auto group = std::make_unique<TKomplex>();
    group->SetBounds(8, 8, 4, 4);
    TRechteck* member = AddBox(*group, 0, 0);
    member->Angle = 100;
    group->Angle = 300;
    TKomplex* rawGroup = group.get();
    page.Add(std::move(group));
    alone->SetSelected(true);
    rawGroup->SetSelected(true);
    alone->Angle = 450;

    EXPECT_EQ(SelectedAngle(page), 450);
    ASSERT_TRUE(RotateSelectedTo(page, 2700));
    EXPECT_EQ(alone->Angle, 2700);
    EXPECT_EQ(untouched->Angle, 0);
    EXPECT_EQ(rawGroup->Angle, 2700);
    EXPECT_EQ(member->Angle, (100 + 2700 - 300) % 3600);
}

TEST_F(ShapeTest, ARotationThatCannotBeComputedLeavesEveryObjectAsItWas) {
    TSeite page;
    TRechteck* fine = AddBox(page, 1, 1);
    TRechteck* huge = AddBox(page, 1, 1);
    huge->SetBounds(1.7e308, 1, 1.7e308, 1);  // its centre overflows
    fine->SetSelected(true);
    huge->SetSelected(true);
    EXPECT_FALSE(RotateSelectedTo(page, 300));
    EXPECT_EQ(fine->Angle, 0);
    EXPECT_EQ(huge->Angle, 0);
    EXPECT_EQ(SelectedAngle(TSeite{}), std::nullopt);
}

}  // namespace qv::testing
