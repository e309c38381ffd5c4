// XMILE models imported into algorithms: the values after each pass are
// those of an Euler loop written out by hand; what cannot be computed is
// refused by name.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

#include "XmileSamples.h"
#include "engine/QVCompile.h"
#include "engine/QVExecute.h"
#include "exchange/XmileImport.h"
#include "exchange/XmileReader.h"
#include "model/GrafGeneration.h"

using namespace qv;

namespace {

using Values = std::map<std::string, double>;

std::variant<XmileImportResult, std::string> Import(const std::string& text, bool partial = false) {
    auto model = ReadXmile(text);
    if (auto* error = std::get_if<std::string>(&model)) return *error;
    return ImportXmile(std::get<XmileModel>(model), partial);
}

XmileImportResult Imported(const std::string& text) {
    auto result = Import(text);
    if (auto* error = std::get_if<std::string>(&result)) ADD_FAILURE() << *error;
    return std::get<XmileImportResult>(std::move(result));
}

// Runs the program as a simulation does: the start values into the inputs,
// then one pass per step; the values of every variable after each pass.
std::vector<Values> RunPasses(const XmileImportResult& imported) {
    CompileProgram(imported.Algorithm.Program, false);
    CompilerState& compiler = Compiler();
    EXPECT_FALSE(compiler.ErrorFlag) << CompileErrorText(compiler.CompileError) << " in line " << compiler.ErrorLine;
    for (int i = 0; i <= compiler.VariableCount; ++i) compiler.VariableValues[i] = 0;
    for (const auto& [name, value] : imported.Algorithm.StartValues)
        for (int i = 0; i <= compiler.VariableCount; ++i)
            if (compiler.VariableNames[i] == name) compiler.VariableValues[i] = value;
    std::vector<Values> passes;
    PollThrottle poll(nullptr);
    for (int step = 0; step < imported.Algorithm.StepCount; ++step) {
        RunProgram(poll);
        Values values;
        for (int i = 0; i <= compiler.VariableCount; ++i) values[compiler.VariableNames[i]] = compiler.VariableValues[i];
        passes.push_back(values);
    }
    return passes;
}

// Compares every pass with the hand-written loop: step(expected) advances
// the expected values by one time step.
void ExpectEuler(const XmileImportResult& imported, Values expected, const std::function<void(Values&)>& step) {
    auto passes = RunPasses(imported);
    ASSERT_EQ(passes.size(), static_cast<std::size_t>(imported.Algorithm.StepCount));
    for (std::size_t pass = 0; pass < passes.size(); ++pass) {
        step(expected);
        for (const auto& [name, value] : expected) {
            ASSERT_TRUE(passes[pass].count(name)) << name;
            ASSERT_NEAR(passes[pass][name], value, 1e-9 * std::max(1.0, std::fabs(value)))
                << name << " after pass " << pass + 1;
        }
    }
}

}  // namespace

TEST(XmileImport, CoolingCupFollowsEulerWithNamesAsTheModelWritesThem) {
    XmileImportResult cup = Imported(xmile_samples::CoolingCup);
    EXPECT_EQ(cup.Algorithm.StepCount, 60);
    EXPECT_EQ(cup.Algorithm.Name, "Test");
    EXPECT_EQ(cup.Plotted, std::vector<std::string>{"COFFEE_TEMPERATURE"});
    EXPECT_TRUE(cup.Warnings.empty());
    // The constants are start values the pupil may change.
    Values start(cup.Algorithm.StartValues.begin(), cup.Algorithm.StartValues.end());
    EXPECT_EQ(start, (Values{{"ZEIT", 0}, {"ZEITSCHRITT", 0.5}, {"ROOM_TEMPERATURE", 70},
                             {"CHARACTERISTIC_TIME", 10}, {"COFFEE_TEMPERATURE", 180}}));
    // The values after each pass belong together: the flow is the one at the new time.
    ExpectEuler(cup, {{"ZEIT", 0}, {"COFFEE_TEMPERATURE", 180}}, [](Values& v) {
        v["COFFEE_TEMPERATURE"] -= (v["COFFEE_TEMPERATURE"] - 70) / 10 * 0.5;
        v["ZEIT"] += 0.5;
        v["HEAT_LOSS_TO_ROOM"] = (v["COFFEE_TEMPERATURE"] - 70) / 10;
    });
}

