#include "modeleditors/QVmakro.h"

#include <algorithm>

#include "modeleditors/QVAlgoClipboard.h"
#include "util/TextHelpers.h"

namespace qv {

namespace {

std::string Selected(const AlgoEditorState& state, std::size_t start, std::size_t length) {
    const std::string text = state.ProgramText();
    return start < text.size() ? text.substr(start, length) : std::string();
}

TListeninhalt* FindMacro(AlgoEditorState& state, const std::string& name) {
    auto macro = std::find_if(state.Macros.begin(), state.Macros.end(), [&](const auto& m) { return m.Name == name; });
    return macro == state.Macros.end() ? nullptr : &*macro;
}

// Blanks around a typed name cannot belong to a name the compiler finds.
std::string MacroName(const AlgoEditorState& state, const std::string& typed) {
    return state.MacroKey(TrimBlanks(typed));
}

std::optional<std::string> RefuseName(AlgoEditorState& state, const std::string& name) {
    if (name.empty()) return MissingMacroNameText;
    if (FindMacro(state, name)) return MacroExistsText;
    return std::nullopt;
}

bool ProgramNames(const AlgoEditorState& state, const std::string& name) {
    return std::any_of(state.Program.begin(), state.Program.end(),
                       [&](const std::string& line) { return state.MacroKey(line).find(name) != std::string::npos; });
}

}  // namespace

TListeninhalt* FindSelectedMacro(AlgoEditorState& state, const std::string& selectedText) {
    return selectedText.empty() ? nullptr : FindMacro(state, state.MacroKey(selectedText));
}

TextRange MacroBodyRange(const AlgoEditorState& state, std::size_t start, std::size_t length) {
    const std::string selected = Selected(state, start, length);
    const std::size_t first = selected.find_first_not_of('\n');
    if (first == std::string::npos) return {std::min(start, state.ProgramText().size()), 0};
    return {start + first, selected.find_last_not_of('\n') + 1 - first};
}

std::optional<std::string> CreateMacro(AlgoEditorState& state, std::size_t start, std::size_t length,
                                       const std::string& name) {
    const TextRange body = MacroBodyRange(state, start, length);
    if (body.Length == 0) return std::nullopt;
    const std::string selected = Selected(state, body.Start, body.Length);
    const std::string key = MacroName(state, name);
    if (auto refusal = RefuseName(state, key)) return refusal;
    TListeninhalt macro(key);
    macro.Lines = SplitLines(selected);
    state.Macros.push_back(std::move(macro));
    state.ReplaceProgramText(body.Start, body.Length, key);
    return std::nullopt;
}

std::optional<std::string> ResolveMacro(AlgoEditorState& state, std::size_t start, std::size_t length) {
    const TListeninhalt* macro = FindSelectedMacro(state, Selected(state, start, length));
    if (!macro) return NotAMacroText;
    const std::string name = macro->Name;
    state.ReplaceProgramText(start, length, MacroText(*macro));
    if (!ProgramNames(state, name)) DeleteMacro(state, name);
    return std::nullopt;
}

std::string MacroText(const TListeninhalt& macro) { return JoinLines(macro.Lines); }

void SetMacroText(TListeninhalt& macro, const std::string& text) { macro.Lines = SplitLines(text); }

std::optional<std::string> AddMacro(AlgoEditorState& state, const std::string& name, const std::string& text) {
    const std::string key = MacroName(state, name);
    if (auto refusal = RefuseName(state, key)) return refusal;
    TListeninhalt macro(key);
    SetMacroText(macro, text);
    state.Macros.push_back(std::move(macro));
    return std::nullopt;
}

std::optional<std::string> RenameMacro(AlgoEditorState& state, const std::string& oldName, const std::string& newName) {
    TListeninhalt* macro = FindMacro(state, oldName);
    if (!macro) return NotAMacroText;
    const std::string key = MacroName(state, newName);
    if (key == oldName) return std::nullopt;
    if (auto refusal = RefuseName(state, key)) return refusal;
    macro->Name = key;
    return std::nullopt;
}

bool DeleteMacro(AlgoEditorState& state, const std::string& name) {
    return std::erase_if(state.Macros, [&](const auto& m) { return m.Name == name; }) > 0;
}

}  // namespace qv
