// Groups and the page: grouping, ungrouping, fitting, transforms, rotation.
#include "drawing/BSSline.h"
#include "drawing/bskomplex.h"
#include "drawing/bsrect.h"
#include "drawing/bspunkt.h"
#include "shape_fixture.h"

namespace qv::testing {

namespace {

TLine* AddLine(TKomplex& group, double x, double y, double w, double h) {
    auto line = std::make_unique<TLine>();
    line->SetBounds(x, y, w, h);
    TLine* raw = line.get();
    group.Add(std::move(line));
    return raw;
}

}  // namespace

TEST_F(ShapeTest, GroupingKeepsPositionsAndOrder) {
    TSeite page;
    TLine* a = AddLine(page, 2, 3, 1, 1);
    TLine* b = AddLine(page, 8, 8, 1, 1);
    TLine* c = AddLine(page, 5, 1, -1, 2);
    a->SetSelected(true);
    c->SetSelected(true);
    page.GroupSelected();
    ASSERT_EQ(page.Children.size(), 2u);
    auto* group = dynamic_cast<TKomplex*>(page.Children[0].get());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(page.Children[1].get(), b);
    EXPECT_TRUE(group->Selected());
    EXPECT_FALSE(a->Selected());
    EXPECT_DOUBLE_EQ(group->X(), 2);
    EXPECT_DOUBLE_EQ(group->Y(), 1);
    EXPECT_DOUBLE_EQ(group->Width(), 3);
    EXPECT_DOUBLE_EQ(group->Height(), 3);
    EXPECT_EQ(group->Children[0].get(), a);
    EXPECT_DOUBLE_EQ(a->X(), 0);
    EXPECT_DOUBLE_EQ(a->Y(), 2);
    EXPECT_EQ(a->PixY(), 20);

    EXPECT_TRUE(page.Ungroup(true));
    ASSERT_EQ(page.Children.size(), 3u);
    EXPECT_EQ(page.Children[0].get(), a);
    EXPECT_EQ(page.Children[1].get(), c);
    EXPECT_EQ(page.Children[2].get(), b);
    EXPECT_DOUBLE_EQ(a->X(), 2);
    EXPECT_DOUBLE_EQ(a->Y(), 3);
    EXPECT_DOUBLE_EQ(c->X(), 5);
    EXPECT_TRUE(a->Selected() && c->Selected());
    EXPECT_FALSE(page.Ungroup(true));

    // A turned group gives its members their turned places.
    page.GroupSelected();
    page.Children[0]->Angle = 1800;
    page.UngroupSelected();
    EXPECT_NEAR(a->X(), 4, 1e-9);
    EXPECT_NEAR(a->Y(), 1, 1e-9);
    EXPECT_EQ(page.Children.size(), 3u);

    page.DeselectAll();
    page.GroupSelected();
    EXPECT_EQ(page.Children.size(), 3u);
}

TEST_F(ShapeTest, DeletingHandsBackTheSelection) {
    TSeite page;
    TLine* a = AddLine(page, 1, 1, 1, 1);
    AddLine(page, 2, 2, 1, 1);
    TLine* c = AddLine(page, 3, 3, 1, 1);
    EXPECT_EQ(page.DeleteSelected(), nullptr);

    page.Active = a;
    a->SetSelected(true);
    auto removed = page.DeleteSelected();
    EXPECT_EQ(removed.get(), a);
    EXPECT_FALSE(a->Selected());
    EXPECT_EQ(page.Active, nullptr);
    EXPECT_EQ(page.Children.size(), 2u);

    page.Children[0]->SetSelected(true);
    c->SetSelected(true);
    removed = page.DeleteSelected();
    EXPECT_EQ(removed->Tag, TagTemporaryGroup);
    EXPECT_EQ(static_cast<TKomplex&>(*removed).Children.size(), 2u);
    EXPECT_TRUE(page.Children.empty());
}

TEST_F(ShapeTest, FittingAndNormalizing) {
    TKomplex group;
    group.SetBounds(1, 1, 10, 10);
    AddLine(group, 2, 3, 1, 1);
    AddLine(group, 4, 1, -2, 1);
    group.FitToChildren();
    EXPECT_DOUBLE_EQ(group.Width(), 4);
    EXPECT_DOUBLE_EQ(group.Height(), 4);

    group.Normalize();
    EXPECT_DOUBLE_EQ(group.X(), 3);
    EXPECT_DOUBLE_EQ(group.Y(), 2);
    EXPECT_DOUBLE_EQ(group.Width(), 2);
    EXPECT_DOUBLE_EQ(group.Height(), 3);
    EXPECT_DOUBLE_EQ(group.Children[0]->X(), 0);
    EXPECT_DOUBLE_EQ(group.Children[1]->Y(), 0);

    // A turned child reaches with its turned corners.
    group.Children[0]->Angle = 900;
    group.FitToChildren();
    EXPECT_NEAR(group.Width(), 2, 1e-9);

    // Resizing scales the children, their pens and arrow heads.
    TKomplex box;
    box.SetBounds(0, 0, 4, 2);
    TLine* line = AddLine(box, 1, 1, 2, 1);
    line->LineWidth = 0.2;
    box.SetBounds(0, 0, 8, 4);
    EXPECT_DOUBLE_EQ(line->X(), 2);
    EXPECT_DOUBLE_EQ(line->Height(), 2);
    EXPECT_NEAR(line->LineWidth, 0.4, 1e-12);

    Drawing().DragMode = HitInside | HitRight;
    box.DragHandle(0, 16, 0);
    EXPECT_DOUBLE_EQ(box.Width(), 16);
    EXPECT_DOUBLE_EQ(box.Height(), 4);
    EXPECT_DOUBLE_EQ(line->X(), 4);
    box.DragHandle(0, 0, 0);  // collapsing is refused
    EXPECT_DOUBLE_EQ(box.Width(), 16);

    // A group holding a text keeps its proportions.
    auto text = std::make_unique<Tsimple>();
    text->Tag = TagText;
    box.Add(std::move(text));
    box.BeginDrag(0);
    box.DragHandle(0, 8, 0);
    EXPECT_DOUBLE_EQ(box.Width(), 8);
    EXPECT_DOUBLE_EQ(box.Height(), 2);
}

TEST_F(ShapeTest, GroupTransformsMoveChildrenAcrossTheBox) {
    auto makeGroup = [] {
        auto group = std::make_unique<TKomplex>();
        group->SetBounds(0, 0, 4, 2);
        group->Add(std::make_unique<TPunkt>(1, 0.5));
        auto rect = std::make_unique<TRechteck>();
        rect->SetBounds(0, 0, 1, 1);
        rect->FillStyle = 5;
        group->Add(std::move(rect));
        TLine* line = AddLine(*group, 0, 0, 1, 0);
        line->ArrowAtEnd = true;
        return group;
    };
    auto centre = [](const Tsimple& o) { return RealPoint{o.CentreX(), o.CentreY()}; };

    auto group = makeGroup();
    group->Transform(0);
    EXPECT_NEAR(centre(*group->Children[0]).Y, 1.5, 1e-9);
    EXPECT_EQ(static_cast<TRechteck&>(*group->Children[1]).FillStyle, 4);
    EXPECT_NEAR(group->Children[2]->Y(), 2, 1e-9);

    group = makeGroup();
    group->Transform(1);
    EXPECT_NEAR(centre(*group->Children[0]).X, 3, 1e-9);
    EXPECT_NEAR(group->Children[2]->X() + group->Children[2]->Width(), 3, 1e-9);

    group = makeGroup();
    group->Transform(2);
    EXPECT_NEAR(group->X(), 1, 1e-9);
    EXPECT_NEAR(group->Y(), -1, 1e-9);
    EXPECT_NEAR(group->Width(), 2, 1e-9);
    EXPECT_NEAR(group->Height(), 4, 1e-9);
    EXPECT_NEAR(centre(*group->Children[0]).X, 1.5, 1e-9);
    EXPECT_NEAR(centre(*group->Children[0]).Y, 3, 1e-9);
    auto& line = static_cast<TLine&>(*group->Children[2]);
    EXPECT_TRUE(line.ArrowAtStart);
    EXPECT_FALSE(line.ArrowAtEnd);

    group = makeGroup();
    group->Transform(3);
    EXPECT_NEAR(centre(*group->Children[0]).X, 0.5, 1e-9);
    EXPECT_NEAR(centre(*group->Children[0]).Y, 1, 1e-9);
    EXPECT_EQ(static_cast<TRechteck&>(*group->Children[1]).FillStyle, 5);
}

TEST_F(ShapeTest, RotatingAGroupTurnsEveryMember) {
    TSeite page;
    TLine* line = AddLine(page, 1, 1, 1, 1);
    auto inner = std::make_unique<TKomplex>();
    TLine* nested = AddLine(*inner, 0, 0, 1, 1);
    nested->Angle = 100;
    page.Add(std::move(inner));
    line->SetSelected(true);
    page.RotateBy(900);
    EXPECT_EQ(line->Angle, 900);
    EXPECT_EQ(page.Children[1]->Angle, 900);
    EXPECT_EQ(nested->Angle, 1000);
    EXPECT_FALSE(line->Selected());
    page.RotateBy(-1000);
    EXPECT_EQ(line->Angle, 3500);
    EXPECT_EQ(nested->Angle, 0);
}

}  // namespace qv::testing
