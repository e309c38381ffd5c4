// The verbal editor's window: names typed into the grids, sentences dragged
// together with the mouse, "vereinfacht" switched, OK translating into the
// algorithm editor, and a faulty sentence pointed out.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

#include "UiTestSupport.h"
#include "app/QVAlgoDlg.h"
#include "app/QVSprachlichdlg.h"
#include "drawing/QtText.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::OnNextModalDialog;

QString Cell(QTableWidget* grid, int row, int column) { return grid->item(row, column)->text(); }

// A name as the cell editor commits it. (Typing through a cell editor
// depends on which window the test platform makes active first, so the test
// commits the text the way the editor does.)
void TypeInto(QTableWidget* grid, int row, const QString& text) {
    grid->setCurrentCell(row, 0);
    grid->item(row, 0)->setText(text);
    EXPECT_EQ(Cell(grid, row, 0), text);
}

// Presses on a cell, moves the mouse beyond the drag distance and lets go
// at a point of the target (a grid's viewport or the waste bin).
void Drag(QTableWidget* from, int row, int column, QWidget* onto, QPoint at) {
    const QPoint start = from->visualItemRect(from->item(row, column)).center();
    QTest::mousePress(from->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(from->viewport(), start + QPoint(0, 12));
    QTest::mouseMove(onto, at);
    QTest::mouseRelease(onto, Qt::LeftButton, {}, at);
}

void DragToCell(QTableWidget* from, int row, int column, QTableWidget* onto, int ontoRow, int ontoColumn) {
    Drag(from, row, column, onto->viewport(), onto->visualRect(onto->model()->index(ontoRow, ontoColumn)).center());
}

TEST(VerbalDialog, SentencesDraggedTogetherBecomeTheAlgorithm) {
    AlgoEditorState state;
    state.Program = {"X := 1"};  // typed by hand, replaced by OK
    TAlgoDlg algo(nullptr, state);
    algo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&algo));

    OnNextModalDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sprachliche Modellierung"));
        auto* stocks = Child<QTableWidget>(dialog, "stocks");
        auto* rates = Child<QTableWidget>(dialog, "rates");
        auto* predicates = Child<QTableWidget>(dialog, "predicates");
        auto* model = Child<QTableWidget>(dialog, "model");
        auto* simplified = Child<QCheckBox>(dialog, "simplified");
        EXPECT_EQ(stocks->rowCount(), 19);
        EXPECT_EQ(model->rowCount(), 49);
        EXPECT_TRUE(simplified->isChecked());
        const QString increase = Cell(predicates, 0, 0);  // the shipped file's first predicate

        TypeInto(stocks, 0, QStringLiteral("Hasen"));
        TypeInto(stocks, 1, QStringLiteral("Gras"));
        TypeInto(rates, 0, QStringLiteral("Geburten"));
        DragToCell(stocks, 0, 0, model, 0, 0);
        DragToCell(predicates, 0, 0, model, 0, 1);
        DragToCell(rates, 0, 0, model, 0, 2);
        DragToCell(rates, 0, 0, model, 1, 0);
        DragToCell(predicates, 3, 0, model, 1, 1);
        DragToCell(stocks, 0, 0, model, 1, 2);
        DragToCell(predicates, 1, 0, model, 2, 0);  // a predicate is no subject
        EXPECT_EQ(Cell(model, 2, 0), QString());
        Drag(stocks, 1, 0, Child<QLabel>(dialog, "wasteBin"), QPoint(5, 5));
        EXPECT_EQ(Cell(stocks, 1, 0), QString());
        EXPECT_EQ(Cell(stocks, 0, 0), QStringLiteral("Hasen"));
        EXPECT_EQ(Cell(model, 0, 0), QStringLiteral("Hasen"));
        EXPECT_EQ(Cell(model, 0, 2), QStringLiteral("Geburten"));

        // The sentence reads as what it computes; switching back restores it.
        QTest::mouseClick(simplified, Qt::LeftButton, {}, QPoint(4, simplified->height() / 2));
        EXPECT_EQ(Cell(model, 0, 1), increase + QStringLiteral("            ZEITSCHRITT *"));
        EXPECT_EQ(Cell(predicates, 0, 0), Cell(model, 0, 1));
        simplified->click();
        EXPECT_EQ(Cell(model, 0, 1), increase);
        simplified->click();
        QTest::mouseClick(Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QTest::mouseClick(Child<QPushButton>(algo, "verbal"), Qt::LeftButton);

    EXPECT_EQ(Child<QPlainTextEdit>(algo, "program")->toPlainText(),
              QStringLiteral("Geburten := FGeburten * Hasen\nHasen := Hasen + Geburten*ZEITSCHRITT\n"
                             "ZEIT := ZEIT + ZEITSCHRITT"));
    auto* startValues = Child<QTableWidget>(algo, "startValues");
    EXPECT_EQ(startValues->item(0, 0)->text().toUpper(), QStringLiteral("FGEBURTEN"));
    const WorkingSentences& verbal = algo.state().Verbal;
    EXPECT_FALSE(verbal.SimplifiedModel);
    EXPECT_EQ(verbal.Sentences[1].Object, "Hasen");
    EXPECT_EQ(verbal.Stocks[0], "Hasen");
}

TEST(VerbalDialog, AFaultySentenceKeepsTheProgramAndIsPointedOut) {
    const PredicateList predicates({"nimmt zu um", "nimmt ab um", "ist", "ist proportional zu"});
    AlgoEditorState state;
    state.Program = {"X := 1"};
    state.Verbal.Sentences[0] = {"Hasen", "nimmt zu um", "Geburten"};
    state.Verbal.Sentences[3] = {"Z", "ist", "*5"};  // the program's first line
    TSprachlichdlg dialog(nullptr, state, predicates);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* model = Child<QTableWidget>(dialog, "model");
    EXPECT_TRUE(model->item(3, 2)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(model->item(3, 1)->flags() & Qt::ItemIsEditable);

    AnswerBoxes boxes;
    QTest::mouseClick(Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.kinds[0], MessageKind::Error);
    EXPECT_EQ(model->currentRow(), 3);
    EXPECT_EQ(model->currentColumn(), 2);
    EXPECT_EQ(state.Program, std::vector<std::string>{"X := 1"});

    // The corrected object is typed into its cell; then OK translates.
    model->item(3, 2)->setText(QStringLiteral("5-1"));
    QTest::mouseClick(Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(state.Program, (std::vector<std::string>{"Z := 5-1", "Hasen := Hasen + Geburten", "ZEIT := ZEIT + 1"}));
}

}  // namespace
}  // namespace qv
