// The main window's commands on whole simulations and page objects as a
// teacher comparing variants meets them: Del, a second and third simulation,
// "Kopie der Simulation", and saving with the usual shortcuts.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QTest>

#include "SirWindow.h"
#include "UiTestSupport.h"
#include "app/ChartPicture.h"
#include "app/QVMain.h"
#include "charts/bsgraf3d.h"
#include "drawing/bsbitmap.h"
#include "drawing/bskomplex.h"
#include "util/Palette.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::Command;
using test::FillEditor;
using test::OnNextModalDialog;

class SirWindow : public test::SirWindow {
protected:
    tsim& sir() { return *window.document().Simulations.front(); }
    TBild* picture() {
        const std::vector<TBild*> all = pictures();
        return all.empty() ? nullptr : all.front();
    }
    // A key as the user presses it: shortcuts reach only the active window.
    void press(int key, Qt::KeyboardModifiers modifiers = {}) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, static_cast<Qt::Key>(key), modifiers);
    }
    void addSimulation(const QString& name) {
        FillEditor(name, QStringLiteral("ZEIT := ZEIT + 1\nX := X + 2"), 10, {});
        Command(window, "Neue Simulation")->trigger();
    }
    static std::vector<std::string> Labels(const tsim& simulation) {
        std::vector<std::string> labels;
        for (const auto& variable : simulation.Variables) labels.push_back(variable->SimulationName);
        return labels;
    }
};

TEST_F(SirWindow, DelRemovesTheSelectedPictureAndOnlyThenAsksForTheSimulation) {
    TBild* bild = picture();
    ASSERT_NE(bild, nullptr);
    auto* chart = window.findChild<TChartPicture*>();
    QTest::mouseClick(chart, Qt::LeftButton, {}, QPoint(bild->PixX() + bild->PixWidth() / 2, bild->PixY() + bild->PixHeight() / 2));
    ASSERT_TRUE(bild->Selected());
    {
        AnswerBoxes none;
        press(Qt::Key_Delete);
        EXPECT_TRUE(none.texts.empty()) << none.texts.front().toStdString();
    }
    EXPECT_EQ(picture(), nullptr);
    EXPECT_EQ(window.document().Simulations.size(), 1u);
    EXPECT_FALSE(window.isSaved());
    EXPECT_TRUE(Command(window, "Speichern")->isEnabled());

    // With nothing selected Del means the simulation, and asks first.
    AnswerBoxes no(MessageAnswer::No);
    press(Qt::Key_Delete);
    ASSERT_EQ(no.texts.size(), 1u);
    EXPECT_EQ(no.texts.front(), QStringLiteral("Soll die Simulation SIR-Epidemie gelöscht werden?"));
    EXPECT_EQ(window.document().Simulations.size(), 1u);
}

