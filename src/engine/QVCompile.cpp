#include "engine/QVCompile.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "engine/TListeninhalt.h"

namespace qv {

CompilerState& Compiler() {
    static CompilerState state;
    return state;
}

namespace {

// Unwinds the descent at the first error. The error itself is already in the
// compiler state, which is all the callers ever look at.
struct CompileStop {};

// The function names in the order of their byte codes, starting at opSin.
constexpr std::string_view FunctionNames[] = {"SIN", "COS",  "ARCTAN", "EXP",  "LN",   "SQR",   "SQRT",
                                              "FRAC", "INT", "ABS",    "INP", "TIME", "RANDOM"};

constexpr unsigned char UpperAUmlaut = 0xC4, UpperOUmlaut = 0xD6, UpperUUmlaut = 0xDC, SharpS = 0xDF;

// Folds a-z and the lower-case umlauts (Windows-1252) to upper case; "ß" has
// no upper-case form and stays.
unsigned char Fold(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - ('a' - 'A'));
    if (c == 0xE4 || c == 0xF6 || c == 0xFC) return static_cast<unsigned char>(c - 0x20);
    return c;
}

std::string Folded(std::string text) {
    for (char& c : text) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
    return text;
}

// Both tests take the folded character, so "ä" counts as a name character
// also when case is kept.
bool IsNameStart(unsigned char folded) {
    return (folded >= 'A' && folded <= 'Z') || folded == '_' || folded == UpperAUmlaut || folded == UpperOUmlaut ||
           folded == UpperUUmlaut || folded == SharpS;
}

bool IsNameChar(unsigned char folded) { return IsNameStart(folded) || (folded >= '0' && folded <= '9'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsComparisonChar(char c) { return c == '<' || c == '>' || c == '='; }

// The byte code of a function name already folded to upper case; 0 for none.
uint8_t FunctionCode(const std::string& upperName) {
    for (std::size_t i = 0; i < std::size(FunctionNames); ++i)
        if (FunctionNames[i] == upperName) return static_cast<uint8_t>(opSin + i);
    return 0;
}

OpCode ComparisonCode(char first, char second) {
    switch (first) {
    case '<':
        return second == '=' ? opLessEqual : second == '>' ? opNotEqual : opLess;
    case '=':
        return second == '<' ? opLessEqual : second == '>' ? opGreaterEqual : opEqual;
    default:
        return second == '<' ? opNotEqual : second == '=' ? opGreaterEqual : opGreater;
    }
}

int16_t ClampToInt16(std::size_t value) { return static_cast<int16_t>(std::min<std::size_t>(value, INT16_MAX)); }

// The line as the scanner sees it: the comment cut off, a decimal comma made
// a point (no other place gives "," a meaning, so the whole line may be
// changed), and folded to upper case unless case is kept.
std::string WorkingCopy(const std::string& line, bool caseSensitive) {
    std::string text = line.substr(0, line.find("//"));
    std::replace(text.begin(), text.end(), ',', '.');
    return caseSensitive ? text : Folded(std::move(text));
}

void SetError(CompilerState& state, int32_t code, std::size_t column) {
    state.CompileError = code;
    state.ErrorFlag = true;
    state.ErrorColumn = ClampToInt16(column);
}

// Stores a byte while the buffer has room; the position advances either way.
bool EmitByte(CompilerState& state, uint8_t byte) {
    const bool fits = state.CodePos <= CodeBufferLast;
    if (fits) state.CodeBuffer[static_cast<std::size_t>(state.CodePos)] = byte;
    ++state.CodePos;
    return fits;
}

void CompileLines(CompilerState& state, const std::vector<std::string>& lines, bool caseSensitive);

// Compiles one line of text (of the program or of a macro body) into the
// shared state.
class LineCompiler {
public:
    LineCompiler(CompilerState& state, const std::string& line, bool caseSensitive)
        : state_(state),
          caseSensitive_(caseSensitive),
          text_(WorkingCopy(line, caseSensitive)),
          foldedText_(caseSensitive ? Folded(text_) : std::string()) {}

    void compile() { compileStatements(0); }

private:
    CompilerState& state_;
    bool caseSensitive_;
    std::string text_;
    // The keywords THEN and DO are found without regard to case; folded once
    // per line, since a nested condition must not copy the line again.
    std::string foldedText_;
    std::size_t pos_ = 0;
    std::size_t limit_ = 0;  // end of the expression text being scanned
    int nesting_ = 0;        // open parentheses of that expression

    [[noreturn]] void fail(int32_t code) {
        SetError(state_, code, pos_ + 1);
        throw CompileStop{};
    }

    const std::string& folded() const { return caseSensitive_ ? foldedText_ : text_; }
    bool atEnd() const { return pos_ >= text_.size(); }
    bool atLimit() const { return pos_ >= limit_; }
    char current() const { return text_[pos_]; }
    unsigned char foldedCurrent() const { return Fold(static_cast<unsigned char>(text_[pos_])); }
    void skipBlanks(std::size_t end) {
        while (pos_ < end && text_[pos_] == ' ') ++pos_;
    }

    // ---- code emission

    void emit(uint8_t byte) {
        if (!EmitByte(state_, byte)) fail(1);
    }
    void emitConst(double value) {
        emit(opConst);
        if (state_.CodePos + 8 >= CodeBufferLast) fail(1);
        std::memcpy(&state_.CodeBuffer[static_cast<std::size_t>(state_.CodePos)], &value, sizeof value);
        state_.CodePos = static_cast<int16_t>(state_.CodePos + 8);
    }
    // Emits placeholder bytes and returns where they start.
    std::size_t reserve(int count) {
        const auto at = static_cast<std::size_t>(state_.CodePos);
        for (int i = 0; i < count; ++i) emit(0);
        return at;
    }
    void emitTarget(int target) {
        emit(static_cast<uint8_t>(target & 0xFF));
        emit(static_cast<uint8_t>(target >> 8));
    }
    // The slot was emitted successfully, so it lies inside the buffer.
    void patchTarget(std::size_t slot) {
        state_.CodeBuffer[slot] = static_cast<uint8_t>(state_.CodePos & 0xFF);
        state_.CodeBuffer[slot + 1] = static_cast<uint8_t>(state_.CodePos >> 8);
    }

    // ---- variables and macros

    uint8_t registerName(const std::string& name, bool isRead) {
        for (int i = 0; i <= state_.VariableCount; ++i)
            if (state_.VariableNames[static_cast<std::size_t>(i)] == name) return static_cast<uint8_t>(i);
        // VariableCount stays a valid index, so nobody reading the table
        // after the error walks past its end.
        if (state_.VariableCount >= MaxVariableIndex) fail(15);
        ++state_.VariableCount;
        const auto index = static_cast<std::size_t>(state_.VariableCount);
        state_.VariableNames[index] = name;
        // Inputs are a subset of the variables, so their list cannot overflow
        // before the variable table does.
        if (isRead) state_.InputVariables[static_cast<std::size_t>(++state_.InputCount)] = state_.VariableCount;
        return static_cast<uint8_t>(index);
    }

    const TListeninhalt* findMacro(const std::string& head) const {
        if (!state_.Macros) return nullptr;
        for (const TListeninhalt& macro : *state_.Macros)
            if (macro.Name == head) return &macro;
        return nullptr;
    }

    // The body is compiled in place, with its own line numbers, so an error
    // inside it points into the macro.
    void callMacro(const std::string& head) {
        const TListeninhalt* macro = findMacro(head);
        if (!macro) fail(9);
        struct DepthGuard {
            int16_t& depth;
            explicit DepthGuard(int16_t& d) : depth(d) { ++depth; }
            ~DepthGuard() { --depth; }
        } guard(state_.MacroDepth);
        if (state_.MacroDepth > MaxMacroDepth) fail(16);
        const int16_t callerLine = state_.ErrorLine, callerColumn = state_.ErrorColumn;
        CompileLines(state_, macro->Lines, caseSensitive_);
        state_.ErrorLine = callerLine;
        state_.ErrorColumn = callerColumn;
    }

    // ---- statements

    void compileStatements(std::size_t from) {
        pos_ = from;
        while (!atEnd()) compileStatement();
    }

    // Compiles one statement and leaves pos_ after its separator.
    void compileStatement() {
        skipBlanks(text_.size());
        if (atEnd() || !IsNameStart(foldedCurrent())) fail(11);
        const std::size_t headStart = pos_;
        while (!atEnd() && !std::strchr(" :;=", current())) {
            if (!IsNameChar(foldedCurrent())) fail(11);
            ++pos_;
        }
        const std::string head = text_.substr(headStart, pos_ - headStart);
        if (atEnd()) {
            if (!findMacro(head)) fail(10);
            callMacro(head);
            return;
        }
        const bool afterBlank = current() == ' ';
        if (afterBlank) {
            const std::string keyword = Folded(head);
            if (keyword == "IF" || keyword == "WHILE") {
                ++pos_;
                compileConditional(keyword == "WHILE");
                return;
            }
            skipBlanks(text_.size());
            if (atEnd()) fail(12);
        }
        const bool colonEquals = current() == ':' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '=';
        if (current() == '=' || colonEquals) {
            compileAssignment(head, pos_ + (colonEquals ? 2 : 1));
        } else if ((current() == ':' || current() == ';') && findMacro(head)) {
            ++pos_;
            callMacro(head);
        } else {
            fail(current() == ';' && !afterBlank ? 9 : 12);
        }
    }

    // The target is registered after the right-hand side, so «X := X + 1»
    // reads X before anything has written it: X is an input.
    void compileAssignment(const std::string& target, std::size_t exprStart) {
        pos_ = exprStart;
        if (atEnd()) fail(10);
        const std::size_t exprEnd = std::min(text_.find_first_of(":;", exprStart), text_.size());
        if (exprEnd == exprStart) {
            // «X :=;» reads as a call of X followed by the rest of the line.
            if (!findMacro(target)) fail(9);
            pos_ = exprEnd + 1;
            callMacro(target);
            return;
        }
        emit(opAssign);
        const std::size_t slot = reserve(1);
        compileExpression(exprStart, exprEnd);
        state_.CodeBuffer[slot] = registerName(target, false);
        pos_ = std::min(exprEnd + 1, text_.size());
    }

    // «IF condition THEN statements» and «WHILE condition DO statements»;
    // the body is always the rest of the line.
    void compileConditional(bool isLoop) {
        const std::size_t condStart = pos_;
        const std::size_t opPos = text_.find_first_of("<>=", condStart);
        if (opPos == std::string::npos || opPos == condStart || opPos + 2 > text_.size()) {
            pos_ = std::min(opPos, text_.size());
            fail(13);
        }
        const char second = text_[opPos + 1];
        const OpCode comparison = ComparisonCode(text_[opPos], second);
        const std::size_t rightStart = opPos + (IsComparisonChar(second) ? 2 : 1);

        // The keyword is looked for without regard to case and must stand
        // between blanks, so a name like DOSIS does not end the condition.
        bool useThen = true;
        const std::size_t keywordPos = findKeyword(condStart, useThen);
        const std::size_t rightEnd = keywordPos == std::string::npos ? rightStart : keywordPos + 1;
        if (rightEnd <= rightStart) {
            pos_ = rightStart;
            fail(13);
        }

        const int loopStart = state_.CodePos;
        emit(opTest);
        compileExpression(condStart, opPos);
        emit(comparison);
        compileExpression(rightStart, rightEnd);
        emit(opThen);
        const std::size_t exitSlot = reserve(2);
        compileStatements(keywordPos + (useThen ? 6 : 4));
        if (isLoop) {
            // A test that never holds, so its jump always leads back.
            emit(opTest);
            emitConst(0);
            emit(opGreater);
            emitConst(1);
            emit(opThen);
            emitTarget(loopStart);
        }
        patchTarget(exitSlot);
    }

    // The first " THEN " or " DO " from `from` on (isThen tells which);
    // npos when neither follows. Looking no further than the first keyword
    // keeps a line of nested conditions linear.
    std::size_t findKeyword(std::size_t from, bool& isThen) const {
        const std::string& text = folded();
        for (std::size_t at = text.find(' ', from); at != std::string::npos; at = text.find(' ', at + 1)) {
            if (text.compare(at, 6, " THEN ") == 0 || text.compare(at, 4, " DO ") == 0) {
                isThen = text[at + 1] == 'T';
                return at;
            }
        }
        return std::string::npos;
    }

    // ---- expressions

    void compileExpression(std::size_t start, std::size_t end) {
        pos_ = start;
        limit_ = end;
        nesting_ = 0;
        expression();
        // Only ")" can be left over: every factor is followed by an operator,
        // ")" or the end.
        if (!atLimit()) fail(8);
    }

    void expression() {
        term();
        while (!atLimit() && (current() == '+' || current() == '-')) {
            const OpCode code = current() == '+' ? opAdd : opSub;
            ++pos_;
            term();
            emit(code);
        }
    }

    void term() {
        power();
        while (!atLimit() && (current() == '*' || current() == '/')) {
            const OpCode code = current() == '*' ? opMul : opDiv;
            ++pos_;
            power();
            emit(code);
        }
    }

    // Left-associative: «2^3^2» is (2^3)^2.
    void power() {
        factor();
        while (!atLimit() && current() == '^') {
            ++pos_;
            factor();
            emit(opPower);
        }
    }

    // A leading "-" belongs to the whole factor, so «-X^2» is (-X)^2.
    void factor() {
        skipBlanks(limit_);
        const bool negative = !atLimit() && current() == '-';
        if (negative) {
            ++pos_;
            skipBlanks(limit_);
        }
        if (atLimit() || current() == ')') fail(6);
        if (IsDigit(current())) {
            number(negative);
        } else {
            if (current() == '(')
                parenthesised();
            else if (IsNameStart(foldedCurrent()))
                name();
            else
                fail(11);
            if (negative) emit(opNegate);
        }
        skipBlanks(limit_);
        if (!atLimit() && !std::strchr("+-*/^)", current())) fail(2);
    }

    void parenthesised() {
        ++pos_;
        if (++nesting_ > MaxExpressionNesting) fail(8);
        expression();
        if (atLimit()) fail(5);
        ++pos_;
        --nesting_;
    }

    void skipDigits() {
        while (!atLimit() && IsDigit(current())) ++pos_;
    }

    // Takes the longest text of the form digits [. digits] [E [sign] digits];
    // an exponent without digits («1E») does not convert.
    void number(bool negative) {
        const std::size_t start = pos_;
        skipDigits();
        if (!atLimit() && current() == '.') {
            ++pos_;
            skipDigits();
        }
        if (!atLimit() && foldedCurrent() == 'E') {
            ++pos_;
            if (!atLimit() && (current() == '+' || current() == '-')) ++pos_;
            skipDigits();
        }
        const std::string literal = (negative ? "-" : "") + text_.substr(start, pos_ - start);
        double value = 0;
        const auto [end, error] = std::from_chars(literal.data(), literal.data() + literal.size(), value);
        if (error != std::errc() || end != literal.data() + literal.size()) fail(7);
        emitConst(value);
    }

    // Function names are known in any case and are never variables.
    void name() {
        const std::size_t start = pos_;
        while (!atLimit() && IsNameChar(foldedCurrent())) ++pos_;
        const std::string text = text_.substr(start, pos_ - start);
        if (const uint8_t code = FunctionCode(Folded(text))) {
            if (atLimit() || current() != '(') fail(3);
            parenthesised();
            emit(code);
        } else {
            emit(opLoad);
            emit(registerName(text, true));
        }
    }
};

void CompileLines(CompilerState& state, const std::vector<std::string>& lines, bool caseSensitive) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        state.ErrorLine = ClampToInt16(i + 1);
        state.ErrorColumn = 1;
        LineCompiler(state, lines[i], caseSensitive).compile();
    }
}

}  // namespace

