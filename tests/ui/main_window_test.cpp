// The main window driven through its widgets: simulations made in the
// algorithm editor, the display cycle, deleting, saving and reopening, the
// unsaved-changes question, "Weiter rechnen" and cancelling a run.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractFileIconProvider>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <map>

#include "UiTestSupport.h"
#include "app/MTHelp.h"
#include "app/QVMain.h"
#include "app/QVTableView.h"
#include "app/bswarten.h"
#include "charts/QVLegend.h"
#include "charts/QVPlot.h"
#include "charts/bsgraf3d.h"
#include "drawing/QtText.h"
#include "drawing/bspoly.h"
#include "util/Geometry.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::Command;
using test::FillEditor;
using test::OnNextModalDialog;

// A growing X over the time ZEIT.
void AddGrowth(TMain& window, const QString& name = QStringLiteral("Wachstum"), int steps = 50) {
    FillEditor(name, QStringLiteral("ZEIT := ZEIT + 1\nX := X + 2"), steps, {{QStringLiteral("X"), QStringLiteral("1")}});
    Command(window, "Neue Simulation")->trigger();
}

void MarkVariable(TMain& window, const QString& name) {
    auto* list = Child<QListWidget>(window, "variables");
    auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
}

// True when a black pixel lies within a few pixels of the value pair's place.
bool DarkNear(const QImage& image, const Tgraf3d& chart, double vertical, double horizontal) {
    const RealPoint cm = chart.project(vertical, horizontal, 0);  // relative to the chart
    const int cx = static_cast<int>((chart.X() + cm.X) * Scales().PixelsPerCmX);
    const int cy = static_cast<int>((chart.Y() + cm.Y) * Scales().PixelsPerCmY);
    for (int y = cy - 3; y <= cy + 3; ++y)
        for (int x = cx - 3; x <= cx + 3; ++x)
            if (image.valid(x, y) && qGray(image.pixel(x, y)) < 60) return true;
    return false;
}

struct Window {
    Window() {
        window.resize(900, 650);
        window.show();
    }
    ~Window() {
        AnswerBoxes no(MessageAnswer::No);
        window.close();
    }
    TMain window;
};

TEST(MainWindowTest, SimulationCreatedMarkedAndDisplayed) {
    Window w;
    TMain& window = w.window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("QUORVEL - [NONAME.PRG]"));
    EXPECT_EQ(window.hintText(), QStringLiteral("Klicken Sie auf Eingabe, um eine neue Simulation zu programmieren"));
    EXPECT_FALSE(Command(window, "Kopie der Simulation")->isEnabled() && window.document().Simulations.empty());

    AddGrowth(window);
    ASSERT_EQ(window.document().Simulations.size(), 1u);
    tsim& sim = *window.document().Simulations.front();
    EXPECT_EQ(sim.Name, "Wachstum");
    EXPECT_EQ(sim.StepCount, 50);
    EXPECT_EQ(sim.XAxisName, "ZEIT");  // time goes across in a new two-dimensional chart
    EXPECT_FALSE(window.isSaved());
    EXPECT_EQ(Child<QComboBox>(window, "xAxis")->currentText(), QStringLiteral("ZEIT"));
    EXPECT_FALSE(Child<QCheckBox>(window, "separateCharts")->isEnabled());
    EXPECT_EQ(window.hintText(), QStringLiteral("Klicken Sie auf die Variablen, die auf der y-Achse angezeigt werden sollen."));

    // With immediate display on, marking shows the curve at once.
    MarkVariable(window, QStringLiteral("X"));
    const Tvariable& x = *sim.Variables[static_cast<std::size_t>(sim.IndexOfVariable("X"))];
    EXPECT_TRUE(x.Plotted);
    ASSERT_EQ(x.Values.size(), 50u);
    EXPECT_DOUBLE_EQ(x.Values.back(), 101.0);
    EXPECT_EQ(window.hintText(), QStringLiteral("Klicken Sie auf die Kurve oder Achse, die bearbeitet werden soll."));
    const Tgraf3d& chart = *window.document().Chart;
    EXPECT_TRUE(DarkNear(window.chartImage(), chart, 51, 25));
    EXPECT_FALSE(DarkNear(window.chartImage(), chart, 90, 12));  // far from the line

    // Without it the big button reads "Anzeigen" and computes anew.
    Command(window, "sofort anzeigen")->trigger();
    auto* big = Child<QPushButton>(window, "bigButton");
    EXPECT_EQ(big->text(), QStringLiteral("Anzeigen"));
    window.document().Simulations.front()->Variables.front()->Values.assign(50, 0.0);
    QTest::mouseClick(big, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(sim.Variables.front()->Values.back(), 50.0);
    EXPECT_TRUE(DarkNear(window.chartImage(), chart, 51, 25));

    // The copy is proposed under a numbered name; two simulations may be shown apart.
    OnNextModalDialog([](QDialog& dialog) {
        EXPECT_EQ(Child<QLineEdit>(dialog, "name")->text(), QStringLiteral("Wachstum (1)"));
        Child<QPushButton>(dialog, "ok")->click();
    });
    Command(window, "Kopie der Simulation")->trigger();
    ASSERT_EQ(window.document().Simulations.size(), 2u);
    EXPECT_EQ(window.document().Selected, 1);
    EXPECT_TRUE(Child<QCheckBox>(window, "separateCharts")->isEnabled());
    EXPECT_EQ(Child<QComboBox>(window, "simulationBox")->currentText(), QStringLiteral("Wachstum (1)"));
}

