// The run driver: widening the axes to the results, faults and their
// messages, cancellation and "Weiter rechnen".
#include <gtest/gtest.h>

#include "LimitedChild.h"
#include "charts/ChartRun.h"
#include "charts/bsgraf3d.h"
#include "engine/QVCompile.h"

namespace qv {
namespace {

// A simulation as the algorithm editor hands it over: compiled, variables
// taken, start values set.
std::unique_ptr<tsim> Model(std::vector<std::string> program, const std::vector<std::pair<std::string, double>>& starts,
                            int steps) {
    auto sim = std::make_unique<tsim>();
    sim->Program = std::move(program);
    CompileProgram(sim->Program, false);
    EXPECT_FALSE(Compiler().ErrorFlag);
    sim->TakeVariables(1);
    for (const auto& [name, value] : starts) sim->Variables[static_cast<std::size_t>(sim->IndexOfVariable(name))]->StartValue = value;
    sim->StepCount = steps;
    sim->XAxisName = "T";
    return sim;
}

Tvariable& Var(tsim& sim, const std::string& name) { return *sim.Variables[static_cast<std::size_t>(sim.IndexOfVariable(name))]; }

class CancelAfter : public RunObserver {
public:
    explicit CancelAfter(int polls) : left_(polls) {}
    bool poll(int) override { return --left_ > 0; }

private:
    int left_;
};

TEST(SimulateAndFit, WidensTheAxesToTheResults) {
    Tgraf3d chart;
    auto sim = Model({"T := T + 1", "X := 2 * T"}, {{"T", 0}}, 50);
    Var(*sim, "X").Plotted = true;
    PollThrottle poll(nullptr);
    SimulateAndFit(*sim, chart, true, poll, false);
    // T runs 1 … 50, rounded by the automatic scaling; X 2 … 100 waits for
    // finishVerticalRange.
    EXPECT_DOUBLE_EQ(chart.horizontalAxis().minimum, 0);
    EXPECT_DOUBLE_EQ(chart.horizontalAxis().maximum, 56);
    EXPECT_DOUBLE_EQ(chart.horizontalAxis().step, 5);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().minimum, 2);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().maximum, 100);

    // Later simulations only widen.
    auto small = Model({"T := T + 1", "X := -T"}, {{"T", 0}}, 5);
    Var(*small, "X").Plotted = true;
    SimulateAndFit(*small, chart, false, poll, false);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().minimum, -5);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().maximum, 100);

    // A constant gets room of 5 above it.
    auto flat = Model({"T := T + 1", "X := 3"}, {{"T", 0}}, 5);
    Var(*flat, "X").Plotted = true;
    SimulateAndFit(*flat, chart, true, poll, false);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().minimum, 3);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().maximum, 8);

    // No automatic scaling, or nothing plotted: the axes stay.
    chart.autoScale = false;
    SimulateAndFit(*sim, chart, true, poll, false);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().minimum, 3);
    chart.autoScale = true;
    Var(*sim, "X").Plotted = false;
    SimulateAndFit(*sim, chart, true, poll, false);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().minimum, 3);

    // In three dimensions the x variable goes along the depth axis, the y
    // variable along the horizontal one.
    Tgraf3d deep;
    deep.threeD = true;
    Var(*sim, "X").Plotted = true;
    sim->YAxisName = "X";
    SimulateAndFit(*sim, deep, true, poll, false);
    EXPECT_DOUBLE_EQ(deep.depthAxis().maximum, 56);
    EXPECT_DOUBLE_EQ(deep.horizontalAxis().maximum, 120);
}

