// The algorithm editor's state without its window: the simulation's name,
// program lines, macros, step count, case option and start-value table, and
// the operations that keep them in step with the compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/TListeninhalt.h"
#include "modeleditors/WorkingDiagram.h"
#include "modeleditors/WorkingSentences.h"

namespace qv {

class tsim;

// One row of the start-value table: a variable's name and its value as the
// user typed it (user's decimal separator).
struct StartValueRow {
    std::string Name;
    std::string Value;
    bool operator==(const StartValueRow&) const = default;
};

// The table shows this many rows at least; it grows when the program needs
// more start values, so that none is dropped and reset to 0.
inline constexpr std::size_t StartValueRows = 50;
// Only this much of a value cell is read as the start value.
inline constexpr std::size_t StartValueChars = 50;
inline constexpr int32_t DefaultStepCount = 100;
inline constexpr int32_t MinStepCount = 1;
inline constexpr int32_t MaxStepCount = 99999999;

inline constexpr const char* BadStartValuesText = "Die Startwerte sind nicht in Ordnung!";
inline constexpr const char* MissingNameText = "Geben Sie der Simulation einen Namen!";

// What the error display shows for a compile error: the German message and,
// for a known code, where the faulty character lies in the program text.
struct CompileErrorView {
    std::string Message;
    // Offset of the faulty character in ProgramText() (one character per line
    // break); none for an unknown code.
    std::optional<std::size_t> Selection;
};

// The error display of a code with the compiler's 1-based line and column.
CompileErrorView ShowCompileError(int32_t code, int line, int column, const std::vector<std::string>& program);

// What the user reads about a start value that is no number.
std::string StartValueNotANumberText(const StartValueRow& row);

// The outcome of OK: nothing when the dialog may close.
struct OkRefusal {
    std::string Message;
    bool IsWarning = false;  // the empty name is a warning, a compile error an error
    std::optional<std::size_t> Selection;
    // The start-value row whose value is no number.
    std::optional<std::size_t> BadStartValue;
};

class AlgoEditorState {
public:
    std::string Name;
    std::vector<std::string> Program;
    std::vector<TListeninhalt> Macros;
    int32_t StepCount = DefaultStepCount;
    bool CaseSensitive = false;
    std::vector<StartValueRow> StartValues = std::vector<StartValueRow>(StartValueRows);
    // While set, changes of the program text are not compiled; the other
    // editors set it while they write generated text.
    bool Suspended = false;
    // The diagram of the graphical editor opened from here; it is loaded and
    // stored with the rest of the simulation.
    WorkingDiagram Graphical;
    // The sentences of the verbal editor opened from here; they are loaded
    // and stored with the rest of the simulation.
    WorkingSentences Verbal;

    // The empty editor of a new simulation; the case option stays.
    void Reset();

    void LoadFrom(const tsim& sim);

    // Writes the editor's contents into sim. A start value that is no number
    // gives BadStartValuesText; everything else is stored all the same.
    std::optional<std::string> StoreInto(tsim& sim);

    // Compiles the program with the editor's macros and case option; true
    // without an error. The compiler state keeps the result.
    bool Compile() const;

    // A change of the program text or of the case option: unless suspended,
    // compiles and, without an error, refreshes the start values. Returns the
    // message of a start value that is no number; compile errors stay silent.
    std::optional<std::string> ProgramChanged();

    // After a successful compile: one row per compiler input in its order,
    // keeping the value typed for a name that remains ("0" for a new name),
    // and writes the values into the compiler's VariableValues. A value that
    // is no number stays in its row for the user to correct, its variable
    // gets 0, and the message naming the first such value is returned.
    std::optional<std::string> RefreshStartValues();

    // The first named row whose value is no number.
    std::optional<std::size_t> FirstBadStartValue() const;

    // OK: compiles (an error keeps the dialog open with the error display),
    // refreshes the start values and refuses one that is no number (it
    // would run as 0), trims the name and refuses an empty one.
    std::optional<OkRefusal> ConfirmOk();

    // "&Zurücksetzen": every named row gets "0".
    void ResetStartValues();

    // The program text as the text field holds it, lines joined by "\n".
    std::string ProgramText() const;

    // Replaces length characters of the program text from start (clamped to
    // the text) without compiling, as code does with the suspend flag set.
    void ReplaceProgramText(std::size_t start, std::size_t length, const std::string& text);

    // Names compared as the compiler does: upper-cased unless case-sensitive.
    std::string MacroKey(const std::string& text) const;
};

}  // namespace qv
