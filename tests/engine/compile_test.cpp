#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "LimitedChild.h"
#include "engine/QVCompile.h"
#include "engine/TListeninhalt.h"

namespace qv {
namespace {

struct CompileOutcome {
    int32_t code;
    int line;
    int column;
};

CompileOutcome Compile(const std::vector<std::string>& lines, bool caseSensitive = false) {
    CompileProgram(lines, caseSensitive);
    const CompilerState& state = Compiler();
    EXPECT_EQ(state.ErrorFlag, state.CompileError != 0);
    return {state.CompileError, state.ErrorLine, state.ErrorColumn};
}

int32_t ErrorOf(const std::string& line) { return Compile({line}).code; }

std::vector<std::string> Inputs() {
    std::vector<std::string> names;
    for (int i = 0; i <= Compiler().InputCount; ++i) names.push_back(Compiler().VariableNames[Compiler().InputVariables[i]]);
    return names;
}

// Installs macros for one test and detaches them again.
class WithMacros {
public:
    explicit WithMacros(std::vector<TListeninhalt> macros) : macros_(std::move(macros)) { Compiler().Macros = &macros_; }
    ~WithMacros() { Compiler().Macros = nullptr; }

private:
    std::vector<TListeninhalt> macros_;
};

TListeninhalt Macro(const std::string& name, std::vector<std::string> lines) {
    TListeninhalt macro(name);
    macro.Lines = std::move(lines);
    return macro;
}

TEST(CompileErrorText, GivesEveryMessageAndAFallback) {
    EXPECT_EQ(CompileErrorText(1), "Speicherplatz reicht nicht aus.");
    EXPECT_EQ(CompileErrorText(2), "Operator erwartet.");
    EXPECT_EQ(CompileErrorText(3), "( erwartet.");
    EXPECT_EQ(CompileErrorText(4), "Unbekannte Funktion.");
    EXPECT_EQ(CompileErrorText(5), ") erwartet.");
    EXPECT_EQ(CompileErrorText(6), "Konstante, Variable oder Funktion erwartet.");
    EXPECT_EQ(CompileErrorText(7), "Fehler in Konstante.");
    EXPECT_EQ(CompileErrorText(8), "Klammer-Fehler.");
    EXPECT_EQ(CompileErrorText(9), "Syntax-Fehler.");
    EXPECT_EQ(CompileErrorText(10), "Syntax-Fehler.");
    EXPECT_EQ(CompileErrorText(11), "Variable erwartet.");
    EXPECT_EQ(CompileErrorText(12), "= erwartet.");
    EXPECT_EQ(CompileErrorText(13), "Vergleich erwartet.");
    EXPECT_EQ(CompileErrorText(14), "THEN erwartet.");
    EXPECT_EQ(CompileErrorText(15), "Zuviele Variablen.");
    EXPECT_EQ(CompileErrorText(16), "Vermutlich Makro-Endlosschleife.");
    EXPECT_EQ(CompileErrorText(0), "Nicht spezifizierter Fehler");
    EXPECT_EQ(CompileErrorText(17), "Nicht spezifizierter Fehler");
    EXPECT_EQ(CompileErrorText(-1), "Nicht spezifizierter Fehler");
}

TEST(CompileStatements, AcceptsTheStatementForms) {
    EXPECT_EQ(ErrorOf("X := 1"), 0);
    EXPECT_EQ(ErrorOf("X=1"), 0);
    EXPECT_EQ(ErrorOf("X:=1;Y = 2: Z := 3"), 0);
    EXPECT_EQ(ErrorOf("X := 1;"), 0);
    EXPECT_EQ(ErrorOf("X := 1 // Kommentar"), 0);
    EXPECT_EQ(ErrorOf("X := 3,5 * 2"), 0);
    EXPECT_EQ(ErrorOf("X := 1.5E-3 + 2e+2 + 7E2"), 0);
    EXPECT_EQ(ErrorOf("_a1 := -(b) - -2 * -sin(c)"), 0);
    EXPECT_EQ(ErrorOf("Y := 2^-1"), 0);
    EXPECT_EQ(Compile({"", "// nur Kommentar", "X := 1"}).code, 0);
    EXPECT_TRUE(Compiler().Compiled);
    EXPECT_EQ(Compiler().CodeBuffer[Compiler().CodePos - 1], opEnd);
}

TEST(CompileStatements, ReportsTheErrorOfEachMalformedStatement) {
    EXPECT_EQ(ErrorOf("Y := +X"), 11);
    EXPECT_EQ(ErrorOf("Y := 2X"), 2);
    EXPECT_EQ(ErrorOf("Y := (X"), 5);
    EXPECT_EQ(ErrorOf("Y := X)"), 8);
    EXPECT_EQ(ErrorOf("Y := ()"), 6);
    EXPECT_EQ(ErrorOf("Y :="), 10);
    EXPECT_EQ(ErrorOf("Y := "), 6);
    EXPECT_EQ(ErrorOf("Y := 3 +"), 6);
    EXPECT_EQ(ErrorOf("Y := 1 2"), 2);
    EXPECT_EQ(ErrorOf("Y := 1E"), 7);
    EXPECT_EQ(ErrorOf("Y := 1E+"), 7);
    EXPECT_EQ(ErrorOf("Y := 1E999"), 7);
    EXPECT_EQ(ErrorOf("Y := --1"), 11);
    EXPECT_EQ(ErrorOf("   // Kommentar"), 11);
    EXPECT_EQ(ErrorOf("   "), 11);
    EXPECT_EQ(ErrorOf("X := 1; "), 11);
    EXPECT_EQ(ErrorOf("\tX := 1"), 11);
    EXPECT_EQ(ErrorOf("1X := 1"), 11);
    EXPECT_EQ(ErrorOf("X-Y := 1"), 11);
    EXPECT_EQ(ErrorOf("X"), 10);
    EXPECT_EQ(ErrorOf("X;"), 9);
    EXPECT_EQ(ErrorOf("X :=;"), 9);
    EXPECT_EQ(ErrorOf("X := ;"), 6);
    EXPECT_EQ(ErrorOf("X :"), 12);
    EXPECT_EQ(ErrorOf("X Y"), 12);
    EXPECT_EQ(ErrorOf("X ;"), 12);
    EXPECT_EQ(ErrorOf("X := SIN 1"), 3);
    EXPECT_EQ(ErrorOf("X := SIN (1)"), 3);
    EXPECT_EQ(ErrorOf("X := SIN(1"), 5);
}

TEST(CompileStatements, PlacesTheErrorAtLineAndColumn) {
    auto outcome = Compile({"A := 1", "", "Y := 2X"});
    EXPECT_EQ(outcome.code, 2);
    EXPECT_EQ(outcome.line, 3);
    EXPECT_EQ(outcome.column, 7);  // the "X"
    outcome = Compile({"Y := (X"});
    EXPECT_EQ(outcome.code, 5);
    EXPECT_EQ(outcome.column, 8);  // just past the end
    outcome = Compile({"X := 1; Y := 2 $ 3"});
    EXPECT_EQ(outcome.code, 2);
    EXPECT_EQ(outcome.column, 16);
    outcome = Compile({"IF X < 1 THEN Y := +1"});
    EXPECT_EQ(outcome.code, 11);
    EXPECT_EQ(outcome.column, 20);
}

TEST(CompileStatements, FailedCompileKeepsCompiledAndTheVariablesSoFar) {
    Compile({"A := 1"});
    ASSERT_TRUE(Compiler().Compiled);
    Compiler().Compiled = false;
    Compile({"B := C", "D := )"});
    EXPECT_FALSE(Compiler().Compiled);
    EXPECT_EQ(CompiledVariableNames(), (std::vector<std::string>{"C", "B"}));
    Compiler().Compiled = true;
    Compile({"X := 1 +"});
    EXPECT_TRUE(Compiler().Compiled);
}

TEST(CompileVariables, RegistersInOrderWithTheTargetAfterTheRightHandSide) {
    ASSERT_EQ(Compile({"Y := A + B * A", "X := X + 1", "IF Q > 0 THEN Z := 1", "W := Z + Y"}).code, 0);
    EXPECT_EQ(CompiledVariableNames(), (std::vector<std::string>{"A", "B", "Y", "X", "Q", "Z", "W"}));
    // Z is first named as a target, so it is no input even though the IF may skip it.
    EXPECT_EQ(Inputs(), (std::vector<std::string>{"A", "B", "X", "Q"}));

    ASSERT_EQ(Compile({"X := X + 1"}).code, 0);
    EXPECT_EQ(CompiledVariableNames(), std::vector<std::string>{"X"});
    EXPECT_EQ(Inputs(), std::vector<std::string>{"X"});
}

TEST(CompileVariables, FoldsCaseUnlessCaseIsKept) {
    ASSERT_EQ(Compile({"x := X + sin(y)"}, false).code, 0);
    EXPECT_EQ(CompiledVariableNames(), (std::vector<std::string>{"X", "Y"}));
    ASSERT_EQ(Compile({"x := X + sin(y) + SIN(Y)"}, true).code, 0);
    EXPECT_EQ(CompiledVariableNames(), (std::vector<std::string>{"X", "y", "Y", "x"}));
    // Umlauts fold in Windows-1252; "ß" has no capital and stays.
    ASSERT_EQ(Compile({"gr\xF6\xDF" "e := \xE4pfel + \xFC"}).code, 0);
    EXPECT_EQ(CompiledVariableNames(), (std::vector<std::string>{"\xC4PFEL", "\xDC", "GR\xD6\xDF" "E"}));
    ASSERT_EQ(Compile({"gr\xF6\xDF" "e := \xE4pfel"}, true).code, 0);
    EXPECT_EQ(CompiledVariableNames(), (std::vector<std::string>{"\xE4pfel", "gr\xF6\xDF" "e"}));
    // Keywords are known in any case also when case is kept.
    EXPECT_EQ(Compile({"if x < 1 then y := 1", "while x < 1 do x := x + 1"}, true).code, 0);
}

TEST(CompileVariables, AcceptsOneHundredAndOneVariables) {
    std::vector<std::string> lines;
    for (int i = 0; i < 101; ++i) lines.push_back("V" + std::to_string(i) + " := 1");
    ASSERT_EQ(Compile(lines).code, 0);
    EXPECT_EQ(Compiler().VariableCount, 100);
    lines.push_back("V101 := 1");
    const auto outcome = Compile(lines);
    EXPECT_EQ(outcome.code, 15);
    EXPECT_EQ(outcome.line, 102);
    // The table stays within its bounds after the error.
    EXPECT_EQ(Compiler().VariableCount, 100);
    EXPECT_EQ(CompiledVariableNames().size(), 101u);
    // Inputs cannot outgrow the variables either.
    std::string sum = "S := V0";
    for (int i = 1; i < 101; ++i) sum += "+V" + std::to_string(i);
    EXPECT_EQ(Compile({sum}).code, 15);
    EXPECT_EQ(Compiler().InputCount, 100);
}

TEST(CompileLimits, ReportsAFullCodeBuffer) {
    // Each line takes 11 bytes: opAssign, index, opConst and 8 bytes.
    std::vector<std::string> lines(1363, "X := 1");
    ASSERT_EQ(Compile(lines).code, 0);
    lines.resize(1364, "X := 1");
    const auto outcome = Compile(lines);
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.line, 1364);
    EXPECT_LE(Compiler().CodePos, CodeBufferLast + 10);
}

TEST(CompileLimits, BoundsTheNestingOfExpressions) {
    const auto nested = [](int depth, const std::string& open) {
        std::string text = "X := ";
        for (int i = 0; i < depth; ++i) text += open;
        text += "1";
        text += std::string(static_cast<std::size_t>(depth), ')');
        return text;
    };
    EXPECT_EQ(ErrorOf(nested(MaxExpressionNesting, "(")), 0);
    EXPECT_EQ(ErrorOf(nested(MaxExpressionNesting, "-SIN(")), 0);
    EXPECT_EQ(ErrorOf(nested(MaxExpressionNesting + 1, "(")), 8);
    EXPECT_EQ(ErrorOf(nested(MaxExpressionNesting + 1, "-ABS(")), 8);
    // Far deeper text must end in the same error, not in a crash.
    EXPECT_EQ(ErrorOf(nested(200000, "(")), 8);
    EXPECT_EQ(ErrorOf("X := " + std::string(200000, '(')), 8);
}

TEST(CompileLimits, NestedConditionsOnALongLineNeedNoCopyPerLevel) {
    if (!QV_ADDRESS_SPACE_LIMITS) GTEST_SKIP() << "address-space limits do not work with the sanitizers";
    // A megabyte of nested conditions fills the code buffer after some
    // thousand levels; compiling it must not hold the line once per level.
    std::string line;
    while (line.size() < (1u << 20)) line += "IF A < B THEN WHILE C < D DO ";
    line += "X := 1";
    const int code = RunWithAddressSpaceRoom(64u << 20, [&] { return Compile({line}).code; });
    EXPECT_EQ(code, 1);
    // Lower case and kept case find the keywords the same way.
    EXPECT_EQ(Compile({"if a < b then while c < d do x := 1"}).code, 0);
    EXPECT_EQ(Compile({"if a < b then while c < d do x := 1"}, true).code, 0);
}

TEST(CompileConditions, SplitsConditionKeywordAndBody) {
    EXPECT_EQ(ErrorOf("IF X < 5 THEN Y := 1; Z := 2"), 0);
    EXPECT_EQ(ErrorOf("IF X = 1 DO Y := 1"), 0);
    EXPECT_EQ(ErrorOf("WHILE X < 1 THEN X := X + 1"), 0);
    EXPECT_EQ(ErrorOf("IF X <= 1 THEN IF Y >= 2 THEN WHILE Z <> 3 DO Z := Z + 1"), 0);
    EXPECT_EQ(ErrorOf("IF X < 1 THEN "), 0);  // an empty body
    ASSERT_EQ(ErrorOf("WHILE X < DOSIS DO X := X + 1"), 0);
    EXPECT_EQ(CompiledVariableNames(), (std::vector<std::string>{"X", "DOSIS"}));

    EXPECT_EQ(ErrorOf("IF X < 5 Y := 1"), 13);
    EXPECT_EQ(ErrorOf("IF < 5 THEN Y := 1"), 13);
    EXPECT_EQ(ErrorOf("IF X <"), 13);
    EXPECT_EQ(ErrorOf("IF X THEN Y := 1"), 13);
    EXPECT_EQ(ErrorOf("IF X < 5 THEN"), 13);  // the keyword needs a blank on each side
    EXPECT_EQ(ErrorOf("IF X <  THEN Y := 1"), 6);
    EXPECT_EQ(ErrorOf("IF (X < 5) THEN Y := 1"), 5);
    EXPECT_EQ(ErrorOf("IF X < 5 THEN Y := 1; "), 11);
}

TEST(CompileConditions, EncodesTheJumps) {
    const CompilerState& state = Compiler();
    ASSERT_EQ(ErrorOf("IF A > B THEN C := 1"), 0);
    // opTest, load A, opGreater, load B, opThen, target, then the body.
    ASSERT_EQ(state.CodeBuffer[0], opTest);
    EXPECT_EQ(state.CodeBuffer[3], opGreater);
    EXPECT_EQ(state.CodeBuffer[6], opThen);
    EXPECT_EQ(state.CodeBuffer[7] | state.CodeBuffer[8] << 8, state.CodePos - 1);  // onto opEnd
    EXPECT_EQ(state.CodeBuffer[9], opAssign);

    ASSERT_EQ(Compile({"A := 0", "WHILE A < 3 DO A := A + 1"}).code, 0);
    const int loopStart = 11;
    ASSERT_EQ(state.CodeBuffer[loopStart], opTest);
    const int exit = state.CodeBuffer[loopStart + 14] | state.CodeBuffer[loopStart + 15] << 8;
    EXPECT_EQ(exit, state.CodePos - 1);
    // The closing test 0 > 1 that always jumps back to the loop's own test.
    const uint8_t* back = &state.CodeBuffer[exit - 23];
    EXPECT_EQ(back[0], opTest);
    EXPECT_EQ(back[1], opConst);
    EXPECT_EQ(back[10], opGreater);
    EXPECT_EQ(back[11], opConst);
    EXPECT_EQ(back[20], opThen);
    EXPECT_EQ(back[21] | back[22] << 8, loopStart);
    double zero = -1, one = -1;
    std::memcpy(&zero, back + 2, 8);
    std::memcpy(&one, back + 12, 8);
    EXPECT_EQ(zero, 0.0);
    EXPECT_EQ(one, 1.0);
}

TEST(CompileConstants, ReadsADecimalCommaLikeAPoint) {
    ASSERT_EQ(ErrorOf("X := 3,5"), 0);
    const std::vector<uint8_t> comma(Compiler().CodeBuffer.begin(), Compiler().CodeBuffer.begin() + Compiler().CodePos);
    ASSERT_EQ(ErrorOf("X := 3.5"), 0);
    const std::vector<uint8_t> point(Compiler().CodeBuffer.begin(), Compiler().CodeBuffer.begin() + Compiler().CodePos);
    EXPECT_EQ(comma, point);
    // The sign goes into the constant.
    ASSERT_EQ(ErrorOf("X := -2,25"), 0);
    double value = 0;
    std::memcpy(&value, &Compiler().CodeBuffer[3], 8);
    EXPECT_EQ(value, -2.25);
    EXPECT_EQ(Compiler().CodeBuffer[11], opEnd);
}

TEST(CompileMacros, ExpandsMacroBodiesInPlace) {
    WithMacros macros({Macro("ZUWACHS", {"B := B + R", "// Kommentar", "Z := Z + 1"}), Macro("LEER", {})});
    ASSERT_EQ(Compile({"R := 2", "ZUWACHS", "ZUWACHS; LEER: C := B", "LEER ;X := 1"}).code, 0);
    EXPECT_EQ(CompiledVariableNames(), (std::vector<std::string>{"R", "B", "Z", "C", "X"}));
    EXPECT_EQ(Inputs(), (std::vector<std::string>{"B", "Z"}));
    // Looked up with the head as read: folded unless case is kept.
    EXPECT_EQ(Compile({"zuwachs"}).code, 0);
    EXPECT_EQ(Compile({"zuwachs"}, true).code, 10);
    EXPECT_EQ(Compile({"FEHLT;"}).code, 9);
    EXPECT_EQ(Compile({"ZUWACHS :=;"}).code, 0);
}

TEST(CompileMacros, ReportsErrorsInsideTheBodyAndRecursion) {
    WithMacros macros({Macro("M", {"A := 1", "B := 2 $"}), Macro("OK", {"A := 1"}), Macro("SELBST", {"SELBST"}),
                       Macro("TIEF", {"OK"})});
    auto outcome = Compile({"X := 1", "M"});
    EXPECT_EQ(outcome.code, 2);
    EXPECT_EQ(outcome.line, 2);  // line 2 of the macro body
    EXPECT_EQ(outcome.column, 8);
    // After a good macro the caller's line counts again.
    outcome = Compile({"X := 1", "OK; Y := (1"});
    EXPECT_EQ(outcome.code, 5);
    EXPECT_EQ(outcome.line, 2);
    EXPECT_EQ(outcome.column, 12);

    outcome = Compile({"SELBST"});
    EXPECT_EQ(outcome.code, 16);
    EXPECT_EQ(Compiler().MacroDepth, 0);
    EXPECT_EQ(Compile({"TIEF"}).code, 0);
}

TEST(CompileMacros, AllowsTenNestedExpansions) {
    std::vector<TListeninhalt> chain;
    for (int i = 1; i <= 11; ++i)
        chain.push_back(Macro("M" + std::to_string(i), {i < 11 ? "M" + std::to_string(i + 1) : "X := 1"}));
    WithMacros macros(chain);
    EXPECT_EQ(Compile({"M2"}).code, 0);   // ten expansions
    EXPECT_EQ(Compile({"M1"}).code, 16);  // eleven
}

TEST(CompileNames, KnowsTheFunctionNames) {
    for (const char* name : {"SIN", "cos", "ArcTan", "EXP", "ln", "SQR", "SQRT", "FRAC", "INT", "ABS", "INP", "TIME",
                             "random"})
        EXPECT_TRUE(IsFunctionName(name)) << name;
    EXPECT_FALSE(IsFunctionName("SINUS"));
    EXPECT_FALSE(IsFunctionName("ZEIT"));
    EXPECT_FALSE(IsFunctionName(""));
    EXPECT_EQ(ErrorOf("X := TIME(0) + RANDOM(5) + INP(3)"), 0);
    EXPECT_EQ(ErrorOf("X := SIN"), 3);
}

}  // namespace
}  // namespace qv
