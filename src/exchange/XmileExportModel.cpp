#include "exchange/XmileExportModel.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "model/GrafGeneration.h"

namespace qv {

namespace {

// ---- expressions of the program's language as a tree

struct Node {
    enum Type { Number, Name, Negate, Binary, Call } Kind = Number;
    std::string Text;  // the number, the name, the operator or the function
    std::unique_ptr<Node> Left, Right;
};
using NodePtr = std::unique_ptr<Node>;

NodePtr MakeNode(Node::Type kind, std::string text, NodePtr left = nullptr, NodePtr right = nullptr) {
    auto node = std::make_unique<Node>();
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

    NodePtr read() {
        NodePtr node = sum();
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

    NodePtr chain(NodePtr (ExpressionReader::*next)(), const char* ops) {
        NodePtr left = (this->*next)();
        while (left && pos_ < text_.size() && (skipBlanks(), pos_ < text_.size()) && std::strchr(ops, text_[pos_])) {
            std::string op(1, text_[pos_++]);
            NodePtr right = (this->*next)();
            if (!right) return nullptr;
            left = MakeNode(Node::Binary, op, std::move(left), std::move(right));
        }
        return left;
    }
    NodePtr sum() { return chain(&ExpressionReader::product, "+-"); }
    NodePtr product() { return chain(&ExpressionReader::power, "*/"); }
    NodePtr power() { return chain(&ExpressionReader::factor, "^"); }

    NodePtr factor() {
        const bool negative = at('-');
        if (negative) ++pos_;
        skipBlanks();
        if (pos_ >= text_.size()) return nullptr;
        NodePtr node;
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
                NodePtr argument = parenthesised();
                node = argument ? MakeNode(Node::Call, UpperCase1252(name), std::move(argument)) : nullptr;
            } else {
                node = MakeNode(Node::Name, std::move(name));
            }
        }
        if (node && negative) node = MakeNode(Node::Negate, "-", std::move(node));
        return node;
    }

    NodePtr parenthesised() {
        if (++depth_ > 200) return nullptr;
        ++pos_;
        NodePtr inner = sum();
        if (!inner || !at(')')) return nullptr;
        ++pos_;
        --depth_;
        return inner;
    }

    NodePtr number() {
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
        return MakeNode(Node::Number, XmileNumber(value));
    }
};

// ---- the statements of the algorithm

struct Assignment {
    int Line = 0;
    std::string Target;
    std::string Text;  // the right-hand side as written
    NodePtr Expression;
};

// Splits the lines into assignments; IF, WHILE and macro calls have no
// counterpart and are listed by line.
std::vector<Assignment> ReadAssignments(const std::vector<std::string>& lines, std::vector<std::string>& notExported) {
    std::vector<Assignment> result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string text = lines[i].substr(0, lines[i].find("//"));
        std::replace(text.begin(), text.end(), ',', '.');
        const std::string lineLabel = "Zeile " + std::to_string(i + 1);
        std::size_t pos = 0;
        while (pos < text.size()) {
            while (pos < text.size() && text[pos] == ' ') ++pos;
            if (pos >= text.size()) break;
            const std::size_t headStart = pos;
            while (pos < text.size() && IsNameChar(static_cast<unsigned char>(text[pos]))) ++pos;
            const std::string head = text.substr(headStart, pos - headStart);
            while (pos < text.size() && text[pos] == ' ') ++pos;
            const bool colonEquals = text.compare(pos, 2, ":=") == 0;
            if (head.empty() || !(colonEquals || (pos < text.size() && text[pos] == '='))) {
                notExported.push_back(lineLabel);
                break;
            }
            const std::size_t exprStart = pos + (colonEquals ? 2 : 1);
            const std::size_t exprEnd = std::min(text.find_first_of(":;", exprStart), text.size());
            Assignment a;
            a.Line = static_cast<int>(i + 1);
            a.Target = head;
            a.Text = text.substr(exprStart, exprEnd - exprStart);
            a.Expression = ExpressionReader(a.Text).read();
            result.push_back(std::move(a));
            pos = exprEnd + 1;
        }
    }
    return result;
}

class ModelBuilder {
public:
    explicit ModelBuilder(const tsim& sim) : sim_(sim) {}