void CompileProgram(const std::vector<std::string>& lines, bool caseSensitive) {
    CompilerState& state = Compiler();
    state.CodePos = 0;
    state.VariableCount = -1;
    state.InputCount = -1;
    state.ErrorFlag = false;
    state.CompileError = 0;
    state.MacroDepth = 0;
    try {
        CompileLines(state, lines, caseSensitive);
    } catch (const CompileStop&) {
        return;
    }
    if (!EmitByte(state, opEnd)) {
        SetError(state, 1, 1);
        return;
    }
    state.Compiled = true;
}

std::string CompileErrorText(int32_t code) {
    static constexpr const char* Texts[] = {
        "Speicherplatz reicht nicht aus.",
        "Operator erwartet.",
        "( erwartet.",
        "Unbekannte Funktion.",
        ") erwartet.",
        "Konstante, Variable oder Funktion erwartet.",
        "Fehler in Konstante.",
        "Klammer-Fehler.",
        "Syntax-Fehler.",
        "Syntax-Fehler.",
        "Variable erwartet.",
        "= erwartet.",
        "Vergleich erwartet.",
        "THEN erwartet.",
        "Zuviele Variablen.",
        "Vermutlich Makro-Endlosschleife.",
    };
    if (code < 1 || code > static_cast<int32_t>(std::size(Texts))) return "Nicht spezifizierter Fehler";
    return Texts[code - 1];
}

bool IsFunctionName(const std::string& name) { return FunctionCode(Folded(name)) != 0; }

std::string CompiledName(const std::string& name, bool caseSensitive) { return caseSensitive ? name : Folded(name); }

std::vector<std::string> CompiledVariableNames() {
    const CompilerState& state = Compiler();
    return {state.VariableNames.begin(), state.VariableNames.begin() + (state.VariableCount + 1)};
}

}  // namespace qv