TEST(RecomputeAll, FaultsCancellationAndTheVerticalRange) {
    Tgraf3d chart;
    std::vector<std::unique_ptr<tsim>> sims;
    sims.push_back(Model({"T := T + 1", "X := 10 / (3 - T)"}, {{"T", 0}}, 10));
    Var(*sims[0], "X").Plotted = true;
    sims.push_back(Model({"T := T + 1", "Y := T"}, {{"T", 0}}, 10));
    Var(*sims[1], "Y").Plotted = true;
    Var(*sims[1], "Y").Values.assign(10, 7.0);  // from an earlier run

    RecomputeOutcome outcome = RecomputeAll(sims, 0, false, chart, nullptr);
    ASSERT_TRUE(outcome.Fault.has_value());
    EXPECT_EQ(*outcome.Fault, RunError::Kind::DivisionByZero);
    EXPECT_EQ(outcome.Message, RunErrorMessage(RunError::Kind::DivisionByZero));
    EXPECT_EQ(outcome.Message.substr(0, 18), "In Ihrem Algorithm");
    // The two passes before the fault keep their values; the second
    // simulation did not run and shows nothing of its earlier run.
    EXPECT_EQ(Var(*sims[0], "X").Values, (std::vector<double>{5, 10}));
    EXPECT_TRUE(Var(*sims[1], "Y").Values.empty());
    ASSERT_TRUE(outcome.Stopped.has_value());
    EXPECT_EQ(StoppedRunText(*outcome.Stopped), "Berechnung nach 2 von 10 Schritten abgebrochen.");

    // Without the fault both run and the vertical axis is rounded.
    sims[0]->Program = {"T := T + 1", "X := 10 / (30 - T)"};
    CompileProgram(sims[0]->Program, false);
    sims[0]->TakeVariables(2);
    outcome = RecomputeAll(sims, 1, false, chart, nullptr);
    EXPECT_FALSE(outcome.Fault || outcome.Cancelled || outcome.Stopped);
    EXPECT_EQ(outcome.Message, "");
    EXPECT_EQ(Var(*sims[1], "Y").Values.size(), 10u);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().minimum, 0);
    EXPECT_GT(chart.verticalAxis().step, 0);
    EXPECT_GE(chart.verticalAxis().maximum, 10);

    // Separate charts run only the selected simulation.
    Var(*sims[0], "X").Values.assign(10, -1);
    RecomputeAll(sims, 1, true, chart, nullptr);
    EXPECT_EQ(Var(*sims[0], "X").Values[0], -1);

    // A model that never ends its first pass is cancelled; the simulations
    // after it stop before their first statement, their earlier values gone.
    std::vector<std::unique_ptr<tsim>> endless;
    endless.push_back(Model({"T := T + 1", "WHILE T > 0 DO T := T + 1"}, {{"T", 0}}, 10));
    Var(*endless[0], "T").Plotted = true;
    endless.push_back(Model({"T := T + 1", "Y := T"}, {{"T", 0}}, 3));
    Var(*endless[1], "Y").Plotted = true;
    Var(*endless[1], "Y").Values = {7, 7, 7};
    CancelAfter cancel(1);
    outcome = RecomputeAll(endless, 0, false, chart, &cancel);
    EXPECT_TRUE(outcome.Cancelled);
    EXPECT_FALSE(outcome.Fault.has_value());
    EXPECT_TRUE(Var(*endless[0], "T").Values.empty());
    EXPECT_TRUE(Var(*endless[1], "Y").Values.empty());
    ASSERT_TRUE(outcome.Stopped.has_value());
    EXPECT_EQ(StoppedRunText(*outcome.Stopped), "Berechnung nach 0 von 10 Schritten abgebrochen.");
}

TEST(RecomputeAll, TheSimulationsOfADocumentShareOneMemoryBudget) {
    if (!QV_ADDRESS_SPACE_LIMITS) GTEST_SKIP() << "address-space limits do not work with the sanitizers";
    // Each simulation records 60 MB: one alone fits the budget of a 200 MB
    // room, both together do not, so neither runs.
    const int code = RunWithAddressSpaceRoom(200u << 20, [] {
        Tgraf3d chart;
        std::vector<std::unique_ptr<tsim>> sims;
        for (int k = 0; k < 2; ++k) {
            sims.push_back(Model({"T := T + 1"}, {{"T", 0}}, 7'500'000));
            Var(*sims.back(), "T").Plotted = true;
        }
        const RecomputeOutcome outcome = RecomputeAll(sims, 0, false, chart, nullptr);
        const bool refused = outcome.OutOfMemory && outcome.Message == OutOfMemoryText;
        return refused && Var(*sims[0], "T").Values.empty() && Var(*sims[1], "T").Values.empty() ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}

TEST(ContinueComputing, DoublesTheStepsOfTheSelectedSimulation) {
    Tgraf3d chart;
    std::vector<std::unique_ptr<tsim>> sims;
    sims.push_back(Model({"T := T + 1"}, {{"T", 0}}, 20));
    Var(*sims[0], "T").Plotted = true;
    ContinueOutcome outcome = ContinueComputing(sims, 0, false, chart, nullptr);
    EXPECT_EQ(sims[0]->StepCount, 40);
    EXPECT_EQ(outcome.StepLimitMessage, "");
    // Recomputed from the start values, not extended.
    const std::vector<double>& t = Var(*sims[0], "T").Values;
    ASSERT_EQ(t.size(), 40u);
    EXPECT_EQ(t[0], 1);
    EXPECT_EQ(t[39], 40);
    // Nothing selected: no doubling.
    ContinueComputing(sims, -1, false, chart, nullptr);
    EXPECT_EQ(sims[0]->StepCount, 40);
}

}  // namespace
}  // namespace qv
