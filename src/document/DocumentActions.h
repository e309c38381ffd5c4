// What the main window does to its document, without the window: creating a
// simulation from an accepted algorithm, marking variables for the vertical
// axis, computing ("Anzeigen") and building the chart for display. The
// window and quorvel-cli both go through these, so both show the same.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "charts/ChartRun.h"
#include "document/QVDocument.h"

class QPaintDevice;

namespace qv {

// What the algorithm editor hands over when it is confirmed.
struct AcceptedAlgorithm {
    std::string Name = "NoName";
    std::vector<std::string> Program;
    std::vector<TListeninhalt> Macros;
    int32_t StepCount = 100;
    bool CaseSensitive = false;
    // By name, spelt as the program may spell it (the compiler's case rule
    // applies); inputs not named start at 0.
    std::vector<std::pair<std::string, double>> StartValues;
};

inline constexpr const char* UnknownInputText = "Unbekannte Eingangsgr\xF6\xDF" "e: ";

// A compile error as the editor reports it: "Zeile L, Spalte C: message".
std::string CompileErrorReport();

// Rebuilds a simulation's variables after its program was just compiled
// (TakeVariables), counting the document's simulations with this one whether
// it was added already or is about to be: with others beside it, its
// variables carry its name. The other simulations' variables are not touched.
void TakeVariablesIn(const TDocument& document, tsim& simulation);

// "Neue Simulation" confirmed: compiles the program (a compile error gives
// its report and changes nothing), builds the simulation with its variables
// in compiler order, adds and selects it; its axes are its first variable,
// and in a two-dimensional chart "ZEIT" on the horizontal axis when it exists.
std::optional<std::string> AddNewSimulation(TDocument& document, const AcceptedAlgorithm& algorithm);

// A click on the variable list: exactly the named variables are plotted;
// those that had no colour of their own take the next palette colours,
// skipping the chart's background colour.
void MarkPlotted(const TDocument& document, tsim& simulation, const std::vector<std::string>& names);

// "Anzeigen", first half: runs every simulation and completes the scaling.
RecomputeOutcome ComputeDocument(TDocument& document, RunObserver* observer);

// "Anzeigen", second half: axes, curves and legends built anew and the chart
// laid out on the page. An axis that cannot be built gives its German message;
// the chart then stays partly built.
std::optional<std::string> BuildChart(TDocument& document, bool animating = false);

// The colour around the page where the drawing area is not shaped like it.
inline constexpr uint32_t PageSurroundColour = 0xA0A0A0;

// Draws the whole page onto a device of the given pixel size as the chart
// view shows it: at one scale in both directions, as large as it fits,
// centred. The page scales are restored after.
void RenderPage(TDocument& document, QPaintDevice& device, int width, int height);

}  // namespace qv
