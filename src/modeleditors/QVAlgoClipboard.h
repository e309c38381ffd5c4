// The algorithm editor's clipboard texts: program text under a
// "PROGRAMM: (name)" header line and start values under "Startwerte: (name)",
// one "name;value" line each. Pasted text comes from anywhere and is read
// without trusting it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "modeleditors/QVAlgo.h"

namespace qv {

inline constexpr const char* ProgramHeader = "PROGRAMM: (";
inline constexpr const char* StartValuesHeader = "Startwerte: (";
inline constexpr const char* NoStartValuesText = "In der Zwischenablage befinden sich keine Startwerte!";
// A pasted start value is cut to this many characters.
inline constexpr std::size_t PastedValueChars = 255;

// Lines split at CR LF, LF or CR; a final line break ends the last line
// rather than starting an empty one.
std::vector<std::string> SplitLines(const std::string& text);

// Every line followed by a line break ("\n" in the text fields, CR LF on the
// clipboard).
std::string JoinLines(const std::vector<std::string>& lines, const std::string& lineBreak = "\n");

// "&Kopieren" in the program text.
std::string ProgramCopyText(const std::string& simulationName, const std::string& selectedText);

// "&Einfügen" in the program text: what replaces the selection. Program text
// loses its header line; start values (header in any case) become comments,
// so that they cannot break the program; other text stays unchanged.
std::string ProgramPasteText(const std::string& clipboardText);

// "&Kopieren" in the start-value table: the named rows.
std::string StartValuesCopyText(const std::string& simulationName, const std::vector<StartValueRow>& rows);

// "&Einfügen" in the start-value table: rows whose name is given get its
// value; other names are ignored and no row is added. Text without the
// header changes nothing and gives NoStartValuesText.
std::optional<std::string> PasteStartValues(const std::string& clipboardText, std::vector<StartValueRow>& rows);

}  // namespace qv
