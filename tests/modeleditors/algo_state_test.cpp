#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/QVCompile.h"
#include "engine/QVSim.h"
#include "modeleditors/QVAlgo.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

std::unique_ptr<Tvariable> Variable(const std::string& name, bool isInput, double startValue) {
    auto variable = std::make_unique<Tvariable>(name);
    variable->IsInput = isInput;
    variable->StartValue = startValue;
    return variable;
}

// A simulation as the main window holds it after an edit.
tsim Growth() {
    tsim sim;
    sim.Name = "Wachstum";
    sim.Program = {"ZUWACHS", "ZEIT := ZEIT + 1"};
    TListeninhalt macro("ZUWACHS");
    macro.Lines = {"B := B + R * B"};
    sim.Macros.push_back(macro);
    sim.StepCount = 250;
    sim.Variables.push_back(Variable("B", true, 0.125));
    sim.Variables.push_back(Variable("R", true, 3));
    sim.Variables.push_back(Variable("ZEIT", true, 0));
    sim.Variables.push_back(Variable("GONE", true, 9));  // no longer in the program
    return sim;
}

class AlgoState : public ::testing::Test {
protected:
    void SetUp() override { Formats().DecimalSeparator = ','; }
    AlgoEditorState state;
};

TEST_F(AlgoState, LoadsAndStoresASimulation) {
    const tsim sim = Growth();
    state.Suspended = true;
    state.LoadFrom(sim);
    EXPECT_FALSE(state.Suspended);
    EXPECT_EQ(state.Name, "Wachstum");
    EXPECT_EQ(state.Program, sim.Program);
    EXPECT_EQ(state.Macros, sim.Macros);
    EXPECT_EQ(state.StepCount, 250);
    // The table follows the program (its macro included), not the stale list.
    ASSERT_EQ(state.StartValues.size(), StartValueRows);
    EXPECT_EQ(state.StartValues[0], (StartValueRow{"B", "0,125"}));
    EXPECT_EQ(state.StartValues[1], (StartValueRow{"R", "3"}));
    EXPECT_EQ(state.StartValues[2], (StartValueRow{"ZEIT", "0"}));
    EXPECT_TRUE(state.StartValues[3].Name.empty());
    EXPECT_EQ(Compiler().Macros, nullptr);  // no pointer into the editor is left behind

    state.StartValues[1].Value = "0,5";
    state.Name = "Kopie";
    tsim stored;
    EXPECT_FALSE(state.StoreInto(stored));
    stored.TakeVariables(1);
    EXPECT_EQ(stored.Name, "Kopie");
    EXPECT_EQ(stored.Program, sim.Program);
    EXPECT_EQ(stored.Macros, sim.Macros);
    EXPECT_EQ(stored.StepCount, 250);
    ASSERT_EQ(stored.IndexOfVariable("R"), 1);
    EXPECT_DOUBLE_EQ(stored.Variables[1]->StartValue, 0.5);
    EXPECT_DOUBLE_EQ(stored.Variables[0]->StartValue, 0.125);

    state.StartValues[1].Value = "viel";
    EXPECT_EQ(state.StoreInto(stored), std::optional<std::string>(BadStartValuesText));
}

TEST_F(AlgoState, StoringRecompilesWhateverWasCompiledSince) {
    state.LoadFrom(Growth());
    CompileProgram({"Q := Q"}, false);  // another simulation's run in between
    tsim stored;
    EXPECT_FALSE(state.StoreInto(stored));
    stored.TakeVariables(1);
    EXPECT_EQ(stored.IndexOfVariable("Q"), -1);
    EXPECT_DOUBLE_EQ(stored.Variables[static_cast<std::size_t>(stored.IndexOfVariable("B"))]->StartValue, 0.125);
}

TEST_F(AlgoState, LoadingKeepsTheStepCountInTheSpinFieldsRange) {
    tsim fresh;  // step count 0, as after construction
    state.LoadFrom(fresh);
    EXPECT_EQ(state.StepCount, MinStepCount);
    fresh.StepCount = 2000000000;
    state.LoadFrom(fresh);
    EXPECT_EQ(state.StepCount, MaxStepCount);
}

TEST_F(AlgoState, ResetEmptiesAllButTheCaseOption) {
    state.LoadFrom(Growth());
    state.CaseSensitive = true;
    state.Reset();
    EXPECT_TRUE(state.Name.empty());
    EXPECT_TRUE(state.Program.empty());
    EXPECT_TRUE(state.Macros.empty());
    EXPECT_EQ(state.StepCount, DefaultStepCount);
    EXPECT_EQ(state.StartValues, std::vector<StartValueRow>(StartValueRows));
    EXPECT_TRUE(state.CaseSensitive);
}

