// The formula field of the formula dialog without its window: the text, the
// caret and selection, and the length of the last insertion, which "<-"
// takes back in one press.
#pragma once

#include <cstddef>
#include <string>

namespace qv {

class FormulaInput {
public:
    std::string Text;
    // The selection runs from SelStart for SelLength characters; the caret
    // stands at its end.
    std::size_t SelStart = 0;
    std::size_t SelLength = 0;
    std::size_t LastInsertion = 1;

    std::size_t Caret() const { return SelStart + SelLength; }

    // Takes the field's text and selection as the window holds them; a
    // selection beyond the text is cut to it.
    void Take(std::string text, std::size_t selStart, std::size_t selLength);

    // A button: its caption replaces the selection, a function button adds "(".
    void InsertButton(const std::string& caption, bool function);
    // An input variable: its name replaces the selection.
    void InsertVariable(const std::string& name);
    // "<-": the last insertion goes as a whole the first time, then one
    // character per press. Never deletes more than stands before the caret.
    void Backspace();
    // "C".
    void Clear();
    // A click into the field: "<-" must not take a whole token after the
    // caret was moved by hand.
    void CaretMoved() { LastInsertion = 1; }

private:
    void Insert(const std::string& text);
};

// Whether the button of that object name inserts a function: the digit,
// comma, operator, power and bracket buttons are named "B...".
bool IsFunctionButton(const std::string& objectName);

// Where the faulty character of a trial line name ":=" formula lies: in the
// name field or in the formula field, as an index into that field's text.
struct FormulaErrorSpot {
    bool InFormula;
    std::size_t Index;
};

// column is the compiler's 1-based column in the trial line; the index is
// held inside the field's text (at its end when the compiler points past it).
FormulaErrorSpot LocateFormulaError(int column, const std::string& name, const std::string& formula);

}  // namespace qv
