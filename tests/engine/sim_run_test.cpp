// Running simulations: variable lists in compiler order, recording, stored
// results, cancellation, copy names and "Weiter rechnen".
#include <gtest/gtest.h>

#include "engine/QVCompile.h"
#include "engine/QVSim.h"

namespace qv {
namespace {

// Compiles the simulation's program as the algorithm editor does before it
// hands the simulation back, with the given start values.
void AcceptProgram(tsim& sim, int simulationCount, const std::vector<std::pair<std::string, double>>& starts = {}) {
    Compiler().Macros = &sim.Macros;
    CompileProgram(sim.Program, sim.CaseSensitive);
    Compiler().Macros = nullptr;
    ASSERT_FALSE(Compiler().ErrorFlag) << CompileErrorText(Compiler().CompileError);
    // As the editor's start-value refresh: a start value not given is 0, not
    // whatever an earlier compile left behind.
    for (int i = 0; i <= Compiler().VariableCount; ++i) {
        Compiler().VariableValues[i] = 0;
        for (const auto& [name, value] : starts)
            if (Compiler().VariableNames[i] == name) Compiler().VariableValues[i] = value;
    }
    sim.TakeVariables(simulationCount);
}

std::vector<std::string> Names(const tsim& sim) {
    std::vector<std::string> names;
    for (const auto& v : sim.Variables) names.push_back(v->Name);
    return names;
}

TEST(TakeVariables, FollowsCompilerOrderAndKeepsAttributes) {
    tsim sim;
    sim.Program = {"B := B + R * ZEITSCHRITT", "R := 0.1 * B"};
    AcceptProgram(sim, 1, {{"B", 10}, {"R", 1}, {"ZEITSCHRITT", 0.5}});
    EXPECT_EQ(Names(sim), (std::vector<std::string>{"B", "R", "ZEITSCHRITT"}));
    EXPECT_TRUE(sim.Variables[0]->IsInput);
    EXPECT_EQ(sim.Variables[0]->StartValue, 10);
    EXPECT_TRUE(sim.Variables[1]->IsInput);  // read in line 1 before its assignment in line 2
    EXPECT_EQ(sim.Variables[2]->StartValue, 0.5);
    EXPECT_EQ(sim.Variables[0]->SimulationName, "");

    sim.Variables[0]->LineColour = 255;
    sim.Variables[1]->LineColour = 128;
    sim.Name = "Wachstum";
    sim.Program = {"B := B * 2"};  // R and ZEITSCHRITT disappear
    AcceptProgram(sim, 2, {{"B", 3}});
    EXPECT_EQ(Names(sim), (std::vector<std::string>{"B"}));
    EXPECT_EQ(sim.Variables[0]->LineColour, 255);
    EXPECT_EQ(sim.Variables[0]->StartValue, 3);
    EXPECT_EQ(sim.Variables[0]->SimulationName, "Wachstum");

    sim.Program = {"B := B * R"};  // R named again: a new variable with default attributes
    AcceptProgram(sim, 1);
    EXPECT_EQ(Names(sim), (std::vector<std::string>{"B", "R"}));
    EXPECT_EQ(sim.Variables[1]->LineColour, 0);
    EXPECT_EQ(sim.Variables[0]->SimulationName, "");
}

TEST(Simulate, RecordsPlottedAndAxisVariablesAfterEveryPass) {
    tsim sim;
    sim.Program = {"B := B + 0.1 * B * ZEITSCHRITT", "ZEIT := ZEIT + ZEITSCHRITT"};
    AcceptProgram(sim, 1, {{"B", 100}, {"ZEITSCHRITT", 1}});
    sim.StepCount = 100;
    sim.XAxisName = "ZEIT";
    sim.Variables[sim.IndexOfVariable("B")]->Plotted = true;
    PollThrottle poll(nullptr);
    RunResult r = sim.Simulate(poll, true);
    EXPECT_EQ(r.CompletedSteps, 100);
    EXPECT_FALSE(r.Cancelled || r.Fault || r.CompileFailed);
    const auto& b = sim.Variables[sim.IndexOfVariable("B")]->Values;
    ASSERT_EQ(b.size(), 100u);
    EXPECT_DOUBLE_EQ(b[0], 110);  // the start value itself is not recorded
    const auto& t = sim.Variables[sim.IndexOfVariable("ZEIT")]->Values;
    ASSERT_EQ(t.size(), 100u);
    EXPECT_EQ(t[99], 100);
    EXPECT_TRUE(sim.Variables[sim.IndexOfVariable("ZEITSCHRITT")]->Values.empty());
    EXPECT_EQ(sim.PlottedCount(), 1);

    double lo = 0, hi = 0;
    EXPECT_TRUE(sim.Variables[sim.IndexOfVariable("ZEIT")]->GetRange(50, lo, hi));
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 50);
    EXPECT_FALSE(sim.Variables[0]->GetRange(0, lo, hi));

