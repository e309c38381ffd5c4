// The animation in the window: starting needs an animated curve, ticks move
// each animated variable (linear, cyclic, back and forth) and redraw the
// chart with its picture, pause toggles the timer, and other commands or
// "Animation beenden" stop it.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "UiTestSupport.h"
#include "app/QVMain.h"
#include "app/ChartPicture.h"
#include "charts/QVPlot.h"
#include "drawing/bspoly.h"
#include "document/DocumentActions.h"
#include "engine/QVAnimation.h"
#include "util/PictureText.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Command;

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
    AnswerBoxes boxes;
    Command(w.window, "Animation starten")->trigger();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.kinds[0], MessageKind::Information);
    EXPECT_TRUE(boxes.texts[0].startsWith(QStringLiteral("Klicken Sie zuerst auf die Kurve")));
    EXPECT_FALSE(w.window.isAnimating());
    EXPECT_FALSE(Command(w.window, "Animation beenden")->isEnabled());
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

    // Any other command stops it without redrawing.
    Command(w.window, "Tabelle")->trigger();
    EXPECT_FALSE(w.window.isAnimating());
    EXPECT_FALSE(pause->isEnabled());
    EXPECT_FALSE(Command(w.window, "Animation beenden")->isEnabled());
    Command(w.window, "Tabelle")->trigger();

    // "Animation beenden" draws the whole curves again, without pictures.
    Command(w.window, "Animation starten")->trigger();
    w.window.animationTick();
    Command(w.window, "Animation beenden")->trigger();
    EXPECT_FALSE(w.window.isAnimating());
    auto* plot = static_cast<TPlot*>(w.variable("X").CurveObject);
    ASSERT_NE(plot, nullptr);
    ASSERT_EQ(plot->Children.size(), 1u);
    EXPECT_EQ(dynamic_cast<TPoly&>(*plot->Children[0]).Points.size(), 4u);
}

}  // namespace
}  // namespace qv
