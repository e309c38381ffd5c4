// The diagram editor driven with the mouse: the predator-prey model drawn,
// named and defined through the prompts and the formula dialog, translated
// into the algorithm editor; undo and redo; the formula dialog's buttons and
// its trial compile; the diagram travelling with the simulation through the
// main window and the computed curves.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <deque>
#include <map>
#include <memory>

#include "UiTestSupport.h"
#include "app/Cursors.h"
#include "app/QVGrafmodelldlg.h"
#include "app/QVInputratedlg.h"
#include "app/QVMain.h"
#include "dialogs/HelpHook.h"
#include "charts/bsgraf3d.h"
#include "drawing/QtText.h"
#include "modeleditors/DiagramEdits.h"
#include "modeleditors/QVAlgo.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::Command;
using test::OnNextModalDialog;

// Answers the name prompts in turn and records their captions.
class AnswerPrompts {
public:
    explicit AnswerPrompts(std::deque<QString> answers) : answers_(std::move(answers)) {
        SetPromptHandler([this](const QString& caption, const QString&, const QString& value) -> std::optional<QString> {
            captions.push_back(caption);
            values.push_back(value);
            if (answers_.empty()) return std::nullopt;
            QString answer = answers_.front();
            answers_.pop_front();
            return answer;
        });
    }
    ~AnswerPrompts() { SetPromptHandler({}); }
    AnswerPrompts(const AnswerPrompts&) = delete;
    AnswerPrompts& operator=(const AnswerPrompts&) = delete;

    QStringList captions;
    QStringList values;

private:
    std::deque<QString> answers_;
};

void ClickInput(QDialog& formula, const char* name) {
    auto* list = Child<QListWidget>(formula, "inputs");
    const auto found = list->findItems(QString::fromUtf8(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
}

void Press(QDialog& dialog, const char* button) { QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton); }

// The mouse on an editor's canvas.
class Editor {
public:
    explicit Editor(TGrafmodelldlg& shown) : dialog(shown), canvas(Child<QWidget>(shown, "canvas")) {}
    void tool(const char* name) { QTest::mouseClick(Child<QToolButton>(dialog, name), Qt::LeftButton); }
    void click(int x, int y) { QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(x, y)); }
    void clicks(std::initializer_list<QPoint> points) {
        for (QPoint p : points) click(p.x(), p.y());
    }
    void move(int x, int y) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, y), canvas->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        move((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
        move(to.x(), to.y());
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
    }
    QColor pixel(int x, int y) const { return dialog.image().pixelColor(x, y); }

    TGrafmodelldlg& dialog;
    QWidget* canvas;
};

