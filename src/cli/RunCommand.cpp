// quorvel-cli run PROGRAM [--steps N] [--start NAME=VALUE]... [--macro NAME=FILE]...
//                         [--case-sensitive] [--decimal-comma] [--time-limit SECONDS]
//
// Compiles the algorithm, gives every input its start value, runs the given
// number of passes and prints every variable after every pass as CSV.
#include <charconv>
#include <iostream>
#include <map>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/RunLimits.h"
#include "engine/QVCompile.h"
#include "engine/QVSim.h"
#include "util/Cp1252.h"

namespace qv::cli {

namespace {

constexpr const char* RunUsage =
    "Aufruf: quorvel-cli run PROGRAMM [--steps N] [--start NAME=WERT]... [--macro NAME=DATEI]... "
    "[--case-sensitive] [--decimal-comma] [--time-limit SEKUNDEN]";

struct RunOptions {
    std::string programPath;
    int32_t steps = 100;
    std::vector<std::pair<std::string, std::string>> starts;  // raw values: parsed once the separator is known
    std::vector<std::pair<std::string, std::string>> macros;
    bool caseSensitive = false;
    bool decimalComma = false;
    std::optional<double> timeLimit;
};

int Usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << problem << '\n';
    std::cerr << RunUsage << '\n';
    return ExitUsage;
}

// Fills options from the arguments; an error text when they are wrong.
std::optional<std::string> ParseRunOptions(const std::vector<std::string>& args, RunOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "--case-sensitive") {
            options.caseSensitive = true;
        } else if (arg == "--decimal-comma") {
            options.decimalComma = true;
        } else if (arg == "--steps") {
            auto text = value();
            int32_t steps = 0;
            if (!text) return "--steps braucht eine Zahl.";
            auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), steps);
            if (error != std::errc() || end != text->data() + text->size() || steps < 0)
                return "Ungültige Schrittzahl: " + *text;
            options.steps = steps;
        } else if (arg == "--time-limit") {
            auto text = value();
            options.timeLimit = text ? ParseTimeLimit(*text) : std::nullopt;
            if (!options.timeLimit) return "--time-limit braucht eine positive Zahl von Sekunden.";
        } else if (arg == "--start" || arg == "--macro") {
            auto text = value();
            auto pair = text ? SplitAssignment(*text) : std::nullopt;
            if (!pair) return arg + " erwartet NAME=" + (arg == "--start" ? "WERT" : "DATEI") + ".";
            (arg == "--start" ? options.starts : options.macros).push_back(*pair);
        } else if (arg.rfind("--", 0) == 0) {
            return "Unbekannte Option: " + arg;
        } else if (options.programPath.empty()) {
            options.programPath = arg;
        } else {
            return "Mehr als eine Programmdatei angegeben: " + arg;
        }
    }
    if (options.programPath.empty()) return "Keine Programmdatei angegeben.";
    return std::nullopt;
}

void PrintHeader(const tsim& sim) {
    std::cout << "step";
    for (const auto& v : sim.Variables) std::cout << ',' << Cp1252ToUtf8(v->Name);
    std::cout << '\n';
}

void PrintPasses(const tsim& sim, int32_t passes) {
    std::string row;
    for (int32_t j = 0; j < passes; ++j) {
        row = std::to_string(j + 1);
        for (const auto& v : sim.Variables) {
            row += ',';
            row += ShortestText(v->Values[static_cast<std::size_t>(j)]);
        }
        row += '\n';
        std::cout << row;
    }
}

}  // namespace

int RunCommand(const std::vector<std::string>& args) {
    RunOptions options;
    if (auto problem = ParseRunOptions(args, options)) return Usage(*problem);

    tsim sim;
    sim.StepCount = options.steps;
    sim.CaseSensitive = options.caseSensitive;
    auto program = ReadProgramLines(options.programPath);
    if (!program) return ExitUsage;
    sim.Program = std::move(*program);
    for (const auto& [name, path] : options.macros) {
        auto body = ReadProgramLines(path);
        if (!body) return ExitUsage;
        TListeninhalt macro(Utf8ToCp1252(name));
        macro.Lines = std::move(*body);
        sim.Macros.push_back(std::move(macro));
    }
    // Start values are matched by the name as the compiler spells it.
    struct Start {
        std::string given, name;
        double value;
    };
    std::vector<Start> starts;
    for (const auto& [name, text] : options.starts) {
        auto number = ParseNumber(text, options.decimalComma);
        if (!number) return Usage("Ungültiger Startwert: " + name + "=" + text);
        starts.push_back({name, CompiledName(Utf8ToCp1252(name), options.caseSensitive), *number});
    }

    CompilerState& compiler = Compiler();
    compiler.Macros = &sim.Macros;
    CompileProgram(sim.Program, sim.CaseSensitive);
    compiler.Macros = nullptr;
    if (compiler.ErrorFlag) {
        PrintError("Zeile " + std::to_string(compiler.ErrorLine) + ", Spalte " + std::to_string(compiler.ErrorColumn) +
                   ": " + CompileErrorText(compiler.CompileError));
        return ExitCompileError;
    }
    // Inputs without a --start begin at 0, as a fresh start-value table does.
    std::map<std::string, std::size_t> inputs;
    for (int k = 0; k <= compiler.InputCount; ++k) {
        auto index = static_cast<std::size_t>(compiler.InputVariables[static_cast<std::size_t>(k)]);
        inputs[compiler.VariableNames[index]] = index;
        compiler.VariableValues[index] = 0.0;
    }
    // A value for a name the program does not read would be lost without a word.
    bool unknown = false;
    for (const Start& start : starts) {
        auto input = inputs.find(start.name);
        if (input != inputs.end()) {
            compiler.VariableValues[input->second] = start.value;
        } else {
            std::cerr << "Unbekannte Eingangsgröße: " << start.given << '\n';
            unknown = true;
        }
    }
    if (unknown) return ExitUsage;
    sim.TakeVariables(1);
    for (auto& v : sim.Variables) v->Plotted = true;

    RunResult result;
    int stopCode = ExitOk;
    {
        // Only the run is stopped through the observer; a signal while the
        // passes are printed ends the program as usual.
        RunLimits limits(options.timeLimit);
        PollThrottle poll(&limits);
        result = sim.Simulate(poll, false);
        if (result.Cancelled || limits.interrupted()) stopCode = limits.reportStop();
    }
    if (result.OutOfMemory) {
        PrintError(OutOfMemoryText);
        return ExitRunFault;
    }
    PrintHeader(sim);
    PrintPasses(sim, result.CompletedSteps);
    std::cout.flush();
    if (stopCode != ExitOk) return stopCode;
    if (result.Fault) {
        PrintError(RunErrorMessage(result.Fault->kind()));
        return ExitRunFault;
    }
    return ExitOk;
}

}  // namespace qv::cli
