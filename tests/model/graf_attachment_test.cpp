#include "model/QVGrafDiagram.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace qv {
namespace {

// Stock "S" at (100, 100), box (80, 85, 120, 115); rate "R" at (300, 100),
// box (280, 85, 320, 115) with its tip at x 335; constant "K" at (200, 300).
TDiagram Elements() {
    TDiagram d;
    d.Stocks.push_back(std::make_unique<tzustand>(100, 100));
    d.Stocks[0]->Name = "S";
    d.Rates.push_back(std::make_unique<trate>(300, 100));
    d.Rates[0]->Name = "R";
    d.Rates[0]->UpdateTip();
    d.Constants.push_back(std::make_unique<tKonstante>(200, 300));
    d.Constants[0]->Name = "K";
    return d;
}

TEST(GrafAttachment, StockProbeSnapsToNearerEdge) {
    TDiagram d = Elements();
    IntPoint p{82, 100};
    EXPECT_EQ(d.StockProbe(p), d.Stocks[0].get());
    EXPECT_EQ(p, (IntPoint{80, 100}));  // the left side is nearer than top or bottom

    p = {110, 113};
    EXPECT_TRUE(d.StockProbe(p));
    EXPECT_EQ(p, (IntPoint{110, 115}));

    p = {105, 87};
    EXPECT_TRUE(d.StockProbe(p));
    EXPECT_EQ(p, (IntPoint{105, 85}));

    p = {100, 100};  // equal distances to top and bottom go to the bottom; centre x to the right
    EXPECT_TRUE(d.StockProbe(p));
    EXPECT_EQ(p, (IntPoint{100, 115}));

    p = {118, 113};  // two pixels to either edge: the side edge wins the tie
    EXPECT_TRUE(d.StockProbe(p));
    EXPECT_EQ(p, (IntPoint{120, 113}));

    p = {77, 100};  // three pixels outside still hit
    EXPECT_TRUE(d.StockProbe(p));
    EXPECT_EQ(p, (IntPoint{80, 100}));
    p = {76, 100};
    EXPECT_EQ(d.StockProbe(p), nullptr);
    EXPECT_EQ(p, (IntPoint{76, 100}));
    p = {100, 119};
    EXPECT_EQ(d.StockProbe(p), nullptr);

    // The first stock in list order wins where boxes overlap.
    d.Stocks.push_back(std::make_unique<tzustand>(110, 100));
    p = {115, 100};
    EXPECT_EQ(d.StockProbe(p), d.Stocks[0].get());
}

TEST(GrafAttachment, StockProbeEndingAnArrow) {
    TDiagram d = Elements();
    auto ended = [&d](IntPoint last, IntPoint click) {
        tpfeil a(last.X, last.Y);
        EXPECT_TRUE(d.StockProbe(click, &a));
        return click;
    };
    // Arriving from beside the box enters through the side it comes from.
    EXPECT_EQ(ended({40, 100}, {90, 95}), (IntPoint{80, 95}));
    EXPECT_EQ(ended({200, 110}, {90, 95}), (IntPoint{120, 95}));
    // From above or below; a last point level with the top edge is not
    // above the box, so it goes to the bottom.
    EXPECT_EQ(ended({90, 40}, {110, 110}), (IntPoint{110, 85}));
    EXPECT_EQ(ended({40, 85}, {110, 110}), (IntPoint{110, 115}));
    EXPECT_EQ(ended({90, 200}, {110, 90}), (IntPoint{110, 115}));

    // An arrow without points counts as starting.
    tpfeil empty;
    IntPoint p{82, 100};
    EXPECT_TRUE(d.StockProbe(p, &empty));
    EXPECT_EQ(p, (IntPoint{80, 100}));
}

TEST(GrafAttachment, RateProbe) {
    TDiagram d = Elements();
    trate* r = d.Rates[0].get();

    // Starting: the box or the tip zone hits, and arrows leave at the tip.
    IntPoint p{290, 90};
    EXPECT_EQ(d.RateProbe(p, true), r);
    EXPECT_EQ(p, (IntPoint{335, 100}));
    p = {330, 110};
    EXPECT_EQ(d.RateProbe(p, true), r);
    EXPECT_EQ(p, (IntPoint{335, 100}));
    p = {330, 110};
    EXPECT_EQ(d.RateProbe(p, false), nullptr);  // the tip is no way in
    p = {336, 84};  // above the slanted edge
    EXPECT_EQ(d.RateProbe(p, true), nullptr);

    // Ending: from the left through the left side, otherwise top or bottom.
    auto ended = [&d](IntPoint last, IntPoint click) {
        tpfeil a(last.X, last.Y);
        EXPECT_TRUE(d.RateProbe(click, false, &a));
        return click;
    };
    EXPECT_EQ(ended({200, 100}, {290, 95}), (IntPoint{280, 95}));
    EXPECT_EQ(ended({400, 100}, {310, 95}), (IntPoint{310, 115}));
    EXPECT_EQ(ended({300, 20}, {310, 95}), (IntPoint{310, 85}));
    EXPECT_EQ(ended({200, 200}, {290, 95}), (IntPoint{290, 115}));

    // A plain probe leaves the point alone.
    p = {290, 95};
    EXPECT_EQ(d.RateProbe(p, false), r);
    EXPECT_EQ(p, (IntPoint{290, 95}));
}

TEST(GrafAttachment, ConstantAndArrowProbes) {
    TDiagram d = Elements();
    IntPoint p{178, 288};
    EXPECT_EQ(d.ConstantProbe(p), d.Constants[0].get());
    EXPECT_EQ(d.ConstantProbe({176, 300}), nullptr);

    auto first = std::make_unique<tpfeil>(0, 0);
    first->AddPoint(100, 0);
    auto second = std::make_unique<tpfeil>(50, -50);
    second->AddPoint(50, 50);
    d.Arrows.push_back(std::move(first));
    d.Arrows.push_back(std::move(second));

    EXPECT_EQ(d.ArrowSegmentProbe({50, 1}), d.Arrows[0].get());  // both hit: the first wins
    EXPECT_EQ(d.ArrowSegmentProbe({51, 30}), d.Arrows[1].get());
    EXPECT_EQ(d.ArrowSegmentProbe({70, 30}), nullptr);

    auto hit = d.ArrowPointProbe({51, 48});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->Arrow, d.Arrows[1].get());
    EXPECT_EQ(hit->Index, 1);
    EXPECT_FALSE(d.ArrowPointProbe({50, 0}));
}

