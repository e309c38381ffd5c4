// The animation: a timer that redraws the chart with every animated
// variable's picture at its current value and then moves the values on.
#include <QTimer>

#include <algorithm>

#include "app/QVMain.h"
#include "charts/bsgraf3d.h"
#include "dialogs/MessageBoxes.h"
#include "engine/QVAnimation.h"

namespace qv {

void TMain::startAnimation() {
    stopAnimation();
    // Started during a run, it would move the frames under the progress box
    // and carry on over the freshly computed chart afterwards.
    if (running_) return;
    bool anyAnimated = false;
    for (auto& simulation : document_.Simulations) anyAnimated = ResetAnimation(*simulation) || anyAnimated;
    if (!anyAnimated) {
        ShowMessage(this, MessageKind::Information,
                    QStringLiteral("Klicken Sie zuerst auf die Kurve, die Sie animieren wollen, und markieren Sie dort "
                                   "das Feld Animation. Wählen Sie dann noch eine Grafik aus."));
        return;
    }
    // Loaded now, the first picture shows with the first drawing, not one
    // tick later.
    for (auto& simulation : document_.Simulations) LoadAnimationPictures(*simulation);
    showStatus(QStringLiteral("Animation läuft..."));
    animationTimer_ = std::make_unique<QTimer>();
    animationTimer_->setInterval(std::max(ShortestAnimationTick, document_.Chart->animationInterval));
    display(true);
    // Queued, so a tick never runs inside the timer's own event: whatever
    // stops the animation, even from within a tick, may free the timer at once.
    connect(animationTimer_.get(), &QTimer::timeout, this, &TMain::animationTick, Qt::QueuedConnection);
    animationTimer_->start();
    updateCommands();
}

void TMain::pauseAnimation() {
    if (animationTimer_ && animationTimer_->isActive()) {
        animationTimer_->stop();
        showStatus(QStringLiteral("Animation Pause..."));
    } else if (animationTimer_) {
        animationTimer_->start();
        showStatus(QStringLiteral("Animation läuft..."));
    }
    updateCommands();  // the pause command shows whether the timer is off
}

void TMain::stopAnimation() {
    if (!animationTimer_) return;
    animationTimer_.reset();
    updateHint();  // also updates "Animation Pause" and "Animation beenden"
}

void TMain::endAnimation() {
    stopAnimation();
    display(false);
    updateHint();
}

void TMain::animationTick() {
    if (inAnimationTick_ || !animationTimer_) return;
    inAnimationTick_ = true;
    try {
        display(true);
        const int32_t interval = document_.Chart->animationInterval;
        tsim* selected = document_.SelectedSimulation();
        if (document_.SeparateCharts && selected) {
            AdvanceAnimation(*selected, interval);
        } else {
            for (auto& simulation : document_.Simulations) AdvanceAnimation(*simulation, interval);
        }
    } catch (...) {
        // A tick that fails shows nothing; the next one tries again.
    }
    inAnimationTick_ = false;
}

}  // namespace qv
