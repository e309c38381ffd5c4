// What the document commands of quorvel-cli share: a headless Qt session for
// fonts and painting, reading a document with the program's messages, and
// computing and laying out a document as "Anzeigen" does.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "document/QVDocument.h"

class QGuiApplication;

namespace qv::cli {

// Starts QtGui on the offscreen platform (no display needed) and prepares the
// fonts; ends it when destroyed.
class WorksheetSession {
public:
    WorksheetSession();
    ~WorksheetSession();

private:
    std::unique_ptr<QGuiApplication> app_;
};

// Reads a document; on failure prints the German message and returns nothing.
std::optional<TDocument> ReadDocumentReporting(const std::string& path);

// "Anzeigen" at a page of width × height pixels: computes every simulation,
// then builds the chart. Prints any message; returns the exit code
// (ExitOk, or ExitRunFault when a run ended with an arithmetic fault).
int ComputeAndBuild(TDocument& document, int width, int height);

// The simulation of that name (UTF-8), or the first when the name is empty;
// prints why there is none.
tsim* FindSimulation(const TDocument& document, const std::string& utf8Name);

inline constexpr int DefaultRenderWidth = 1600;
inline constexpr int DefaultRenderHeight = 1200;

}  // namespace qv::cli