TEST(MainWindowTest, EditorRefusesFaultyProgramAndCancelChangesNothing) {
    Window w;
    TMain& window = w.window;
    AnswerBoxes boxes;
    OnNextModalDialog([&boxes](QDialog& dialog) {
        Child<QLineEdit>(dialog, "name")->setText(QStringLiteral("Fehler"));
        Child<QPlainTextEdit>(dialog, "program")->setPlainText(QStringLiteral("X := (1 +"));
        EXPECT_TRUE(boxes.texts.empty());  // typing stays silent; OK shows the error
        Child<QPushButton>(dialog, "ok")->click();
        EXPECT_TRUE(dialog.isVisible());  // the error keeps the editor open
        dialog.reject();
    });
    Command(window, "Neue Simulation")->trigger();
    EXPECT_TRUE(window.document().Simulations.empty());
    EXPECT_EQ(boxes.kinds.size(), 1u);
    EXPECT_TRUE(window.isSaved());
}

TEST(MainWindowTest, EditingKeepsTheAxesThatRemain) {
    Window w;
    TMain& window = w.window;
    AddGrowth(window);
    MarkVariable(window, QStringLiteral("X"));
    tsim& sim = *window.document().Simulations.front();
    sim.YAxisName = "X";
    // "Eingabe" edits the selected simulation: X becomes Y.
    OnNextModalDialog([](QDialog& dialog) {
        auto* program = Child<QPlainTextEdit>(dialog, "program");
        EXPECT_EQ(program->toPlainText(), QStringLiteral("ZEIT := ZEIT + 1\nX := X + 2"));
        EXPECT_EQ(Child<QTableWidget>(dialog, "startValues")->item(1, 1)->text(), QStringLiteral("1"));
        program->setPlainText(QStringLiteral("ZEIT := ZEIT + 1\nY := Y + ZEIT"));
        Child<QLineEdit>(dialog, "name")->setText(QStringLiteral("Summe"));
        Child<QPushButton>(dialog, "ok")->click();
    });
    QTest::mouseClick(Child<QPushButton>(window, "bigButton"), Qt::LeftButton);
    ASSERT_EQ(window.document().Simulations.size(), 1u);
    EXPECT_EQ(sim.Name, "Summe");
    EXPECT_EQ(sim.XAxisName, "ZEIT");
    EXPECT_EQ(sim.YAxisName, "ZEIT");  // the first variable stands in for the lost X
    ASSERT_EQ(sim.Variables.size(), 2u);
    EXPECT_EQ(sim.Variables[1]->Name, "Y");
    EXPECT_EQ(Child<QComboBox>(window, "simulationBox")->currentText(), QStringLiteral("Summe"));
    EXPECT_EQ(Child<QListWidget>(window, "variables")->item(1)->text(), QStringLiteral("Y"));
    EXPECT_FALSE(window.isSaved());
}

