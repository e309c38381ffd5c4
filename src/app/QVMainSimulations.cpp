// Creating, copying, editing and deleting simulations, and running them
// under the progress box.
#include <QComboBox>

#include "app/QVMain.h"
#include "app/bswarten.h"
#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"
#include "engine/QVCompile.h"
#include "modeleditors/QVAlgo.h"

namespace qv {

namespace {

// A copy takes the verbal and graphical models along with what the
// algorithm editor holds.
void CopyModels(const tsim& from, tsim& to) {
    to.StockNames = from.StockNames;
    to.RateNames = from.RateNames;
    to.Sentences = from.Sentences;
    to.Diagram = from.Diagram;
    to.ExtendedSyntax = from.ExtendedSyntax;
    to.SimplifiedModel = from.SimplifiedModel;
}

// The first variable's name stands in for an axis variable that is gone.
void KeepAxisNames(tsim& simulation) {
    const std::string first = simulation.Variables.empty() ? std::string() : simulation.Variables.front()->Name;
    if (simulation.IndexOfVariable(simulation.XAxisName) < 0) simulation.XAxisName = first;
    if (!simulation.YAxisName.empty() && simulation.IndexOfVariable(simulation.YAxisName) < 0)
        simulation.YAxisName = first;
}

// The progress box is shown and commands that change simulations are
// ignored while the guard lives, whatever ends the run.
class RunningGuard {
public:
    RunningGuard(bool& running, TWartendlg& box) : running_(running), box_(box) {
        running_ = true;
        box_.start();
    }
    ~RunningGuard() {
        box_.hide();
        running_ = false;
    }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;

private:
    bool& running_;
    TWartendlg& box_;
};

}  // namespace

bool TMain::editSimulation(AlgoEditorState& state) { return algorithmEditor_->edit(state, this); }

void TMain::storeEditor(AlgoEditorState& state, tsim& sim) {
    releaseTable();
    if (std::optional<std::string> problem = state.StoreInto(sim)) ShowMessage(this, MessageKind::Error, *problem);
    // StoreInto compiled this program last, so the compiler's order is its own.
    TakeVariablesIn(document_, sim);
}

void TMain::NeueSimulation1Click() {
    if (running_) return;
    AlgoEditorState state;
    state.Reset();
    state.StepCount = DefaultStepCount;
    if (!editSimulation(state)) return;
    auto sim = std::make_unique<tsim>();
    storeEditor(state, *sim);
    addSimulation(std::move(sim), true);
}

void TMain::Kopie1Click() {
    const tsim* selected = document_.SelectedSimulation();
    if (running_ || !selected) return;
    AlgoEditorState state;
    state.LoadFrom(*selected);
    state.Name = ProposeCopyName(state.Name);
    if (!editSimulation(state)) return;
    // Built anew from the editor: no curve, table or animation settings, no
    // values and no stored-results flag come along, only the axis choice.
    auto copy = std::make_unique<tsim>();
    CopyModels(*selected, *copy);
    copy->XAxisName = selected->XAxisName;
    copy->YAxisName = selected->YAxisName;
    storeEditor(state, *copy);
    KeepAxisNames(*copy);
    addSimulation(std::move(copy), false);
}

void TMain::addSimulation(std::unique_ptr<tsim> sim, bool isNew) {
    if (isNew) {
        const std::string first = sim->Variables.empty() ? std::string() : sim->Variables.front()->Name;
        sim->XAxisName = first;
        sim->YAxisName = first;
    }
    document_.Simulations.push_back(std::move(sim));
    document_.Selected = static_cast<int32_t>(document_.Simulations.size()) - 1;
    fillSimulationBox();
    selectSimulation();
    tsim& added = *document_.Simulations.back();
    const int time = added.IndexOfVariable(TimeName);
    if (isNew && !document_.Chart->threeD && time >= 0) {
        xAxis_->setCurrentIndex(time);
        XAchseChange(time);
    }
    markChanged();
    updateHint();
}

void TMain::Simulation1Click() {
    tsim* selected = document_.SelectedSimulation();
    if (running_) return;
    if (!selected) {
        NeueSimulation1Click();
        return;
    }
    AlgoEditorState state;
    state.LoadFrom(*selected);
    if (!editSimulation(state)) return;
    forgetSliderChanges(selected->Name);
    storeEditor(state, *selected);
    KeepAxisNames(*selected);
    fillSimulationBox();
    selectSimulation();
    if (immediateDisplay_) anzeigen();
    markChanged();
    updateHint();
}

void TMain::deleteSimulation(bool ask) {
    stopAnimation();
    const tsim* selected = document_.SelectedSimulation();
    if (running_ || !selected) return;
    const QString question = QStringLiteral("Soll die Simulation ") + ToQString(selected->Name) +
                             QStringLiteral(" gelöscht werden?");
    if (ask && ShowMessage(this, MessageKind::Confirmation, question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    releaseTable();
    forgetSliderChanges(selected->Name);
    document_.Simulations.erase(document_.Simulations.begin() + document_.Selected);
    document_.Selected = document_.Simulations.empty() ? -1 : 0;
    fillSimulationBox();
    selectSimulation();
    markChanged();
    anzeigen();
}

void TMain::WeiterClick() {
    stopAnimation();
    if (running_ || !document_.SelectedSimulation() || !computingAllowed_) return;
    std::string limit;
    runWithProgress([this, &limit](RunObserver* observer) {
        ContinueOutcome outcome = ContinueComputing(document_.Simulations, document_.Selected,
                                                    document_.SeparateCharts, *document_.Chart, observer);
        limit = outcome.StepLimitMessage;
        return outcome.Run;
    });
    if (!limit.empty()) ShowMessage(this, MessageKind::Information, limit);
    markChanged();
    display(false);
}

void TMain::compute() {
    if (!computingAllowed_ || running_) return;
    runWithProgress([this](RunObserver* observer) { return ComputeDocument(document_, observer); });
}

void TMain::runWithProgress(const std::function<RecomputeOutcome(RunObserver*)>& run) {
    releaseTable();
    RecomputeOutcome outcome;
    {
        RunningGuard guard(running_, *wait_);
        outcome = run(wait_);
    }
    runStopped_ = outcome.Stopped ? ToQString(StoppedRunText(*outcome.Stopped)) : QString();
    if (!runStopped_.isEmpty()) showStatus(runStopped_);
    if (!outcome.Message.empty()) ShowMessage(this, MessageKind::Error, outcome.Message);
}

}  // namespace qv
