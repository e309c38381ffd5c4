// The run driver of the chart: runs the simulations of a document, widens
// the chart's axes to their results and reports what ended a run.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/QVSim.h"

namespace qv {

class Tgraf3d;

// Compiles and runs one simulation; when the chart scales automatically,
// widens its axes to the results (First: the axes start from this
// simulation alone) and rounds the horizontal and depth axes. A run ended
// by a fault leaves the axes alone.
RunResult SimulateAndFit(tsim& simulation, Tgraf3d& chart, bool First, PollThrottle& poll, bool ShowProgress);

// A run that ended before its last step: how far it came.
struct StoppedRun {
    int32_t CompletedSteps = 0;
    int32_t StepCount = 0;
};

// The status line after such a run: "Berechnung nach N von M Schritten abgebrochen."
std::string StoppedRunText(const StoppedRun& run);

// What a recomputation came to. Message (Windows-1252) is what the caller
// shows in an error box; empty when the runs ended normally or were
// cancelled. Stopped names the first simulation that did not complete its
// steps.
struct RecomputeOutcome {
    std::optional<RunError::Kind> Fault;
    bool OutOfMemory = false;
    bool Cancelled = false;
    std::string Message;
    std::optional<StoppedRun> Stopped;
};

// Runs every simulation (or, with separate charts and automatic scaling,
// only the selected one) and completes the scaling when a simulation is
// selected (selected < 0: none). A fault ends it: the faulty simulation
// keeps the passes it completed and the simulations after it, which did not
// run, keep no values. After a cancellation every simulation holds only what
// it computed. The caller shows the progress box before and hides it after,
// whatever came out.
RecomputeOutcome RecomputeAll(std::vector<std::unique_ptr<tsim>>& simulations, int selected, bool separateCharts,
                              Tgraf3d& chart, RunObserver* observer);

// "Weiter rechnen": doubles the step count of the selected simulation (as
// far as int32 and memory allow; StepLimitMessage then says where it stopped)
// and recomputes everything from the start values.
struct ContinueOutcome {
    RecomputeOutcome Run;
    std::string StepLimitMessage;
};
ContinueOutcome ContinueComputing(std::vector<std::unique_ptr<tsim>>& simulations, int selected, bool separateCharts,
                                  Tgraf3d& chart, RunObserver* observer);

}  // namespace qv
