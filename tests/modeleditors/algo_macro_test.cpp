#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/QVCompile.h"
#include "engine/QVSim.h"
#include "modeleditors/QVmakro.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

using Lines = std::vector<std::string>;

class AlgoMacros : public ::testing::Test {
protected:
    // Selects the first occurrence of text in the program.
    std::optional<std::string> Create(const std::string& text, const std::string& name) {
        return CreateMacro(state, At(text), text.size(), name);
    }
    std::optional<std::string> Resolve(const std::string& text) { return ResolveMacro(state, At(text), text.size()); }

    std::size_t At(const std::string& text) const {
        const auto at = state.ProgramText().find(text);
        EXPECT_NE(at, std::string::npos) << text;
        return at;
    }

    AlgoEditorState state;
};

TEST_F(AlgoMacros, CreatingMovesTheSelectionIntoAMacro) {
    state.Program = {"R := 2", "B := B + R", "Z := Z + 1", "C := B"};
    EXPECT_FALSE(Create("B := B + R\nZ := Z + 1", " zuwachs "));
    ASSERT_EQ(state.Macros.size(), 1u);
    EXPECT_EQ(state.Macros[0].Name, "ZUWACHS");
    EXPECT_EQ(state.Macros[0].Lines, (Lines{"B := B + R", "Z := Z + 1"}));
    EXPECT_EQ(state.Program, (Lines{"R := 2", "ZUWACHS", "C := B"}));

    // The program still compiles to the same inputs through the macro.
    EXPECT_FALSE(state.ProgramChanged());
    EXPECT_EQ(state.StartValues[0].Name, "B");
    EXPECT_EQ(state.StartValues[1].Name, "Z");

    EXPECT_EQ(Create("C := B", "Zuwachs"), std::optional<std::string>(MacroExistsText));
    EXPECT_EQ(Create("C := B", "   "), std::optional<std::string>(MissingMacroNameText));
    EXPECT_FALSE(CreateMacro(state, 3, 0, "LEER"));  // an empty selection does nothing
    EXPECT_EQ(state.Macros.size(), 1u);
    EXPECT_EQ(state.Program, (Lines{"R := 2", "ZUWACHS", "C := B"}));

    // With case kept, names are taken as typed and differ by case.
    state.CaseSensitive = true;
    EXPECT_FALSE(Create("C := B", "Zuwachs"));
    EXPECT_EQ(state.Macros[1].Name, "Zuwachs");
}

// The infected of the SIR model over 30 passes, run as the main window runs
// what the editor hands back.
std::vector<double> Infected(AlgoEditorState& state) {
    Formats().DecimalSeparator = ',';
    EXPECT_FALSE(state.ProgramChanged());
    for (auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"BETA", "0,3"}, {"GAMMA", "0,1"}, {"ANFAELLIGE", "990"}, {"INFIZIERTE", "10"}, {"ZEITSCHRITT", "1"}})
        for (StartValueRow& row : state.StartValues)
            if (row.Name == name) row.Value = value;
    tsim sim;
    EXPECT_FALSE(state.StoreInto(sim));
    sim.TakeVariables(1);
    sim.YAxisName = "INFIZIERTE";
    PollThrottle poll(nullptr);
    EXPECT_EQ(sim.Simulate(poll, false).CompletedSteps, 30);
    return sim.Variables[static_cast<std::size_t>(sim.IndexOfVariable("INFIZIERTE"))]->Values;
}

TEST_F(AlgoMacros, WholeLinesBecomeAMacroWithoutTheirLineBreaks) {
    const Lines sir = {"NEUINFEKTIONEN := BETA * ANFAELLIGE * INFIZIERTE / 1000",
                       "GENESUNGEN := GAMMA * INFIZIERTE",
                       "ANFAELLIGE := ANFAELLIGE - NEUINFEKTIONEN * ZEITSCHRITT",
                       "INFIZIERTE := INFIZIERTE + (NEUINFEKTIONEN - GENESUNGEN) * ZEITSCHRITT",
                       "GENESENE := GENESENE + GENESUNGEN * ZEITSCHRITT"};
    state.Program = sir;
    state.StepCount = 30;
    const std::vector<double> expected = Infected(state);
    ASSERT_GT(expected.back(), 50);  // the epidemic rises

    // Two lines picked with Shift+Down: the selection ends at the next line's start.
    EXPECT_FALSE(Create(sir[0] + "\n" + sir[1] + "\n", "Raten"));
    EXPECT_EQ(state.Macros[0].Lines, (Lines{sir[0], sir[1]}));
    EXPECT_EQ(state.Program, (Lines{"RATEN", sir[2], sir[3], sir[4]}));
    EXPECT_EQ(Infected(state), expected);

    // Picked upwards from the end of the line before, down to the end of the text.
    EXPECT_FALSE(Create("\n" + sir[3] + "\n" + sir[4], "Bestand"));
    EXPECT_EQ(state.Macros[1].Lines, (Lines{sir[3], sir[4]}));
    EXPECT_EQ(state.Program, (Lines{"RATEN", sir[2], "BESTAND"}));
    EXPECT_EQ(Infected(state), expected);

    // Nothing but a line break makes no macro.
    state.Program = {"A := 1", "", "B := 2"};
    EXPECT_FALSE(CreateMacro(state, 7, 1, "LEER"));
    EXPECT_EQ(state.Macros.size(), 2u);
    EXPECT_EQ(state.Program, (Lines{"A := 1", "", "B := 2"}));
}