    // "Weiter rechnen": twice the steps, the first hundred values the same.
    std::vector<double> before = b;
    std::string message;
    sim.StepCount = ContinuedStepCount(sim.StepCount, 2, RecordedValuesBudget(), message);
    EXPECT_EQ(sim.StepCount, 200);
    EXPECT_EQ(message, "");
    sim.Simulate(poll, true);
    const auto& after = sim.Variables[sim.IndexOfVariable("B")]->Values;
    ASSERT_EQ(after.size(), 200u);
    EXPECT_EQ(std::vector<double>(after.begin(), after.begin() + 100), before);
}

TEST(Simulate, StoredResultsStayAndFaultsKeepOnlyCompletedPasses) {
    tsim stored;
    stored.StoredResults = true;
    stored.Program = {"X := 1 / 0"};
    stored.StepCount = 10;
    auto x = std::make_unique<Tvariable>("X");
    x->Plotted = true;
    x->Values = {7, 8};
    stored.Variables.push_back(std::move(x));
    PollThrottle poll(nullptr);
    RunResult r = stored.Simulate(poll, false);
    EXPECT_FALSE(r.Fault);
    EXPECT_EQ(stored.Variables[0]->Values, (std::vector<double>{7, 8}));

    tsim faulty;
    faulty.Program = {"N := N - 1", "Q := 1 / N"};
    AcceptProgram(faulty, 1, {{"N", 3}});
    faulty.StepCount = 5;
    for (auto& v : faulty.Variables) v->Plotted = true;
    r = faulty.Simulate(poll, false);
    EXPECT_EQ(r.CompletedSteps, 2);
    ASSERT_TRUE(r.Fault);
    EXPECT_EQ(r.Fault->kind(), RunError::Kind::DivisionByZero);
    // Only the two passes that ran: no zeros for the passes that never did.
    EXPECT_EQ(faulty.Variables[1]->Values, (std::vector<double>{0.5, 1}));
    // A fault in the first pass leaves nothing of an earlier, longer run.
    faulty.Variables[0]->StartValue = 1;
    faulty.Variables[0]->Values.assign(5, 9.0);
    r = faulty.Simulate(poll, false);
    EXPECT_EQ(r.CompletedSteps, 0);
    EXPECT_TRUE(faulty.Variables[0]->Values.empty());

    tsim broken;
    broken.Program = {"X := (1"};
    broken.StepCount = 3;
    r = broken.Simulate(poll, false);
    EXPECT_TRUE(r.CompileFailed);
    EXPECT_EQ(r.CompletedSteps, 0);
}

// Cancels once it has been asked a few times, as a user pressing "Abbrechen".
class CancelAfter : public RunObserver {
public:
    explicit CancelAfter(int polls) : left_(polls) {}
    bool poll(int) override { return --left_ > 0; }
    int left() const { return left_; }

private:
    int left_;
};

TEST(Simulate, NeverEndingLoopIsCancelledAndKeepsEarlierSteps) {
    tsim sim;
    sim.Program = {"S := S + 1", "IF S > 3 THEN WHILE 1 > 0 DO X := X + 1"};
    AcceptProgram(sim, 1);
    sim.StepCount = 10;
    for (auto& v : sim.Variables) v->Plotted = true;
    CancelAfter observer(3);
    PollThrottle poll(&observer, std::chrono::milliseconds(0));
    RunResult r = sim.Simulate(poll, true);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_EQ(r.CompletedSteps, 3);
    EXPECT_EQ(observer.left(), 0);
    EXPECT_GT(Compiler().VariableValues[1], 0);  // the loop did run
    // The interrupted pass is not recorded.
    EXPECT_EQ(sim.Variables[0]->Values, (std::vector<double>{1, 2, 3}));

    // A cancelled throttle stops the next simulation before its first statement.
    tsim next;
    next.Program = {"Y := Y + 1"};
    AcceptProgram(next, 2);
    next.StepCount = 5;
    next.Variables[0]->Plotted = true;
    r = next.Simulate(poll, false);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_EQ(r.CompletedSteps, 0);
}

TEST(CopyName, ProposesTheNextNumber) {
    EXPECT_EQ(ProposeCopyName("R\xE4uber (9)"), "R\xE4uber (10)");
    EXPECT_EQ(ProposeCopyName("R\xE4uber"), "R\xE4uber (1)");
    EXPECT_EQ(ProposeCopyName("A (x)"), "A (x)");
    EXPECT_EQ(ProposeCopyName("A (1) neu"), "A (2)");
    EXPECT_EQ(ProposeCopyName("A ("), "A (");
    EXPECT_EQ(ProposeCopyName("A )("), "A )(");
}

TEST(ContinueComputing, DoublingStopsAtWhatFits) {
    std::string message;
    EXPECT_EQ(ContinuedStepCount(100, 3, uint64_t{1} << 40, message), 200);
    EXPECT_EQ(message, "");
    EXPECT_EQ(ContinuedStepCount(1'500'000'000, 0, uint64_t{1} << 40, message), 2147483647);
    EXPECT_NE(message, "");
    // 4 recorded variables within 8 MB hold 250 000 steps.
    EXPECT_EQ(ContinuedStepCount(200'000, 4, 8'000'000, message), 250'000);
    EXPECT_NE(message.find("250000"), std::string::npos);
    // Already beyond the budget: the count stays.
    EXPECT_EQ(ContinuedStepCount(300'000, 4, 8'000'000, message), 300'000);
}

}  // namespace
}  // namespace qv
