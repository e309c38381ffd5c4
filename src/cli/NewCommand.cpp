// quorvel-cli new -o DOC.prg --program FILE [--name NAME] [--steps N] [--start NAME=VALUE]...
//     [--plot VAR[,VAR]...] [--x VAR] [--3d --y VAR] [--chart-only|--table-only|--both]
//     [--time-limit SECONDS]
//
// Builds a document as a user would with "Neue Simulation": the algorithm
// editor confirmed, the x-axis variable chosen, the plotted variables marked;
// then computes and saves it.
#include <charconv>
#include <iostream>

#include "charts/bsgraf3d.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/RunLimits.h"
#include "cli/WorksheetSession.h"
#include "document/DocumentActions.h"
#include "engine/QVCompile.h"
#include "util/Cp1252.h"

namespace qv::cli {

namespace {

constexpr const char* NewUsage =
    "Aufruf: quorvel-cli new -o DOKUMENT.prg --program DATEI [--name NAME] [--steps N] [--start NAME=WERT]... "
    "[--plot VAR[,VAR]...] [--x VAR] [--3d --y VAR] [--chart-only|--table-only|--both] "
    "[--time-limit SEKUNDEN]";

struct NewOptions {
    std::string output, program, x, y;
    AcceptedAlgorithm algorithm;
    std::vector<std::string> plot;
    bool threeD = false;
    bool chartShown = true, tableShown = false;
    std::optional<double> timeLimit;
};

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        if (comma > start) items.push_back(Utf8ToCp1252(text.substr(start, comma - start)));
        start = comma + 1;
    }
    return items;
}

std::optional<std::string> ParseNewOptions(const std::vector<std::string>& args, NewOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        auto need = [&](std::string& into) -> bool {
            auto v = value();
            if (v) into = *v;
            return v.has_value();
        };
        if (arg == "-o") {
            if (!need(o.output)) return "-o braucht einen Dateinamen.";
        } else if (arg == "--program") {
            if (!need(o.program)) return "--program braucht einen Dateinamen.";
        } else if (arg == "--name") {
            std::string name;
            if (!need(name)) return "--name braucht einen Namen.";
            o.algorithm.Name = Utf8ToCp1252(name);
        } else if (arg == "--steps") {
            std::string text;
            int32_t steps = 0;
            if (!need(text)) return "--steps braucht eine Zahl.";
            auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), steps);
            if (error != std::errc() || end != text.data() + text.size() || steps < 1)
                return "Ungültige Schrittzahl: " + text;
            o.algorithm.StepCount = steps;
        } else if (arg == "--start") {
            auto text = value();
            auto pair = text ? SplitAssignment(*text) : std::nullopt;
            auto number = pair ? ParseNumber(pair->second, false) : std::nullopt;
            if (!number) return "--start erwartet NAME=WERT.";
            o.algorithm.StartValues.emplace_back(Utf8ToCp1252(pair->first), *number);
        } else if (arg == "--time-limit") {
            auto text = value();
            o.timeLimit = text ? ParseTimeLimit(*text) : std::nullopt;
            if (!o.timeLimit) return "--time-limit braucht eine positive Zahl von Sekunden.";
        } else if (arg == "--plot") {
            std::string list;
            if (!need(list)) return "--plot braucht Variablennamen.";
            for (auto& name : SplitList(list)) o.plot.push_back(name);
        } else if (arg == "--x") {
            if (!need(o.x)) return "--x braucht einen Variablennamen.";
        } else if (arg == "--y") {
            if (!need(o.y)) return "--y braucht einen Variablennamen.";
        } else if (arg == "--3d") {
            o.threeD = true;
        } else if (arg == "--chart-only") {
            o.chartShown = true, o.tableShown = false;
        } else if (arg == "--table-only") {
            o.chartShown = false, o.tableShown = true;
        } else if (arg == "--both") {
            o.chartShown = o.tableShown = true;
        } else {
            return "Unbekannte Option: " + arg;
        }
    }
    if (o.output.empty()) return "Kein Ausgabedokument (-o) angegeben.";
    if (o.program.empty()) return "Keine Programmdatei (--program) angegeben.";
    if (!o.y.empty() && !o.threeD) return "--y gilt nur mit --3d.";
    return std::nullopt;
}

// Chooses an axis variable by name as the user would in the axis list.
bool ChooseAxis(const tsim& simulation, const std::string& utf8Name, std::string& axisName) {
    std::string name = Utf8ToCp1252(utf8Name);
    if (simulation.IndexOfVariable(name) < 0) {
        std::cerr << "Die Variable " << utf8Name << " gibt es im Algorithmus nicht.\n";
        return false;
    }
    axisName = name;
    return true;
}

}  // namespace

int NewCommand(const std::vector<std::string>& args) {
    NewOptions o;
    if (auto problem = ParseNewOptions(args, o)) {
        std::cerr << *problem << '\n' << NewUsage << '\n';
        return ExitUsage;
    }
    auto program = ReadProgramLines(o.program);
    if (!program) return ExitUsage;
    o.algorithm.Program = std::move(*program);

    WorksheetSession session;
    TDocument document = TDocument::CreateNew();
    document.Chart->threeD = o.threeD;
    document.ChartShown = o.chartShown;
    document.TableShown = o.tableShown;
    if (auto error = AddNewSimulation(document, o.algorithm)) {
        PrintError(*error);
        return Compiler().ErrorFlag ? ExitCompileError : ExitUsage;
    }
    tsim& simulation = *document.SelectedSimulation();
    if (!o.x.empty() && !ChooseAxis(simulation, o.x, simulation.XAxisName)) return ExitUsage;
    if (!o.y.empty() && !ChooseAxis(simulation, o.y, simulation.YAxisName)) return ExitUsage;
    for (const auto& name : o.plot)
        if (simulation.IndexOfVariable(name) < 0) {
            std::cerr << "Die Variable " << Cp1252ToUtf8(name) << " gibt es im Algorithmus nicht.\n";
            return ExitUsage;
        }
    MarkPlotted(document, simulation, o.plot);

    int code = ComputeAndBuild(document, DefaultRenderWidth, DefaultRenderHeight, o.timeLimit);
    if (IsSignalExit(code)) return code;
    std::string error;
    if (!writeDocument(document, o.output, error)) {
        PrintError(error);
        return ExitUsage;
    }
    return code;
}

}  // namespace qv::cli
