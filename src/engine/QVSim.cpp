#include "engine/QVSim.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>

#include "engine/QVCompile.h"

namespace qv {

tsim::tsim(InStream& in) {
    Name = in.readString();
    Program = in.readStringList();
    std::size_t macroCount = in.readCount(8);
    Macros.reserve(macroCount);
    for (std::size_t i = 0; i < macroCount; ++i) Macros.emplace_back(in);
    std::size_t variableCount = in.readCount(8);
    Variables.reserve(variableCount);
    for (std::size_t i = 0; i < variableCount; ++i) Variables.push_back(std::make_unique<Tvariable>(in));
    XAxisName = in.readString();
    YAxisName = in.readString();
    StepCount = in.readInt32();
    CaseSensitive = in.readBool();
    StockNames = in.readStringList();
    RateNames = in.readStringList();
    Sentences = in.readStringList();
    Diagram = TDiagram::read(in);
    StoredResults = in.readBool();
    SimplifiedModel = in.readBool();
    ExtendedSyntax = in.readBool();
}

bool tsim::save(OutStream& out) const {
    out.writeString(Name);
    out.writeStringList(Program);
    out.writeCount(Macros.size());
    for (const auto& macro : Macros)
        if (!macro.save(out)) return false;
    out.writeCount(Variables.size());
    for (const auto& variable : Variables)
        if (!variable->save(out)) return false;
    out.writeString(XAxisName);
    out.writeString(YAxisName);
    out.writeInt32(StepCount);
    out.writeBool(CaseSensitive);
    out.writeStringList(StockNames);
    out.writeStringList(RateNames);
    out.writeStringList(Sentences);
    if (!Diagram.save(out)) return false;
    out.writeBool(StoredResults);
    out.writeBool(SimplifiedModel);
    out.writeBool(ExtendedSyntax);
    return out.ok();
}

int tsim::IndexOfVariable(const std::string& name) const {
    for (std::size_t i = 0; i < Variables.size(); ++i)
        if (Variables[i]->Name == name) return static_cast<int>(i);
    return -1;
}

int tsim::PlottedCount() const {
    return static_cast<int>(std::count_if(Variables.begin(), Variables.end(), [](const auto& v) { return v->Plotted; }));
}

std::vector<std::size_t> tsim::recordedVariables(std::size_t known) const {
    std::vector<std::size_t> recorded;
    const int xIndex = IndexOfVariable(XAxisName), yIndex = IndexOfVariable(YAxisName);
    for (std::size_t i = 0; i < known; ++i) {
        const bool isAxis = static_cast<int>(i) == xIndex || static_cast<int>(i) == yIndex;
        if (Variables[i]->Plotted || isAxis) recorded.push_back(i);
    }
    return recorded;
}

uint64_t tsim::RecordedBytes() const {
    if (StoredResults || StepCount <= 0) return 0;
    return recordedVariables(Variables.size()).size() * sizeof(double) * static_cast<uint64_t>(StepCount);
}

void tsim::LabelVariables(int simulationCount) {
    for (auto& variable : Variables) variable->SimulationName = simulationCount >= 2 ? Name : std::string();
}

void tsim::TakeVariables(int simulationCount) {
    const CompilerState& c = Compiler();
    std::vector<std::unique_ptr<Tvariable>> taken;
    for (int i = 0; i <= c.VariableCount; ++i) {
        const std::string& name = c.VariableNames[static_cast<std::size_t>(i)];
        auto old = std::find_if(Variables.begin(), Variables.end(), [&](const auto& v) { return v && v->Name == name; });
        std::unique_ptr<Tvariable> variable = old != Variables.end() ? std::move(*old) : std::make_unique<Tvariable>(name);
        variable->IsInput = false;
        taken.push_back(std::move(variable));
    }
    for (int k = 0; k <= c.InputCount; ++k) {
        auto index = static_cast<std::size_t>(c.InputVariables[static_cast<std::size_t>(k)]);
        if (index >= taken.size()) continue;
        taken[index]->IsInput = true;
        taken[index]->StartValue = c.VariableValues[index];
    }
    Variables = std::move(taken);
    LabelVariables(simulationCount);
}

RunResult tsim::Simulate(PollThrottle& poll, bool showProgress) {
    RunResult result;
    if (StoredResults) return result;
    CompilerState& c = Compiler();
    c.Macros = &Macros;
    CompileProgram(Program, CaseSensitive);
    c.Macros = nullptr;
    if (c.ErrorFlag) {
        result.CompileFailed = true;
        return result;
    }
    // The variable list follows compiler order; a list that no longer matches
    // the program (it was edited elsewhere) must not index past the table.
    std::size_t known = std::min<std::size_t>(Variables.size(), static_cast<std::size_t>(c.VariableCount + 1));
    std::size_t steps = StepCount > 0 ? static_cast<std::size_t>(StepCount) : 0;

    const std::vector<std::size_t> recorded = recordedVariables(known);
    for (std::size_t i = 0; i < known; ++i)
        if (Variables[i]->IsInput) c.VariableValues[i] = Variables[i]->StartValue;
    // A step count read from a file may ask for more than the machine holds;
    // and what the budget admits may still be taken by others meanwhile.
    if (!recorded.empty() && steps > RecordedValuesBudget() / (sizeof(double) * recorded.size())) {
        result.OutOfMemory = true;
        for (std::size_t i : recorded) Variables[i]->Values.clear();
        return result;
    }
    try {
        for (std::size_t i : recorded) Variables[i]->Values.resize(steps);
    } catch (const std::bad_alloc&) {
        for (std::size_t i : recorded) std::vector<double>().swap(Variables[i]->Values);
        result.OutOfMemory = true;
        return result;
    }

    try {
        for (std::size_t j = 0; j < steps; ++j) {
            if (!RunProgram(poll)) {
                result.Cancelled = true;
                break;
            }
            if (showProgress) {
                poll.setPosition(static_cast<int>(std::lround(static_cast<double>(j) * 100.0 / static_cast<double>(steps))));
                if (!poll.poll()) {
                    result.Cancelled = true;
                    break;
                }
            }
            for (std::size_t i : recorded) Variables[i]->Values[j] = c.VariableValues[i];
            result.CompletedSteps = static_cast<int32_t>(j + 1);
        }
    } catch (const RunError& fault) {
        result.Fault = fault;
    }
    // A run that stopped early has results for its completed passes only; the
    // rest of the arrays would show zeros or an earlier run's values.
    for (std::size_t i : recorded) Variables[i]->Values.resize(static_cast<std::size_t>(result.CompletedSteps));
    return result;
}

std::string ProposeCopyName(const std::string& name) {
    std::size_t open = name.find('(');
    if (open == std::string::npos) return name + " (1)";
    std::size_t close = name.find(')');
    if (close == std::string::npos || close < open) return name;
    std::string digits = name.substr(open + 1, close - open - 1);
    long long number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        number == std::numeric_limits<long long>::max())
        return name;
    return name.substr(0, open) + "(" + std::to_string(number + 1) + ")";
}

int32_t ContinuedStepCount(int32_t current, int recordedVariables, uint64_t memoryBudget, std::string& message) {
    message.clear();
    int64_t wanted = 2 * static_cast<int64_t>(current);
    int64_t limit = std::numeric_limits<int32_t>::max();
    if (recordedVariables > 0)
        limit = std::min<int64_t>(limit, static_cast<int64_t>(memoryBudget / (sizeof(double) * static_cast<uint64_t>(recordedVariables))));
    if (wanted <= limit) return static_cast<int32_t>(wanted);
    int32_t capped = static_cast<int32_t>(std::max<int64_t>(limit, current));
    message = "Die Anzahl der Schritte kann nicht weiter verdoppelt werden.\nSie wurde auf " + std::to_string(capped) +
              " begrenzt.";
    return capped;
}

}  // namespace qv
