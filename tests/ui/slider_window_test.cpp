// The "Schieberegler" dock on the predator-prey example: sliders added for
// both start values, moved by keys and by dragging, the curve following,
// Ctrl+Z, the rows kept in the settings, and a model too long to follow live.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>

#include "UiTestSupport.h"
#include "app/QVMain.h"
#include "document/SliderRows.h"
#include "drawing/QtText.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::Command;

struct SliderWindow {
    SliderWindow() {
        Formats().DecimalSeparator = ',';
        window.resize(1000, 700);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    ~SliderWindow() {
        AnswerBoxes no(MessageAnswer::No);
        window.close();
    }
    // A copy of the example, since the settings are kept under its path.
    QString copyExample() {
        const QString path = folder.filePath(QStringLiteral("raeuber-beute.prg"));
        QFile::copy(QStringLiteral(QV_EXAMPLES_DIR "/raeuber-beute.prg"), path);
        return path;
    }
    void addSlider(const QString& variable) {
        auto* choice = Child<QComboBox>(window, "sliderChoice");
        choice->setCurrentIndex(choice->findText(variable));
        ASSERT_GE(choice->currentIndex(), 0) << variable.toStdString();
        QTest::mouseClick(Child<QPushButton>(window, "addSlider"), Qt::LeftButton);
    }
    // Ctrl+Z as the user presses it: the window's shortcuts reach only the active window.
    void undo() {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QApplication::processEvents();
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &window, Qt::Key_Z, Qt::ControlModifier);
    }
    QSlider* slider(const char* variable) {
        return Child<QSlider>(window, (std::string("slider_") + variable).c_str());
    }
    Tvariable& variable(const char* name) {
        tsim& sim = *window.document().SelectedSimulation();
        return *sim.Variables[static_cast<std::size_t>(sim.IndexOfVariable(name))];
    }
    // The first recorded HASEN as the model computes it from the start values.
    double firstRabbits() {
        const double h = variable("HASEN").StartValue, f = variable("FUECHSE").StartValue;
        return h + (0.8 * h - 0.1 * h * f) * variable("ZEITSCHRITT").StartValue;
    }
    QTemporaryDir folder;
    TMain window;
};

QPoint HandleCentre(QSlider& slider) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = option.sliderValue = slider.value();
    return slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider).center();
}

TEST(SliderWindowTest, KeysAndDragsRecomputeAndCtrlZTakesBackOneDragAtATime) {
    SliderWindow w;
    TMain& window = w.window;
    ASSERT_TRUE(window.openFile(w.copyExample()));
    Command(window, "Schieberegler")->trigger();
    EXPECT_TRUE(Child<QDockWidget>(window, "sliderDock")->isVisible());
    w.addSlider(QStringLiteral("HASEN"));
    w.addSlider(QStringLiteral("FUECHSE"));
    EXPECT_EQ(Child<QLineEdit>(window, "to_HASEN")->text(), QStringLiteral("60"));
    EXPECT_EQ(Child<QLineEdit>(window, "to_FUECHSE")->text(), QStringLiteral("8"));
    EXPECT_EQ(Child<QComboBox>(window, "sliderChoice")->currentText(), QStringLiteral("ZEITSCHRITT"));
    QSlider& rabbits = *w.slider("HASEN");
    EXPECT_EQ(rabbits.value(), 500);
    EXPECT_TRUE(window.isSaved());

    // A step is a thousandth of the range, Page Up a tenth; each key is one
    // change.
    rabbits.setFocus();
    QTest::keyClick(&rabbits, Qt::Key_Right);
    QApplication::processEvents();
    QTest::keyClick(&rabbits, Qt::Key_PageUp);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(w.variable("HASEN").StartValue, 36.06);
    EXPECT_EQ(Child<QLabel>(window, "value_HASEN")->text(), QStringLiteral("36,06"));
    EXPECT_DOUBLE_EQ(w.variable("HASEN").Values.front(), w.firstRabbits());
    EXPECT_FALSE(window.isSaved());
    EXPECT_TRUE(Command(window, "Speichern")->isEnabled());
    w.undo();
    EXPECT_DOUBLE_EQ(w.variable("HASEN").StartValue, 30.06);
    EXPECT_EQ(rabbits.value(), 501);

    // A drag: the curve follows while the button is held, and one Ctrl+Z
    // takes the whole drag back.
    QSlider& foxes = *w.slider("FUECHSE");
    const QPoint start = HandleCentre(foxes);
    QTest::mousePress(&foxes, Qt::LeftButton, {}, start);
    for (int x = start.x() + 5; x < foxes.width(); x += 7) QTest::mouseMove(&foxes, QPoint(x, start.y()));
    QApplication::processEvents();
    EXPECT_TRUE(foxes.isSliderDown());
    EXPECT_GT(w.variable("FUECHSE").StartValue, 7.5);
    EXPECT_DOUBLE_EQ(w.variable("HASEN").Values.front(), w.firstRabbits());
    QTest::mouseRelease(&foxes, Qt::LeftButton, {}, QPoint(foxes.width() - 1, start.y()));
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(w.variable("FUECHSE").StartValue, 8);
    w.undo();
    EXPECT_DOUBLE_EQ(w.variable("FUECHSE").StartValue, 4);
    EXPECT_EQ(foxes.value(), 500);
    EXPECT_DOUBLE_EQ(w.variable("HASEN").Values.front(), w.firstRabbits());
    w.undo();
    EXPECT_DOUBLE_EQ(w.variable("HASEN").StartValue, 30);
    w.undo();  // nothing left to take back
    EXPECT_DOUBLE_EQ(w.variable("HASEN").StartValue, 30);
}