TEST(MainWindowTest, DeleteAsksFirst) {
    Window w;
    TMain& window = w.window;
    AddGrowth(window);
    {
        AnswerBoxes no(MessageAnswer::No);
        Command(window, "Löschen")->trigger();
        ASSERT_EQ(no.texts.size(), 1u);
        EXPECT_EQ(no.texts.front(), QStringLiteral("Soll die Simulation Wachstum gelöscht werden?"));
        EXPECT_EQ(window.document().Simulations.size(), 1u);
    }
    {
        AnswerBoxes yes(MessageAnswer::Yes);
        Command(window, "Löschen")->trigger();
        EXPECT_TRUE(window.document().Simulations.empty());
        EXPECT_EQ(window.document().Selected, -1);
        EXPECT_EQ(Child<QListWidget>(window, "variables")->count(), 0);
        EXPECT_EQ(window.hintText(), QStringLiteral("Klicken Sie auf Eingabe, um eine neue Simulation zu programmieren"));
    }
}

TEST(MainWindowTest, SaveReopenAndUnsavedQuestion) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("wachstum.prg"));
    Window first;
    AddGrowth(first.window);
    MarkVariable(first.window, QStringLiteral("X"));
    ASSERT_TRUE(first.window.saveFileAs(path));
    EXPECT_TRUE(first.window.isSaved());
    EXPECT_EQ(first.window.windowTitle(), QStringLiteral("QUORVEL - [%1]").arg(path));

    Window second;
    ASSERT_TRUE(second.window.openFile(path));
    const TDocument& a = first.window.document();
    const TDocument& b = second.window.document();
    ASSERT_EQ(b.Simulations.size(), 1u);
    EXPECT_EQ(b.Selected, 0);
    EXPECT_EQ(b.Simulations[0]->Program, a.Simulations[0]->Program);
    EXPECT_EQ(b.Simulations[0]->XAxisName, "ZEIT");
    const Tvariable& x = *b.Simulations[0]->Variables[1];
    EXPECT_TRUE(x.Plotted);
    EXPECT_EQ(x.Values, a.Simulations[0]->Variables[1]->Values);
    EXPECT_TRUE(second.window.isSaved());
    EXPECT_EQ(Child<QListWidget>(second.window, "variables")->selectedItems().size(), 1);

    // A change, then closing: Cancel keeps the window and the document.
    MarkVariable(second.window, QStringLiteral("ZEIT"));
    EXPECT_FALSE(second.window.isSaved());
    {
        AnswerBoxes cancel(MessageAnswer::Cancel);
        EXPECT_FALSE(second.window.close());
        ASSERT_EQ(cancel.texts.size(), 1u);
        EXPECT_EQ(cancel.texts.front(), QStringLiteral("Die aktuelle Datei wurde noch nicht gespeichert. Speichern?"));
        EXPECT_TRUE(second.window.isVisible());
        EXPECT_FALSE(second.window.openFile(path));  // asked again, cancelled again
        EXPECT_EQ(b.Simulations[0]->PlottedCount(), 2);
    }
    {
        // Yes saves under the current name before the new document replaces it.
        AnswerBoxes yes(MessageAnswer::Yes);
        Command(second.window, "Neu")->trigger();
        EXPECT_TRUE(second.window.document().Simulations.empty());
        EXPECT_EQ(second.window.windowTitle(), QStringLiteral("QUORVEL - [NONAME.PRG]"));
    }
    EXPECT_EQ(readDocument(path.toStdString()).Simulations[0]->PlottedCount(), 2);

    // A file that is no document is refused and the open one stays.
    const QString junk = folder.filePath(QStringLiteral("junk.prg"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("QUORVEL30\0\0\1\1\7\0\0\0", 19);
    file.close();
    AnswerBoxes error;
    EXPECT_FALSE(first.window.openFile(junk));
    EXPECT_EQ(error.texts.size(), 1u);
    EXPECT_EQ(first.window.document().Simulations.size(), 1u);
}

TEST(MainWindowTest, SpeichernKeepsALinkedPrivateDocumentAndRefusesAWriteProtectedOne) {
    QTemporaryDir folder;
    const QString real = folder.filePath(QStringLiteral("echt.prg"));
    const QString link = folder.filePath(QStringLiteral("wachstum.prg"));
    ASSERT_TRUE(QFile::link(real, link));
    Window w;
    AddGrowth(w.window);
    ASSERT_TRUE(w.window.saveFileAs(link));
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));

    MarkVariable(w.window, QStringLiteral("X"));
    Command(w.window, "Speichern")->trigger();
    EXPECT_TRUE(w.window.isSaved());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(readDocument(real.toStdString()).Simulations[0]->PlottedCount(), 1);

    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    MarkVariable(w.window, QStringLiteral("ZEIT"));
    AnswerBoxes error;
    Command(w.window, "Speichern")->trigger();
    ASSERT_EQ(error.texts.size(), 1u);
    EXPECT_EQ(error.texts.front(), QStringLiteral("Die Datei %1 ist schreibgeschützt.").arg(link));
    EXPECT_FALSE(w.window.isSaved());
    EXPECT_EQ(readDocument(real.toStdString()).Simulations[0]->PlottedCount(), 1);
}

