// The start-value sliders: the dock's moves recompute and redraw at once
// while that stays quick, a finished change marks the document and can be
// taken back with Ctrl+Z, and the rows are kept in the user's settings under
// the document's absolute path.
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QUrl>

#include "app/QVMain.h"
#include "app/SliderDock.h"
#include "document/DocumentActions.h"
#include "drawing/QtText.h"
#include "engine/RunObserver.h"

namespace qv {

namespace {

// A recompute that a pupil could see waiting for is no live preview.
constexpr qint64 LiveLimitMs = 150;

// Cancels a live recompute once it has taken longer than the limit.
class LiveDeadline : public RunObserver {
public:
    LiveDeadline() { clock_.start(); }
    bool poll(int) override { return clock_.elapsed() <= LiveLimitMs; }

private:
    QElapsedTimer clock_;
};

}  // namespace

void TMain::createSliderDock(QMenu* view) {
    sliders_ = new TSliderDock(this);
    addDockWidget(Qt::RightDockWidgetArea, sliders_);
    sliders_->hide();
    QAction* toggle = sliders_->toggleViewAction();
    toggle->setText(QStringLiteral("Schie&beregler"));
    toggle->setObjectName(QStringLiteral("Schieberegler"));
    view->addAction(toggle);
    connect(sliders_, &TSliderDock::moved, this, &TMain::sliderMoved);
    connect(sliders_, &TSliderDock::committed, this, &TMain::sliderCommitted);
    connect(sliders_, &TSliderDock::rowsChanged, this, &TMain::storeSliderRows);
    // Not in a menu: Ctrl+Z takes back slider changes only, one drag at a time.
    auto* undo = new QAction(QStringLiteral("Schieberegler rückgängig"), this);
    undo->setObjectName(QStringLiteral("sliderUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, this, &TMain::undoSlider);
    addAction(undo);
}

tsim* TMain::sliderVariable(const std::string& simulation, const std::string& variable, Tvariable*& found) {
    found = nullptr;
    for (auto& sim : document_.Simulations) {
        if (sim->Name != simulation) continue;
        const int index = sim->IndexOfVariable(variable);
        if (index < 0) return nullptr;
        found = sim->Variables[index].get();
        return sim.get();
    }
    return nullptr;
}

void TMain::sliderMoved(const std::string& variable, double value) {
    tsim* selected = document_.SelectedSimulation();
    Tvariable* target = nullptr;
    if (running_ || !selected || !sliderVariable(selected->Name, variable, target)) return;
    stopAnimation();
    finishDrag();
    target->StartValue = value;
    if (sliders_->tooSlow() || !computingAllowed_) return;
    releaseTable();
    LiveDeadline deadline;
    const RecomputeOutcome outcome = ComputeDocument(document_, &deadline);
    // The values are those of a part of the run now; letting go computes it
    // whole.
    if (outcome.Cancelled) {
        sliders_->setTooSlow(true);
        return;
    }
    display(false);
}

void TMain::sliderCommitted(const std::string& variable, double before, double after) {
    const tsim* selected = document_.SelectedSimulation();
    if (!selected || before == after) return;
    sliderUndo_.push_back({selected->Name, variable, before});
    if (sliders_->tooSlow()) recomputeAfterSlider();
    markChanged();
}

void TMain::recomputeAfterSlider() {
    QElapsedTimer clock;
    clock.start();
    anzeigen();
    // A model made shorter since is live again.
    sliders_->setTooSlow(clock.elapsed() > LiveLimitMs);
}

void TMain::undoSlider() {
    if (running_ || sliderUndo_.empty()) return;
    const SliderChange change = sliderUndo_.back();
    sliderUndo_.pop_back();
    Tvariable* target = nullptr;
    // The simulation may have been deleted or renamed since.
    if (!sliderVariable(change.Simulation, change.Variable, target)) return;
    target->StartValue = change.Before;
    sliders_->refreshValues();
    markChanged();
    recomputeAfterSlider();
}

// A drag is taken back only in the simulation it was made in: once that one
// is edited in the algorithm editor or deleted, its drags are forgotten, so
// Ctrl+Z never overwrites a start value typed since or reaches into another
// simulation of the same name.
void TMain::forgetSliderChanges(const std::string& simulation) {
    std::erase_if(sliderUndo_, [&](const SliderChange& change) { return change.Simulation == simulation; });
}

QString TMain::sliderSettingsKey() const {
    if (!hasFile()) return {};
    return QStringLiteral("Schieberegler/") +
           QString::fromLatin1(QUrl::toPercentEncoding(QDir::cleanPath(QFileInfo(fileName_).absoluteFilePath())));
}

void TMain::loadSliderRows() {
    sliderUndo_.clear();
    const QString key = sliderSettingsKey();
    sliders_->setRows(key.isEmpty() ? std::vector<SliderRow>{}
                                    : DecodeSliderRows(FromQString(QSettings().value(key).toString())));
}

void TMain::storeSliderRows() {
    const QString key = sliderSettingsKey();
    if (key.isEmpty()) return;
    QSettings settings;
    if (sliders_->rows().empty())
        settings.remove(key);
    else
        settings.setValue(key, ToQString(EncodeSliderRows(sliders_->rows())));
}

}  // namespace qv