TEST_F(SirWindow, EachAddedOrEditedSimulationCarriesItsOwnNameAcrossSaving) {
    addSimulation(QStringLiteral("B"));
    addSimulation(QStringLiteral("C"));
    const auto& simulations = window.document().Simulations;
    ASSERT_EQ(simulations.size(), 3u);
    EXPECT_EQ(Labels(*simulations[0]), std::vector<std::string>(simulations[0]->Variables.size(), ""));
    EXPECT_EQ(Labels(*simulations[1]), (std::vector<std::string>{"B", "B"}));
    EXPECT_EQ(Labels(*simulations[2]), (std::vector<std::string>{"C", "C"}));

    // Editing the first among others labels its variables too, and only them.
    auto* box = Child<QComboBox>(window, "simulationBox");
    box->setCurrentIndex(0);
    Q_EMIT box->activated(0);
    OnNextModalDialog([](QDialog& dialog) { Child<QPushButton>(dialog, "ok")->click(); });
    Command(window, "Simulation")->trigger();
    EXPECT_EQ(Labels(*simulations[0]), std::vector<std::string>(simulations[0]->Variables.size(), "SIR-Epidemie"));
    EXPECT_EQ(Labels(*simulations[1]), (std::vector<std::string>{"B", "B"}));

    ASSERT_TRUE(window.saveFileAs(path));
    const TDocument reopened = readDocument(path.toStdString());
    ASSERT_EQ(reopened.Simulations.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(Labels(*reopened.Simulations[i]), Labels(*simulations[i])) << i;
}

TEST_F(SirWindow, CopyIsBuiltFromTheEditorKeepingOnlyTheModelAndAxisChoice) {
    // A remembered result set from an old file, with a verbal model and no y-axis variable.
    sir().StoredResults = true;
    sir().Sentences = {"INFIZIERTE", "verringern", "ANFAELLIGE"};
    sir().YAxisName.clear();
    OnNextModalDialog([](QDialog& dialog) { Child<QPushButton>(dialog, "ok")->click(); });
    Command(window, "Kopie der Simulation")->trigger();
    ASSERT_EQ(window.document().Simulations.size(), 2u);
    tsim& copy = *window.document().Simulations.back();
    EXPECT_EQ(copy.Name, "SIR-Epidemie (1)");
    EXPECT_FALSE(copy.StoredResults);
    EXPECT_EQ(copy.Program, sir().Program);
    EXPECT_EQ(copy.StepCount, 400);
    EXPECT_EQ(copy.Sentences, sir().Sentences);
    EXPECT_EQ(copy.XAxisName, "ZEIT");
    EXPECT_EQ(copy.YAxisName, "");
    EXPECT_EQ(copy.PlottedCount(), 0);
    const Tvariable& infected = *copy.Variables[static_cast<std::size_t>(copy.IndexOfVariable("INFIZIERTE"))];
    EXPECT_TRUE(infected.Values.empty());
    EXPECT_DOUBLE_EQ(infected.StartValue, 10.0);
    EXPECT_FALSE(infected.Changed);

    // Marked, its curve takes the palette's colour, not the original's, and is computed.
    auto* list = Child<QListWidget>(window, "variables");
    const QListWidgetItem* item = list->findItems(QStringLiteral("INFIZIERTE"), Qt::MatchExactly).front();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    EXPECT_EQ(static_cast<uint32_t>(infected.LineColour), Farbtabelle[0].Colour);
    EXPECT_NE(infected.LineColour, sir().Variables[2]->LineColour);
    ASSERT_EQ(infected.Values.size(), 400u);
    EXPECT_LT(infected.Values.back(), 10.0);

    // Editing it keeps the empty y-axis choice.
    OnNextModalDialog([](QDialog& dialog) { Child<QPushButton>(dialog, "ok")->click(); });
    Command(window, "Simulation")->trigger();
    EXPECT_EQ(copy.YAxisName, "");
}

TEST_F(SirWindow, SavingIsOfferedWhileTheDocumentDiffersFromItsFile) {
    EXPECT_FALSE(Command(window, "Speichern")->isEnabled());
    {
        AnswerBoxes yes(MessageAnswer::Yes);
        press(Qt::Key_Delete);
    }
    ASSERT_TRUE(window.document().Simulations.empty());
    // The file still holds the simulation.
    EXPECT_TRUE(Command(window, "Speichern")->isEnabled());
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(window.isSaved());
    EXPECT_FALSE(Command(window, "Speichern")->isEnabled());
    EXPECT_TRUE(readDocument(path.toStdString()).Simulations.empty());

    addSimulation(QStringLiteral("Neu"));
    {
        AnswerBoxes no(MessageAnswer::No);
        press(Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(no.texts.size(), 1u);
    }
    EXPECT_TRUE(window.document().Simulations.empty());
    EXPECT_EQ(window.fileName(), QStringLiteral("NONAME.PRG"));

    bool asked = false;
    OnNextModalDialog([&asked](QDialog& dialog) {
        asked = qobject_cast<QFileDialog*>(&dialog) != nullptr;
        dialog.reject();
    });
    press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(asked);
}

}  // namespace
}  // namespace qv