TEST(MainWindowTest, ContinueComputingAndCancelledRun) {
    Window w;
    TMain& window = w.window;
    AddGrowth(window, QStringLiteral("Wachstum"), 40);
    MarkVariable(window, QStringLiteral("X"));
    auto* weiter = Child<QPushButton>(window, "continue");
    ASSERT_TRUE(weiter->isEnabled());
    QTest::mouseClick(weiter, Qt::LeftButton);
    const tsim& sim = *window.document().Simulations.front();
    EXPECT_EQ(sim.StepCount, 80);
    EXPECT_EQ(sim.Variables[1]->Values.size(), 80u);
    EXPECT_DOUBLE_EQ(sim.Variables[1]->Values.back(), 161.0);

    // A run that never ends stops when the progress box is hidden; until
    // then commands that change simulations are ignored.
    FillEditor(QStringLiteral("Endlos"), QStringLiteral("WHILE 1 > 0 DO X := X + 1"), 10, {});
    Command(window, "Neue Simulation")->trigger();
    ASSERT_EQ(window.document().Simulations.size(), 2u);
    bool sawRunning = false;
    QTimer::singleShot(300, &window, [&] {
        sawRunning = window.isRunning() && window.waitBox().isVisible();
        Command(window, "Neue Simulation")->trigger();  // ignored: no editor opens
        QTest::mouseClick(window.waitBox().abortButton(), Qt::LeftButton);
    });
    MarkVariable(window, QStringLiteral("X"));
    EXPECT_TRUE(sawRunning);
    EXPECT_FALSE(window.isRunning());
    EXPECT_FALSE(window.waitBox().isVisible());
    EXPECT_EQ(window.document().Simulations.size(), 2u);
}