    ExportModel build(const std::vector<std::string>& lines) {
        std::vector<Assignment> assignments = ReadAssignments(lines, model_.NotExported);
        readTimeLine(assignments);
        for (const Assignment& a : assignments)
            if (isStockUpdate(a)) variable(a.Target, ExportKind::Stock);
        for (const Assignment& a : assignments) {
            if (isTimeLine(a) || isStockUpdate(a)) continue;
            if (isStock(a.Target))
                refuse(a.Target);  // a stock set outright as well as changed
            else
                defineAuxiliary(a);
        }
        for (const Assignment& a : assignments)
            if (isStockUpdate(a)) addFlow(a);
        for (ExportVariable& v : model_.Variables)
            if (v.Kind == ExportKind::Stock) v.Equation = startValueText(v.Name);
        if (!sim_.Diagram.Stocks.empty() || !sim_.Diagram.Rates.empty() || !sim_.Diagram.Constants.empty())
            addDiagramElements();
        addConstants();
        model_.Stop = model_.Start + sim_.StepCount * model_.Dt;
        return std::move(model_);
    }

private:
    const tsim& sim_;
    ExportModel model_;
    std::map<std::string, std::size_t> index_;
    std::map<std::string, std::string> definitions_;  // the equation text an auxiliary was first given
    std::vector<std::string> referenced_;
    bool dtIsVariable_ = true;

    std::string key(const std::string& name) const { return sim_.CaseSensitive ? name : UpperCase1252(name); }
    bool is(const std::string& name, const char* reserved) const { return UpperCase1252(name) == reserved; }
    bool isTimeLine(const Assignment& a) const { return is(a.Target, "ZEIT"); }

    ExportVariable* find(const std::string& name) {
        auto it = index_.find(key(name));
        return it == index_.end() ? nullptr : &model_.Variables[it->second];
    }
    bool isStock(const std::string& name) {
        const ExportVariable* v = find(name);
        return v && v->Kind == ExportKind::Stock;
    }
    ExportVariable& variable(const std::string& name, ExportKind kind) {
        if (ExportVariable* v = find(name)) return *v;
        index_[key(name)] = model_.Variables.size();
        model_.Variables.push_back({kind, name, {}, {}, {}});
        return model_.Variables.back();
    }
    void refuse(const std::string& label) {
        if (std::find(model_.NotExported.begin(), model_.NotExported.end(), label) == model_.NotExported.end())
            model_.NotExported.push_back(label);
    }

    double startValue(const std::string& name) const {
        for (const auto& v : sim_.Variables)
            if (key(v->Name) == key(name)) return v->StartValue;
        return 0;
    }
    std::string startValueText(const std::string& name) const { return XmileNumber(startValue(name)); }

    static bool IsName(const Node* n, const std::string& name, bool caseSensitive) {
        return n && n->Kind == Node::Name &&
               (caseSensitive ? n->Text == name : UpperCase1252(n->Text) == UpperCase1252(name));
    }

    // «ZEIT := ZEIT + ZEITSCHRITT» or, in a simplified model, «ZEIT := ZEIT + 1».
    void readTimeLine(const std::vector<Assignment>& assignments) {
        model_.Start = startValue("ZEIT");
        model_.Dt = startValue("ZEITSCHRITT");
        for (const Assignment& a : assignments) {
            if (!isTimeLine(a)) continue;
            const Node* e = a.Expression.get();
            if (e && e->Kind == Node::Binary && e->Text == "+" && IsName(e->Left.get(), "ZEIT", false)) {
                if (IsName(e->Right.get(), "ZEITSCHRITT", false)) continue;
                if (e->Right->Kind == Node::Number) {
                    model_.Dt = std::stod(e->Right->Text);
                    dtIsVariable_ = false;
                    continue;
                }
            }
            refuse("Zeile " + std::to_string(a.Line));
        }
        if (!(model_.Dt > 0)) {
            refuse("ZEITSCHRITT");
            model_.Dt = 1;
        }
    }

    // «S := S + E» or «S := S - E».
    bool isStockUpdate(const Assignment& a) const {
        const Node* e = a.Expression.get();
        return !isTimeLine(a) && e && e->Kind == Node::Binary && (e->Text == "+" || e->Text == "-") &&
               IsName(e->Left.get(), a.Target, sim_.CaseSensitive);
    }

    void defineAuxiliary(const Assignment& a) {
        ExportVariable& v = variable(a.Target, ExportKind::Aux);
        auto [it, first] = definitions_.emplace(key(a.Target), a.Text);
        if (first) {
            v.Equation = translate(a.Expression.get(), a.Target);
            if (reads(a.Expression.get(), a.Target)) refuse(a.Target);
        } else if (it->second != a.Text) {
            refuse(a.Target);
        }
    }

