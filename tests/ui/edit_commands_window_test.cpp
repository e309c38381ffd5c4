// The worksheet's cut, copy, paste, turn and pop-up menus in the window, as
// a teacher arranging the SIR example meets them.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "SirWindow.h"
#include "UiTestSupport.h"
#include "app/ChartPicture.h"
#include "app/QVMain.h"
#include "drawing/bsbitmap.h"
#include "drawing/bskomplex.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::Command;
using test::OnNextModalDialog;

class EditWindow : public test::SirWindow {
protected:
    void SetUp() override {
        test::SirWindow::SetUp();
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override {
        SetPromptHandler({});
        test::SirWindow::TearDown();
    }
    void select(Tsimple& object) {
        auto* chart = window.findChild<TChartPicture*>();
        QTest::mouseClick(chart, Qt::LeftButton, {},
                          QPoint(object.PixX() + object.PixWidth() / 2, object.PixY() + object.PixHeight() / 2));
        ASSERT_TRUE(object.Selected());
    }
    // The pop-up's actions as they stand when it opens.
    std::vector<bool> enabledIn(const char* menuName) {
        auto* menu = Child<QMenu>(window, menuName);
        Q_EMIT menu->aboutToShow();
        std::vector<bool> enabled;
        for (QAction* action : menu->actions()) enabled.push_back(action->isEnabled());
        return enabled;
    }
    QAction* popupCommand(const char* name) { return Child<QAction>(window, name); }
};

TEST_F(EditWindow, APictureIsCopiedAndPastedBesideItselfAndCutAway) {
    ASSERT_EQ(pictures().size(), 1u);
    TBild& original = *pictures().front();
    // "Format" → "Grafik" waits for a selected picture.
    QAction* formatPicture = nullptr;
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>())
        if (menu->title() == QStringLiteral("&Format"))
            for (QAction* action : menu->actions())
                if (action->text() == QStringLiteral("&Grafik")) formatPicture = action;
    ASSERT_TRUE(formatPicture);
    EXPECT_FALSE(formatPicture->isEnabled());
    select(original);
    EXPECT_TRUE(formatPicture->isEnabled());
    EXPECT_EQ(enabledIn("pageMenu"), (std::vector<bool>{true, true, false, true}));
    Command(window, "Kopieren")->trigger();
    EXPECT_EQ(enabledIn("pageMenu"), (std::vector<bool>{true, true, true, true}));
    Command(window, "Einfügen")->trigger();
    ASSERT_EQ(pictures().size(), 2u);
    TBild& pasted = *pictures().back();
    EXPECT_TRUE(pasted.Selected());
    EXPECT_FALSE(original.Selected());
    EXPECT_EQ(pasted.PixX(), original.PixX() + 2);
    EXPECT_EQ(pasted.PixY(), original.PixY() + 2);
    EXPECT_FALSE(window.isSaved());

    {
        AnswerBoxes none;
        Command(window, "Ausschneiden")->trigger();
        EXPECT_TRUE(none.texts.empty());
    }
    EXPECT_EQ(pictures().size(), 1u);
    EXPECT_EQ(window.document().Simulations.size(), 1u);
}

TEST_F(EditWindow, ThePageCopiedWithNothingSelectedBringsItsSimulationAgain) {
    window.document().Page->DeselectAll();
    Command(window, "Kopieren")->trigger();
    EXPECT_EQ(enabledIn("simulationMenu"), (std::vector<bool>{true, true, true, true}));
    Command(window, "Einfügen")->trigger();
    ASSERT_EQ(window.document().Simulations.size(), 2u);
    EXPECT_EQ(window.document().Simulations[1]->Name, window.document().Simulations[0]->Name);
    EXPECT_EQ(window.document().Selected, 1);
    EXPECT_EQ(pictures().size(), 1u);
    // Its curves' legend entries say whose they are.
    for (const auto& variable : window.document().Simulations[1]->Variables)
        EXPECT_EQ(variable->SimulationName, window.document().Simulations[1]->Name) << variable->Name;

    // A cut from the edit menu deletes the selected simulation without asking.
    {
        AnswerBoxes none;
        Command(window, "Ausschneiden")->trigger();
        EXPECT_TRUE(none.texts.empty());
    }
    EXPECT_EQ(window.document().Simulations.size(), 1u);

    // From the simulation box it asks.
    AnswerBoxes no(MessageAnswer::No);
    popupCommand("simulationMenu:Ausschneiden")->trigger();
    EXPECT_EQ(no.texts.size(), 1u);
    EXPECT_EQ(window.document().Simulations.size(), 1u);
}

TEST_F(EditWindow, ADamagedClipboardRecordSaysSoAndPastesNothing) {
    auto* data = new QMimeData;  // the clipboard takes it
    data->setData(QStringLiteral("QuorvelSimulation30"), QByteArray("\x07\x00\x00\x00kaputt", 11));
    QGuiApplication::clipboard()->setMimeData(data);
    AnswerBoxes ok;
    Command(window, "Einfügen")->trigger();
    ASSERT_EQ(ok.texts.size(), 1u);
    EXPECT_EQ(ok.kinds.front(), MessageKind::Error);
    EXPECT_EQ(window.document().Simulations.size(), 1u);
}

TEST_F(EditWindow, TurningAnObjectTakesTheAngleInDegrees) {
    TBild& bild = *pictures().front();
    select(bild);
    OnNextModalDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Drehen"));
        Child<QLineEdit>(dialog, "winkel")->setText(QStringLiteral("22,5"));
        Child<QPushButton>(dialog, "ok")->click();
    });
    Command(window, "Drehen")->trigger();
    EXPECT_EQ(bild.Angle, 225);
    EXPECT_FALSE(window.isSaved());
}

}  // namespace
}  // namespace qv