// Ctrl+Z takes a drag back only in the simulation it was made in: deleted
// and brought back from the clipboard under the same name, it keeps its values.
TEST(SliderWindowTest, DragsOfADeletedSimulationAreNotTakenBackInItsNamesake) {
    SliderWindow w;
    TMain& window = w.window;
    ASSERT_TRUE(window.openFile(w.copyExample()));
    Command(window, "Schieberegler")->trigger();
    w.addSlider(QStringLiteral("HASEN"));
    QSlider& rabbits = *w.slider("HASEN");
    rabbits.setFocus();
    QTest::keyClick(&rabbits, Qt::Key_Right);
    QApplication::processEvents();
    ASSERT_DOUBLE_EQ(w.variable("HASEN").StartValue, 30.06);

    Command(window, "Kopieren")->trigger();
    {
        AnswerBoxes yes(MessageAnswer::Yes);
        Command(window, "Löschen")->trigger();
    }
    ASSERT_TRUE(window.document().Simulations.empty());
    Command(window, "Einfügen")->trigger();
    ASSERT_EQ(window.document().Simulations.size(), 1u);
    w.undo();
    EXPECT_DOUBLE_EQ(w.variable("HASEN").StartValue, 30.06);
}

TEST(SliderWindowTest, RowsAndRangesComeBackWithTheDocumentsPath) {
    QString path;
    {
        SliderWindow w;
        path = w.copyExample();
        ASSERT_TRUE(w.window.openFile(path));
        Command(w.window, "Schieberegler")->trigger();
        w.addSlider(QStringLiteral("FUECHSE"));
        auto* to = Child<QLineEdit>(w.window, "to_FUECHSE");
        {
            AnswerBoxes boxes;
            to->setText(QStringLiteral("2.5"));
            emit to->editingFinished();
            ASSERT_EQ(boxes.texts.size(), 1u);
            EXPECT_EQ(boxes.texts.front(), QStringLiteral("2.5 ist kein gültiger Gleitkommawert."));
        }
        to->setText(QStringLiteral("12,5"));
        emit to->editingFinished();
        EXPECT_EQ(w.slider("FUECHSE")->value(), 320);
        // Opened again in a new window under the same path: the same rows.
        TMain again;
        ASSERT_TRUE(again.openFile(QFileInfo(path).absoluteDir().filePath(QStringLiteral("./raeuber-beute.prg"))));
        EXPECT_EQ(Child<QLineEdit>(again, "to_FUECHSE")->text(), QStringLiteral("12,5"));
        EXPECT_EQ(Child<QSlider>(again, "slider_FUECHSE")->value(), 320);
        EXPECT_EQ(again.findChild<QSlider*>(QStringLiteral("slider_HASEN")), nullptr);
        // Saved under another name the rows go along.
        const QString other = QFileInfo(path).absoluteDir().filePath(QStringLiteral("kopie.prg"));
        ASSERT_TRUE(again.saveFileAs(other));
        TMain third;
        ASSERT_TRUE(third.openFile(other));
        EXPECT_EQ(Child<QLineEdit>(third, "to_FUECHSE")->text(), QStringLiteral("12,5"));
    }
}

TEST(SliderWindowTest, LongModelIsTakenOverOnlyWhenLetGo) {
    SliderWindow w;
    TMain& window = w.window;
    test::FillEditor(QStringLiteral("Lang"), QStringLiteral("ZEIT := ZEIT + 1\nX := X + 2"), 10000000,
                     {{QStringLiteral("X"), QStringLiteral("1")}});
    Command(window, "Neue Simulation")->trigger();
    ASSERT_EQ(window.document().Simulations.size(), 1u);
    auto* variables = Child<QListWidget>(window, "variables");
    const auto items = variables->findItems(QStringLiteral("X"), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    QTest::mouseClick(variables->viewport(), Qt::LeftButton, {}, variables->visualItemRect(items.front()).center());
    Command(window, "Schieberegler")->trigger();
    w.addSlider(QStringLiteral("X"));
    QSlider& x = *w.slider("X");
    auto* slow = Child<QLabel>(window, "tooSlow");
    EXPECT_FALSE(slow->isVisible());
    x.setFocus();
    QTest::keyClick(&x, Qt::Key_End);
    QApplication::processEvents();
    EXPECT_TRUE(slow->isVisible());
    EXPECT_EQ(slow->text(), QStringLiteral("Zu langsam für Live-Vorschau — Wert "
                                           "wird beim Loslassen übernommen"));
    EXPECT_DOUBLE_EQ(w.variable("X").StartValue, 2);
    // Let go (a key is let go at once): the whole run with the new value.
    ASSERT_EQ(w.variable("X").Values.size(), 10000000u);
    EXPECT_DOUBLE_EQ(w.variable("X").Values.back(), 2 + 2 * 10000000.0);
}

}  // namespace
}  // namespace qv
