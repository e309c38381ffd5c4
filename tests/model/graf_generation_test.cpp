#include "model/GrafGeneration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/QVCompile.h"
#include "util/StreamIO.h"

namespace qv {
namespace {

using Lines = std::vector<std::string>;

// Builds a diagram the way the editor does: elements appended to their lists,
// arrows with resolved ends and recorded indices.
struct DiagramBuilder {
    TDiagram d;
    tzustand* stock(const std::string& name) {
        d.Stocks.push_back(std::make_unique<tzustand>(100, 100 + 60 * static_cast<int32_t>(d.Stocks.size())));
        d.Stocks.back()->Name = name;
        return d.Stocks.back().get();
    }
    trate* rate(const std::string& name, const std::string& definition) {
        d.Rates.push_back(std::make_unique<trate>(300, 100 + 60 * static_cast<int32_t>(d.Rates.size())));
        d.Rates.back()->Name = name;
        d.Rates.back()->Definition = definition;
        return d.Rates.back().get();
    }
    tKonstante* constant(const std::string& name) {
        d.Constants.push_back(std::make_unique<tKonstante>(500, 100));
        d.Constants.back()->Name = name;
        return d.Constants.back().get();
    }
    void arrow(TGSimple* from, TGSimple* to, int8_t sign = 0) {
        auto a = std::make_unique<tpfeil>(from->CentreX, from->CentreY);
        a->AddPoint(to->CentreX, from->CentreY);
        a->Source = from;
        a->Target = to;
        a->Sign = sign;
        d.RecordEndIndices(*a, *from);
        d.RecordEndIndices(*a, *to);
        d.Arrows.push_back(std::move(a));
    }
};

// Inflow Z:=k and outflow A:=B/10 of stock B; the influence arrows come last
// or first, which must not change the lines.
TDiagram InflowOutflow(bool influencesFirst) {
    DiagramBuilder b;
    auto* stock = b.stock("B");
    auto* inflow = b.rate("Z", "Z:=k");
    auto* outflow = b.rate("A", "A:=B/10");
    auto* k = b.constant("k");
    if (influencesFirst) b.arrow(k, inflow);
    b.arrow(inflow, stock, +1);
    b.arrow(outflow, stock, -1);
    if (!influencesFirst) b.arrow(k, inflow);
    b.arrow(stock, outflow);
    return std::move(b.d);
}

TEST(GrafGeneration, FlowsWithBothSignsInArrowOrder) {
    for (bool influencesFirst : {false, true}) {
        TDiagram d = InflowOutflow(influencesFirst);
        EXPECT_EQ(GenerateAlgorithm(d, true),
                  (Lines{"Z:=k", "B := B + Z", "A:=B/10", "B := B - A", "ZEIT := ZEIT + 1"}));
        EXPECT_EQ(GenerateAlgorithm(d, false),
                  (Lines{"Z:=k", "B := B + Z*ZEITSCHRITT", "A:=B/10", "B := B - A*ZEITSCHRITT",
                         "ZEIT := ZEIT + ZEITSCHRITT"}));
    }
    // What is generated is a program the compiler takes as it stands.
    for (bool simplified : {true, false}) {
        CompileProgram(GenerateAlgorithm(InflowOutflow(false), simplified), false);
        EXPECT_EQ(Compiler().CompileError, 0) << simplified;
    }
}

TEST(GrafGeneration, RatesThatAddNoDefinitionLine) {
    DiagramBuilder b;
    auto* stock = b.stock("B");
    auto* self = b.rate("Z", "Z:=z");     // defined by itself
    auto* undefined = b.rate("U", "?");  // never defined
    auto* twice = b.rate("W", "W:=2");
    auto* other = b.stock("C");
    b.arrow(self, stock, +1);
    b.arrow(undefined, stock, -1);
    b.arrow(twice, stock, 0);  // a sign of 0, as older documents may hold, adds
    b.arrow(twice, other, +1);
    EXPECT_EQ(GenerateAlgorithm(b.d, true), (Lines{"B := B + Z", "B := B - U", "W:=2", "B := B + W", "W:=2",
                                                   "C := C + W", "ZEIT := ZEIT + 1"}));
}

TEST(GrafGeneration, ComputedStockOnceAtItsFirstOutgoingArrow) {
    // Extended syntax: D is computed from B; the flow into D adds nothing,
    // D feeds a rate and a stock but is written once, and a second stock
    // holding the same definition in other case is not written again.
    DiagramBuilder b;
    auto* stock = b.stock("B");
    auto* computed = b.stock("D:=B*2");
    auto* same = b.stock("d:=b*2");
    auto* rate = b.rate("Z", "Z:=D");
    b.arrow(rate, computed, +1);
    b.arrow(stock, computed);
    b.arrow(computed, rate);
    b.arrow(rate, stock, +1);
    b.arrow(computed, stock);
    b.arrow(same, rate);
    EXPECT_EQ(GenerateAlgorithm(b.d, false),
              (Lines{"D:=B*2", "Z:=D", "B := B + Z*ZEITSCHRITT", "ZEIT := ZEIT + ZEITSCHRITT"}));
}

TEST(GrafGeneration, NothingForMissingArrowsOrUnresolvedEnds) {
    EXPECT_TRUE(GenerateAlgorithm(TDiagram{}, true).empty());

    // A damaged document whose arrows name positions beyond the lists, in the
    // current and the older record: the diagram reads, and only the time line
    // comes of it.
    TDiagram d = InflowOutflow(false);
    d.Arrows[0]->TargetStockIndex = 7;
    d.Arrows[1]->SourceRateIndex = 1000;
    d.Arrows[2]->SourceConstantIndex = 3;
    d.Arrows[3]->SourceStockIndex = -1;
    d.Arrows[3]->SourceRateIndex = -1;
    OutStream out;
    ASSERT_TRUE(d.save(out));
    InStream in(out.bytes());
    TDiagram damaged = TDiagram::read(in);
    ASSERT_EQ(damaged.Arrows.size(), 4u);
    EXPECT_EQ(GenerateAlgorithm(damaged, true), (Lines{"ZEIT := ZEIT + 1"}));

    // An arrow being drawn has no target yet.
    DiagramBuilder b;
    auto* stock = b.stock("B");
    b.arrow(b.rate("Z", "Z:=1"), stock, +1);
    b.d.Arrows[0]->Target = nullptr;
    b.d.Arrows[0]->Unfinished = true;
    EXPECT_EQ(GenerateAlgorithm(b.d, false), (Lines{"ZEIT := ZEIT + ZEITSCHRITT"}));
}

}  // namespace
}  // namespace qv
