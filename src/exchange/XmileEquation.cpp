#include "exchange/XmileEquation.h"

#include <QString>
#include <charconv>
#include <cstring>
#include <cmath>
#include <memory>
#include <numbers>

#include "exchange/XmileModel.h"
#include "util/Cp1252.h"

namespace qv {

std::string LanguageNumber(double value) {
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value));
    std::string text(buffer, result.ptr);
    // The language wants a digit first and reads a sign only as an operator.
    return value < 0 ? "(-" + text + ")" : text;
}

namespace {

// Thrown inside the translation; caught in translate().
struct Refusal {
    std::string Reason;
};

enum class NodeKind { Number, Name, Unary, Binary, Call, If };

struct Node {
    NodeKind Kind = NodeKind::Number;
    double Value = 0;
    std::string Text;  // name key, operator or upper-case function name
    std::vector<std::unique_ptr<Node>> Args;
};
using NodePtr = std::unique_ptr<Node>;

NodePtr Make(NodeKind kind, std::string text = {}) {
    auto node = std::make_unique<Node>();
    node->Kind = kind;
    node->Text = std::move(text);
    return node;
}

class Parser {
public:
    explicit Parser(const std::string& text) : text_(QString::fromStdString(text)) {}

    NodePtr parse() {
        NodePtr node = logicalOr();
        skip();
        if (pos_ < text_.size()) fail();
        return node;
    }

private:
    [[noreturn]] void fail() {
        throw Refusal{"Gleichung nicht lesbar bei \"" + Utf8ToCp1252(text_.mid(pos_, 20).toStdString()) + "\""};
    }

    void skip() {
        while (pos_ < text_.size()) {
            if (text_[pos_].isSpace()) {
                ++pos_;
            } else if (text_[pos_] == u'{') {  // a comment inside the equation
                qsizetype end = text_.indexOf(u'}', pos_);
                pos_ = end < 0 ? text_.size() : end + 1;
            } else {
                break;
            }
        }
    }

