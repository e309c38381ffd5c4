// How the diagram editor and its formula dialog use the algorithm editor's
// compiler settings: the generated program replaces the editor's text only
// when it compiles, and a single definition is compiled on trial without
// touching the editor's text or start values.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "modeleditors/QVAlgo.h"

namespace qv {

// Replaces the program by lines and compiles it; without an error the
// start values follow the new program. On an error the previous program is
// put back and the compiler's message returned.
std::optional<std::string> TakeGeneratedProgram(AlgoEditorState& editor, std::vector<std::string> lines);

struct TrialError {
    std::string Message;
    int Column;  // 1-based, in the trial line
};

// Compiles line alone with the editor's macros and case option.
std::optional<TrialError> TrialCompile(const AlgoEditorState& editor, const std::string& line);

}  // namespace qv
