// The algorithm editor's window: the start-value table following the typed
// program, the checks on OK, both clipboards, the macro commands of the
// context menu and the macro text dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextCursor>

#include <memory>

#include "UiTestSupport.h"
#include "app/QVAlgoDlg.h"
#include "dialogs/HelpHook.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::OnNextModalDialog;

// A dialog on a fresh editor state, shown and active so that focus moves as
// the user would see it.
class AlgoDialog : public ::testing::Test {
protected:
    void SetUp() override {
        Formats().DecimalSeparator = ',';
        open(AlgoEditorState{});
    }

    void open(const AlgoEditorState& state) {
        dialog = std::make_unique<TAlgoDlg>(nullptr, state);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    QPlainTextEdit* program() { return Child<QPlainTextEdit>(*dialog, "program"); }
    QTableWidget* table() { return Child<QTableWidget>(*dialog, "startValues"); }
    QString cell(int row, int column) { return table()->item(row, column)->text(); }
    void trigger(const char* action) { Child<QAction>(*dialog, action)->trigger(); }
    bool enabled(const char* action) { return Child<QAction>(*dialog, action)->isEnabled(); }

    // Key by key, as the user types; a line break is the Return key.
    void type(const QString& text) {
        program()->setFocus();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(program(), Qt::Key_Return);
            QTest::keyClicks(program(), lines[i]);
        }
    }

    void select(const QString& text) {
        const int at = program()->toPlainText().indexOf(text);
        ASSERT_GE(at, 0) << text.toStdString();
        QTextCursor cursor(program()->document());
        cursor.setPosition(at);
        cursor.setPosition(at + static_cast<int>(text.size()), QTextCursor::KeepAnchor);
        program()->setTextCursor(cursor);
    }

    void pressOk() { QTest::mouseClick(Child<QPushButton>(*dialog, "ok"), Qt::LeftButton); }

    std::unique_ptr<TAlgoDlg> dialog;
};