TEST(XmileImport, LogisticGrowthThroughMinMaxIfAndFloorWithReciprocalStep) {
    XmileImportResult logistic = Imported(xmile_samples::Logistic);
    EXPECT_EQ(logistic.Algorithm.StepCount, 40);
    auto growth = [](double p) { return p < 500 ? std::min(0.8 * p, 50.0) : std::max(0.8 * p * (1 - p / 1000), 0.0); };
    auto harvest = [](double p, double t) { return t >= 5 && !(p < 10) ? 0.1 * p : 0.0; };
    ExpectEuler(logistic, {{"POPULATION", 10}, {"ZEIT", 0}}, [&](Values& v) {
        double p = v["POPULATION"], t = v["ZEIT"];
        v["POPULATION"] = p + (growth(p) - harvest(p, t)) * 0.25;
        v["ZEIT"] = t + 0.25;
        p = v["POPULATION"];
        v["GROWTH"] = growth(p);
        v["HARVEST"] = harvest(p, v["ZEIT"]);
        v["FLOOR_CHECK"] = std::floor(-p / 7) + (p - 7 * std::floor(p / 7)) + 4;
    });
}

TEST(XmileImport, StocksChangeTogetherFromThePreviousStep) {
    XmileImportResult model = Imported(xmile_samples::PredatorPrey);
    ASSERT_EQ(model.Warnings.size(), 1u);
    EXPECT_NE(model.Warnings[0].find("\"rk4\"; Quorvel rechnet nach Euler"), std::string::npos) << model.Warnings[0];
    EXPECT_EQ(model.Plotted, (std::vector<std::string>{"HASEN", "F\xDC" "CHSE"}));
    ExpectEuler(model, {{"HASEN", 40}, {"F\xDC" "CHSE", 9}}, [](Values& v) {
        double h = v["HASEN"], f = v["F\xDC" "CHSE"];
        v["HASEN"] = h + (0.6 * h - 0.025 * h * f) * 0.125;
        v["F\xDC" "CHSE"] = f + (0.005 * h * f - 0.3 * f) * 0.125;
        v["FUCHS_GEBURTEN"] = 0.005 * v["HASEN"] * v["F\xDC" "CHSE"];
    });
}

TEST(XmileImport, InitialValuesInDependencyOrderAndThreeStocks) {
    XmileImportResult sir = Imported(xmile_samples::Sir);
    EXPECT_EQ(sir.Algorithm.StepCount, 200);
    Values start(sir.Algorithm.StartValues.begin(), sir.Algorithm.StartValues.end());
    EXPECT_EQ(start["INFECTED"], 10);  // Total - Susceptible, read before the stocks are listed
    EXPECT_EQ(start["ZEIT"], 1);
    ExpectEuler(sir, {{"SUSCEPTIBLE", 990}, {"INFECTED", 10}, {"RECOVERED", 0}}, [](Values& v) {
        double s = v["SUSCEPTIBLE"], i = v["INFECTED"];
        double infection = 0.4 * s * i / 1000, recovery = i / 5;
        v["SUSCEPTIBLE"] = s - infection * 0.25;
        v["INFECTED"] = i + (infection - recovery) * 0.25;
        v["RECOVERED"] += recovery * 0.25;
    });
}

TEST(XmileImport, NonNegativeStockCutsItsOutflowBack) {
    XmileImportResult tank = Imported(xmile_samples::NonNegativeTank);
    auto passes = RunPasses(tank);
    std::vector<double> stock, drain;
    for (auto& pass : passes) stock.push_back(pass["TANK"]), drain.push_back(pass["DRAIN"]);
    EXPECT_EQ(stock, (std::vector<double>{7, 4, 1, 0, 0, 0, 0, 0}));
    // Reported at the same time as the stock: what it can still give.
    EXPECT_EQ(drain, (std::vector<double>{4, 4, 2, 1, 1, 1, 1, 1}));
}