TEST_F(AlgoMacros, ResolvingDropsTheMacroWithItsLastUse) {
    state.Macros = {TListeninhalt("ZUWACHS")};
    state.Macros[0].Lines = {"B := B + 1"};
    state.Program = {"ZUWACHS", "C := B", "zuwachs"};

    EXPECT_FALSE(Resolve("ZUWACHS"));
    EXPECT_EQ(state.Program, (Lines{"B := B + 1", "", "C := B", "zuwachs"}));
    EXPECT_EQ(state.Macros.size(), 1u);  // still called below

    EXPECT_FALSE(Resolve("zuwachs"));
    EXPECT_EQ(state.Program, (Lines{"B := B + 1", "", "C := B", "B := B + 1", ""}));
    EXPECT_TRUE(state.Macros.empty());

    EXPECT_EQ(Resolve("C := B"), std::optional<std::string>(NotAMacroText));
    EXPECT_EQ(ResolveMacro(state, 0, 0), std::optional<std::string>(NotAMacroText));
    EXPECT_EQ(ResolveMacro(state, 5000, 3), std::optional<std::string>(NotAMacroText));
}

TEST_F(AlgoMacros, SelectedNamesMatchAsTheCompilerCompares) {
    state.Macros = {TListeninhalt("ZUWACHS"), TListeninhalt("Klein")};
    EXPECT_EQ(FindSelectedMacro(state, "zuwachs"), &state.Macros[0]);
    EXPECT_EQ(FindSelectedMacro(state, "Klein"), nullptr);  // upper-cased, it is no macro
    EXPECT_EQ(FindSelectedMacro(state, "ZUWACHS "), nullptr);
    EXPECT_EQ(FindSelectedMacro(state, ""), nullptr);
    state.CaseSensitive = true;
    EXPECT_EQ(FindSelectedMacro(state, "zuwachs"), nullptr);
    EXPECT_EQ(FindSelectedMacro(state, "Klein"), &state.Macros[1]);
}

TEST_F(AlgoMacros, MacroDialogCommands) {
    EXPECT_FALSE(AddMacro(state, "schritt", "X := X + 1\r\nY := X\r\n"));
    ASSERT_EQ(state.Macros.size(), 1u);
    EXPECT_EQ(state.Macros[0].Name, "SCHRITT");
    EXPECT_EQ(MacroText(state.Macros[0]), "X := X + 1\nY := X\n");

    SetMacroText(state.Macros[0], "Z := 1");
    EXPECT_EQ(state.Macros[0].Lines, Lines{"Z := 1"});
    state.Program = {"SCHRITT"};
    EXPECT_FALSE(state.ProgramChanged());
    EXPECT_EQ(CompiledVariableNames(), Lines{"Z"});

    EXPECT_EQ(AddMacro(state, "Schritt", ""), std::optional<std::string>(MacroExistsText));
    EXPECT_FALSE(AddMacro(state, "ANDERS", ""));
    EXPECT_EQ(RenameMacro(state, "SCHRITT", "anders"), std::optional<std::string>(MacroExistsText));
    EXPECT_EQ(RenameMacro(state, "SCHRITT", ""), std::optional<std::string>(MissingMacroNameText));
    EXPECT_EQ(RenameMacro(state, "FEHLT", "X"), std::optional<std::string>(NotAMacroText));
    EXPECT_FALSE(RenameMacro(state, "SCHRITT", "schritt"));  // the same name after upper-casing
    EXPECT_FALSE(RenameMacro(state, "SCHRITT", "lauf"));
    EXPECT_EQ(state.Macros[0].Name, "LAUF");
    EXPECT_EQ(state.Macros[0].Lines, Lines{"Z := 1"});

    EXPECT_TRUE(DeleteMacro(state, "LAUF"));
    EXPECT_FALSE(DeleteMacro(state, "LAUF"));
    ASSERT_EQ(state.Macros.size(), 1u);
    EXPECT_EQ(state.Macros[0].Name, "ANDERS");
}

}  // namespace
}  // namespace qv
