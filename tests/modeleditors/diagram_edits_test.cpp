#include "modeleditors/DiagramEdits.h"
#include "modeleditors/EditorPrograms.h"
#include "modeleditors/FormulaInput.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

tpfeil& Connect(TDiagram& d, TGSimple& from, TGSimple& to) {
    auto a = std::make_unique<tpfeil>(from.CentreX, from.CentreY);
    a->AddPoint(to.CentreX, to.CentreY);
    a->Source = &from;
    a->Target = &to;
    d.RecordEndIndices(*a, from);
    d.RecordEndIndices(*a, to);
    d.Arrows.push_back(std::move(a));
    return *d.Arrows.back();
}

template <typename T>
T& Add(std::vector<std::unique_ptr<T>>& list, const char* name, int x) {
    list.push_back(std::make_unique<T>(x, 100));
    list.back()->Name = name;
    return *list.back();
}

// Hares H and foxes F; the hares' birth rate g fed by constant a and by H,
// the foxes' death rate s fed by constant b; arrows in the order g->H, a->g,
// H->g, s->F, b->s.
struct Model {
    TDiagram d;
    tzustand& H = Add(d.Stocks, "H", 100);
    tzustand& F = Add(d.Stocks, "F", 300);
    trate& g = Add(d.Rates, "g", 500);
    trate& s = Add(d.Rates, "s", 700);
    tKonstante& a = Add(d.Constants, "a", 900);
    tKonstante& b = Add(d.Constants, "b", 1100);
    Model() {
        Connect(d, g, H);
        Connect(d, a, g);
        Connect(d, H, g);
        Connect(d, s, F);
        Connect(d, b, s);
    }
};

std::string Ends(const TDiagram& d) {
    std::string text;
    for (const auto& a : d.Arrows) text += a->Source->Name + ">" + a->Target->Name + " ";
    return text;
}

TEST(DiagramEdits, DeletingAnElementTakesItsArrowsAndTheirConstants) {
    Model m;
    DeleteElement(m.d, m.H);
    EXPECT_EQ(Ends(m.d), "a>g s>F b>s ");
    DeleteElement(m.d, m.g);
    EXPECT_EQ(Ends(m.d), "s>F b>s ");
    ASSERT_EQ(m.d.Constants.size(), 1u);  // a went with its arrow into g
    EXPECT_EQ(m.d.Constants[0]->Name, "b");

    // The stored positions still name the same elements after reading back.
    OutStream out;
    ASSERT_TRUE(m.d.save(out));
    InStream in(out.bytes());
    EXPECT_EQ(Ends(TDiagram::read(in)), "s>F b>s ");

    // A constant deleted by itself goes with its arrow, and its arrow with it.
    Model n;
    DeleteElement(n.d, n.b);
    EXPECT_EQ(Ends(n.d), "g>H a>g H>g s>F ");
    DeleteArrow(n.d, *n.d.Arrows[1]);
    EXPECT_EQ(Ends(n.d), "g>H H>g s>F ");
    EXPECT_TRUE(n.d.Constants.empty());
    EXPECT_EQ(n.d.Arrows[2]->SourceRateIndex, 1);
}

TEST(DiagramEdits, TwoArrowsFromOneConstantInADamagedDiagramBothGo) {
    Model m;
    Connect(m.d, m.a, m.s);
    DeleteArrow(m.d, *m.d.Arrows[1]);  // a>g: a goes, and with it a>s
    EXPECT_EQ(Ends(m.d), "g>H H>g s>F b>s ");
}

TEST(DiagramEdits, NameRules) {
    EXPECT_EQ(NameRuleViolation(""), EmptyNameText);
    EXPECT_EQ(NameRuleViolation("1Hase"), DigitNameText);
    for (const char* bad : {"Ha se", "a-b", "x:", "k.1", "p#", "r>", "(x", "y=2"})
        EXPECT_EQ(NameRuleViolation(bad), SpecialNameText) << bad;
    for (const char* good : {"Hase", "f\xFC" "chse", "Hase_2", "x'", "x^", "Z"})
        EXPECT_EQ(NameRuleViolation(good), std::nullopt) << good;
}