// A run that stops shows what it computed and nothing else: no values of an
// earlier run, no zeros for passes that never ran, and says how far it came.
TEST(MainWindowTest, FaultyRunShowsOnlyWhatWasComputed) {
    Window w;
    TMain& window = w.window;
    AddGrowth(window, QStringLiteral("Wachstum"), 10);
    MarkVariable(window, QStringLiteral("X"));
    FillEditor(QStringLiteral("Teilung"), QStringLiteral("ZEIT := ZEIT + 1\nQ := 10 / N"), 10, {{QStringLiteral("N"), QStringLiteral("5")}});
    Command(window, "Neue Simulation")->trigger();
    MarkVariable(window, QStringLiteral("Q"));
    Command(window, "Tabelle")->trigger();
    auto* table = Child<TTableView>(window, "tableView");
    ASSERT_EQ(table->model()->rowCount(), 10);
    ASSERT_EQ(table->model()->columnCount(), 3);  // ZEIT once, X [Wachstum], Q [Teilung]

    // The first simulation now divides by zero in its first pass; the second
    // is not run and must not show its earlier values.
    auto* simulations = Child<QComboBox>(window, "simulationBox");
    simulations->setCurrentIndex(0);
    emit simulations->activated(0);
    FillEditor({}, QStringLiteral("ZEIT := ZEIT + 1\nX := X + 2 / (ZEIT - 1)"), 10, {});
    AnswerBoxes boxes;
    Command(window, "Simulation")->trigger();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("durch Null dividiert")));
    EXPECT_EQ(window.hintText(), QStringLiteral("Berechnung nach 0 von 10 Schritten abgebrochen."));
    EXPECT_EQ(table->model()->rowCount(), 0);
    for (const auto& sim : window.document().Simulations)
        for (const auto& variable : sim->Variables) {
            if (!variable->Plotted) continue;
            const auto* curve = static_cast<const TPlot*>(variable->CurveObject);
            ASSERT_NE(curve, nullptr) << variable->Name;
            for (const auto& part : curve->Children)
                EXPECT_TRUE(dynamic_cast<const TPoly&>(*part).Points.empty()) << variable->Name;
        }

    // Failing in a later pass, the run shows the passes before it.
    emit simulations->activated(0);
    FillEditor({}, QStringLiteral("ZEIT := ZEIT + 1\nX := X + 2 / (ZEIT - 4)"), 10, {});
    Command(window, "Simulation")->trigger();
    EXPECT_EQ(window.hintText(), QStringLiteral("Berechnung nach 3 von 10 Schritten abgebrochen."));
    EXPECT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(table->cellText(2, 0), QStringLiteral("3,0000"));
}

// Clicks the chart picture at a pixel and returns the caption of the dialog
// that opened (closed again with Cancel, or OK when ok is set).
QString ClickPicture(TMain& window, QPoint at, bool ok = false) {
    auto caption = std::make_shared<QString>();
    OnNextModalDialog([caption, ok](QDialog& dialog) {
        *caption = dialog.windowTitle();
        if (!ok) {
            dialog.reject();
            return;
        }
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("OK")) button->click();
    });
    QTest::mouseClick(Child<QWidget>(window, "chartPicture"), Qt::LeftButton, {}, at);
    return *caption;
}

// The same for a click that must open nothing: a dialog that opens all the
// same is closed again and its caption returned.
QString ClickPictureExpectingNothing(TMain& window, QPoint at) {
    auto caption = std::make_shared<QString>();
    QTimer::singleShot(200, &window, [caption] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            *caption = dialog->windowTitle();
            dialog->reject();
        }
    });
    QTest::mouseClick(Child<QWidget>(window, "chartPicture"), Qt::LeftButton, {}, at);
    QTest::qWait(250);
    return *caption;
}

QPoint PixelOf(const Tgraf3d& chart, double vertical, double horizontal) {
    const RealPoint cm = chart.project(vertical, horizontal, 0);
    return {static_cast<int>((chart.X() + cm.X) * Scales().PixelsPerCmX),
            static_cast<int>((chart.Y() + cm.Y) * Scales().PixelsPerCmY)};
}

