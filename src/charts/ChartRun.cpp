#include "charts/ChartRun.h"

#include "charts/QVPlot.h"
#include "charts/bsgraf3d.h"

#include <new>

namespace qv {

namespace {

const Tvariable* VariableNamed(const tsim& sim, const std::string& name) {
    const int i = sim.IndexOfVariable(name);
    return i >= 0 ? sim.Variables[static_cast<std::size_t>(i)].get() : nullptr;
}

// Takes in the range of a variable; an axis without room gets 5 units.
void Widen(Taxis3D& axis, const tsim& sim, const Tvariable& variable, bool first) {
    double min = 0, max = 0;
    if (!variable.GetRange(sim.StepCount, min, max)) return;
    if (min == max) max = min + 5;
    if (first || min < axis.minimum) axis.minimum = min;
    if (first || max > axis.maximum) axis.maximum = max;
}

void FitAxes(const tsim& sim, Tgraf3d& chart, bool first) {
    if (!chart.autoScale || sim.PlottedCount() == 0) return;
    const Tvariable* horizontal = VariableNamed(sim, sim.XAxisName);
    if (chart.threeD) {
        Taxis3D& depth = chart.depthAxis();
        if (horizontal) Widen(depth, sim, *horizontal, first);
        depth.step = niceScale(depth.minimum, depth.maximum);
        horizontal = VariableNamed(sim, sim.YAxisName);
    }
    if (horizontal) {
        Taxis3D& axis = chart.horizontalAxis();
        Widen(axis, sim, *horizontal, first);
        axis.step = niceScale(axis.minimum, axis.maximum);
    }
    Taxis3D& vertical = chart.verticalAxis();
    bool firstVertical = first;
    for (const auto& v : sim.Variables) {
        if (!v->Plotted) continue;
        Widen(vertical, sim, *v, firstVertical);
        firstVertical = false;
    }
    if (vertical.minimum == vertical.maximum) vertical.maximum = vertical.minimum + 5;
}

bool Valid(const std::vector<std::unique_ptr<tsim>>& simulations, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < simulations.size();
}

// Records how a run ended; true when the recomputation must stop.
bool Ended(const tsim& sim, const RunResult& result, RecomputeOutcome& outcome) {
    outcome.Cancelled = outcome.Cancelled || result.Cancelled;
    if (!outcome.Stopped && !sim.StoredResults && !result.CompileFailed && result.CompletedSteps < sim.StepCount)
        outcome.Stopped = StoppedRun{result.CompletedSteps, sim.StepCount};
    if (result.OutOfMemory) {
        outcome.OutOfMemory = true;
        outcome.Message = OutOfMemoryText;
        return true;
    }
    if (result.Fault) {
        outcome.Fault = result.Fault->kind();
        outcome.Message = RunErrorMessage(result.Fault->kind());
        return true;
    }
    return false;
}

// A simulation left out of a recomputation that a fault ended: whatever it
// holds came from an earlier run and would be shown as if it were current.
void ForgetResults(tsim& sim) {
    if (sim.StoredResults) return;
    for (auto& variable : sim.Variables) variable->Values.clear();
}

// Runs simulation k of the recomputation; true when it must stop.
bool RunOne(std::vector<std::unique_ptr<tsim>>& simulations, std::size_t k, Tgraf3d& chart, bool first,
            PollThrottle& poll, bool showProgress, RecomputeOutcome& outcome) {
    tsim& sim = *simulations[k];
    if (!Ended(sim, SimulateAndFit(sim, chart, first, poll, showProgress), outcome)) return false;
    for (std::size_t later = k + 1; later < simulations.size(); ++later) ForgetResults(*simulations[later]);
    return true;
}

// The outcome of runs whose values do not fit in memory.
RecomputeOutcome OutOfMemoryOutcome() {
    RecomputeOutcome outcome;
    outcome.OutOfMemory = true;
    outcome.Message = OutOfMemoryText;
    return outcome;
}

}  // namespace

std::string StoppedRunText(const StoppedRun& run) {
    return "Berechnung nach " + std::to_string(run.CompletedSteps) + " von " + std::to_string(run.StepCount) +
           " Schritten abgebrochen.";
}

RunResult SimulateAndFit(tsim& simulation, Tgraf3d& chart, bool First, PollThrottle& poll, bool ShowProgress) {
    RunResult result = simulation.Simulate(poll, ShowProgress);
    if (!result.Fault && !result.OutOfMemory) FitAxes(simulation, chart, First);
    return result;
}

namespace {

RecomputeOutcome RunAll(std::vector<std::unique_ptr<tsim>>& simulations, int selected, bool separateCharts,
                        Tgraf3d& chart, RunObserver* observer) {
    RecomputeOutcome outcome;
    PollThrottle poll(observer);
    const bool hasSelection = Valid(simulations, selected);
    const bool selectedOnly = separateCharts && chart.autoScale && hasSelection;
    // Each simulation alone may fit where all of them together do not.
    uint64_t recordedBytes = 0;
    for (std::size_t k = 0; k < simulations.size(); ++k)
        if (!selectedOnly || static_cast<int>(k) == selected) recordedBytes += simulations[k]->RecordedBytes();
    if (recordedBytes > RecordedValuesBudget()) return OutOfMemoryOutcome();
    if (selectedOnly) {
        tsim& sim = *simulations[static_cast<std::size_t>(selected)];
        if (Ended(sim, SimulateAndFit(sim, chart, true, poll, true), outcome)) return outcome;
    } else if (!simulations.empty()) {
        const std::size_t n = simulations.size();
        if (RunOne(simulations, 0, chart, true, poll, n == 1, outcome)) return outcome;
        // After a cancellation the throttle stays cancelled: the remaining
        // simulations stop before their first statement, with no values.
        for (std::size_t k = 1; k < n; ++k) {
            poll.setPosition(static_cast<int>(k * 100 / n));
            poll.pollNow();
            if (RunOne(simulations, k, chart, false, poll, false, outcome)) return outcome;
        }
    }
    outcome.Cancelled = outcome.Cancelled || poll.cancelled();
    if (hasSelection) finishVerticalRange(chart);
    return outcome;
}

}  // namespace

RecomputeOutcome RecomputeAll(std::vector<std::unique_ptr<tsim>>& simulations, int selected, bool separateCharts,
                              Tgraf3d& chart, RunObserver* observer) {
    // The budget is taken from what the process may still use when the runs
    // start; others may take memory meanwhile.
    try {
        return RunAll(simulations, selected, separateCharts, chart, observer);
    } catch (const std::bad_alloc&) {
        return OutOfMemoryOutcome();
    }
}

ContinueOutcome ContinueComputing(std::vector<std::unique_ptr<tsim>>& simulations, int selected, bool separateCharts,
                                  Tgraf3d& chart, RunObserver* observer) {
    ContinueOutcome outcome;
    if (Valid(simulations, selected)) {
        tsim& sim = *simulations[static_cast<std::size_t>(selected)];
        int recorded = sim.PlottedCount();
        for (const std::string* name : {&sim.XAxisName, &sim.YAxisName}) {
            const Tvariable* axis = VariableNamed(sim, *name);
            if (axis && !axis->Plotted) ++recorded;
        }
        sim.StepCount = ContinuedStepCount(sim.StepCount, recorded, RecordedValuesBudget(), outcome.StepLimitMessage);
    }
    outcome.Run = RecomputeAll(simulations, selected, separateCharts, chart, observer);
    return outcome;
}

}  // namespace qv