TEST(DiagramEdits, FormulaDialogFilling) {
    Model m;
    m.a.Name = "?";
    FormulaInputs in = InputsOf(m.d, m.g, false);
    EXPECT_EQ(in.Names, (std::vector<std::string>{"H", "ZEIT", "ZEITSCHRITT"}));
    EXPECT_TRUE(in.SomeUndefined);
    EXPECT_EQ(InputsOf(m.d, m.s, true).Names, (std::vector<std::string>{"b", "ZEIT"}));

    EXPECT_EQ(SplitDefinition("g:=a*H:=").Formula, "a*H:=");  // only the first ":=" divides

    m.d.Arrows.clear();
    EXPECT_FALSE(StockTakesFormula(m.d, m.H));
    Connect(m.d, m.g, m.H);
    EXPECT_FALSE(StockTakesFormula(m.d, m.H));
    Connect(m.d, m.s, m.H);
    EXPECT_TRUE(StockTakesFormula(m.d, m.H));  // two flows
    Connect(m.d, m.F, m.H);
    m.d.Arrows.erase(m.d.Arrows.begin());
    EXPECT_TRUE(StockTakesFormula(m.d, m.H));  // a flow and a stock
}

TEST(FormulaInput, ButtonsAndBackspace) {
    FormulaInput f;
    f.InsertButton("sqrt", true);
    f.InsertVariable("Hase");
    f.InsertButton(")", false);
    EXPECT_EQ(f.Text, "sqrt(Hase)");
    f.Backspace();
    EXPECT_EQ(f.Text, "sqrt(Hase");
    f.Backspace();  // one character per further press
    EXPECT_EQ(f.Text, "sqrt(Has");

    f.Clear();
    f.InsertButton("random", true);
    f.Backspace();
    EXPECT_EQ(f.Text, "");

    // A button replaces the selection; "<-" then takes the whole token.
    f.Take("a+b*c", 2, 1);
    f.InsertButton("sqr", true);
    EXPECT_EQ(f.Text, "a+sqr(*c");
    EXPECT_EQ(f.Caret(), 6u);
    f.Backspace();
    EXPECT_EQ(f.Text, "a+*c");
    EXPECT_EQ(f.Caret(), 2u);

    // After a click the caret may stand anywhere: one character only.
    f.InsertVariable("Fuchs");
    f.Take(f.Text, 4, 0);
    f.CaretMoved();
    f.Backspace();
    EXPECT_EQ(f.Text, "a+Fchs*c");

    // Never more than stands before the caret.
    f.Take("Fuchs", 2, 0);
    f.InsertButton("abs", true);
    f.Take(f.Text, 1, 0);
    f.Backspace();
    EXPECT_EQ(f.Text, "uabs(chs");
    EXPECT_EQ(f.Caret(), 0u);

    EXPECT_TRUE(IsFunctionButton("SQRT"));
    EXPECT_FALSE(IsFunctionButton("Bk"));
}

TEST(FormulaInput, ErrorIsLocatedInTheRightField) {
    // "g:=)a": the first formula character is column 4.
    FormulaErrorSpot spot = LocateFormulaError(4, "g", ")a");
    EXPECT_TRUE(spot.InFormula);
    EXPECT_EQ(spot.Index, 0u);
    spot = LocateFormulaError(2, "g1x", "a");
    EXPECT_FALSE(spot.InFormula);
    EXPECT_EQ(spot.Index, 1u);
    EXPECT_EQ(LocateFormulaError(9, "g", "a+").Index, 2u);  // past the end: at the end
}

TEST(EditorPrograms, TrialAndGeneratedProgramsLeaveTheEditorIntactOnErrors) {
    AlgoEditorState editor;
    editor.Program = {"x := x + k", "ZEIT := ZEIT + 1"};
    ASSERT_TRUE(editor.Compile());
    editor.RefreshStartValues();
    editor.StartValues[0].Value = "5";
    const AlgoEditorState before = editor;

    EXPECT_EQ(TrialCompile(editor, "g:=a*H"), std::nullopt);
    std::optional<TrialError> error = TrialCompile(editor, "g:=a*(H");
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->Message.empty());
    EXPECT_GT(error->Column, 4);

    EXPECT_TRUE(TakeGeneratedProgram(editor, {"x := (x"}));
    EXPECT_EQ(editor.Program, before.Program);
    EXPECT_EQ(editor.StartValues, before.StartValues);

    EXPECT_EQ(TakeGeneratedProgram(editor, {"x := x + 2*k", "ZEIT := ZEIT + 1"}), std::nullopt);
    EXPECT_EQ(editor.Program[0], "x := x + 2*k");
    EXPECT_EQ(editor.StartValues[0], before.StartValues[0]);  // x keeps its typed value
}

}  // namespace
}  // namespace qv
