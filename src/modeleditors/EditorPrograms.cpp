#include "modeleditors/EditorPrograms.h"

#include <utility>

#include "engine/QVCompile.h"

namespace qv {

std::optional<std::string> TakeGeneratedProgram(AlgoEditorState& editor, std::vector<std::string> lines) {
    std::vector<std::string> previous = std::exchange(editor.Program, std::move(lines));
    if (!editor.Compile()) {
        editor.Program = std::move(previous);
        return CompileErrorText(Compiler().CompileError);
    }
    // A start value that is no number stays in its row, as after typing.
    editor.RefreshStartValues();
    return std::nullopt;
}

std::optional<TrialError> TrialCompile(const AlgoEditorState& editor, const std::string& line) {
    AlgoEditorState trial;
    trial.Macros = editor.Macros;
    trial.CaseSensitive = editor.CaseSensitive;
    trial.Program = {line};
    if (trial.Compile()) return std::nullopt;
    return TrialError{CompileErrorText(Compiler().CompileError), Compiler().ErrorColumn};
}

}  // namespace qv
