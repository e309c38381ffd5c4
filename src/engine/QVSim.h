// A simulation: one model with its algorithm, macros, verbal and graphical
// descriptions, step count and variables, and the run over its steps.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/MemoryBudget.h"
#include "engine/QVExecute.h"
#include "engine/TListeninhalt.h"
#include "engine/Tvariable.h"
#include "model/QVGrafDiagram.h"
#include "util/Picture.h"
#include "util/StreamIO.h"

namespace qv {

// What one run of a simulation came to.
struct RunResult {
    int32_t CompletedSteps = 0;
    bool Cancelled = false;
    bool CompileFailed = false;
    bool OutOfMemory = false;  // the recorded values did not fit; nothing was run
    std::optional<RunError> Fault;  // the arithmetic fault that ended the run
};

class tsim {
public:
    std::string Name = "NoName";
    std::vector<std::string> Program;
    std::vector<TListeninhalt> Macros;
    std::vector<std::unique_ptr<Tvariable>> Variables;  // in compiler order
    std::string XAxisName;
    std::string YAxisName;
    int32_t StepCount = 0;
    bool CaseSensitive = false;
    std::vector<std::string> StockNames;
    std::vector<std::string> RateNames;
    std::vector<std::string> Sentences;
    TDiagram Diagram;
    bool ExtendedSyntax = false;
    bool SimplifiedModel = false;
    bool StoredResults = false;
    // The pictures a running animation has loaded for the variables
    // (PictureIndex points in here); not stored, loaded anew on every start.
    std::vector<Picture> AnimationPictures;

    tsim() = default;
    explicit tsim(InStream& in);

    bool save(OutStream& out) const;

    int IndexOfVariable(const std::string& name) const;
    int PlottedCount() const;
    // The bytes a run of StepCount passes records: the plotted and the axis
    // variables, one double per pass each.
    uint64_t RecordedBytes() const;

    // Rebuilds Variables in the order of the last successful compile of this
    // program, keeping the attributes and values of names that remain.
    void TakeVariables(int simulationCount);
    // Its variables name the simulation (in legends and table heads) when the
    // document holds two or more simulations, itself counted; else nothing.
    void LabelVariables(int simulationCount);

    // Compiles the program and runs it StepCount times, recording the plotted
    // and axis variables after every pass; a run that stops early (fault,
    // cancellation, too little memory) leaves them holding only the passes it
    // completed. Nothing happens for stored results.
    // The throttle carries cancellation from one simulation to the next.
    // Values beyond the memory budget are refused (OutOfMemory) before the
    // run, as is a failed allocation of them.
    RunResult Simulate(PollThrottle& poll, bool showProgress);

private:
    // The indexes among the first `known` variables that a run records.
    std::vector<std::size_t> recordedVariables(std::size_t known) const;
};

// The name the copy of a simulation is proposed under: "Räuber (9)" gives
// "Räuber (10)", "Räuber" gives "Räuber (1)".
std::string ProposeCopyName(const std::string& name);

// The step count "Weiter rechnen" continues with: twice the current one, but
// never beyond what an int32 holds and the recorded values fit in memory
// (recordedVariables arrays of doubles within memoryBudget bytes). When it
// had to stop short, message receives the German explanation.
int32_t ContinuedStepCount(int32_t current, int recordedVariables, uint64_t memoryBudget, std::string& message);

// German text for a run refused because its values would not fit in memory.
inline constexpr const char* OutOfMemoryText = "Nicht gen\xFCgend Speicher f\xFCr die Werte dieser Simulation.";

}  // namespace qv
