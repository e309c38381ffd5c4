#include "exchange/ProgramStatements.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

#include "exchange/XmileExportModel.h"
#include "model/QVGrafElements.h"

namespace qv {

namespace {

ProgramNodePtr MakeNode(ProgramNode::Type kind, std::string text, ProgramNodePtr left = nullptr,
                        ProgramNodePtr right = nullptr) {
    auto node = std::make_unique<ProgramNode>();
    node->Kind = kind;
    node->Text = std::move(text);
    node->Left = std::move(left);
    node->Right = std::move(right);
    return node;
}

bool IsNameChar(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == 0xC4 ||
           c == 0xD6 || c == 0xDC || c == 0xE4 || c == 0xF6 || c == 0xFC || c == 0xDF;
}

// Reads an expression the way the compiler does: "^" binds left to right
// and a leading "-" takes the whole factor. Nothing for text the compiler
// would refuse.
class ExpressionReader {
public:
    explicit ExpressionReader(std::string text) : text_(std::move(text)) {}

    ProgramNodePtr read() {
        ProgramNodePtr node = sum();
        skipBlanks();
        return pos_ == text_.size() ? std::move(node) : nullptr;
    }

private:
    std::string text_;
    std::size_t pos_ = 0;
    int depth_ = 0;

    void skipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }
    bool at(char c) {
        skipBlanks();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    ProgramNodePtr chain(ProgramNodePtr (ExpressionReader::*next)(), const char* ops) {
        ProgramNodePtr left = (this->*next)();
        while (left && pos_ < text_.size() && (skipBlanks(), pos_ < text_.size()) && std::strchr(ops, text_[pos_])) {
            std::string op(1, text_[pos_++]);
            ProgramNodePtr right = (this->*next)();
            if (!right) return nullptr;
            left = MakeNode(ProgramNode::Binary, op, std::move(left), std::move(right));
        }
        return left;
    }
    ProgramNodePtr sum() { return chain(&ExpressionReader::product, "+-"); }
    ProgramNodePtr product() { return chain(&ExpressionReader::power, "*/"); }
    ProgramNodePtr power() { return chain(&ExpressionReader::factor, "^"); }

    ProgramNodePtr factor() {
        const bool negative = at('-');
        if (negative) ++pos_;
        skipBlanks();
        if (pos_ >= text_.size()) return nullptr;
        ProgramNodePtr node;
        const unsigned char c = static_cast<unsigned char>(text_[pos_]);
        if (c >= '0' && c <= '9') {
            node = number();
        } else if (c == '(') {
            node = parenthesised();
        } else if (IsNameChar(c)) {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && IsNameChar(static_cast<unsigned char>(text_[pos_]))) ++pos_;
            std::string name = text_.substr(start, pos_ - start);
            if (at('(')) {
                ProgramNodePtr argument = parenthesised();
                node = argument ? MakeNode(ProgramNode::Call, UpperCase1252(name), std::move(argument)) : nullptr;
            } else {
                node = MakeNode(ProgramNode::Name, std::move(name));
            }
        }
        if (node && negative) node = MakeNode(ProgramNode::Negate, "-", std::move(node));
        return node;
    }

    ProgramNodePtr parenthesised() {
        if (++depth_ > 200) return nullptr;
        ++pos_;
        ProgramNodePtr inner = sum();
        if (!inner || !at(')')) return nullptr;
        ++pos_;
        --depth_;
        return inner;
    }