TEST(XmileImport, WhatCannotBeComputedIsRefusedByName) {
    auto refused = Import(xmile_samples::WithArray);
    ASSERT_TRUE(std::holds_alternative<std::string>(refused));
    EXPECT_EQ(std::get<std::string>(refused), std::string(XmileUntranslatableText) +
                                                  "\nDEMAND (Feld)\nEFFECT (grafische Funktion)");
    // Taken as far as it goes when the user agrees: Effect stays a constant 0.
    auto partial = Import(xmile_samples::WithArray, true);
    ASSERT_TRUE(std::holds_alternative<XmileImportResult>(partial));
    const XmileImportResult& result = std::get<XmileImportResult>(partial);
    ASSERT_EQ(result.Warnings.size(), 1u);
    EXPECT_EQ(result.Warnings[0], std::get<std::string>(refused));
    Values start(result.Algorithm.StartValues.begin(), result.Algorithm.StartValues.end());
    EXPECT_EQ(start, (Values{{"ZEIT", 0}, {"ZEITSCHRITT", 1}, {"EFFECT", 0}, {"STOCK", 1}}));

    auto delay = Import(xmile_samples::Wrap("<sim_specs/>", R"(<aux name="a"><eqn>DELAY1(b, 2)</eqn></aux>
<aux name="b"><eqn>c[1]</eqn></aux><aux name="c"><eqn>a+</eqn></aux><aux name="d"><eqn>e</eqn></aux>)"));
    ASSERT_TRUE(std::holds_alternative<std::string>(delay));
    EXPECT_EQ(std::get<std::string>(delay), std::string(XmileUntranslatableText) +
                                                "\nA (Funktion DELAY1)\nB (Feld)\nC (Gleichung nicht lesbar bei \"\")"
                                                "\nD (unbekannte Gr\xF6\xDF" "e \"e\")");
}

TEST(XmileImport, NamesBecomeNamesTheLanguageAccepts) {
    auto result = Import(xmile_samples::Wrap(
        "<sim_specs><start>0</start><stop>2</stop><dt>1</dt></sim_specs>",
        R"(<aux name="Zeit"><eqn>TIME * 2</eqn></aux>
<aux name="sin"><eqn>Zeit + 1</eqn></aux>
<aux name="Größe&#xA;neu"><eqn>sin + "Zeit" + dt</eqn></aux>
<aux name="3 Äpfel €"><eqn>größe_NEU</eqn></aux>)"));
    ASSERT_TRUE(std::holds_alternative<XmileImportResult>(result)) << std::get<std::string>(result);
    const XmileImportResult& imported = std::get<XmileImportResult>(result);
    EXPECT_EQ(imported.Plotted, (std::vector<std::string>{"ZEIT_2", "SIN_2", "GR\xD6\xDF" "E_NEU", "_3_\xC4PFEL__"}));
    auto passes = RunPasses(imported);
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_EQ(passes[1]["_3_\xC4PFEL__"], 4 + 5 + 1);
    EXPECT_NE(std::find(imported.Algorithm.Program.begin(), imported.Algorithm.Program.end(),
                        std::string(XmileNameComment) + "_3_\xC4PFEL__ = 3 \xC4pfel \x80"),
              imported.Algorithm.Program.end());

    auto cycle = Import(xmile_samples::Wrap("<sim_specs/>", R"(<aux name="a"><eqn>b+1</eqn></aux>
<aux name="b"><eqn>a*2</eqn></aux>)"));
    EXPECT_EQ(std::get<std::string>(cycle), "Diese Gr\xF6\xDF" "en h\xE4ngen im Kreis voneinander ab: A, B");
}

// Every connector of a model drawn in rows reaches its rate without running
// through the name of any element (its own source's included).
TEST(XmileImport, ConnectorsGoAroundTheElements) {
    const XmileImportResult drawn = Imported(xmile_samples::PredatorPreyDrawn);
    const TDiagram& d = drawn.Diagram;
    ASSERT_EQ(d.Arrows.size(), 14u);
    std::vector<const TGSimple*> elements;
    for (const auto& e : d.Stocks) elements.push_back(e.get());
    for (const auto& e : d.Rates) elements.push_back(e.get());
    for (const auto& e : d.Constants) elements.push_back(e.get());
    int connectors = 0;
    for (const auto& arrow : d.Arrows) {
        ASSERT_TRUE(arrow->Source && arrow->Target);
        if (arrow->Sign != 0) continue;
        ++connectors;
        for (int32_t i = 1; i < arrow->PointCount; ++i) {
            const IntPoint a = arrow->Points[i - 1], b = arrow->Points[i];
            for (const TGSimple* element : elements) {
                // The box without its outline, which the ends may touch.
                const IntRect inside{element->Box.Left + 2, element->Box.Top + 2, element->Box.Right - 2,
                                     element->Box.Bottom - 2};
                const bool crosses = std::max(a.X, b.X) >= inside.Left && std::min(a.X, b.X) <= inside.Right &&
                                     std::max(a.Y, b.Y) >= inside.Top && std::min(a.Y, b.Y) <= inside.Bottom;
                EXPECT_FALSE(crosses) << element->Name << " crossed by segment " << i << " from "
                                      << arrow->Source->Name << " to " << arrow->Target->Name;
            }
        }
    }
    EXPECT_EQ(connectors, 10);
}

TEST(XmileImport, ViewBecomesADiagramThatComputesTheSameStock) {
    XmileImportResult cup = Imported(xmile_samples::CoolingCup);
    const TDiagram& diagram = cup.Diagram;
    ASSERT_EQ(diagram.Stocks.size(), 1u);
    ASSERT_EQ(diagram.Rates.size(), 1u);
    EXPECT_EQ(diagram.Constants.size(), 2u);
    EXPECT_EQ(diagram.Rates[0]->Definition,
              "HEAT_LOSS_TO_ROOM:=((COFFEE_TEMPERATURE-ROOM_TEMPERATURE)/CHARACTERISTIC_TIME)");
    // The outflow and both connectors reach their elements.
    ASSERT_EQ(diagram.Arrows.size(), 3u);
    for (const auto& arrow : diagram.Arrows) EXPECT_TRUE(arrow->Source && arrow->Target);
    EXPECT_EQ(diagram.Arrows[0]->Sign, -1);
    EXPECT_EQ(diagram.Stocks[0]->CentreX + 200, diagram.Rates[0]->CentreX);  // the view spread out twice
    // COFFEE_TEMPERATURE's box is wider than the margin left of its centre;
    // the diagram moves right so that no box is cut off at the editor's edge.
    int32_t left = INT32_MAX, top = INT32_MAX;
    for (const TGSimple* element : {static_cast<const TGSimple*>(diagram.Stocks[0].get()),
                                    static_cast<const TGSimple*>(diagram.Rates[0].get()),
                                    static_cast<const TGSimple*>(diagram.Constants[0].get()),
                                    static_cast<const TGSimple*>(diagram.Constants[1].get())}) {
        left = std::min(left, element->Box.Left);
        top = std::min(top, element->Box.Top);
    }
    EXPECT_EQ(left, 20);
    EXPECT_GE(top, 20);

    // Confirming the graphical editor gives an algorithm with the same stock.
    XmileImportResult fromDiagram = cup;
    fromDiagram.Algorithm.Program = GenerateAlgorithm(diagram, false);
    auto generated = RunPasses(fromDiagram), imported = RunPasses(cup);
    ASSERT_EQ(generated.size(), imported.size());
    for (std::size_t pass = 0; pass < imported.size(); ++pass)
        EXPECT_DOUBLE_EQ(generated[pass]["COFFEE_TEMPERATURE"], imported[pass]["COFFEE_TEMPERATURE"]);

    // Without a view there is no diagram; an auxiliary the diagram cannot hold is named.
    EXPECT_TRUE(Imported(xmile_samples::Sir).Diagram.Stocks.empty());
    XmileImportResult withAux = Imported(xmile_samples::Wrap(
        "<sim_specs/>", R"(<stock name="S"><eqn>1</eqn><inflow>f</inflow></stock><flow name="f"><eqn>MAX(S, g)</eqn></flow>
<aux name="g"><eqn>S*2</eqn></aux>)",
        R"(<stock name="S" x="10" y="10"/><flow name="f" x="-50" y="10"/><aux name="g" x="0" y="80"/>)"));
    EXPECT_EQ(withAux.Diagram.Rates.size(), 1u);
    EXPECT_EQ(withAux.Algorithm.Program[3], "// Im grafischen Modell nicht als eine Rate darstellbar: F, G");
}