    bool isNameStart(QChar c) const { return c.isLetter() || c == u'_' || c == u'$'; }
    bool isNamePart(QChar c) const { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

    // The upper-case word ahead (a keyword candidate), without consuming it.
    QString peekWord() {
        skip();
        qsizetype end = pos_;
        while (end < text_.size() && isNamePart(text_[end])) ++end;
        return text_.mid(pos_, end - pos_).toUpper();
    }
    bool acceptWord(const char* word) {
        if (peekWord() != QLatin1String(word)) return false;
        pos_ += static_cast<qsizetype>(std::strlen(word));
        return true;
    }
    bool accept(const char* symbol) {
        skip();
        QLatin1String s(symbol);
        if (!text_.mid(pos_).startsWith(s)) return false;
        pos_ += s.size();
        return true;
    }

    NodePtr binary(std::string op, NodePtr left, NodePtr right) {
        NodePtr node = Make(NodeKind::Binary, std::move(op));
        node->Args.push_back(std::move(left));
        node->Args.push_back(std::move(right));
        return node;
    }

    NodePtr logicalOr() {
        NodePtr left = logicalAnd();
        while (acceptWord("OR")) left = binary("OR", std::move(left), logicalAnd());
        return left;
    }
    NodePtr logicalAnd() {
        NodePtr left = equality();
        while (acceptWord("AND")) left = binary("AND", std::move(left), equality());
        return left;
    }
    NodePtr equality() {
        NodePtr left = relation();
        for (;;) {
            if (accept("<>")) left = binary("<>", std::move(left), relation());
            else if (accept("=")) left = binary("=", std::move(left), relation());
            else return left;
        }
    }
    NodePtr relation() {
        NodePtr left = additive();
        for (;;) {
            skip();
            if (text_.mid(pos_).startsWith(QLatin1String("<>"))) return left;
            if (accept("<=")) left = binary("<=", std::move(left), additive());
            else if (accept(">=")) left = binary(">=", std::move(left), additive());
            else if (accept("<")) left = binary("<", std::move(left), additive());
            else if (accept(">")) left = binary(">", std::move(left), additive());
            else return left;
        }
    }
    NodePtr additive() {
        NodePtr left = multiplicative();
        for (;;) {
            if (accept("+")) left = binary("+", std::move(left), multiplicative());
            else if (accept("-")) left = binary("-", std::move(left), multiplicative());
            else return left;
        }
    }
    NodePtr multiplicative() {
        NodePtr left = unary();
        for (;;) {
            if (accept("*")) left = binary("*", std::move(left), unary());
            else if (accept("/")) left = binary("/", std::move(left), unary());
            else if (acceptWord("MOD")) left = binary("MOD", std::move(left), unary());
            else return left;
        }
    }
    NodePtr unary() {
        if (++depth_ > 200) fail();
        NodePtr node;
        if (accept("-") || acceptWord("NOT")) {
            bool negate = text_[pos_ - 1] == u'-';
            node = Make(NodeKind::Unary, negate ? "-" : "NOT");
            node->Args.push_back(unary());
        } else if (accept("+")) {
            node = unary();
        } else {
            node = power();
        }
        --depth_;
        return node;
    }
    // "^" binds tighter than a sign and groups from the right.
    NodePtr power() {
        NodePtr base = primary();
        if (accept("^")) return binary("^", std::move(base), unary());
        return base;
    }
    NodePtr primary() {
        skip();
        if (pos_ >= text_.size()) fail();
        QChar c = text_[pos_];
        if (c.isDigit() || c == u'.') return number();
        if (accept("(")) {
            NodePtr inner = logicalOr();
            if (!accept(")")) fail();
            return inner;
        }
        if (c == u'"') return quotedName();
        if (!isNameStart(c)) fail();
        QString word;
        while (pos_ < text_.size() && isNamePart(text_[pos_])) word += text_[pos_++];
        const QString upper = word.toUpper();
        if (upper == u"IF") return conditional();
        skip();
        if (pos_ < text_.size() && (text_[pos_] == u'[' || text_[pos_] == u'.'))
            throw Refusal{text_[pos_] == u'[' ? "Feld" : "Modul"};
        if (accept("(")) return call(upper);
        return Make(NodeKind::Name, XmileNameKey(word.toStdString()));
    }
    NodePtr number() {
        qsizetype end = pos_;
        while (end < text_.size() && (text_[end].isDigit() || text_[end] == u'.')) ++end;
        if (end < text_.size() && (text_[end] == u'e' || text_[end] == u'E')) {
            qsizetype exponent = end + 1;
            if (exponent < text_.size() && (text_[exponent] == u'+' || text_[exponent] == u'-')) ++exponent;
            if (exponent < text_.size() && text_[exponent].isDigit()) {
                end = exponent;
                while (end < text_.size() && text_[end].isDigit()) ++end;
            }
        }
        bool ok = false;
        double value = text_.mid(pos_, end - pos_).toDouble(&ok);
        if (!ok) fail();
        pos_ = end;
        NodePtr node = Make(NodeKind::Number);
        node->Value = value;
        return node;
    }
    NodePtr quotedName() {
        qsizetype end = text_.indexOf(u'"', pos_ + 1);
        if (end < 0) fail();
        QString name = text_.mid(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        skip();
        if (pos_ < text_.size() && text_[pos_] == u'[') throw Refusal{"Feld"};
        return Make(NodeKind::Name, XmileNameKey(name.toStdString()));
    }
    NodePtr call(const QString& function) {
        NodePtr node = Make(NodeKind::Call, function.toStdString());
        if (accept(")")) return node;
        do node->Args.push_back(logicalOr());
        while (accept(","));
        if (!accept(")")) fail();
        return node;
    }
    NodePtr conditional() {
        NodePtr node = Make(NodeKind::If);
        node->Args.push_back(logicalOr());
        if (!acceptWord("THEN")) fail();
        node->Args.push_back(logicalOr());
        if (!acceptWord("ELSE")) fail();
        node->Args.push_back(logicalOr());
        return node;
    }

    QString text_;
    qsizetype pos_ = 0;
    int depth_ = 0;
};

// Emits a parsed equation as language text, writing helper statements for
// what the language can only do in statements.
class Emitter {
public:
    Emitter(const std::map<std::string, std::string>& names, XmileTranslator& temps, double start, double stop,
            XmileTranslation& out)
        : names_(names), temps_(temps), start_(start), stop_(stop), out_(out) {}

    std::string value(const Node& node) {
        switch (node.Kind) {
        case NodeKind::Number:
            return LanguageNumber(node.Value);
        case NodeKind::Name:
            return name(node.Text);
        case NodeKind::Unary:
            if (node.Text == "-") return "(-(" + value(*node.Args[0]) + "))";
            return truth(node);
        case NodeKind::Binary:
            return binary(node);
        case NodeKind::Call:
            return call(node);
        case NodeKind::If: {
            const std::string condition = truth(*node.Args[0]);
            const std::string whenTrue = value(*node.Args[1]);
            const std::string whenFalse = value(*node.Args[2]);
            const std::string result = temps_.temporary();
            out_.Helpers.push_back("IF " + condition + ">0.5 THEN " + result + ":=" + whenTrue);
            out_.Helpers.push_back("IF " + condition + "<0.5 THEN " + result + ":=" + whenFalse);
            return result;
        }
        }
        return {};
    }

private:
    // 1 when the node is true (not zero), else 0.
    std::string truth(const Node& node) {
        if (node.Kind == NodeKind::Unary && node.Text == "NOT") return "(1-" + truth(*node.Args[0]) + ")";
        if (node.Kind == NodeKind::Binary) {
            const std::string& op = node.Text;
            if (op == "AND") return "(" + truth(*node.Args[0]) + "*" + truth(*node.Args[1]) + ")";
            if (op == "OR") {
                const std::string result = temps_.temporary();
                out_.Helpers.push_back(result + ":=" + truth(*node.Args[0]));
                out_.Helpers.push_back("IF " + truth(*node.Args[1]) + ">0.5 THEN " + result + ":=1");
                return result;
            }
            if (op == "=" || op == "<>" || op == "<" || op == "<=" || op == ">" || op == ">=")
                return comparison(value(*node.Args[0]), op, value(*node.Args[1]));
        }
        return comparison(value(node), "<>", "0");
    }

    std::string comparison(const std::string& left, const std::string& op, const std::string& right) {
        const std::string result = temps_.temporary();
        out_.Helpers.push_back(result + ":=0");
        out_.Helpers.push_back("IF " + left + op + right + " THEN " + result + ":=1");
        return result;
    }

    std::string name(const std::string& key) {
        if (key == "time") return TimeName();
        if (key == "dt") return "ZEITSCHRITT";
        if (key == "starttime") return LanguageNumber(start_);
        if (key == "stoptime") return LanguageNumber(stop_);
        if (key == "pi") return LanguageNumber(std::numbers::pi);
        auto found = names_.find(key);
        if (found == names_.end()) throw Refusal{"unbekannte Gr\xF6\xDF" "e \"" + Utf8ToCp1252(key) + "\""};
        out_.Uses.insert(key);
        return found->second;
    }
    static std::string TimeName() { return "ZEIT"; }

    std::string binary(const Node& node) {
        const std::string& op = node.Text;
        if (op == "+" || op == "-" || op == "*" || op == "/" || op == "^")
            return "(" + value(*node.Args[0]) + op + value(*node.Args[1]) + ")";
        if (op == "MOD") {
            const std::string a = value(*node.Args[0]), b = value(*node.Args[1]);
            return "(" + a + "-" + b + "*" + floor("(" + a + "/" + b + ")") + ")";
        }
        return truth(node);
    }

    // The language's INT cuts toward zero; XMILE's INT rounds down.
    std::string floor(const std::string& argument) {
        const std::string result = temps_.temporary();
        out_.Helpers.push_back(result + ":=INT(" + argument + ")");
        out_.Helpers.push_back("IF " + result + ">" + argument + " THEN " + result + ":=" + result + "-1");
        return result;
    }

    void arity(const Node& node, std::size_t least, std::size_t most) {
        if (node.Args.size() < least || node.Args.size() > most)
            throw Refusal{"falsche Zahl von Argumenten f\xFCr " + node.Text};
    }

    std::string call(const Node& node) {
        const std::string& f = node.Text;
        static const std::map<std::string, std::string> direct = {
            {"ABS", "ABS"}, {"SQRT", "SQRT"}, {"EXP", "EXP"}, {"LN", "LN"},
            {"SIN", "SIN"}, {"COS", "COS"},   {"ARCTAN", "ARCTAN"}};
        if (auto it = direct.find(f); it != direct.end()) {
            arity(node, 1, 1);
            return it->second + "(" + value(*node.Args[0]) + ")";
        }
        if (f == "TAN") {
            arity(node, 1, 1);
            const std::string x = value(*node.Args[0]);
            return "(SIN(" + x + ")/COS(" + x + "))";
        }
        if (f == "LOG10") {
            arity(node, 1, 1);
            return "(LN(" + value(*node.Args[0]) + ")/LN(10))";
        }
        if (f == "INT") {
            arity(node, 1, 1);
            return floor(value(*node.Args[0]));
        }
        if (f == "MIN" || f == "MAX") {
            arity(node, 1, 1000);
            const std::string result = temps_.temporary();
            out_.Helpers.push_back(result + ":=" + value(*node.Args[0]));
            for (std::size_t i = 1; i < node.Args.size(); ++i) {
                const std::string next = value(*node.Args[i]);
                out_.Helpers.push_back("IF " + next + (f == "MIN" ? "<" : ">") + result + " THEN " + result + ":=" + next);
            }
            return result;
        }
        if (f == "STEP") {
            arity(node, 2, 2);
            const std::string height = value(*node.Args[0]);
            return "(" + height + "*" + comparison("ZEIT", ">=", value(*node.Args[1])) + ")";
        }
        if (f == "RAMP") {
            arity(node, 2, 3);
            const std::string slope = value(*node.Args[0]), from = value(*node.Args[1]);
            const std::string result = temps_.temporary();
            out_.Helpers.push_back(result + ":=0");
            out_.Helpers.push_back("IF ZEIT>" + from + " THEN " + result + ":=" + slope + "*(ZEIT-" + from + ")");
            if (node.Args.size() == 3) {
                const std::string to = value(*node.Args[2]);
                out_.Helpers.push_back("IF ZEIT>" + to + " THEN " + result + ":=" + slope + "*(" + to + "-" + from + ")");
            }
            return result;
        }
        throw Refusal{"Funktion " + Utf8ToCp1252(f)};
    }

    const std::map<std::string, std::string>& names_;
    XmileTranslator& temps_;
    double start_, stop_;
    XmileTranslation& out_;
};

}  // namespace

XmileTranslator::XmileTranslator(std::map<std::string, std::string> names, std::set<std::string> taken, double start,
                                 double stop)
    : names_(std::move(names)), taken_(std::move(taken)), start_(start), stop_(stop) {}

std::string XmileTranslator::temporary() {
    std::string name;
    do name = "HILF_" + std::to_string(++counter_);
    while (taken_.count(name));
    taken_.insert(name);
    return name;
}

std::variant<XmileTranslation, std::string> XmileTranslator::translate(const std::string& equation) {
    XmileTranslation out;
    try {
        if (QString::fromStdString(equation).trimmed().isEmpty()) return std::string("keine Gleichung");
        NodePtr root = Parser(equation).parse();
        if (root->Kind == NodeKind::Number) out.Constant = root->Value;
        if (root->Kind == NodeKind::Unary && root->Text == "-" && root->Args[0]->Kind == NodeKind::Number)
            out.Constant = -root->Args[0]->Value;
        out.Expression = Emitter(names_, *this, start_, stop_, out).value(*root);
    } catch (const Refusal& refusal) {
        return refusal.Reason;
    }
    return out;
}

}  // namespace qv
