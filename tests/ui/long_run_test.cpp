// A run of ten million steps under the progress box: the window keeps
// answering while it runs, and "&Abbrechen" stops it at the very next poll
// with the steps computed so far kept.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include "UiTestSupport.h"
#include "app/QVMain.h"
#include "app/bswarten.h"
#include "document/DocumentActions.h"

namespace qv {
namespace {

TEST(LongRun, TenMillionStepsShowProgressAndStopAtOnce) {
    TMain window;
    window.resize(900, 650);
    window.show();

    AcceptedAlgorithm algorithm;
    algorithm.Name = "Lang";
    // A short inner loop makes each pass a few dozen statements, so the run
    // lasts seconds and is surely still going when it is cancelled.
    algorithm.Program = {"I := 0", "WHILE I < 20 DO I := I + 1", "B := B - B * ZEITSCHRITT / 1000000",
                         "ZEIT := ZEIT + ZEITSCHRITT"};
    algorithm.StepCount = 10'000'000;
    algorithm.StartValues = {{"B", 1000}, {"ZEITSCHRITT", 1}};
    ASSERT_EQ(AddNewSimulation(window.document(), algorithm), std::nullopt);
    tsim& sim = *window.document().Simulations.front();
    MarkPlotted(window.document(), sim, {"B"});
    const Tvariable& b = *sim.Variables[sim.IndexOfVariable("B")];
    // The values are laid out for every step in advance; B never reaches 0,
    // so the first 0 marks the end of what was computed.
    auto computed = [&b] {
        return static_cast<std::size_t>(std::find(b.Values.begin(), b.Values.end(), 0.0) - b.Values.begin());
    };

    bool boxShown = false, answered = false;
    int positionSeen = -1;
    std::size_t stepsAtClick = 0;
    int ticks = 0;
    // A repeating timer stands for the user: its ticks arriving during the
    // run show that the window still handles events.
    QTimer user;
    user.setInterval(20);
    QObject::connect(&user, &QTimer::timeout, &window, [&] {
        if (!window.isRunning()) return;
        if (++ticks < 10) return;
        user.stop();
        boxShown = window.waitBox().isVisible();
        positionSeen = window.waitBox().position();
        stepsAtClick = computed();
        answered = true;
        QTest::mouseClick(window.waitBox().abortButton(), Qt::LeftButton);
    });
    user.start();
    window.anzeigen();

    ASSERT_TRUE(answered) << "the run ended before it could be cancelled";
    EXPECT_TRUE(boxShown);
    EXPECT_GE(positionSeen, 0);
    EXPECT_FALSE(window.isRunning());
    EXPECT_FALSE(window.waitBox().isVisible());
    // Stopped at once: at most the pass in progress completes after the click.
    EXPECT_GT(stepsAtClick, 0u);
    EXPECT_LE(computed(), stepsAtClick + 1);
    EXPECT_LT(computed(), 10'000'000u);
    EXPECT_DOUBLE_EQ(b.Values.front(), 1000 - 1000 / 1e6);
}

}  // namespace
}  // namespace qv