    ProgramNodePtr number() {
        const std::size_t start = pos_;
        auto digits = [&] {
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
        };
        digits();
        if (pos_ < text_.size() && text_[pos_] == '.') ++pos_, digits();
        if (pos_ < text_.size() && (text_[pos_] == 'E' || text_[pos_] == 'e')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
            digits();
        }
        double value = 0;
        const char* first = text_.data() + start;
        const char* last = text_.data() + pos_;
        const auto [end, error] = std::from_chars(first, last, value);
        if (error != std::errc() || end != last) return nullptr;
        return MakeNode(ProgramNode::Number, XmileNumber(value));
    }
};

// The comparison as the compiler reads it: the operator from the first of
// "<", ">", "=" and the character after it.
std::shared_ptr<const ProgramCondition> ReadCondition(const std::string& text) {
    const std::size_t at = text.find_first_of("<>=");
    if (at == std::string::npos || at == 0 || at + 1 >= text.size()) return nullptr;
    const char first = text[at], second = text[at + 1];
    auto condition = std::make_shared<ProgramCondition>();
    if (first == '<')
        condition->Op = second == '=' ? "<=" : second == '>' ? "<>" : "<";
    else if (first == '=')
        condition->Op = second == '<' ? "<=" : second == '>' ? ">=" : "=";
    else
        condition->Op = second == '<' ? "<>" : second == '=' ? ">=" : ">";
    const std::size_t length = second == '<' || second == '>' || second == '=' ? 2 : 1;
    condition->Left = ReadExpression(text.substr(0, at));
    condition->Right = ReadExpression(text.substr(at + length));
    if (!condition->Left || !condition->Right) return nullptr;
    return condition;
}

bool ReadStatements(const std::string& text, int line, const std::shared_ptr<const ProgramCondition>& when,
                    std::vector<ProgramAssignment>& result);

// «IF condition THEN statements»; the keyword is found as the compiler finds
// it, with a blank on each side, and "DO" serves as well.
bool ReadConditional(const std::string& rest, int line, std::vector<ProgramAssignment>& result) {
    const std::string upper = UpperCase1252(rest);
    const std::size_t then = upper.find(" THEN "), doAt = upper.find(" DO ");
    const bool isThen = then != std::string::npos && (doAt == std::string::npos || then <= doAt);
    const std::size_t keyword = isThen ? then : doAt;
    if (keyword == std::string::npos) return false;
    const std::shared_ptr<const ProgramCondition> condition = ReadCondition(rest.substr(0, keyword));
    std::vector<ProgramAssignment> body;
    if (!condition || !ReadStatements(rest.substr(keyword + (isThen ? 6 : 4)), line, condition, body)) return false;
    std::move(body.begin(), body.end(), std::back_inserter(result));
    return true;
}

bool IsSum(const ProgramNodePtr& n) {
    return n && n->Kind == ProgramNode::Binary && (n->Text == "+" || n->Text == "-");
}

// «S := S + a - b» reads as ((S + a) - b); grouped as S + (a - b) the change
// of S stands apart from S.
ProgramNodePtr GroupChange(ProgramNodePtr e, const std::string& target) {
    if (!IsSum(e)) return e;
    e->Left = GroupChange(std::move(e->Left), target);
    ProgramNode& inner = *e->Left;
    if (!IsSum(e->Left) || inner.Left->Kind != ProgramNode::Name ||
        UpperCase1252(inner.Left->Text) != UpperCase1252(target))
        return e;
    const std::string op = inner.Text == "+" ? e->Text : e->Text == "+" ? "-" : "+";
    ProgramNodePtr change = MakeNode(ProgramNode::Binary, op, std::move(inner.Right), std::move(e->Right));
    return MakeNode(ProgramNode::Binary, inner.Text, std::move(inner.Left), std::move(change));
}

// The assignments of a line, those in an IF's body with its condition.
// WHILE, macro calls and an IF inside an IF have no counterpart: false.
bool ReadStatements(const std::string& text, int line, const std::shared_ptr<const ProgramCondition>& when,
                    std::vector<ProgramAssignment>& result) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        if (pos >= text.size()) break;
        const std::size_t headStart = pos;
        while (pos < text.size() && IsNameChar(static_cast<unsigned char>(text[pos]))) ++pos;
        const std::string head = text.substr(headStart, pos - headStart);
        if (!when && UpperCase1252(head) == "IF" && pos < text.size() && text[pos] == ' ')
            return ReadConditional(text.substr(pos), line, result);
        while (pos < text.size() && text[pos] == ' ') ++pos;
        const bool colonEquals = text.compare(pos, 2, ":=") == 0;
        if (head.empty() || !(colonEquals || (pos < text.size() && text[pos] == '='))) return false;
        const std::size_t exprStart = pos + (colonEquals ? 2 : 1);
        const std::size_t exprEnd = std::min(text.find_first_of(":;", exprStart), text.size());
        ProgramAssignment a;
        a.Line = line;
        a.Target = head;
        a.Text = text.substr(exprStart, exprEnd - exprStart);
        a.Expression = GroupChange(ReadExpression(a.Text), head);
        a.When = when;
        result.push_back(std::move(a));
        pos = exprEnd + 1;
    }
    return true;
}

}  // namespace

ProgramNodePtr ReadExpression(const std::string& text) { return ExpressionReader(text).read(); }

std::vector<ProgramAssignment> ReadAssignments(const std::vector<std::string>& lines,
                                               std::vector<std::string>& notExported) {
    std::vector<ProgramAssignment> result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string text = lines[i].substr(0, lines[i].find("//"));
        std::replace(text.begin(), text.end(), ',', '.');
        if (!ReadStatements(text, static_cast<int>(i + 1), nullptr, result))
            notExported.push_back("Zeile " + std::to_string(i + 1));
    }
    return result;
}

}  // namespace qv