TEST_F(AlgoState, ErrorDisplayPointsAtTheFaultyCharacter) {
    const std::vector<std::string> program = {"A := 1", "", "Y := 2X"};
    state.Program = program;
    const CompileErrorView view = ShowCompileError(2, 3, 7, program);
    EXPECT_EQ(view.Message, "Operator erwartet.");
    ASSERT_TRUE(view.Selection);
    EXPECT_EQ(state.ProgramText().substr(*view.Selection, 1), "X");

    for (int32_t code : {0, 17, -1}) {
        const CompileErrorView unknown = ShowCompileError(code, 1, 1, program);
        EXPECT_EQ(unknown.Message, "Nicht spezifizierter Fehler");
        EXPECT_FALSE(unknown.Selection);
    }
    EXPECT_EQ(ShowCompileError(16, 1, 1, program).Message, "Vermutlich Makro-Endlosschleife.");
    // Positions outside the text stay inside it.
    EXPECT_EQ(ShowCompileError(9, 40, 90, program).Selection, state.ProgramText().size());
    EXPECT_EQ(ShowCompileError(9, 0, 0, program).Selection, 0u);
}

TEST_F(AlgoState, OkChecksTheProgramAndTheName) {
    state.Program = {"X := 1", "Y := (X"};
    state.Name = "Wachstum";
    auto refusal = state.ConfirmOk();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Message, ") erwartet.");
    EXPECT_FALSE(refusal->IsWarning);
    EXPECT_EQ(refusal->Selection, state.ProgramText().size());  // just past the end

    state.Program = {"Y := X"};
    state.Name = "   ";
    refusal = state.ConfirmOk();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Message, MissingNameText);
    EXPECT_TRUE(refusal->IsWarning);
    EXPECT_EQ(state.StartValues[0].Name, "X");  // refreshed before the name check

    // A start value that is no number would run as 0: OK names it and its row.
    state.Program = {"Y := X + HASEN"};
    state.Name = "  R\xE4uber ";
    state.StartValues = {{"X", "1"}, {"HASEN", "abc"}};
    refusal = state.ConfirmOk();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Message, "Der Startwert von HASEN ist keine Zahl: abc");
    EXPECT_FALSE(refusal->IsWarning);
    EXPECT_EQ(refusal->BadStartValue, 1u);
    EXPECT_FALSE(refusal->Selection);

    state.StartValues[1].Value = "2,5";
    EXPECT_FALSE(state.ConfirmOk());
    EXPECT_EQ(state.Name, "R\xE4uber");
}

TEST_F(AlgoState, MacrosTakePartInTheCompile) {
    TListeninhalt macro("ZUWACHS");
    macro.Lines = {"B := B + R"};
    state.Macros.push_back(macro);
    state.Program = {"R := 2", "zuwachs", "C := B"};
    EXPECT_FALSE(state.ProgramChanged());
    EXPECT_EQ(state.StartValues[0].Name, "B");
    EXPECT_TRUE(state.StartValues[1].Name.empty());

    state.Macros[0].Lines = {"B := B +"};
    state.Name = "M";
    EXPECT_EQ(state.ConfirmOk()->Message, "Konstante, Variable oder Funktion erwartet.");

    // A macro that calls itself ends as a suspected endless loop.
    state.Macros[0].Lines = {"ZUWACHS"};
    EXPECT_EQ(state.ConfirmOk()->Message, "Vermutlich Makro-Endlosschleife.");
}

TEST_F(AlgoState, ReplacingProgramTextKeepsTheLines) {
    state.Program = {"A := 1", "B := 2"};
    EXPECT_EQ(state.ProgramText(), "A := 1\nB := 2");
    state.ReplaceProgramText(5, 1, "7\nC := 3");
    EXPECT_EQ(state.Program, (std::vector<std::string>{"A := 7", "C := 3", "B := 2"}));
    state.ReplaceProgramText(1000, 5, "\n");  // past the end appends
    EXPECT_EQ(state.Program, (std::vector<std::string>{"A := 7", "C := 3", "B := 2", ""}));
    state.ReplaceProgramText(0, 1000, "");
    EXPECT_EQ(state.Program, std::vector<std::string>{""});
}

}  // namespace
}  // namespace qv