// An editor of its own, shown.
struct OpenEditor {
    OpenEditor(WorkingDiagram& model, AlgoEditorState& algo) : dialog(nullptr, model, algo) {
        dialog.resize(900, 700);
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    TGrafmodelldlg dialog;
    Editor e{dialog};
};

// Hares fed by "Geburt" and eaten ("Gefressen", a flow out) in the upper
// row, foxes born ("Nachwuchs") and dying ("Sterben") in the lower one; each
// rate has its constant, and the stocks feed the rates whose formulas use
// them. Elements are placed unnamed, so every box is 40 × 30 while arrows are
// drawn.
void DrawPredatorPrey(Editor& e) {
    e.tool("toolStock");
    e.clicks({{300, 150}, {300, 400}});
    e.tool("toolRate");
    e.clicks({{150, 150}, {450, 150}, {150, 400}, {450, 400}});
    e.tool("toolArrow");
    // The four flows, from each rate's tip to its stock.
    e.clicks({{150, 150}, {300, 150}, {450, 150}, {300, 150}, {150, 400}, {300, 400}, {450, 400}, {300, 400}});
    // Hasen feeds Geburt and Gefressen, Fuechse feeds Nachwuchs and Sterben,
    // each over two bend points.
    e.clicks({{290, 162}, {290, 220}, {150, 220}, {150, 155}});
    e.clicks({{310, 138}, {310, 100}, {450, 100}, {450, 145}});
    e.clicks({{290, 412}, {290, 470}, {150, 470}, {150, 405}});
    e.clicks({{310, 388}, {310, 350}, {450, 350}, {450, 395}});
    // The constants: a press in empty space starts an arrow at a new constant.
    e.clicks({{60, 60}, {150, 150}, {600, 60}, {460, 150}, {60, 300}, {150, 400}, {600, 300}, {460, 400}});
    // The two outflows get their "-".
    e.tool("toolLabel");
    e.clicks({{400, 150}, {400, 400}});
}

// Names and formulas through the prompts and the formula dialog.
void DefinePredatorPrey(Editor& e) {
    AnswerPrompts prompts({QStringLiteral("1Hase"), QStringLiteral("Hasen"), QStringLiteral("Fuechse"),
                           QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    AnswerBoxes boxes;
    e.tool("toolLabel");
    e.clicks({{300, 150}, {300, 150}, {300, 400}, {55, 60}, {595, 60}, {55, 300}, {595, 300}});
    EXPECT_EQ(boxes.texts, std::vector<QString>{QString::fromUtf8(DigitNameText)});
    EXPECT_EQ(prompts.captions.front(), QStringLiteral("Zustandsgröße"));
    EXPECT_EQ(prompts.captions.back(), QStringLiteral("Konstante"));
    EXPECT_EQ(prompts.values.front(), QString());  // "?" is not offered as a name

    const auto define = [&e](QPoint rate, const char* name, std::function<void(QDialog&)> fill) {
        OnNextModalDialog([name, fill](QDialog& formula) {
            EXPECT_EQ(formula.windowTitle(), QStringLiteral("Veränderungsrate"));
            Child<QLineEdit>(formula, "name")->setText(QString::fromUtf8(name));
            fill(formula);
            Press(formula, "ok");
        });
        e.click(rate.x(), rate.y());
    };
    define({150, 150}, "Geburt", [](QDialog& f) {
        EXPECT_EQ(Child<QListWidget>(f, "inputs")->count(), 3);  // Hasen, a, ZEIT
        ClickInput(f, "a");
        Press(f, "Bmal");
        ClickInput(f, "Hasen");
    });
    define({450, 150}, "Gefressen", [](QDialog& f) {
        ClickInput(f, "b");
        Press(f, "Bmal");
        ClickInput(f, "Hasen");
        Press(f, "Bmal");
        QTest::keyClicks(Child<QLineEdit>(f, "formula"), QStringLiteral("Fuechse"));
    });
    define({150, 400}, "Nachwuchs", [](QDialog& f) {
        ClickInput(f, "c");
        Press(f, "Bmal");
        ClickInput(f, "Fuechse");
        Press(f, "Bmal");
        QTest::keyClicks(Child<QLineEdit>(f, "formula"), QStringLiteral("Hasen"));
    });
    define({450, 400}, "Sterben", [](QDialog& f) {
        ClickInput(f, "d");
        Press(f, "Bmal");
        ClickInput(f, "Fuechse");
    });
}

const std::vector<std::string> PredatorPreyProgram = {
    "Geburt:=a*Hasen",          "Hasen := Hasen + Geburt",     "Gefressen:=b*Hasen*Fuechse",
    "Hasen := Hasen - Gefressen", "Nachwuchs:=c*Fuechse*Hasen", "Fuechse := Fuechse + Nachwuchs",
    "Sterben:=d*Fuechse",       "Fuechse := Fuechse - Sterben", "ZEIT := ZEIT + 1",
};

TEST(GrafDialog, PredatorPreyDrawnDefinedAndTranslated) {
    Formats().DecimalSeparator = ',';
    WorkingDiagram model;
    AlgoEditorState algo;
    algo.Program = {"X := X + 1"};
    {
        OpenEditor open(model, algo);
        Editor& e = open.e;
        DrawPredatorPrey(e);
        const TDiagram& d = model.Diagram;
        ASSERT_EQ(d.Arrows.size(), 12u);
        EXPECT_EQ(d.Constants.size(), 4u);
        for (const auto& arrow : d.Arrows) {
            EXPECT_TRUE(arrow->Source && arrow->Target);
            EXPECT_FALSE(arrow->Unfinished);
        }
        EXPECT_EQ(d.Arrows[1]->Sign, -1);
        EXPECT_EQ(d.Arrows[3]->Sign, -1);
        EXPECT_EQ(d.Arrows[0]->Sign, 1);
        DefinePredatorPrey(e);
        EXPECT_EQ(d.Rates[1]->Definition, "Gefressen:=b*Hasen*Fuechse");

        // "&Kopieren" puts the diagram, not the whole canvas, on the clipboard twice.
        Child<QAction>(e.dialog, "Kopieren")->trigger();
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        ASSERT_TRUE(copied && copied->hasImage());
        const QImage picture = qvariant_cast<QImage>(copied->imageData());
        EXPECT_GT(picture.width(), 500);  // from constant a to constant b
        EXPECT_LT(picture.width(), 600);
        EXPECT_TRUE(copied->hasFormat(QStringLiteral("image/svg+xml")));
        Press(e.dialog, "ok");
        EXPECT_EQ(e.dialog.result(), QDialog::Accepted);
    }
    // The typed program is replaced line by line; its start values follow.
    EXPECT_EQ(algo.Program, PredatorPreyProgram);
    std::vector<std::string> names;
    for (const StartValueRow& row : algo.StartValues)
        if (!row.Name.empty()) names.push_back(row.Name);
    // Without "Groß-, Kleinschreibung" the compiler knows the names in capitals.
    EXPECT_EQ(names, (std::vector<std::string>{"A", "HASEN", "B", "FUECHSE", "C", "D", "ZEIT"}));
}

TEST(GrafDialog, EveryEditUndoesAndRedoes) {
    WorkingDiagram model;
    AlgoEditorState algo;
    OpenEditor open(model, algo);
    Editor& e = open.e;
    const TDiagram& d = model.Diagram;
    e.tool("toolStock");
    e.click(300, 150);
    e.tool("toolRate");
    e.click(150, 150);
    e.tool("toolArrow");
    e.clicks({{150, 150}, {300, 150}, {60, 60}, {150, 150}});
    ASSERT_EQ(d.Arrows.size(), 2u);

    // Escape lets go of an arrow begun in empty space, with its constant.
    e.click(60, 300);
    EXPECT_EQ(d.Constants.size(), 2u);
    QTest::keyClick(&e.dialog, Qt::Key_Escape);
    EXPECT_EQ(d.Constants.size(), 1u);
    EXPECT_EQ(d.Arrows.size(), 2u);
    EXPECT_TRUE(e.dialog.isVisible());

    // Moving the stock drags the flow's end along once the button is let go.
    e.tool("toolMove");
    e.drag({300, 150}, {300, 250});
    EXPECT_EQ(d.Stocks[0]->CentreY, 250);
    EXPECT_EQ(d.Arrows[0]->Last(), (IntPoint{280, 250}));
    // A point slides along the edge it sits on.
    e.drag({280, 250}, {290, 258});
    EXPECT_EQ(d.Arrows[0]->Last(), (IntPoint{280, 258}));

    // Deleting the rate takes both arrows and the constant.
    e.tool("toolDelete");
    e.click(150, 150);
    EXPECT_TRUE(d.Rates.empty());
    EXPECT_TRUE(d.Arrows.empty());
    EXPECT_TRUE(d.Constants.empty());

    // Ctrl+Z brings everything back, step by step; the redo button repeats.
    QTest::keyClick(&e.dialog, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(d.Arrows.size(), 2u);
    EXPECT_EQ(d.Arrows[0]->Source, d.Rates[0].get());
    EXPECT_EQ(d.Arrows[1]->Source, d.Constants[0].get());
    QTest::keyClick(&e.dialog, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(d.Arrows[0]->Last(), (IntPoint{280, 250}));
    QTest::keyClick(&e.dialog, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(d.Stocks[0]->CentreY, 150);
    EXPECT_EQ(d.Arrows[0]->Last(), (IntPoint{280, 150}));
    QTest::keyClick(&e.dialog, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(d.Stocks[0]->CentreY, 250);

    // Signs and names are edits too; the tool-bar button takes them back.
    {
        AnswerPrompts prompts({QStringLiteral("Bestand")});
        e.tool("toolLabel");
        e.click(232, 200);  // the middle of the flow, slanting since the move
        e.click(300, 250);
    }
    EXPECT_EQ(d.Arrows[0]->Sign, -1);
    EXPECT_EQ(d.Stocks[0]->Name, "Bestand");
    QTest::mouseClick(Child<QToolButton>(e.dialog, "undoButton"), Qt::LeftButton);
    EXPECT_EQ(d.Stocks[0]->Name, "?");
    QTest::mouseClick(Child<QToolButton>(e.dialog, "undoButton"), Qt::LeftButton);
    EXPECT_EQ(d.Arrows[0]->Sign, 1);
    QTest::mouseClick(Child<QToolButton>(e.dialog, "redoButton"), Qt::LeftButton);
    EXPECT_EQ(d.Arrows[0]->Sign, -1);
}

TEST(GrafDialog, FormulaDialogButtonsAndTrialCompile) {
    AlgoEditorState algo;
    algo.Program = {"Y := Y + 1"};
    ASSERT_TRUE(algo.Compile());
    algo.RefreshStartValues();
    algo.StartValues[0].Value = "7";
    const AlgoEditorState before = algo;

    TInputratedlg f(nullptr, algo);
    f.setFields(QStringLiteral("g"), QString(), {QStringLiteral("Hasen"), QStringLiteral("ZEIT")});
    f.show();
    auto* formula = Child<QLineEdit>(f, "formula");
    Press(f, "sqrt");
    ClickInput(f, "Hasen");
    Press(f, "BKZ");
    EXPECT_EQ(formula->text(), QStringLiteral("sqrt(Hasen)"));
    Press(f, "backspace");
    EXPECT_EQ(formula->text(), QStringLiteral("sqrt(Hasen"));
    Press(f, "clearAll");
    EXPECT_EQ(formula->text(), QString());

    {
        AnswerBoxes boxes;
        // A rate needs a formula: "g:=" alone does not compile.
        Press(f, "ok");
        EXPECT_EQ(boxes.texts.size(), 1u);
        // A fault in the formula's first character is selected there.
        formula->setText(QStringLiteral(")a"));
        Press(f, "ok");
        EXPECT_EQ(formula->selectedText(), QStringLiteral(")"));
        EXPECT_EQ(formula->selectionStart(), 0);
        Child<QLineEdit>(f, "name")->setText(QStringLiteral("1g"));
        Press(f, "ok");
        EXPECT_EQ(boxes.texts.back(), QString::fromUtf8(DigitNameText));
        EXPECT_EQ(boxes.texts.size(), 3u);
    }
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(algo.Program, before.Program);
    EXPECT_EQ(algo.StartValues, before.StartValues);

    // A stock may keep a plain name.
    f.setStock(true);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Zustandsgröße"));
    Child<QLineEdit>(f, "name")->setText(QStringLiteral("Hasen"));
    formula->clear();
    Press(f, "ok");
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST(GrafDialog, ExtendedSyntaxLetsStocksFeedStocksAndTakeFormulas) {
    WorkingDiagram model;
    AlgoEditorState algo;
    OpenEditor open(model, algo);
    Editor& e = open.e;
    const TDiagram& d = model.Diagram;
    e.tool("toolStock");
    e.clicks({{100, 100}, {300, 100}});
    e.tool("toolArrow");
    // Without it a click on a stock only bends the arrow.
    e.clicks({{120, 95}, {300, 100}});
    EXPECT_TRUE(d.Arrows.back()->Unfinished);
    QTest::keyClick(&e.dialog, Qt::Key_Escape);
    EXPECT_TRUE(d.Arrows.empty());

    QTest::mouseClick(Child<QCheckBox>(e.dialog, "extended"), Qt::LeftButton);
    EXPECT_TRUE(model.ExtendedSyntax);
    e.clicks({{120, 95}, {300, 100}});
    ASSERT_EQ(d.Arrows.size(), 1u);
    EXPECT_EQ(d.Arrows[0]->Target, d.Stocks[1].get());

    // The stock fed by a stock is computed: the formula dialog names it.
    AnswerPrompts prompts({QStringLiteral("Quelle")});
    e.tool("toolLabel");
    e.click(100, 100);
    OnNextModalDialog([](QDialog& formula) {
        EXPECT_EQ(formula.windowTitle(), QStringLiteral("Zustandsgröße"));
        Child<QLineEdit>(formula, "name")->setText(QStringLiteral("Doppelt"));
        ClickInput(formula, "Quelle");
        Press(formula, "Bmal");
        Press(formula, "B2");
        Press(formula, "ok");
    });
    e.click(300, 100);
    EXPECT_EQ(d.Stocks[1]->Name, "Doppelt:=Quelle*2");
    EXPECT_EQ(prompts.captions, QStringList{QStringLiteral("Zustandsgröße")});
}

TEST(GrafDialog, CancelLetsGoOfAHalfDrawnArrow) {
    WorkingDiagram model;
    AlgoEditorState algo;
    OpenEditor open(model, algo);
    open.e.tool("toolArrow");
    open.e.clicks({{60, 60}, {200, 60}});
    ASSERT_EQ(model.Diagram.Arrows.size(), 1u);
    // The diagram outlives the dialog and goes into the simulation: no arrow
    // without an end, and no constant without its arrow, may stay behind.
    for (QPushButton* button : open.dialog.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("Abbrechen")) QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(open.dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(model.Diagram.Arrows.empty());
    EXPECT_TRUE(model.Diagram.Constants.empty());
}

TEST(GrafDialog, OkWithoutArrowsAsksBeforeTheAlgorithmGoes) {
    WorkingDiagram model;
    AlgoEditorState algo;
    algo.Program = {"X := X + 1"};
    OpenEditor open(model, algo);
    Editor& e = open.e;
    QString topic;
    SetHelpHandler([&topic](const QString& shown) { topic = shown; });
    Press(e.dialog, "help");
    SetHelpHandler({});
    EXPECT_EQ(topic, QStringLiteral("modellgrafisch.html"));
    {
        AnswerBoxes no(MessageAnswer::No);
        Press(e.dialog, "ok");
        EXPECT_EQ(no.texts, std::vector<QString>{QStringLiteral(
                                "Das Diagramm enthält keine Pfeile. Soll der Algorithmus gelöscht werden?")});
    }
    EXPECT_TRUE(e.dialog.isVisible());
    EXPECT_EQ(algo.Program, (std::vector<std::string>{"X := X + 1"}));
    {
        AnswerBoxes yes(MessageAnswer::Yes);
        Press(e.dialog, "ok");
    }
    EXPECT_EQ(e.dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(algo.Program.empty());
}

// The values the predator-prey program gives, pass by pass, for comparison.
std::vector<double> HaresAfter(int passes) {
    double hares = 120, foxes = 20;
    std::vector<double> seen;
    for (int i = 0; i < passes; ++i) {
        hares += 0.1 * hares;
        hares -= 0.005 * hares * foxes;
        foxes += 0.001 * foxes * hares;
        foxes -= 0.1 * foxes;
        seen.push_back(hares);
    }
    return seen;
}

TEST(GrafDialog, DiagramTravelsWithTheSimulationAndIsComputed) {
    Formats().DecimalSeparator = ',';
    TMain window;
    window.resize(900, 650);
    window.show();
    const std::map<QString, QString> start = {{"A", "0,1"}, {"B", "0,005"},   {"C", "0,001"},
                                              {"D", "0,1"}, {"HASEN", "120"}, {"FUECHSE", "20"}};
    OnNextModalDialog([&start](QDialog& algo) {
        Child<QLineEdit>(algo, "name")->setText(QStringLiteral("Räuber und Beute"));
        Child<QSpinBox>(algo, "steps")->setValue(30);
        OnNextModalDialog([](QDialog& graf) {
            Editor e(static_cast<TGrafmodelldlg&>(graf));
            DrawPredatorPrey(e);
            DefinePredatorPrey(e);
            Press(graf, "ok");
        });
        QTest::mouseClick(Child<QPushButton>(algo, "graphical"), Qt::LeftButton);
        const QStringList lines = Child<QPlainTextEdit>(algo, "program")->toPlainText().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), static_cast<qsizetype>(PredatorPreyProgram.size()));
        for (std::size_t i = 0; i < PredatorPreyProgram.size(); ++i)
            EXPECT_EQ(lines[static_cast<qsizetype>(i)], ToQString(PredatorPreyProgram[i]));
        auto* table = Child<QTableWidget>(algo, "startValues");
        for (int row = 0; row < table->rowCount(); ++row) {
            auto value = start.find(table->item(row, 0)->text());
            if (value != start.end()) table->item(row, 1)->setText(value->second);
        }
        Press(algo, "ok");
    });
    Command(window, "Neue Simulation")->trigger();
    ASSERT_EQ(window.document().Simulations.size(), 1u);
    const tsim& sim = *window.document().Simulations.front();
    EXPECT_EQ(sim.Diagram.Arrows.size(), 12u);
    EXPECT_TRUE(sim.SimplifiedModel);

    // The hares' curve over the time appears in the chart.
    const QImage without = window.chartImage();
    auto* list = Child<QListWidget>(window, "variables");
    const auto found = list->findItems(QStringLiteral("HASEN"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
    const Tvariable& hares = *sim.Variables[static_cast<std::size_t>(sim.IndexOfVariable("HASEN"))];
    EXPECT_TRUE(hares.Plotted);
    ASSERT_EQ(hares.Values.size(), 30u);
    const std::vector<double> expected = HaresAfter(30);
    EXPECT_NEAR(hares.Values[0], expected[0], 1e-9);
    EXPECT_NEAR(hares.Values[29], expected[29], 1e-9);
    EXPECT_NE(window.chartImage(), without);

    // Editing the simulation again brings the same diagram back.
    std::size_t arrowsShown = 0;
    OnNextModalDialog([&arrowsShown](QDialog& algo) {
        OnNextModalDialog([&arrowsShown](QDialog& graf) {
            const QImage& image = static_cast<TGrafmodelldlg&>(graf).image();
            // The outflow's arrowhead and the hares' frame are on the canvas.
            for (int x = 250; x < 350; ++x)
                if (qGray(image.pixel(x, 150)) < 60) ++arrowsShown;
            graf.reject();
        });
        QTest::mouseClick(Child<QPushButton>(algo, "graphical"), Qt::LeftButton);
        algo.reject();
    });
    Command(window, "Simulation")->trigger();
    EXPECT_GT(arrowsShown, 0u);
    AnswerBoxes no(MessageAnswer::No);
    window.close();
}

TEST(GrafDialog, CursorsAreDrawnWithTheirHotSpotsOnThePicture) {
    LoadCursors();
    for (CursorShape shape : {CursorShape::Pipette, CursorShape::DropZu, CursorShape::DropRate, CursorShape::Pfeil,
                              CursorShape::HandFlat, CursorShape::Hand, CursorShape::Peng, CursorShape::Plus,
                              CursorShape::Clear}) {
        const QCursor& cursor = AppCursor(shape);
        const QImage picture = cursor.pixmap().toImage();
        ASSERT_FALSE(picture.isNull()) << static_cast<int>(shape);
        // Something is drawn within two pixels of where the click lands.
        bool drawn = false;
        for (int y = cursor.hotSpot().y() - 2; y <= cursor.hotSpot().y() + 2; ++y)
            for (int x = cursor.hotSpot().x() - 2; x <= cursor.hotSpot().x() + 2; ++x)
                drawn = drawn || (picture.valid(x, y) && qAlpha(picture.pixel(x, y)) > 0);
        EXPECT_TRUE(drawn) << static_cast<int>(shape);
    }
}

}  // namespace
}  // namespace qv
