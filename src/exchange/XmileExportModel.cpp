#include "exchange/XmileExportModel.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>

#include "exchange/ProgramStatements.h"

namespace qv {

namespace {

// A pass runs its lines one after another, so a line reads what the lines
// before it made of a variable, while a model computes all of a step from
// the stocks at its start. So every assignment is a version of its variable,
// written in the model's terms, and a line reads the versions current there:
// a stock changed earlier in the pass is the stock plus its change so far.
struct Version {
    std::string Name;                 // the variable's name as written
    std::string Equation;             // XMILE text; other versions as Reference(n)
    std::string Condition, WhenTrue;  // of a version set under an IF
    std::string Truth;                // the condition a truth value (1 or 0) stands for
    bool AtPassStart = false;         // the value the pass starts with
    bool Live = false;
    int Uses = 0;                      // by live equations
    std::optional<std::string> Shown;  // the text standing for it in equations
};

constexpr char ReferenceStart = '\x01', ReferenceEnd = '\x02';

std::string Reference(std::size_t id) { return ReferenceStart + std::to_string(id) + ReferenceEnd; }

// The helper temporaries the XMILE import writes ("HILF_12").
bool IsTemporary(const std::string& name) {
    const std::string upper = UpperCase1252(name);
    return upper.size() > 5 && upper.compare(0, 5, "HILF_") == 0 &&
           std::all_of(upper.begin() + 5, upper.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class ModelBuilder {
public:
    explicit ModelBuilder(const tsim& sim) : sim_(sim) {}

    ExportModel build(const std::vector<std::string>& lines) {
        std::vector<ProgramAssignment> assignments = ReadAssignments(lines, model_.NotExported);
        readTimeLine(assignments);
        // A stock is changed and never set outright, or it would not carry
        // its value from step to step; the import's temporaries never are.
        std::set<std::string> setOutright;
        for (const ProgramAssignment& a : assignments)
            if (!isTimeLine(a) && !isStockUpdate(a) && !keepsNonNegative(a)) setOutright.insert(key(a.Target));
        for (const ProgramAssignment& a : assignments)
            if (isStockUpdate(a) && !IsTemporary(a.Target) && !setOutright.count(key(a.Target)))
                variable(a.Target, ExportKind::Stock);
        for (const ProgramAssignment& a : assignments)
            if (!isTimeLine(a) && !isStock(a.Target)) assigned_.insert(key(a.Target));
        const ProgramAssignment* previous = nullptr;
        for (const ProgramAssignment& a : assignments) {
            step(a, previous);
            previous = &a;
        }
        for (ExportVariable& v : model_.Variables)
            if (v.Kind == ExportKind::Stock) v.Equation = startValueText(v.Name);
        if (!sim_.Diagram.Stocks.empty() || !sim_.Diagram.Rates.empty() || !sim_.Diagram.Constants.empty())
            addDiagramElements();
        writeEquations();
        addConstants();
        model_.Stop = model_.Start + sim_.StepCount * model_.Dt;
        return std::move(model_);
    }

private:
    const tsim& sim_;
    ExportModel model_;
    std::map<std::string, std::size_t> index_;
    std::vector<std::string> referenced_;
    bool dtIsVariable_ = true;
    std::vector<Version> versions_;
    std::map<std::string, std::size_t> current_, passStart_;
    std::map<std::string, std::size_t> named_;  // the version a variable's own name stands for
    std::map<std::string, std::string> firstText_;
    std::set<std::string> assigned_;  // variables other than stocks the pass sets
    std::map<const ProgramCondition*, std::string> conditions_;

    std::string key(const std::string& name) const { return sim_.CaseSensitive ? name : UpperCase1252(name); }
    bool is(const std::string& name, const char* reserved) const { return UpperCase1252(name) == reserved; }
    bool isTimeLine(const ProgramAssignment& a) const { return is(a.Target, "ZEIT"); }

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
        model_.Variables.push_back({kind, name, {}, {}, {}, false});
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

    static bool IsName(const ProgramNode* n, const std::string& name, bool caseSensitive) {
        return n && n->Kind == ProgramNode::Name &&
               (caseSensitive ? n->Text == name : UpperCase1252(n->Text) == UpperCase1252(name));
    }
    static bool IsNumber(const ProgramNode* n, const char* text) {
        return n && n->Kind == ProgramNode::Number && n->Text == text;
    }

    // What «ZEIT := ZEIT + ZEITSCHRITT» or, in a simplified model,
    // «ZEIT := ZEIT + 1» advances the time by; nothing for another time line.
    const ProgramNode* timeStep(const ProgramAssignment& a) const {
        const ProgramNode* e = a.Expression.get();
        if (a.When || !e || e->Kind != ProgramNode::Binary || e->Text != "+" || !IsName(e->Left.get(), "ZEIT", false))
            return nullptr;
        const ProgramNode* by = e->Right.get();
        return IsName(by, "ZEITSCHRITT", false) || by->Kind == ProgramNode::Number ? by : nullptr;
    }

    void readTimeLine(const std::vector<ProgramAssignment>& assignments) {
        model_.Start = startValue("ZEIT");
        model_.Dt = startValue("ZEITSCHRITT");
        for (const ProgramAssignment& a : assignments) {
            if (!isTimeLine(a)) continue;
            const ProgramNode* by = timeStep(a);
            if (!by) {
                refuse("Zeile " + std::to_string(a.Line));
            } else if (by->Kind == ProgramNode::Number) {
                model_.Dt = std::stod(by->Text);
                dtIsVariable_ = false;
            }
        }
        if (!(model_.Dt > 0)) {
            refuse("ZEITSCHRITT");
            model_.Dt = 1;
        }
    }

    // «S := S + E» or «S := S - E».
    bool isStockUpdate(const ProgramAssignment& a) const {
        const ProgramNode* e = a.Expression.get();
        return !isTimeLine(a) && e && e->Kind == ProgramNode::Binary && (e->Text == "+" || e->Text == "-") &&
               IsName(e->Left.get(), a.Target, sim_.CaseSensitive);
    }

    std::size_t newVersion(const std::string& name, std::string equation) {
        Version& v = versions_.emplace_back();
        v.Name = name;
        v.Equation = std::move(equation);
        return versions_.size() - 1;
    }

    void step(const ProgramAssignment& a, const ProgramAssignment* previous) {
        if (a.When) translate(*a.When, a.Target);  // as the IF's line finds the variables
        if (isTimeLine(a)) {
            if (timeStep(a)) current_["ZEIT"] = newVersion("ZEIT", "(TIME + DT)");
        } else if (isStock(a.Target)) {
            if (isStockUpdate(a))
                addFlow(a);
            else
                find(a.Target)->NonNegative = true;
        } else {
            assignAuxiliary(a, previous);
        }
    }

    // «IF S<0 THEN S:=0»: how the import keeps a stock from becoming negative.
    bool keepsNonNegative(const ProgramAssignment& a) const {
        const ProgramCondition* c = a.When.get();
        return c && c->Op == "<" && IsName(c->Left.get(), a.Target, sim_.CaseSensitive) &&
               IsNumber(c->Right.get(), "0") && IsNumber(a.Expression.get(), "0");
    }

    void assignAuxiliary(const ProgramAssignment& a, const ProgramAssignment* previous) {
        const std::string k = key(a.Target);
        if (!IsTemporary(a.Target)) variable(a.Target, ExportKind::Aux);
        const std::string equation = translate(a.Expression.get(), a.Target);
        if (a.When) {
            assignUnderCondition(a, previous, equation);
            return;
        }
        // The same line again after the stocks have moved on computes the
        // next step's value, which the model has from the first.
        auto [first, isFirst] = firstText_.emplace(k, a.Text);
        if (!isFirst && first->second == a.Text && !named_.count(k) && !IsTemporary(a.Target))
            named_[k] = current_.at(k);
        current_[k] = newVersion(a.Target, equation);
        if (IsTemporary(a.Target))
            if (auto condition = truth(a.Expression.get())) versions_[current_[k]].Truth = *condition;
    }

    // «IF c THEN X := e» is X's value before where c fails. The shapes the
    // import writes for MIN, MAX, INT and truth values are written as such.
    void assignUnderCondition(const ProgramAssignment& a, const ProgramAssignment* previous,
                              const std::string& equation) {
        const std::string k = key(a.Target);
        const ProgramCondition& c = *a.When;
        if (previous && completes(*previous, a) && !versions_[current_.at(k)].Condition.empty()) {
            // «IF T>0.5 THEN X:=a» and «IF T<0.5 THEN X:=b» on a truth value
            // T choose between a and b: neither keeps X as it was.
            Version& chosen = versions_[current_.at(k)];
            chosen.Equation = "(IF " + chosen.Condition + " THEN " + chosen.WhenTrue + " ELSE " + equation + ")";
            return;
        }
        // The shapes below read the variables as they are now, which is as
        // the condition found them only for the first statement of a line.
        if (previous && previous->When == a.When) {
            conditional(a, equation);
            return;
        }
        // «IF E<X THEN X:=E» and «IF X>E THEN X:=E» keep the smaller value.
        const bool targetLeft = IsName(c.Left.get(), a.Target, sim_.CaseSensitive);
        const ProgramNode* bound = targetLeft ? c.Right.get() : c.Left.get();
        if ((targetLeft || IsName(c.Right.get(), a.Target, sim_.CaseSensitive)) && (c.Op == "<" || c.Op == ">") &&
            SameExpression(bound, a.Expression.get())) {
            const bool smaller = (c.Op == "<") != targetLeft;
            current_[k] = newVersion(a.Target, (smaller ? "MIN(" : "MAX(") + read(a.Target) + ", " + equation + ")");
            return;
        }
        if (previous && floors(*previous, a)) {
            // «X:=INT(E)» cuts towards zero, «IF X>E THEN X:=X-1» makes it XMILE's INT
            current_[k] = newVersion(a.Target, "INT(" + translate(c.Right.get(), a.Target) + ")");
            return;
        }
        conditional(a, equation);
    }

    // X := IF c THEN e ELSE X as it was.
    void conditional(const ProgramAssignment& a, const std::string& equation) {
        const std::string k = key(a.Target);
        const std::string condition = translate(*a.When, a.Target);
        // «T:=0» or a truth value, then «IF c THEN T:=1»: T is a truth value too.
        std::string truth;
        if (const auto before = current_.find(k); IsNumber(a.Expression.get(), "1") && before != current_.end()) {
            const Version& was = versions_[before->second];
            if (was.Equation == "0") truth = condition;
            else if (!was.Truth.empty()) truth = "(" + was.Truth + " OR " + condition + ")";
        }
        const std::size_t id =
            newVersion(a.Target, "(IF " + condition + " THEN " + equation + " ELSE " + read(a.Target) + ")");
        versions_[id].Condition = condition;
        versions_[id].WhenTrue = equation;
        versions_[id].Truth = truth;
        current_[k] = id;
    }

    bool floors(const ProgramAssignment& before, const ProgramAssignment& a) const {
        const ProgramNode *e = before.Expression.get(), *change = a.Expression.get();
        const ProgramCondition& c = *a.When;
        return !before.When && key(before.Target) == key(a.Target) && e && e->Kind == ProgramNode::Call &&
               e->Text == "INT" && IsName(c.Left.get(), a.Target, sim_.CaseSensitive) && c.Op == ">" &&
               SameExpression(c.Right.get(), e->Left.get()) && change && change->Kind == ProgramNode::Binary &&
               change->Text == "-" && IsName(change->Left.get(), a.Target, sim_.CaseSensitive) &&
               IsNumber(change->Right.get(), "1");
    }

    // A truth value (1 or 0) the import computes in temporaries, as a condition.
    std::optional<std::string> truth(const ProgramNode* n) {
        if (n->Kind == ProgramNode::Name && IsTemporary(n->Text)) {
            auto it = current_.find(key(n->Text));
            if (it == current_.end() || versions_[it->second].Truth.empty()) return std::nullopt;
            return versions_[it->second].Truth;
        }
        if (n->Kind == ProgramNode::Binary && n->Text == "*") {  // AND
            auto left = truth(n->Left.get()), right = truth(n->Right.get());
            if (left && right) return "(" + *left + " AND " + *right + ")";
        }
        if (n->Kind == ProgramNode::Binary && n->Text == "-" && IsNumber(n->Left.get(), "1"))  // NOT
            if (auto negated = truth(n->Right.get())) return "(NOT " + *negated + ")";
        return std::nullopt;
    }

    // The import's pair of assignments under complementary conditions on a
    // truth value of its temporaries.
    bool completes(const ProgramAssignment& before, const ProgramAssignment& a) const {
        const ProgramCondition *c1 = before.When.get(), *c2 = a.When.get();
        return c1 && key(before.Target) == key(a.Target) && c1->Op == ">" && c2->Op == "<" &&
               IsNumber(c1->Right.get(), "0.5") && IsNumber(c2->Right.get(), "0.5") &&
               ReadsTemporariesOnly(c1->Left.get()) && SameExpression(c1->Left.get(), c2->Left.get());
    }
    static bool ReadsTemporariesOnly(const ProgramNode* n) {
        if (!n) return true;
        if (n->Kind == ProgramNode::Name) return IsTemporary(n->Text);
        return n->Kind != ProgramNode::Call && ReadsTemporariesOnly(n->Left.get()) &&
               ReadsTemporariesOnly(n->Right.get());
    }
    static bool SameExpression(const ProgramNode* a, const ProgramNode* b) {
        if (!a || !b) return a == b;
        return a->Kind == b->Kind && UpperCase1252(a->Text) == UpperCase1252(b->Text) &&
               SameExpression(a->Left.get(), b->Left.get()) && SameExpression(a->Right.get(), b->Right.get());
    }

    // The variable as the line reading it finds it.
    std::string read(const std::string& name) {
        const bool time = is(name, "ZEIT");
        const std::string k = time ? std::string("ZEIT") : key(name);
        if (auto it = current_.find(k); it != current_.end()) return Reference(it->second);
        auto [it, added] = passStart_.emplace(k, versions_.size());
        if (added) {
            Version& v = versions_.emplace_back();
            v.Name = time ? k : name;
            v.AtPassStart = true;
        }
        return Reference(it->second);
    }

    // The amount per time unit the change E of a stock stands for: E without
    // its factor ZEITSCHRITT when that is the model's dt, E itself when a
    // pass is one time unit, else E / DT.
    std::string rateOf(const ProgramNode* e, const ProgramNode*& single, const std::string& owner) {
        single = e;
        const bool dtFactor = dtIsVariable_ || startValue("ZEITSCHRITT") == model_.Dt;
        if (e->Kind == ProgramNode::Binary && e->Text == "*" && dtFactor) {
            if (IsName(e->Right.get(), "ZEITSCHRITT", false)) single = e->Left.get();
            else if (IsName(e->Left.get(), "ZEITSCHRITT", false)) single = e->Right.get();
        }
        if (single == e && (dtIsVariable_ || model_.Dt != 1)) {
            single = nullptr;
            return "(" + translate(e, owner) + " / DT)";
        }
        return {};
    }

    // The change of a stock made of named rates added and taken away
    // («(Zugang - Abgang)*ZEITSCHRITT») gives one flow per rate; any other
    // change becomes a flow of its own named after the stock, under an IF
    // a flow that is 0 when the condition fails.
    void addFlow(const ProgramAssignment& a) {
        const bool inflow = a.Expression->Text == "+";
        const ProgramNode* single = nullptr;
        std::string equation = rateOf(a.Expression->Right.get(), single, a.Target);
        if (single) {
            std::vector<std::pair<bool, const ProgramNode*>> terms;
            Terms(single, inflow, terms);
            if (!a.When &&
                std::all_of(terms.begin(), terms.end(), [&](const auto& t) { return canBeFlow(t.second, t.first); })) {
                for (const auto& [in, term] : terms) attach(a.Target, takeAsFlow(term->Text), in);
                changed(a.Target);
                return;
            }
            equation = translate(single, a.Target);
        }
        if (a.When) equation = "(IF " + translate(*a.When, a.Target) + " THEN " + equation + " ELSE 0)";
        const std::string base = a.Target + (inflow ? "_Zufluss" : "_Abfluss");
        std::string flowName = base;
        for (int n = 2; find(flowName); ++n) flowName = base + std::to_string(n);
        variable(flowName, ExportKind::Flow).Equation = equation;
        attach(a.Target, flowName, inflow);
        changed(a.Target);
    }

    // What the stock holds after its changes so far in the pass.
    void changed(const std::string& stock) {
        const ExportVariable& s = *find(stock);
        auto sum = [](const std::vector<std::string>& flows) {
            std::string text;
            for (const std::string& f : flows) text += (text.empty() ? "" : " + ") + XmileVariableName(f);
            return flows.size() > 1 ? "(" + text + ")" : text;
        };
        const std::string in = sum(s.Inflows), out = sum(s.Outflows), name = XmileVariableName(s.Name);
        std::string equation;
        if (out.empty())
            equation = "(" + name + " + " + in + " * DT)";
        else if (in.empty())
            equation = "(" + name + " - " + out + " * DT)";
        else
            equation = "(" + name + " + (" + in + " - " + out + ") * DT)";
        current_[key(stock)] = newVersion(stock, equation);
    }

    static void Terms(const ProgramNode* n, bool positive, std::vector<std::pair<bool, const ProgramNode*>>& terms) {
        if (n->Kind == ProgramNode::Binary && (n->Text == "+" || n->Text == "-")) {
            Terms(n->Left.get(), positive, terms);
            Terms(n->Right.get(), n->Text == "+" ? positive : !positive, terms);
        } else if (n->Kind == ProgramNode::Negate) {
            Terms(n->Left.get(), !positive, terms);
        } else {
            terms.emplace_back(positive, n);
        }
    }

    // A named rate is a flow when the model's variable of that name holds
    // the value the line reads: its value this pass, or its start value.
    bool canBeFlow(const ProgramNode* n, bool inflow) {
        if (n->Kind != ProgramNode::Name || IsName(n, "ZEIT", false) || IsName(n, "ZEITSCHRITT", false) ||
            isStock(n->Text) || usedAs(n->Text, inflow) || IsTemporary(n->Text))
            return false;
        const std::string k = key(n->Text);
        auto it = current_.find(k);
        if (it == current_.end()) return !assigned_.count(k);
        auto named = named_.find(k);
        return named == named_.end() || named->second == it->second;
    }

    std::string takeAsFlow(const std::string& name) {
        ExportVariable& flow = variable(name, ExportKind::Aux);
        if (auto it = current_.find(key(name)); it != current_.end())
            named_[key(name)] = it->second;
        else
            flow.Equation = startValueText(flow.Name);  // never computed, it keeps its start value
        flow.Kind = ExportKind::Flow;
        return flow.Name;
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

    // Variables the diagram shows but no line computes.
    void addDiagramElements() {
        for (const auto& s : sim_.Diagram.Stocks) {
            const std::string name = DisplayName(s->Name);
            if (find(name)) continue;
            const auto assign = s->Name.find(":=");
            if (assign == std::string::npos) {
                variable(name, ExportKind::Stock).Equation = startValueText(name);
            } else {
                ProgramAssignment a;
                a.Target = name;
                a.Text = s->Name.substr(assign + 2);
                std::replace(a.Text.begin(), a.Text.end(), ',', '.');
                a.Expression = ReadExpression(a.Text);
                assignAuxiliary(a, nullptr);
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

    // ---- from versions to equations

    // Each variable of the model holds the version its name stands for: a
    // rate the version its stock update read, any other the last one of the
    // pass. Versions read once are written into the equation reading them,
    // others become variables of their own.
    void writeEquations() {
        for (const auto& [k, id] : current_)
            if (k != "ZEIT" && !isStock(versions_[id].Name) && !IsTemporary(versions_[id].Name)) named_.emplace(k, id);
        for (const auto& [k, id] : named_) {
            ExportVariable& v = *find(versions_[id].Name);
            versions_[id].Shown = XmileVariableName(v.Name);
            v.Equation = versions_[id].Equation;
        }
        for (std::size_t i = 0; i < model_.Variables.size(); ++i) {
            const std::string equation = model_.Variables[i].Equation;  // use() may add variables
            use(equation);
        }
        for (std::size_t i = 0; i < model_.Variables.size(); ++i) {
            const std::string equation = model_.Variables[i].Equation;
            model_.Variables[i].Equation = render(equation);
        }
    }

    template <typename Visit>
    static void ForEachReference(const std::string& text, Visit visit) {
        for (std::size_t at = text.find(ReferenceStart); at != std::string::npos;
             at = text.find(ReferenceStart, at + 1))
            visit(std::stoul(text.substr(at + 1, text.find(ReferenceEnd, at) - at - 1)));
    }

    // Marks what the equations need and counts how often it is read. A
    // variable read before the pass sets it is read as it was after the last
    // pass: a stock "_vorher" that takes each step's final value.
    void use(const std::string& text) {
        ForEachReference(text, [&](std::size_t id) {
            Version& v = versions_[id];
            ++v.Uses;
            if (v.Live || v.Shown) return;  // a named version's equation is its variable's
            v.Live = true;
            if (!v.AtPassStart) {
                use(v.Equation);
                return;
            }
            const std::string k = v.Name == "ZEIT" ? v.Name : key(v.Name);
            if (!assigned_.count(k)) return;
            std::string before = v.Name + "_vorher";
            for (int n = 2; find(before); ++n) before = v.Name + "_vorher" + std::to_string(n);
            variable(before, ExportKind::Stock).Equation = startValueText(v.Name);
            const std::string flow = before + "_Zufluss";
            variable(flow, ExportKind::Flow).Equation =
                "((" + Reference(current_.at(k)) + " - " + XmileVariableName(before) + ") / DT)";
            attach(before, flow, true);
            v.Shown = XmileVariableName(before);
        });
    }

    std::string render(const std::string& text) {
        std::string result;
        std::size_t done = 0;
        for (std::size_t at = text.find(ReferenceStart); at != std::string::npos;
             at = text.find(ReferenceStart, done)) {
            const std::size_t end = text.find(ReferenceEnd, at);
            result += text.substr(done, at - done) + shown(std::stoul(text.substr(at + 1, end - at - 1)));
            done = end + 1;
        }
        return result + text.substr(done);
    }

    std::string shown(std::size_t id) {
        if (versions_[id].Shown) return *versions_[id].Shown;
        const Version v = versions_[id];
        std::string text;
        if (v.AtPassStart) {
            text = v.Name == "ZEIT" ? "TIME" : XmileVariableName(v.Name);
            if (!isStock(v.Name) && v.Name != "ZEIT") referenced_.push_back(v.Name);
        } else if (v.Uses <= 1) {
            text = render(v.Equation);
        } else {
            const std::string base = v.Name + (isStock(v.Name) ? "_neu" : "");
            std::string name = base;
            for (int n = 2; find(name); ++n) name = base + "_" + std::to_string(n);
            variable(name, ExportKind::Aux);  // taken before the equation names what it reads
            const std::string equation = render(v.Equation);
            find(name)->Equation = equation;
            text = XmileVariableName(name);
        }
        versions_[id].Shown = text;
        return text;
    }

    // The condition as the IF's line found the variables: the statements of
    // its body may change what it reads.
    std::string translate(const ProgramCondition& c, const std::string& owner) {
        auto [it, added] = conditions_.emplace(&c, std::string());
        if (added) it->second = comparison(c, owner);
        return it->second;
    }

    std::string comparison(const ProgramCondition& c, const std::string& owner) {
        if (c.Op == ">" && IsNumber(c.Right.get(), "0.5"))
            if (auto condition = truth(c.Left.get())) return *condition;
        const std::string left = translate(c.Left.get(), owner), right = translate(c.Right.get(), owner);
        if (c.Op != "=" && c.Op != "<>") return "(" + left + " " + c.Op + " " + right + ")";
        // "=" allows a relative difference of 1e-9; against 0 it is exact.
        const bool equal = c.Op == "=";
        if (IsNumber(c.Right.get(), "0")) return "(" + left + (equal ? " = " : " <> ") + "0)";
        const std::string bound = c.Right->Kind == ProgramNode::Number ? XmileNumber(1e-9 * std::stod(c.Right->Text))
                                                                       : "(1e-09 * ABS(" + right + "))";
        return "(ABS(" + left + " - " + right + ")" + (equal ? " <= " : " > ") + bound + ")";
    }

    // The expression in XMILE's language. Every operation is parenthesised,
    // since the two languages differ in how "^" and a leading "-" bind.
    // What has no counterpart is listed under owner's name.
    std::string translate(const ProgramNode* n, const std::string& owner) {
        if (!n) {
            refuse(owner);
            return "0";
        }
        switch (n->Kind) {
        case ProgramNode::Number:
            return n->Text;
        case ProgramNode::Name:
            if (IsName(n, "ZEITSCHRITT", false)) return dtIsVariable_ ? "DT" : startValueText("ZEITSCHRITT");
            return read(n->Text);
        case ProgramNode::Negate:
            return "(-" + translate(n->Left.get(), owner) + ")";
        case ProgramNode::Binary:
            return "(" + translate(n->Left.get(), owner) + " " + n->Text + " " + translate(n->Right.get(), owner) + ")";
        case ProgramNode::Call:
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

// The program the simulation computes, not the one its diagram would give:
// they differ for an imported model (whose program keeps the other tool's
// order of computing) and after the program was edited by hand.
ExportModel BuildXmileModel(const tsim& sim) { return ModelBuilder(sim).build(sim.Program); }

std::string NotExportedText(const ExportModel& model) {
    if (model.NotExported.empty()) return {};
    std::string text = "Nicht nach XMILE \xFC" "bertragen (keine Entsprechung): ";
    for (std::size_t i = 0; i < model.NotExported.size(); ++i) text += (i ? ", " : "") + model.NotExported[i];
    return text + ".";
}

}  // namespace qv