TEST(MainWindowTest, ChartClicksOpenTheSettingsDialogs) {
    Window w;
    TMain& window = w.window;
    AddGrowth(window);
    MarkVariable(window, QStringLiteral("X"));
    Tgraf3d& chart = *window.document().Chart;
    EXPECT_EQ(ClickPicture(window, PixelOf(chart, 51, 25)), QStringLiteral("Kurven-Parameter"));

    const TSeite& page = *window.document().Page;
    auto legend = std::find_if(page.Children.begin(), page.Children.end(),
                               [](const auto& child) { return dynamic_cast<const tlegend*>(child.get()); });
    ASSERT_NE(legend, page.Children.end());
    const QPoint legendCentre((*legend)->PixX() + (*legend)->PixWidth() / 2, (*legend)->PixY() + (*legend)->PixHeight() / 2);
    EXPECT_EQ(ClickPicture(window, legendCentre), QStringLiteral("Kurven-Parameter"));

    // An entry lying over an axis is drawn over it, and the click is the entry's.
    const QPoint onVerticalAxis = PixelOf(chart, 30, chart.verticalAxis().crossAt2);
    EXPECT_EQ(ClickPicture(window, onVerticalAxis), QStringLiteral("y-Achse"));
    (*legend)->SetPixX(onVerticalAxis.x() - (*legend)->PixWidth() / 2);
    (*legend)->SetPixY(onVerticalAxis.y() - (*legend)->PixHeight() / 2);
    EXPECT_EQ(ClickPicture(window, onVerticalAxis), QStringLiteral("Kurven-Parameter"));

    // The horizontal axis of a two-dimensional chart is the x-axis; its OK
    // ends the automatic scaling.
    const QPoint onAxis = PixelOf(chart, chart.verticalAxis().crossAt1, 22.5);
    EXPECT_TRUE(chart.autoScale);
    EXPECT_EQ(ClickPicture(window, onAxis), QStringLiteral("x-Achse"));
    EXPECT_TRUE(chart.autoScale);
    EXPECT_EQ(ClickPicture(window, onAxis, true), QStringLiteral("x-Achse"));
    EXPECT_FALSE(chart.autoScale);

    // A click on the empty page opens nothing.
    const QImage& picture = window.chartImage();
    EXPECT_TRUE(ClickPictureExpectingNothing(window, QPoint(picture.width() - 3, picture.height() - 3)).isEmpty());

    // A larger window draws the curve at the new scale.
    const QSize before = picture.size();
    window.resize(1100, 800);
    QTest::qWait(50);
    EXPECT_NE(window.chartImage().size(), before);
    EXPECT_TRUE(DarkNear(window.chartImage(), chart, 51, 25));
}

// With chart and table both shown the chart view is wide and low: the page
// keeps its shape at one scale in both directions, centred in the view, and
// clicks find what is drawn under the pointer.
TEST(MainWindowTest, ThePageKeepsItsShapeInAWideView) {
    Window w;
    TMain& window = w.window;
    window.resize(1000, 700);
    AddGrowth(window);
    MarkVariable(window, QStringLiteral("X"));
    Command(window, "Tabelle")->trigger();
    ASSERT_TRUE(window.document().TableShown && window.document().ChartShown);
    QTest::qWait(50);
    EXPECT_EQ(Scales().PixelsPerCmX, Scales().PixelsPerCmY);
    const QWidget* picture = Child<QWidget>(window, "chartPicture");
    const QWidget* view = Child<QScrollArea>(window, "chartView")->viewport();
    ASSERT_GT(view->width() * 12, view->height() * 16);
    EXPECT_EQ(picture->height(), view->height());
    EXPECT_NEAR(picture->width(), picture->height() * 16 / 12.0, 1);
    EXPECT_NEAR(picture->geometry().center().x(), view->rect().center().x(), 1);
    EXPECT_EQ(ClickPicture(window, PixelOf(*window.document().Chart, 51, 25)), QStringLiteral("Kurven-Parameter"));
}

TEST(MainWindowTest, OpensWithinTheScreenShowingEveryToolButton) {
    TMain window;
    window.show();
    const QSize screen = window.screen()->availableSize();
    EXPECT_LE(window.width(), screen.width());
    EXPECT_LE(window.height(), screen.height());
    EXPECT_GE(window.width(), screen.width() * 4 / 5);
    EXPECT_GE(window.height(), screen.height() * 4 / 5);
    for (QToolBar* bar : window.findChildren<QToolBar*>()) {
        if (bar->sizeHint().width() > screen.width()) continue;  // then Qt's overflow button holds the rest
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) continue;
            EXPECT_TRUE(bar->widgetForAction(action)->isVisible()) << action->text().toStdString();
        }
    }
}

