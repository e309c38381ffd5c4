// The animation in the window: starting needs an animated curve, ticks move
// each animated variable (linear, cyclic, back and forth) and redraw the
// chart with its picture, pause toggles the timer, and other commands or
// "Animation beenden" stop it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "UiTestSupport.h"
#include "app/QVMain.h"
#include "app/ChartPicture.h"
#include "app/bswarten.h"
#include "charts/bsgraf3d.h"
#include "charts/QVPlot.h"
#include "drawing/bspoly.h"
#include "document/DocumentActions.h"
#include "engine/QVAnimation.h"
#include "util/PictureText.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::Command;

// Counts how often a simulation command opened the editor and cancels it.
struct DecliningEditor : AlgorithmEditor {
    bool edit(AlgoEditorState&, QWidget*) override {
        ++calls;
        return false;
    }
    int calls = 0;
};

// A window showing one simulation of four steps with X, Y and Z plotted.
struct AnimationWindow {
    AnimationWindow() {
        window.resize(900, 650);
        window.show();
        AcceptedAlgorithm algorithm;
        algorithm.Name = "Bewegung";
        algorithm.Program = {"X := X + 1", "Y := Y + 2", "Z := Z + 3", "ZEIT := ZEIT + 1"};
        algorithm.StepCount = 4;
        EXPECT_EQ(AddNewSimulation(window.document(), algorithm), std::nullopt);
        MarkPlotted(window.document(), sim(), {"X", "Y", "Z"});
        window.selectSimulation();  // the panel and the commands follow the new simulation
        window.anzeigen();
    }
    ~AnimationWindow() {
        AnswerBoxes no(MessageAnswer::No);
        window.close();
    }
    tsim& sim() { return *window.document().Simulations.front(); }
    Tvariable& variable(const char* name) { return *sim().Variables[sim().IndexOfVariable(name)]; }
    void animate(const char* name, int32_t type, const std::string& picture) {
        Tvariable& v = variable(name);
        v.Animated = true;
        v.AnimationType = type;
        v.CurveCreation = 2;  // the curve grows with the picture
        v.Picture = picture;
    }
    QImage chart() { return window.findChild<TChartPicture*>()->image(); }

    TMain window;
};

TEST(AnimationWindow, StartNeedsAnAnimatedCurve) {
    AnimationWindow w;
    w.variable("X").Frame = 2;
    w.variable("X").PictureIndex = 0;
    w.sim().AnimationPictures.resize(1);  // left from an earlier run
    const QImage chart = w.chart();
    const QString hint = w.window.hintText();
    AnswerBoxes boxes;
    Command(w.window, "Animation starten")->trigger();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.kinds[0], MessageKind::Information);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("Klicken Sie zuerst auf die Kurve, die Sie animieren wollen, und "
                                             "markieren Sie dort das Feld Animation. Wählen Sie dann noch eine "
                                             "Grafik aus."));
    EXPECT_FALSE(w.window.isAnimating());
    EXPECT_FALSE(Command(w.window, "Animation beenden")->isEnabled());
    EXPECT_FALSE(Command(w.window, "Animation Pause")->isEnabled());
    EXPECT_EQ(w.window.hintText(), hint);
    EXPECT_EQ(w.chart(), chart) << "nothing is redrawn";
    // The old pictures are gone all the same and every curve is back at its start.
    EXPECT_TRUE(w.sim().AnimationPictures.empty());
    EXPECT_EQ(w.variable("X").PictureIndex, -1);
    EXPECT_EQ(w.variable("X").Frame, 0);
    w.window.animationTick();  // a tick that was already queued does nothing
    EXPECT_EQ(w.variable("X").Frame, 0);
}

// The pictures that come with the program: found from the window's program
// folder, read by our own codecs, small, and drawn on a clear background so
// that only the figure moves over the curve.
TEST(AnimationWindow, ShippedPicturesLoadSmallAndClear) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(AnimationFolder())) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const auto picture = LoadAnimationPicture(name);
        ASSERT_TRUE(picture.has_value());
        EXPECT_GE(picture->Width, 32);
        EXPECT_LE(picture->Width, 64);
        EXPECT_GE(picture->Height, 32);
        EXPECT_LE(picture->Height, 64);
        EXPECT_EQ(AlphaOf(picture->Pixels.front()), 0) << "the corner is transparent";
        EXPECT_EQ(AlphaOf(picture->Pixels[picture->Pixels.size() / 2 + picture->Width / 2]), 255)
            << "the middle is drawn";
        ++count;
    }
    EXPECT_GE(count, 4);
}

