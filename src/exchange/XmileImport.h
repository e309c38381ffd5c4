// Turns an XMILE model into a simulation: an algorithm that computes it with
// Euler's method, its start values and step count, and what to plot.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "document/DocumentActions.h"
#include "exchange/XmileModel.h"

namespace qv {

struct XmileImportResult {
    AcceptedAlgorithm Algorithm;
    std::vector<std::string> Plotted;   // the stocks, or the auxiliaries when there are none
    std::vector<std::string> Warnings;  // German, for the user; the import went through
    TDiagram Diagram;  // from the view; empty when it holds no positions
};

// Lines of the generated program that keep an original name for the export:
// "// XMILE: NAME = Original Name" (the program's 8-bit text).
inline constexpr const char* XmileNameComment = "// XMILE: ";

// The German message listing the variables that cannot be translated starts so.
inline constexpr const char* XmileUntranslatableText =
    "Diese Gr\xF6\xDF" "en des Modells k\xF6nnen nicht \xFC" "bernommen werden:";

// Builds the simulation. Fails with a German message when the model cannot be
// computed; variables that cannot be translated fail the import with their
// list unless takePartial is set, when they become start values of 0 and the
// list is one of the warnings. Building the diagram needs a QtGui session.
std::variant<XmileImportResult, std::string> ImportXmile(const XmileModel& model, bool takePartial);

// Adds the imported simulation to the document, selected, with its stocks
// (or auxiliaries) plotted against ZEIT. A German message when it cannot.
std::optional<std::string> AddImportedSimulation(TDocument& document, const XmileImportResult& imported);

}  // namespace qv
