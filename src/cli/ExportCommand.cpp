// quorvel-cli export DOC.prg -o MODEL.xmile [--simulation NAME]
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/WorksheetSession.h"
#include "drawing/QtBytes.h"
#include "exchange/XmileExport.h"

namespace qv::cli {

int ExportCommand(const std::vector<std::string>& args) {
    constexpr const char* Usage = "Aufruf: quorvel-cli export DOKUMENT.prg -o MODELL.xmile [--simulation NAME]";
    std::string document, output, simulation;
    bool simulationGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "-o" && hasValue && output.empty()) {
            output = args[++i];
        } else if (args[i] == "--simulation" && hasValue && !simulationGiven) {
            simulation = args[++i];
            simulationGiven = true;
        } else if (args[i].rfind("-", 0) != 0 && document.empty()) {
            document = args[i];
        } else {
            std::cerr << Usage << '\n';
            return ExitUsage;
        }
    }
    if (document.empty() || output.empty()) {
        std::cerr << Usage << '\n';
        return ExitUsage;
    }
    WorksheetSession session;
    auto doc = ReadDocumentReporting(document);
    if (!doc) return ExitCompileError;
    const tsim* sim = FindSimulation(*doc, simulation);
    if (!sim) return ExitUsage;
    const XmileExport exported = ExportXmile(*sim);
    if (!WriteOutputFile(output, ByteSpan(exported.Bytes))) return ExitUsage;
    // The file is written all the same; the message says what it lacks.
    if (!exported.Warning.empty()) PrintError(exported.Warning);
    return ExitOk;
}

}  // namespace qv::cli