TEST(MainWindowTest, FileChoosersSpeakGerman) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("wachstum.prg"));
    Window w;
    AddGrowth(w.window);
    bool asked = false;
    OnNextModalDialog([&](QDialog& shown) {
        auto* dialog = qobject_cast<QFileDialog*>(&shown);
        ASSERT_TRUE(dialog);
        asked = true;
        // Qt's own dialog, not the desktop's, which would speak the desktop's language.
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Speichern unter"));
        EXPECT_EQ(dialog->labelText(QFileDialog::LookIn), QStringLiteral("Suchen in:"));
        EXPECT_EQ(dialog->labelText(QFileDialog::FileName), QStringLiteral("Datei&name:"));
        EXPECT_EQ(dialog->labelText(QFileDialog::FileType), QStringLiteral("Datei&typ:"));
        EXPECT_EQ(dialog->labelText(QFileDialog::Accept), QStringLiteral("&Speichern"));
        EXPECT_EQ(dialog->labelText(QFileDialog::Reject), QStringLiteral("Abbrechen"));
        EXPECT_EQ(Child<QToolButton>(*dialog, "backButton")->toolTip(), QStringLiteral("Zurück"));
        EXPECT_EQ(Child<QToolButton>(*dialog, "newFolderButton")->toolTip(), QStringLiteral("Neuen Ordner erstellen"));
        // A name typed without its extension gets ".prg".
        dialog->setDirectory(folder.path());
        Child<QLineEdit>(*dialog, "fileNameEdit")->setText(QStringLiteral("wachstum"));
        shown.accept();
    });
    Command(w.window, "Speichern unter...")->trigger();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(QFile::exists(path));

    OnNextModalDialog([&](QDialog& shown) {
        auto* dialog = qobject_cast<QFileDialog*>(&shown);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->labelText(QFileDialog::Accept), QStringLiteral("Ö&ffnen"));
        EXPECT_EQ(dialog->iconProvider()->type(QFileInfo(path)), QStringLiteral("PRG-Datei"));
        EXPECT_EQ(dialog->iconProvider()->type(QFileInfo(folder.path())), QStringLiteral("Ordner"));
        Child<QLineEdit>(*dialog, "fileNameEdit")->setText(path);
        shown.accept();
    });
    Command(w.window, "Öffnen...")->trigger();
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("QUORVEL - [%1]").arg(path));
}

TEST(MainWindowTest, ViewsAndHelp) {
    Window w;
    TMain& window = w.window;
    AddGrowth(window);
    Command(window, "Schaubild")->trigger();  // one view is always shown
    EXPECT_FALSE(window.document().ChartShown);
    EXPECT_TRUE(window.document().TableShown);
    EXPECT_TRUE(Child<QWidget>(window, "tableView")->isVisible());
    EXPECT_EQ(window.hintText(), QStringLiteral("Klicken Sie auf die Variablen, die in der Tabelle angezeigt werden sollen."));
    Command(window, "Tabelle")->trigger();
    EXPECT_TRUE(window.document().ChartShown);
    EXPECT_FALSE(window.document().TableShown);

    // 3-D shows the y-axis list above the variable list.
    auto* threeD = Child<QCheckBox>(window, "threeD");
    EXPECT_FALSE(Child<QComboBox>(window, "yAxis")->isVisible());
    QTest::mouseClick(threeD, Qt::LeftButton);
    EXPECT_TRUE(window.document().Chart->threeD);
    EXPECT_TRUE(Child<QComboBox>(window, "yAxis")->isVisible());

    QAction* inhalt = Command(window, "Inhalt");
    EXPECT_EQ(inhalt->shortcut(), QKeySequence(Qt::Key_F1));
    inhalt->trigger();
    EXPECT_TRUE(window.helpWindow().isVisible());
    EXPECT_EQ(window.helpWindow().windowTitle(), QStringLiteral("Hilfe"));
}

}  // namespace
}  // namespace qv