TEST(AnimationWindow, NoStartWhileARunIsInProgress) {
    AnimationWindow w;
    w.animate("X", AnimationCyclic, "ball.png");
    // A run long enough to be still going when the user reaches the menu.
    AcceptedAlgorithm slow;
    slow.Name = "Lang";
    slow.Program = {"I := 0", "WHILE I < 20 DO I := I + 1", "ZEIT := ZEIT + 1"};
    slow.StepCount = 1'000'000;
    ASSERT_EQ(AddNewSimulation(w.window.document(), slow), std::nullopt);

    bool tried = false, startedDuringRun = true;
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, &w.window, [&] {
        if (!w.window.isRunning()) return;
        user.stop();
        Command(w.window, "Animation starten")->trigger();
        startedDuringRun = w.window.isAnimating();
        tried = true;
        QTest::mouseClick(w.window.waitBox().abortButton(), Qt::LeftButton);
    });
    user.start();
    w.window.anzeigen();

    ASSERT_TRUE(tried) << "the run ended before the menu was reached";
    EXPECT_FALSE(startedDuringRun);
    EXPECT_FALSE(w.window.isAnimating());
    EXPECT_FALSE(Command(w.window, "Animation beenden")->isEnabled());
    // Afterwards it starts as usual.
    Command(w.window, "Animation starten")->trigger();
    EXPECT_TRUE(w.window.isAnimating());
}

TEST(AnimationWindow, TicksMoveEachKindAndRedrawWithThePicture) {
    AnimationWindow w;
    w.animate("X", AnimationLinear, "hase.png");  // from the ani folder shipped with the program
    Picture dot;
    dot.Width = dot.Height = 6;
    dot.Pixels.assign(36, 0xFFFF0000);
    w.animate("Y", AnimationCyclic, GraphicToHexText(dot));
    w.animate("Z", AnimationBackAndForth, "HASE.PNG");  // names are found regardless of case
    w.variable("Z").Backward = true;                     // left over from a saved document

    Command(w.window, "Animation starten")->trigger();
    ASSERT_TRUE(w.window.isAnimating());
    EXPECT_EQ(w.window.hintText(), QStringLiteral("Animation läuft..."));
    EXPECT_TRUE(Command(w.window, "Animation Pause")->isEnabled());
    EXPECT_TRUE(Command(w.window, "Animation beenden")->isEnabled());
    EXPECT_EQ(w.variable("Z").Frame, 0);
    EXPECT_FALSE(w.variable("Z").Backward);
    // The start already shows the pictures at the first values.
    EXPECT_EQ(w.variable("X").PictureIndex, 0);
    ASSERT_NE(w.variable("X").CurveObject, nullptr);
    EXPECT_EQ(static_cast<TPlot*>(w.variable("X").CurveObject)->Children.size(), 2u)
        << "the growing line and the picture";

    std::vector<std::array<int32_t, 3>> frames;
    QImage before = w.chart();
    for (int tick = 0; tick < 7; ++tick) {
        w.window.animationTick();
        frames.push_back({w.variable("X").Frame, w.variable("Y").Frame, w.variable("Z").Frame});
        const QImage now = w.chart();
        // A tick shows the values the previous one moved to: the first shows
        // what the start showed, every later one a changed chart.
        if (tick == 0) EXPECT_EQ(now, before);
        else EXPECT_NE(now, before) << "tick " << tick << " redraws the moved pictures";
        before = now;
    }
    const std::vector<std::array<int32_t, 3>> expected = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {3, 0, 3},
                                                          {3, 1, 2}, {3, 2, 1}, {3, 3, 0}};
    EXPECT_EQ(frames, expected);
    ASSERT_EQ(w.sim().AnimationPictures.size(), 3u) << "two files and one picture text";
    EXPECT_EQ(w.sim().AnimationPictures[0].Width, 48);
    EXPECT_EQ(w.sim().AnimationPictures[1].Width, 6);

    // The curve of X grows with its picture: its line ends at the shown value.
    auto* plot = static_cast<TPlot*>(w.variable("X").CurveObject);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->Children.size(), 2u) << "the growing line and the picture";

    // The timer moves them on by itself.
    const int32_t y = w.variable("Y").Frame;
    for (int wait = 0; wait < 100 && w.variable("Y").Frame == y; ++wait) QTest::qWait(20);
    EXPECT_NE(w.variable("Y").Frame, y);
}

