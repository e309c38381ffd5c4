#include "modeleditors/QVAlgoClipboard.h"

#include "model/QVGrafElements.h"

namespace qv {

namespace {

constexpr const char* ClipboardLineBreak = "\r\n";

// The first line's text up to and including its first "(", which names what
// the clipboard holds; empty when it has no "(".
std::string HeaderOf(const std::string& line) {
    const auto bracket = line.find('(');
    return bracket == std::string::npos ? std::string() : line.substr(0, bracket + 1);
}

std::string HeaderLine(const char* header, const std::string& simulationName) {
    return header + simulationName + ")" + ClipboardLineBreak;
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            open = true;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.push_back(std::move(line));
        line.clear();
        open = false;
    }
    if (open) lines.push_back(std::move(line));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, const std::string& lineBreak) {
    std::string text;
    for (const std::string& line : lines) text += line + lineBreak;
    return text;
}

std::string ProgramCopyText(const std::string& simulationName, const std::string& selectedText) {
    return HeaderLine(ProgramHeader, simulationName) + JoinLines(SplitLines(selectedText), ClipboardLineBreak);
}

std::string ProgramPasteText(const std::string& clipboardText) {
    std::vector<std::string> lines = SplitLines(clipboardText);
    if (lines.empty()) return clipboardText;
    const std::string header = HeaderOf(lines.front());
    if (header == ProgramHeader) {
        lines.erase(lines.begin());
        return JoinLines(lines);
    }
    if (UpperCase1252(header) == UpperCase1252(StartValuesHeader)) {
        for (std::string& line : lines) line.insert(0, "// ");
        return JoinLines(lines);
    }
    return clipboardText;
}

std::string StartValuesCopyText(const std::string& simulationName, const std::vector<StartValueRow>& rows) {
    std::string text = HeaderLine(StartValuesHeader, simulationName);
    for (const StartValueRow& row : rows)
        if (!row.Name.empty()) text += row.Name + ";" + row.Value + ClipboardLineBreak;
    return text;
}

std::optional<std::string> PasteStartValues(const std::string& clipboardText, std::vector<StartValueRow>& rows) {
    const std::vector<std::string> lines = SplitLines(clipboardText);
    if (lines.empty() || HeaderOf(lines.front()) != StartValuesHeader) return NoStartValuesText;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto semicolon = lines[i].find(';');
        if (semicolon == std::string::npos || semicolon == 0) continue;
        const std::string name = lines[i].substr(0, semicolon);
        const std::string value = lines[i].substr(semicolon + 1, PastedValueChars);
        for (StartValueRow& row : rows)
            if (row.Name == name) row.Value = value;
    }
    return std::nullopt;
}

}  // namespace qv