TEST_F(AlgoDialog, StartValueTableFollowsTheTypedProgram) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Algorithmische Modellierung"));
    EXPECT_EQ(table()->rowCount(), 50);
    EXPECT_EQ(Child<QSpinBox>(*dialog, "steps")->maximum(), 99999999);

    type(QStringLiteral("X := X + R"));
    ASSERT_EQ(cell(0, 0), QStringLiteral("X"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("0"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("R"));

    // A typed value survives the compiles of further typing; a dropped input leaves the table.
    table()->item(1, 1)->setText(QStringLiteral("2,5"));
    type(QStringLiteral("\nY := Y + X"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("R"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("2,5"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("Y"));
    EXPECT_EQ(dialog->state().StartValues[1].Value, "2,5");
    program()->setPlainText(QStringLiteral("Y := Y + R"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("Y"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("2,5"));
    EXPECT_EQ(cell(2, 0), QString());

    // Half-typed text does not compile and leaves the table as it was.
    type(QStringLiteral("\nZ := ("));
    EXPECT_EQ(cell(2, 0), QString());

    // Names are the program's; only the values are edited.
    EXPECT_FALSE(table()->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(table()->item(0, 1)->flags() & Qt::ItemIsEditable);

    // With case kept, a and A are two inputs with values of their own.
    program()->setPlainText(QStringLiteral("a := a + A"));
    EXPECT_EQ(cell(1, 0), QString());
    Child<QCheckBox>(*dialog, "caseSensitive")->click();
    EXPECT_TRUE(dialog->state().CaseSensitive);
    EXPECT_EQ(cell(0, 0), QStringLiteral("a"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("A"));
}

TEST_F(AlgoDialog, ProgramTextGrowsWithTheEditorWhichKeepsItsSize) {
    const QSize text = program()->size();
    const QSize larger = dialog->size() + QSize(100, 80);
    dialog->resize(larger);
    ASSERT_TRUE(QTest::qWaitFor([&] { return program()->width() > text.width(); }));
    EXPECT_EQ(program()->size(), text + QSize(100, 80));

    // Closed either way, the editor opens again at the user's size.
    dialog->reject();
    open(AlgoEditorState{});
    EXPECT_EQ(dialog->size(), larger);
}

TEST_F(AlgoDialog, TableGrowsBeyondFiftyInputs) {
    QString text;
    for (int i = 0; i < 60; ++i) text += QStringLiteral("V%1 := V%1 + 1\n").arg(i);
    program()->setPlainText(text);
    ASSERT_EQ(table()->rowCount(), 60);
    EXPECT_EQ(cell(59, 0), QStringLiteral("V59"));
    table()->item(55, 1)->setText(QStringLiteral("7"));
    type(QStringLiteral("W := 1"));
    EXPECT_EQ(cell(55, 1), QStringLiteral("7"));  // matched again beyond row 50
}

TEST_F(AlgoDialog, OkRefusesFaultyProgramStartValueAndEmptyName) {
    AnswerBoxes boxes;
    program()->setPlainText(QStringLiteral("ZEIT := ZEIT + 1\nX := X + * 2"));
    EXPECT_TRUE(boxes.texts.empty());  // compiling while typing stays silent
    Child<QLineEdit>(*dialog, "name")->setText(QStringLiteral("Test"));
    pressOk();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.kinds[0], MessageKind::Error);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("Variable erwartet."));
    const QTextCursor cursor = program()->textCursor();
    EXPECT_EQ(cursor.selectionStart(), 26);
    EXPECT_EQ(cursor.selectionEnd(), 27);
    EXPECT_EQ(cursor.selectedText(), QStringLiteral("*"));
    EXPECT_EQ(dialog->focusWidget(), program());

    // A name of blanks is no name.
    program()->setPlainText(QStringLiteral("ZEIT := ZEIT + 1"));
    Child<QLineEdit>(*dialog, "name")->setText(QStringLiteral("   "));
    pressOk();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.kinds[1], MessageKind::Warning);
    EXPECT_EQ(boxes.texts[1], QStringLiteral("Geben Sie der Simulation einen Namen!"));
    EXPECT_EQ(dialog->focusWidget(), Child<QLineEdit>(*dialog, "name"));

    // A start value that is no number is named, and its cell selected for correcting.
    program()->setPlainText(QStringLiteral("ZEIT := ZEIT + 1\nHASEN := HASEN * 2"));
    Child<QLineEdit>(*dialog, "name")->setText(QStringLiteral(" Wachstum "));
    table()->item(1, 1)->setText(QStringLiteral("abc"));
    pressOk();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.kinds[2], MessageKind::Error);
    EXPECT_EQ(boxes.texts[2], QStringLiteral("Der Startwert von HASEN ist keine Zahl: abc"));
    EXPECT_EQ(table()->currentRow(), 1);
    EXPECT_EQ(table()->currentColumn(), 1);
    EXPECT_EQ(dialog->focusWidget(), table());

    table()->item(1, 1)->setText(QStringLiteral("3"));
    Child<QSpinBox>(*dialog, "steps")->setValue(250);
    pressOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->state().Name, "Wachstum");
    EXPECT_EQ(dialog->state().StepCount, 250);
    EXPECT_EQ(boxes.texts.size(), 3u);
}

TEST_F(AlgoDialog, HelpAndTheOtherEditorsOpenFromHere) {
    QString topic;
    SetHelpHandler([&topic](const QString& shown) { topic = shown; });
    QTest::mouseClick(Child<QPushButton>(*dialog, "help"), Qt::LeftButton);
    SetHelpHandler({});
    EXPECT_EQ(topic, QStringLiteral("modellalgo.html"));

    QStringList captions;
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() != QStringLiteral("Sprachliches Modell") && button->text() != QStringLiteral("Grafisches Modell"))
            continue;
        OnNextModalDialog([&captions](QDialog& shown) {
            captions.push_back(shown.windowTitle());
            shown.reject();
        });
        button->click();
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Sprachliche Modellierung"), QStringLiteral("Grafische Modellierung")}));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(AlgoDialog, EditorWritesTheStateOnlyOnOk) {
    AlgoEditorState state;
    state.Name = "Alt";
    state.Program = {"X := X + 1"};
    OnNextModalDialog([](QDialog& shown) {
        Child<QLineEdit>(shown, "name")->setText(QStringLiteral("Neu"));
        shown.reject();
    });
    AlgoDlgEditor editor;
    EXPECT_FALSE(editor.edit(state, nullptr));
    EXPECT_EQ(state.Name, "Alt");

    OnNextModalDialog([](QDialog& shown) {
        EXPECT_EQ(Child<QPlainTextEdit>(shown, "program")->toPlainText(), QStringLiteral("X := X + 1"));
        Child<QLineEdit>(shown, "name")->setText(QStringLiteral("Neu"));
        Child<QPushButton>(shown, "ok")->click();
    });
    EXPECT_TRUE(editor.edit(state, nullptr));
    EXPECT_EQ(state.Name, "Neu");
    EXPECT_EQ(state.StartValues[0].Name, "X");
}

TEST_F(AlgoDialog, ProgramClipboardCarriesTheHeaderOnlyOnTheClipboard) {
    Child<QLineEdit>(*dialog, "name")->setText(QStringLiteral("Räuber"));
    program()->setPlainText(QStringLiteral("A := 1\nB := B + A\nC := 2"));
    EXPECT_FALSE(enabled("copy"));
    select(QStringLiteral("A := 1\nB := B + A"));
    EXPECT_TRUE(enabled("copy"));
    trigger("copy");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("PROGRAMM: (Räuber)\r\nA := 1\r\nB := B + A\r\n"));

    // The keyboard goes through the same command.
    QApplication::clipboard()->clear();
    select(QStringLiteral("C := 2"));
    QTest::keyClick(program(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("PROGRAMM: (Räuber)\r\nC := 2\r\n"));
    QTest::keyClick(program(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(program()->toPlainText(), QStringLiteral("A := 1\nB := B + A\n"));

    // Pasted into another simulation, the header line is dropped.
    open(AlgoEditorState{});
    QApplication::clipboard()->setText(QStringLiteral("PROGRAMM: (Räuber)\r\nA := 1\r\nB := B + A\r\n"));
    EXPECT_TRUE(enabled("paste"));
    type(QStringLiteral("X := 0\n"));
    trigger("paste");
    EXPECT_EQ(program()->toPlainText(), QStringLiteral("X := 0\nA := 1\nB := B + A\n"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("B"));  // the pasted text was compiled
    // Other text comes in as it is, line breaks in the field's own form.
    QApplication::clipboard()->setText(QStringLiteral("Y := 3\r\nZ := Y"));
    QTest::keyClick(program(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(program()->toPlainText(), QStringLiteral("X := 0\nA := 1\nB := B + A\nY := 3\nZ := Y"));

    QTest::keyClick(program(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(program()->toPlainText(), QStringLiteral("X := 0\nA := 1\nB := B + A\n"));
    QApplication::clipboard()->clear();
    EXPECT_FALSE(enabled("paste"));
}

TEST_F(AlgoDialog, StartValueClipboardResetAndForeignText) {
    Child<QLineEdit>(*dialog, "name")->setText(QStringLiteral("Zins"));
    program()->setPlainText(QStringLiteral("K := K * (1 + P)"));
    table()->item(0, 1)->setText(QStringLiteral("100"));
    table()->item(1, 1)->setText(QStringLiteral("0,03"));
    trigger("copyStartValues");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Startwerte: (Zins)\r\nK;100\r\nP;0,03\r\n"));

    trigger("resetStartValues");
    EXPECT_EQ(cell(0, 1), QStringLiteral("0"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("0"));
    EXPECT_EQ(cell(2, 1), QString());  // unnamed rows stay empty

    // Values come back by name; names not in the table add no row.
    QApplication::clipboard()->setText(QStringLiteral("Startwerte: (Zins)\r\nP;0,05\r\nQ;9\r\nK;100\r\n"));
    trigger("pasteStartValues");
    EXPECT_EQ(cell(0, 1), QStringLiteral("100"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("0,05"));
    EXPECT_EQ(cell(2, 0), QString());
    EXPECT_EQ(dialog->state().StartValues[1].Value, "0,05");

    AnswerBoxes boxes;
    QApplication::clipboard()->setText(QStringLiteral("K;1"));
    trigger("pasteStartValues");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("In der Zwischenablage befinden sich keine Startwerte!"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("100"));
}

TEST_F(AlgoDialog, MacrosMadeResolvedAndEditedThroughTheMenu) {
    QString asked;
    dialog->setMacroNamePrompt([&asked](QWidget*) {
        asked = QStringLiteral("zuwachs");
        return std::optional<QString>(asked);
    });
    program()->setPlainText(QStringLiteral("B := B + R\nZ := Z + 1\nC := B"));
    // Two whole lines, picked as the user does: the selection ends at the third line's start.
    program()->moveCursor(QTextCursor::Start);
    program()->setFocus();
    QTest::keyClick(program(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(program(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(enabled("createMacro"));
    EXPECT_FALSE(enabled("resolveMacro"));
    trigger("createMacro");
    EXPECT_EQ(asked, QStringLiteral("zuwachs"));
    EXPECT_EQ(program()->toPlainText(), QStringLiteral("ZUWACHS\nC := B"));
    EXPECT_EQ(program()->textCursor().position(), 7);
    ASSERT_EQ(dialog->state().Macros.size(), 1u);
    EXPECT_EQ(dialog->state().Macros[0].Lines, (std::vector<std::string>{"B := B + R", "Z := Z + 1"}));

    // The program still needs the start values of the macro's body.
    type(QStringLiteral("\nD := 1"));
    EXPECT_EQ(program()->toPlainText(), QStringLiteral("ZUWACHS\nD := 1\nC := B"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("B"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("Z"));

    {
        AnswerBoxes boxes;
        select(QStringLiteral("C := B"));
        trigger("createMacro");
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], QStringLiteral("Es existiert schon ein Makro mit diesem Namen"));
        EXPECT_EQ(program()->toPlainText(), QStringLiteral("ZUWACHS\nD := 1\nC := B"));
    }

    // The macro's text dialog changes its body; the table follows the new body.
    select(QStringLiteral("ZUWACHS"));
    EXPECT_TRUE(enabled("editMacro"));
    OnNextModalDialog([](QDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), QStringLiteral("ZUWACHS"));
        auto* text = Child<QPlainTextEdit>(shown, "macroText");
        EXPECT_EQ(text->toPlainText(), QStringLiteral("B := B + R\nZ := Z + 1\n"));
        text->setPlainText(QStringLiteral("B := B + Q"));
        shown.accept();
    });
    trigger("editMacro");
    EXPECT_EQ(dialog->state().Macros[0].Lines, (std::vector<std::string>{"B := B + Q"}));
    EXPECT_EQ(cell(1, 0), QStringLiteral("Q"));

    // Resolving the last use puts the body back and drops the macro.
    select(QStringLiteral("ZUWACHS"));
    EXPECT_TRUE(enabled("resolveMacro"));
    trigger("resolveMacro");
    EXPECT_EQ(program()->toPlainText(), QStringLiteral("B := B + Q\n\nD := 1\nC := B"));
    EXPECT_TRUE(dialog->state().Macros.empty());
    select(QStringLiteral("B := B + Q"));
    EXPECT_FALSE(enabled("resolveMacro"));
    EXPECT_FALSE(enabled("editMacro"));
}

}  // namespace
}  // namespace qv