    // The amount per time unit the change E of a stock stands for: E without
    // its factor ZEITSCHRITT, or E itself when a pass is one time unit.
    std::string rateOf(const Node* e, const Node*& single, const std::string& owner) {
        single = e;
        if (e->Kind == Node::Binary && e->Text == "*") {
            if (IsName(e->Right.get(), "ZEITSCHRITT", false)) single = e->Left.get();
            else if (IsName(e->Left.get(), "ZEITSCHRITT", false)) single = e->Right.get();
        }
        if (single == e && dtIsVariable_) {
            single = nullptr;
            return "(" + translate(e, owner) + ") / DT";
        }
        return {};
    }

    // The change of a stock made of named rates added and taken away
    // («(Zugang - Abgang)*ZEITSCHRITT») gives one flow per rate; any other
    // change becomes a flow of its own named after the stock.
    void addFlow(const Assignment& a) {
        const bool inflow = a.Expression->Text == "+";
        const Node* single = nullptr;
        std::string equation = rateOf(a.Expression->Right.get(), single, a.Target);
        if (single) {
            std::vector<std::pair<bool, const Node*>> terms;
            Terms(single, inflow, terms);
            if (std::all_of(terms.begin(), terms.end(), [&](const auto& t) { return canBeFlow(t.second, t.first); })) {
                for (const auto& [in, term] : terms) attach(a.Target, takeAsFlow(term->Text), in);
                return;
            }
            equation = translate(single, a.Target);
        }
        const std::string base = a.Target + (inflow ? "_Zufluss" : "_Abfluss");
        std::string flowName = base;
        for (int n = 2; find(flowName); ++n) flowName = base + std::to_string(n);
        variable(flowName, ExportKind::Flow).Equation = equation;
        attach(a.Target, flowName, inflow);
    }

    static void Terms(const Node* n, bool positive, std::vector<std::pair<bool, const Node*>>& terms) {
        if (n->Kind == Node::Binary && (n->Text == "+" || n->Text == "-")) {
            Terms(n->Left.get(), positive, terms);
            Terms(n->Right.get(), n->Text == "+" ? positive : !positive, terms);
        } else if (n->Kind == Node::Negate) {
            Terms(n->Left.get(), !positive, terms);
        } else {
            terms.emplace_back(positive, n);
        }
    }

    bool canBeFlow(const Node* n, bool inflow) {
        return n->Kind == Node::Name && !IsName(n, "ZEIT", false) && !IsName(n, "ZEITSCHRITT", false) &&
               !isStock(n->Text) && !usedAs(n->Text, inflow);
    }

    // The named rate becomes a flow; never computed, it keeps its start value.
    std::string takeAsFlow(const std::string& name) {
        ExportVariable& named = variable(name, ExportKind::Aux);
        if (named.Kind == ExportKind::Aux && definitions_.find(key(named.Name)) == definitions_.end())
            named.Equation = startValueText(named.Name);
        named.Kind = ExportKind::Flow;
        return named.Name;
    }

    void attach(const std::string& stock, const std::string& flow, bool inflow) {
        ExportVariable* s = find(stock);
        (inflow ? s->Inflows : s->Outflows).push_back(flow);
    }

    // A flow fills one stock and drains one.
    bool usedAs(const std::string& flow, bool inflow) {
        for (const ExportVariable& v : model_.Variables)
            for (const std::string& f : inflow ? v.Inflows : v.Outflows)
                if (key(f) == key(flow)) return true;
        return false;
    }

    bool reads(const Node* n, const std::string& name) const {
        if (!n) return false;
        return IsName(n, name, sim_.CaseSensitive) || reads(n->Left.get(), name) || reads(n->Right.get(), name);
    }

    // Variables the diagram shows but no line computes.
    void addDiagramElements() {
        for (const auto& s : sim_.Diagram.Stocks) {
            const std::string name = DisplayName(s->Name);
            if (find(name)) continue;
            const auto assign = s->Name.find(":=");
            if (assign == std::string::npos) {
                variable(name, ExportKind::Stock).Equation = startValueText(name);
            } else {
                Assignment a;
                a.Target = name;
                a.Text = s->Name.substr(assign + 2);
                std::replace(a.Text.begin(), a.Text.end(), ',', '.');
                a.Expression = ExpressionReader(a.Text).read();
                defineAuxiliary(a);
            }
        }
        for (const auto& r : sim_.Diagram.Rates)
            if (!find(DisplayName(r->Name)))
                variable(DisplayName(r->Name), ExportKind::Flow).Equation = startValueText(DisplayName(r->Name));
        for (const auto& c : sim_.Diagram.Constants)
            if (!find(DisplayName(c->Name)))
                variable(DisplayName(c->Name), ExportKind::Aux).Equation = startValueText(DisplayName(c->Name));
    }