// One arrow from each element: S → R arriving at R's top left corner,
// R → S arriving at S's bottom, K → R arriving at R's bottom.
void Connect(TDiagram& d) {
    auto add = [&d](TGSimple& from, TGSimple& to, std::initializer_list<IntPoint> points) {
        auto arrow = std::make_unique<tpfeil>();
        for (IntPoint p : points) arrow->Points[arrow->PointCount++] = p;
        arrow->Source = &from;
        arrow->Target = &to;
        d.Arrows.push_back(std::move(arrow));
    };
    add(*d.Stocks[0], *d.Rates[0], {{120, 100}, {200, 100}, {200, 85}, {280, 85}});
    add(*d.Rates[0], *d.Stocks[0], {{335, 100}, {335, 200}, {100, 200}, {100, 115}});
    add(*d.Constants[0], *d.Rates[0], {{220, 300}, {300, 300}, {300, 115}});
}

TEST(GrafAttachment, ArrowEndsFollowAResizedElement) {
    TDiagram d = Elements();
    Connect(d);

    // S grows to (66, 76, 134, 124): ends on its edges follow the edges.
    d.LayoutElement(*d.Stocks[0], 60, 40, false);
    EXPECT_EQ(d.Stocks[0]->Box, (IntRect{66, 76, 134, 124}));
    EXPECT_EQ(d.Arrows[0]->First(), (IntPoint{134, 100}));
    EXPECT_EQ(d.Arrows[0]->Points[1], (IntPoint{200, 100}));  // bend points stay
    EXPECT_EQ(d.Arrows[1]->Last(), (IntPoint{100, 124}));

    // R grows: its outgoing arrow starts at the new tip, incoming ones follow its edges.
    d.LayoutElement(*d.Rates[0], 60, 40, false);
    const trate& r = *d.Rates[0];
    EXPECT_EQ(r.Box, (IntRect{266, 76, 334, 124}));
    EXPECT_EQ(d.Arrows[1]->First(), (IntPoint{r.TipX, r.CentreY}));
    EXPECT_EQ(r.TipX, 334 + 24);
    EXPECT_EQ(d.Arrows[0]->Last(), (IntPoint{266, 76}));
    EXPECT_EQ(d.Arrows[2]->Last(), (IntPoint{300, 124}));

    // K's arrow always leaves at its right edge.
    d.LayoutElement(*d.Constants[0], 20, 10, false);
    EXPECT_EQ(d.Constants[0]->Box.Right, 214);
    EXPECT_EQ(d.Arrows[2]->First(), (IntPoint{214, 300}));

    // An arrow without points is left alone.
    d.Arrows.push_back(std::make_unique<tpfeil>());
    d.Arrows.back()->Source = d.Stocks[0].get();
    d.LayoutElement(*d.Stocks[0], 10, 10, false);
    EXPECT_EQ(d.Arrows.back()->PointCount, 0);
}

TEST(GrafAttachment, ArrowEndsFollowAMovedElement) {
    TDiagram d = Elements();
    Connect(d);
    tzustand& s = *d.Stocks[0];
    s.SavedBox = s.Box;
    s.MoveTo(130, 90);  // the drag ends 30 right and 10 up
    d.ElementMoved(s);
    EXPECT_EQ(d.Arrows[0]->First(), (IntPoint{150, 90}));
    EXPECT_EQ(d.Arrows[0]->Points[1], (IntPoint{200, 100}));
    EXPECT_EQ(d.Arrows[1]->Last(), (IntPoint{130, 105}));
    EXPECT_EQ(d.Arrows[1]->Points[2], (IntPoint{100, 200}));
    EXPECT_EQ(d.Arrows[2]->First(), (IntPoint{220, 300}));  // not attached to S

    // The redraw after the drag still has the box from before it in SavedBox
    // and must not move the shifted ends again.
    trate& r = *d.Rates[0];
    r.SavedBox = r.Box;
    r.MoveTo(310, 100);
    d.ElementMoved(r);
    d.LayoutElement(r, 10, 10, true);
    EXPECT_EQ(d.Arrows[0]->Last(), (IntPoint{290, 85}));
    EXPECT_EQ(d.Arrows[1]->First(), (IntPoint{345, 100}));
    EXPECT_EQ(d.Arrows[2]->Last(), (IntPoint{310, 115}));
}

}  // namespace
}  // namespace qv
