#include "modeleditors/FormulaInput.h"

#include <algorithm>

namespace qv {

void FormulaInput::Take(std::string text, std::size_t selStart, std::size_t selLength) {
    Text = std::move(text);
    SelStart = std::min(selStart, Text.size());
    SelLength = std::min(selLength, Text.size() - SelStart);
}

void FormulaInput::Insert(const std::string& text) {
    Text.replace(SelStart, SelLength, text);
    SelStart += text.size();
    SelLength = 0;
    LastInsertion = text.size();
}

void FormulaInput::InsertButton(const std::string& caption, bool function) {
    Insert(function ? caption + "(" : caption);
}

void FormulaInput::InsertVariable(const std::string& name) { Insert(name); }

void FormulaInput::Backspace() {
    const std::size_t caret = Caret();
    const std::size_t n = std::min(LastInsertion, caret);
    Text.erase(caret - n, n);
    SelStart = caret - n;
    SelLength = 0;
    LastInsertion = 1;
}

void FormulaInput::Clear() {
    Text.clear();
    SelStart = SelLength = 0;
    LastInsertion = 1;
}

bool IsFunctionButton(const std::string& objectName) { return objectName.empty() || objectName.front() != 'B'; }

FormulaErrorSpot LocateFormulaError(int column, const std::string& name, const std::string& formula) {
    const auto within = [](long long position, const std::string& text) {
        return static_cast<std::size_t>(std::clamp<long long>(position, 0, static_cast<long long>(text.size())));
    };
    const auto m = static_cast<long long>(name.size());
    if (m + 2 < column) return {true, within(column - m - 3, formula)};
    return {false, within(column - 1, name)};
}

}  // namespace qv
