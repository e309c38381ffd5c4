#include "modeleditors/QVAlgo.h"

#include <algorithm>

#include "engine/QVCompile.h"
#include "engine/QVSim.h"
#include "modeleditors/QVAlgoClipboard.h"
#include "model/QVGrafElements.h"
#include "util/NumberFormat.h"
#include "util/TextHelpers.h"

namespace qv {

namespace {

// The compiler reads macros through a pointer; it must not outlive the
// compile, whatever the compile does.
class MacroListInUse {
public:
    explicit MacroListInUse(const std::vector<TListeninhalt>& macros) { Compiler().Macros = &macros; }
    ~MacroListInUse() { Compiler().Macros = nullptr; }
    MacroListInUse(const MacroListInUse&) = delete;
    MacroListInUse& operator=(const MacroListInUse&) = delete;
};

std::vector<StartValueRow> EmptyTable() { return std::vector<StartValueRow>(StartValueRows); }

}  // namespace

CompileErrorView ShowCompileError(int32_t code, int line, int column, const std::vector<std::string>& program) {
    CompileErrorView view{CompileErrorText(code), std::nullopt};
    if (code < 1 || code > 16) return view;
    const std::size_t before = line > 1 ? static_cast<std::size_t>(line - 1) : 0;
    std::size_t offset = 0;
    for (std::size_t i = 0; i < std::min(before, program.size()); ++i) offset += program[i].size() + 1;
    if (before >= program.size()) {
        // A line past the last one points at the end of the text.
        view.Selection = offset > 0 ? offset - 1 : 0;
        return view;
    }
    // The compiler may point just past the end of a line (") erwartet.").
    offset += std::min<std::size_t>(column > 1 ? static_cast<std::size_t>(column - 1) : 0, program[before].size());
    view.Selection = offset;
    return view;
}

std::string StartValueNotANumberText(const StartValueRow& row) {
    return "Der Startwert von " + row.Name + " ist keine Zahl: " + row.Value;
}

void AlgoEditorState::Reset() {
    Name.clear();
    Program.clear();
    Macros.clear();
    StartValues = EmptyTable();
    Verbal.Clear();
    StepCount = DefaultStepCount;
    Suspended = false;
}

void AlgoEditorState::LoadFrom(const tsim& sim) {
    Name = sim.Name;
    Program = sim.Program;
    Macros = sim.Macros;
    Graphical.LoadFrom(sim);
    Verbal.LoadFrom(sim);
    CaseSensitive = sim.CaseSensitive;
    StartValues.clear();
    for (const auto& variable : sim.Variables)
        if (variable->IsInput) StartValues.push_back({variable->Name, RealToText(variable->StartValue)});
    if (StartValues.size() < StartValueRows) StartValues.resize(StartValueRows);
    // A stored value that no longer reads back is the user's to correct in
    // the table; loading still succeeds.
    if (Compile()) RefreshStartValues();
    StepCount = std::clamp(sim.StepCount, MinStepCount, MaxStepCount);
    Suspended = false;
}

std::optional<std::string> AlgoEditorState::StoreInto(tsim& sim) {
    sim.Name = Name;
    sim.Program = Program;
    sim.Macros = Macros;
    sim.CaseSensitive = CaseSensitive;
    sim.StepCount = StepCount;
    Graphical.StoreInto(sim);
    Verbal.StoreInto(sim);
    // The values go through the compiler state, which other simulations may
    // have used since this program was compiled last.
    if (!Compile()) return std::nullopt;
    if (RefreshStartValues()) return BadStartValuesText;
    return std::nullopt;
}

bool AlgoEditorState::Compile() const {
    CompilerState& c = Compiler();
    c.Compiled = false;
    MacroListInUse inUse(Macros);
    CompileProgram(Program, CaseSensitive);
    return !c.ErrorFlag;
}

std::optional<std::string> AlgoEditorState::ProgramChanged() {
    if (Suspended || !Compile()) return std::nullopt;
    return RefreshStartValues();
}

std::optional<std::string> AlgoEditorState::RefreshStartValues() {
    CompilerState& c = Compiler();
    std::vector<StartValueRow> rows;
    for (int k = 0; k <= c.InputCount; ++k) {
        const auto index = static_cast<std::size_t>(c.InputVariables[static_cast<std::size_t>(k)]);
        const std::string& name = c.VariableNames[index];
        auto row = std::find_if(StartValues.begin(), StartValues.end(), [&](const auto& r) { return r.Name == name; });
        std::string text = row == StartValues.end() || row->Value.empty() ? "0" : row->Value.substr(0, StartValueChars);
        double value = 0;
        if (!TextToReal(text, value)) value = 0;
        c.VariableValues[index] = value;
        rows.push_back({name, std::move(text)});
    }
    if (rows.size() < StartValueRows) rows.resize(StartValueRows);
    StartValues = std::move(rows);
    if (const auto bad = FirstBadStartValue()) return StartValueNotANumberText(StartValues[*bad]);
    return std::nullopt;
}

std::optional<std::size_t> AlgoEditorState::FirstBadStartValue() const {
    for (std::size_t row = 0; row < StartValues.size(); ++row) {
        double value = 0;
        if (!StartValues[row].Name.empty() && !TextToReal(StartValues[row].Value, value)) return row;
    }
    return std::nullopt;
}

std::optional<OkRefusal> AlgoEditorState::ConfirmOk() {
    if (!Compile()) {
        const CompilerState& c = Compiler();
        CompileErrorView view = ShowCompileError(c.CompileError, c.ErrorLine, c.ErrorColumn, Program);
        return OkRefusal{std::move(view.Message), false, view.Selection, std::nullopt};
    }
    RefreshStartValues();
    if (const auto bad = FirstBadStartValue())
        return OkRefusal{StartValueNotANumberText(StartValues[*bad]), false, std::nullopt, bad};
    Name = TrimBlanks(Name);
    if (Name.empty()) return OkRefusal{MissingNameText, true, std::nullopt, std::nullopt};
    return std::nullopt;
}

void AlgoEditorState::ResetStartValues() {
    for (StartValueRow& row : StartValues)
        if (!row.Name.empty()) row.Value = "0";
}

std::string AlgoEditorState::ProgramText() const {
    std::string text = JoinLines(Program);
    if (!text.empty()) text.pop_back();
    return text;
}

void AlgoEditorState::ReplaceProgramText(std::size_t start, std::size_t length, const std::string& text) {
    std::string program = ProgramText();
    start = std::min(start, program.size());
    program.replace(start, std::min(length, program.size() - start), text);
    // A text field's last line exists even when it is empty.
    Program = SplitLines(program + "\n");
}

std::string AlgoEditorState::MacroKey(const std::string& text) const {
    return CaseSensitive ? text : UpperCase1252(text);
}

}  // namespace qv
