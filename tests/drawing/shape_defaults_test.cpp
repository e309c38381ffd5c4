// Attribute defaults taken and stored by selection, and the colour list.
#include "drawing/BSSline.h"
#include "drawing/bskomplex.h"
#include "drawing/bspoly.h"
#include "drawing/bspunkt.h"
#include "shape_fixture.h"

namespace qv::testing {

TEST_F(ShapeTest, SelectingALineObjectMakesItsAttributesTheDefaults) {
    std::vector<Tsimple*> notified, toggled;
    Drawing().SelectionChanged = [&](Tsimple& o) { notified.push_back(&o); };
    Drawing().HandlesToggled = [&](Tsimple& o) { toggled.push_back(&o); };

    TLine line;
    EXPECT_EQ(line.LineColour, 0u);
    EXPECT_DOUBLE_EQ(line.LineWidth, 0.1);
    line.LineColour = MakeColour(255, 0, 0);
    line.LineStyle = 2;
    line.LineWidth = 0.5;
    line.ArrowAtStart = true;
    line.ArrowStyle = 0;
    line.SetSelected(true);
    line.SetSelected(true);  // no change, no second notice
    EXPECT_EQ(notified, std::vector<Tsimple*>{&line});
    EXPECT_EQ(toggled.size(), 1u);
    line.SetSelected(false);
    EXPECT_EQ(toggled.size(), 2u);
    EXPECT_EQ(notified.size(), 1u);

    TLine next;
    EXPECT_EQ(next.LineColour, MakeColour(255, 0, 0));
    EXPECT_EQ(next.LineStyle, 2);
    EXPECT_DOUBLE_EQ(next.LineWidth, 0.5);
    EXPECT_TRUE(next.ArrowAtStart);
    EXPECT_EQ(next.ArrowStyle, 0);
    TPunkt point(1, 1);
    EXPECT_EQ(point.LineColour, MakeColour(255, 0, 0));

    TPoly poly;
    poly.FillStyle = 6;
    poly.FillColour = MakeColour(1, 2, 3);
    poly.Rounded = true;
    poly.SetSelected(true);
    EXPECT_EQ(Drawing().DefaultFillStyle, 6);
    EXPECT_TRUE(Drawing().DefaultRounded);
    EXPECT_EQ(TBezier().FillColour, MakeColour(1, 2, 3));

    point.PointStyle = 2;
    point.SetBounds(0, 0, 0.4, 0.6);
    point.SetSelected(true);
    TPunkt bigger(5, 5);
    EXPECT_EQ(bigger.PointStyle, 2);
    EXPECT_DOUBLE_EQ(bigger.Height(), 0.6);
    EXPECT_DOUBLE_EQ(bigger.CentreY(), 5);

    // A group passes the notice on to each member.
    TKomplex group;
    auto member = std::make_unique<TLine>();
    member->LineWidth = 0.9;
    group.Add(std::move(member));
    notified.clear();
    group.SetSelected(true);
    EXPECT_DOUBLE_EQ(Drawing().DefaultLineWidth, 0.9);
    EXPECT_EQ(notified.size(), 1u);
}

TEST_F(ShapeTest, ApplyingDefaultsByKind) {
    TLine line;
    TPoly poly;
    TPunkt point(2, 2);
    DrawingGlobals& g = Drawing();
    g.DefaultLineColour = 7;
    g.DefaultLineWidth = 0.3;
    g.DefaultLineStyle = 4;
    g.DefaultFillColour = 9;
    g.DefaultFillStyle = 0;
    g.DefaultArrowAtEnd = true;
    g.DefaultArrowLength = 1.0;
    g.DefaultPointStyle = 1;
    g.DefaultPointWidth = 1.0;

    line.ApplyDefault(KindLineColour);
    EXPECT_EQ(line.LineColour, 7u);
    EXPECT_DOUBLE_EQ(line.LineWidth, 0.1);
    line.ApplyDefault(KindLineStyleAndWidth);
    EXPECT_DOUBLE_EQ(line.LineWidth, 0.3);
    EXPECT_EQ(line.LineStyle, 4);
    line.ApplyDefault(KindArrowAtEnd);
    EXPECT_TRUE(line.ArrowAtEnd);
    EXPECT_DOUBLE_EQ(line.ArrowLength, 0.25);
    line.ApplyDefault(KindAll);
    EXPECT_DOUBLE_EQ(line.ArrowLength, 1.0);

    poly.ApplyDefault(KindFillColour);
    EXPECT_EQ(poly.FillColour, 9u);
    EXPECT_EQ(poly.FillStyle, 1);
    poly.ApplyDefault(KindAll);
    EXPECT_EQ(poly.FillStyle, 0);
    EXPECT_EQ(poly.LineColour, 7u);

    point.ApplyDefault(KindPointStyle);
    EXPECT_EQ(point.PointStyle, 1);
    EXPECT_DOUBLE_EQ(point.Width(), 1.0);
    EXPECT_DOUBLE_EQ(point.CentreX(), 2);
    EXPECT_EQ(point.LineColour, 0u);
}

TEST_F(ShapeTest, UsedColoursAreListedOnce) {
    TKomplex group;
    auto line = std::make_unique<TLine>();
    line->LineColour = MakeColour(255, 0, 0);
    group.Add(std::move(line));
    auto poly = std::make_unique<TPoly>();
    poly->LineColour = MakeColour(255, 0, 0);
    poly->FillColour = MakeColour(0, 0, 255);
    group.Add(std::move(poly));

    std::vector<std::string> colours = {"$00FF00"};
    group.CollectColours(colours, false);
    EXPECT_EQ(colours, (std::vector<std::string>{"$00FF00", "$0000FF", "$FF0000"}));
    group.SetSelected(true);  // a selected object's colours come to the front
    group.CollectColours(colours, false);
    EXPECT_EQ(colours, (std::vector<std::string>{"$FF0000", "$0000FF", "$00FF00"}));
    // Found by value, whatever the spelling.
    std::vector<std::string> other = {"$ff", "$0"};
    TLine red;
    red.LineColour = 0xFF;
    red.CollectColours(other, true);
    EXPECT_EQ(other, (std::vector<std::string>{"$ff", "$0"}));
}

}  // namespace qv::testing