TEST(AnimationWindow, PauseEndAndOtherCommandsStopIt) {
    AnimationWindow w;
    w.animate("X", AnimationCyclic, "ball.png");
    Command(w.window, "Animation starten")->trigger();
    ASSERT_TRUE(w.window.isAnimating());

    QAction* pause = Command(w.window, "Animation Pause");
    pause->trigger();
    EXPECT_TRUE(w.window.isAnimating());
    EXPECT_TRUE(pause->isChecked());
    EXPECT_EQ(w.window.hintText(), QStringLiteral("Animation Pause..."));
    const int32_t frame = w.variable("X").Frame;
    QTest::qWait(200);
    EXPECT_EQ(w.variable("X").Frame, frame) << "a paused animation stands still";
    pause->trigger();
    EXPECT_FALSE(pause->isChecked());
    EXPECT_EQ(w.window.hintText(), QStringLiteral("Animation läuft..."));

    // Any other command stops it without redrawing; a paused one too.
    pause->trigger();
    const QImage shown = w.chart();
    Command(w.window, "Tabelle")->trigger();
    EXPECT_FALSE(w.window.isAnimating());
    EXPECT_FALSE(pause->isEnabled());
    EXPECT_FALSE(pause->isChecked());
    EXPECT_FALSE(Command(w.window, "Animation beenden")->isEnabled());
    EXPECT_NE(w.window.hintText(), QStringLiteral("Animation Pause..."));
    Command(w.window, "Tabelle")->trigger();

    // The simulation commands, whichever way they are reached.
    auto editor = std::make_unique<DecliningEditor>();
    DecliningEditor& declining = *editor;
    w.window.setAlgorithmEditor(std::move(editor));
    const auto stops = [&](const char* what, const std::function<void()>& command) {
        Command(w.window, "Animation starten")->trigger();
        EXPECT_TRUE(w.window.isAnimating()) << what;
        const QImage animated = w.chart();
        command();
        EXPECT_FALSE(w.window.isAnimating()) << what;
        EXPECT_FALSE(Command(w.window, "Animation beenden")->isEnabled()) << what;
        return animated;
    };
    stops("Kopie", [&] { Command(w.window, "Kopie der Simulation")->trigger(); });
    stops("Neue Simulation", [&] { Command(w.window, "Neue Simulation")->trigger(); });
    stops("Eingabe", [&] { Child<QPushButton>(w.window, "bigButton")->click(); });
    EXPECT_EQ(declining.calls, 3) << "the editor still opened after the animation stopped";
    const QImage last = stops("Simulationsbox", [&] { emit Child<QComboBox>(w.window, "simulationBox")->activated(0); });
    EXPECT_EQ(w.chart(), last) << "stopping keeps the last drawing; one chart for all is not redrawn";
    {
        AnswerBoxes no(MessageAnswer::No);
        stops("Löschen", [&] { Command(w.window, "Löschen")->trigger(); });
    }
    stops("anzeigen() called directly", [&] { w.window.anzeigen(); });
    const int32_t steps = w.sim().StepCount;
    stops("Weiter rechnen", [&] { Child<QPushButton>(w.window, "continue")->click(); });
    EXPECT_EQ(w.sim().StepCount, 2 * steps);

    // "Animation beenden" draws the whole curves again, without pictures.
    Command(w.window, "Animation starten")->trigger();
    w.window.animationTick();
    Command(w.window, "Animation beenden")->trigger();
    EXPECT_FALSE(w.window.isAnimating());
    auto* plot = static_cast<TPlot*>(w.variable("X").CurveObject);
    ASSERT_NE(plot, nullptr);
    ASSERT_EQ(plot->Children.size(), 1u);
    EXPECT_EQ(dynamic_cast<TPoly&>(*plot->Children[0]).Points.size(), 8u) << "the doubled run, all of it";
}

TEST(AnimationWindow, SeparateChartsMoveOnlyTheShownSimulation) {
    AnimationWindow w;
    AcceptedAlgorithm second;
    second.Name = "Zweite";
    second.Program = {"X := X - 1", "ZEIT := ZEIT + 1"};
    second.StepCount = 6;
    ASSERT_EQ(AddNewSimulation(w.window.document(), second), std::nullopt);
    tsim& other = *w.window.document().Simulations.back();
    MarkPlotted(w.window.document(), other, {"X"});
    for (tsim* sim : {&w.sim(), &other}) {
        Tvariable& x = *sim->Variables[sim->IndexOfVariable("X")];
        x.Animated = true;
        x.AnimationType = AnimationCyclic;
        x.Picture = "fisch.png";
    }
    w.window.document().Chart->animationInterval = 20;  // two values a tick
    w.window.document().Selected = 0;
    w.window.selectSimulation();
    w.window.anzeigen();

    Command(w.window, "Animation starten")->trigger();
    w.window.animationTick();
    EXPECT_EQ(w.variable("X").Frame, 2);
    EXPECT_EQ(other.Variables[other.IndexOfVariable("X")]->Frame, 2) << "one chart: every simulation moves";

    Child<QCheckBox>(w.window, "separateCharts")->click();
    EXPECT_FALSE(w.window.isAnimating());
    Command(w.window, "Animation starten")->trigger();
    w.window.animationTick();
    w.window.animationTick();
    EXPECT_EQ(w.variable("X").Frame, 0) << "four values, cyclic: 0, 2, back to 0";
    w.window.animationTick();
    EXPECT_EQ(w.variable("X").Frame, 2);
    EXPECT_EQ(other.Variables[other.IndexOfVariable("X")]->Frame, 0) << "not shown, so it stays";
    EXPECT_EQ(other.Variables[other.IndexOfVariable("X")]->CurveObject, nullptr) << "nor does it keep a freed curve";
}

}  // namespace
}  // namespace qv
