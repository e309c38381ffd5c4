// The macro commands of the algorithm editor and of the macro text dialog,
// as operations on the editor's state. Selections are given as offsets into
// the program text (lines joined by "\n").
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "modeleditors/QVAlgo.h"

namespace qv {

inline constexpr const char* MacroExistsText = "Es existiert schon ein Makro mit diesem Namen";
inline constexpr const char* NotAMacroText = "Der ausgew\xE4hlte Bereich ist kein Makro";
inline constexpr const char* MissingMacroNameText = "Geben Sie dem Makro einen Namen!";
inline constexpr const char* MacroPromptCaption = "Makro erzeugen";
inline constexpr const char* MacroPromptText = "Geben Sie den Namen des Makros ein:";
inline constexpr const char* ProposedMacroName = "Makro";

// The macro whose name the selected text is (compared as the compiler
// compares names); null when there is none.
TListeninhalt* FindSelectedMacro(AlgoEditorState& state, const std::string& selectedText);

// A stretch of the program text.
struct TextRange {
    std::size_t Start = 0;
    std::size_t Length = 0;
};

// What "&Makro erzeugen" takes of a selection: whole lines picked with
// Shift+Down end at the start of the next line (picked upwards, they begin at
// the end of the line before). Those line breaks separate the call from its
// neighbours and stay in the program; taken into the macro, they would join
// the call to the next statement.
TextRange MacroBodyRange(const AlgoEditorState& state, std::size_t start, std::size_t length);

// "&Makro erzeugen": the selected text becomes a new macro of that name and
// the selection is replaced by the name. Gives the German refusal when the
// name is taken or blank (a blank name would make the selected text
// unreachable). It takes the MacroBodyRange of the selection; an empty one
// does nothing.
std::optional<std::string> CreateMacro(AlgoEditorState& state, std::size_t start, std::size_t length,
                                       const std::string& name);

// "Makro auf&lösen": the selected macro name is replaced by the macro's body;
// the macro is dropped when the program no longer names it.
std::optional<std::string> ResolveMacro(AlgoEditorState& state, std::size_t start, std::size_t length);

// A macro's body as the macro text dialog shows it, and back.
std::string MacroText(const TListeninhalt& macro);
void SetMacroText(TListeninhalt& macro, const std::string& text);

// New, rename and delete in the macro list. Names are taken as the compiler
// compares them; a taken or blank name is refused.
std::optional<std::string> AddMacro(AlgoEditorState& state, const std::string& name, const std::string& text);
std::optional<std::string> RenameMacro(AlgoEditorState& state, const std::string& oldName, const std::string& newName);
bool DeleteMacro(AlgoEditorState& state, const std::string& name);

}  // namespace qv