    // Names read but never computed hold their start values throughout.
    void addConstants() {
        for (const std::string& name : referenced_)
            if (!find(name)) variable(name, ExportKind::Aux).Equation = startValueText(name);
    }

    // The expression in XMILE's language. Every operation is parenthesised,
    // since the two languages differ in how "^" and a leading "-" bind.
    // What has no counterpart is listed under owner's name.
    std::string translate(const Node* n, const std::string& owner) {
        if (!n) {
            refuse(owner);
            return "0";
        }
        switch (n->Kind) {
        case Node::Number:
            return n->Text;
        case Node::Name:
            if (IsName(n, "ZEIT", false)) return "TIME";
            if (IsName(n, "ZEITSCHRITT", false)) return dtIsVariable_ ? "DT" : startValueText("ZEITSCHRITT");
            referenced_.push_back(n->Text);
            return XmileVariableName(n->Text);
        case Node::Negate:
            return "(-" + translate(n->Left.get(), owner) + ")";
        case Node::Binary:
            return "(" + translate(n->Left.get(), owner) + " " + n->Text + " " + translate(n->Right.get(), owner) + ")";
        case Node::Call:
            break;
        }
        const std::string x = translate(n->Left.get(), owner);
        // The program's INT cuts towards zero; XMILE's rounds down.
        const std::string truncated = "(IF " + x + " < 0 THEN -INT(-" + x + ") ELSE INT(" + x + "))";
        if (n->Text == "SQR") return "(" + x + " ^ 2)";
        if (n->Text == "INT") return truncated;
        if (n->Text == "FRAC") return "(" + x + " - " + truncated + ")";
        for (const char* same : {"SIN", "COS", "ARCTAN", "EXP", "LN", "SQRT", "ABS"})
            if (n->Text == same) return n->Text + "(" + x + ")";
        refuse(owner);  // INP, TIME and RANDOM have no counterpart
        return "0";
    }
};

}  // namespace

std::string XmileVariableName(const std::string& name) {
    static const std::set<std::string> Reserved = {
        "ABS",   "AND",   "ARCCOS", "ARCSIN",   "ARCTAN",   "COS",   "DELAY",  "DELAY1",    "DELAY3", "DELAYN",
        "DT",    "ELSE",  "EXP",    "EXPRND",   "FORCST",   "IF",    "INF",    "INIT",      "INT",    "LN",
        "LOG10", "LOGNORMAL", "MAX", "MIN",     "MOD",      "NAN",   "NORMAL", "NOT",       "OR",     "PI",
        "POISSON", "PREVIOUS", "PULSE", "RAMP", "RANDOM",   "SAFEDIV", "SELF", "SIN",       "SIZE",   "SMTH1",
        "SMTH3", "SMTHN", "SQRT",  "STARTTIME", "STEP",     "STOPTIME", "SUM", "TAN",       "THEN",   "TIME",
        "TREND"};
    return Reserved.count(UpperCase1252(name)) ? name + "_Wert" : name;
}

std::string XmileNumber(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error;  // 64 characters always hold the shortest form of a double
    return std::string(buffer, end);
}

const ExportVariable* ExportModel::Find(const std::string& name) const {
    for (const ExportVariable& v : Variables)
        if (UpperCase1252(v.Name) == UpperCase1252(name)) return &v;
    return nullptr;
}

ExportModel BuildXmileModel(const tsim& sim) {
    const bool fromDiagram = !sim.Diagram.Arrows.empty();
    return ModelBuilder(sim).build(fromDiagram ? GenerateAlgorithm(sim.Diagram, sim.SimplifiedModel) : sim.Program);
}

std::string NotExportedText(const ExportModel& model) {
    if (model.NotExported.empty()) return {};
    std::string text = "Nicht nach XMILE \xFC" "bertragen (keine Entsprechung): ";
    for (std::size_t i = 0; i < model.NotExported.size(); ++i) text += (i ? ", " : "") + model.NotExported[i];
    return text + ".";
}

}  // namespace qv
