#include "cli/WorksheetSession.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/RunLimits.h"
#include "document/DocumentActions.h"
#include "drawing/TextFonts.h"
#include "util/Geometry.h"
#include "util/Cp1252.h"
#include "util/TextHelpers.h"

namespace qv::cli {

namespace {

int fakeArgc = 1;
char fakeName[] = "quorvel-cli";
char* fakeArgv[] = {fakeName, nullptr};

}  // namespace

WorksheetSession::WorksheetSession() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session (build machines, cron) Qt would warn on every run
    // that it picks this folder itself.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const std::string runtime = "/tmp/runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        qputenv("XDG_RUNTIME_DIR", runtime.c_str());
    }
    app_ = std::make_unique<QGuiApplication>(fakeArgc, fakeArgv);
    // Shipped data (the predicate file) is looked for relative to the program.
    AppFolders().ProgramFolder = QCoreApplication::applicationDirPath().toStdString() + "/";
    PrepareFonts();
}

WorksheetSession::~WorksheetSession() = default;

std::optional<TDocument> ReadDocumentReporting(const std::string& path) {
    try {
        return readDocument(path);
    } catch (const DocumentError& error) {
        PrintError(*error.what() ? error.what() : NotADocumentText);
    } catch (const StreamError& error) {
        PrintError(error.what());
    }
    return std::nullopt;
}

int ComputeAndBuild(TDocument& document, int width, int height, std::optional<double> timeLimitSeconds) {
    const PageFit fit = FitPage(width, height, document.Page->Width(), document.Page->Height());
    Scales().PixelsPerCmX = Scales().PixelsPerCmY = fit.PixelsPerCm;
    document.Page->UpdatePixels();
    int code = ExitOk;
    {
        RunLimits limits(timeLimitSeconds);
        RecomputeOutcome outcome = ComputeDocument(document, &limits);
        if (limits.interrupted()) return limits.reportStop();
        if (!outcome.Message.empty()) {
            PrintError(outcome.Message);
            code = ExitRunFault;
        } else if (outcome.Cancelled) {
            code = limits.reportStop();
        }
    }
    if (auto failure = BuildChart(document)) PrintError(*failure);
    return code;
}

tsim* FindSimulation(const TDocument& document, const std::string& utf8Name) {
    if (utf8Name.empty()) {
        if (!document.Simulations.empty()) return document.Simulations.front().get();
        std::cerr << "Das Dokument enthält keine Simulation.\n";
        return nullptr;
    }
    const std::string name = Utf8ToCp1252(utf8Name);
    for (const auto& sim : document.Simulations)
        if (sim->Name == name) return sim.get();
    std::cerr << "Unbekannte Simulation: " << utf8Name << '\n';
    return nullptr;
}

}  // namespace qv::cli
