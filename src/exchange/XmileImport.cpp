#include "exchange/XmileImport.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "engine/QVCompile.h"
#include "engine/QVExecute.h"
#include "exchange/XmileDiagram.h"
#include "exchange/XmileEquation.h"
#include "util/Cp1252.h"

namespace qv {

namespace {

// The step counts the algorithm editor accepts.
constexpr double MaxStepCount = 99999999;

// A name the language accepts, as near to the original as it allows: upper
// case, spaces as "_", umlauts kept, anything else "_" (8-bit text).
std::string LanguageName(const std::string& original) {
    QString text = QString::fromStdString(XmileNameKey(original));
    std::string name;
    for (QChar c : text) {
        if (c == u'ß') name += '\xDF';
        else if (c == u'ä') name += '\xC4';
        else if (c == u'ö') name += '\xD6';
        else if (c == u'ü') name += '\xDC';
        else if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_') name += static_cast<char>(c.toUpper().toLatin1());
        else name += '_';
    }
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) name = "_" + name;
    return name;
}

bool Reserved(const std::string& name) {
    static const std::set<std::string> words = {"IF", "WHILE", "THEN", "DO", "ZEIT", "ZEITSCHRITT"};
    return words.count(name) || IsFunctionName(name);
}

struct Entry {
    const XmileVariable* Source = nullptr;
    std::string Key, Name;
    XmileTranslation Translation;
    bool Constant = false;
};

struct Order {
    std::vector<std::string> Keys;  // in order, or the keys of a cycle
    bool Cycle = false;
};

// Orders the keys so that each comes after those it reads among them; the
// file order decides where nothing else does.
Order DependencyOrder(
    const std::vector<std::string>& keys, const std::function<const std::set<std::string>&(const std::string&)>& uses) {
    std::set<std::string> members(keys.begin(), keys.end()), done, active;
    std::vector<std::string> order, cycle;
    std::function<bool(const std::string&)> visit = [&](const std::string& key) {
        if (done.count(key)) return true;
        if (active.count(key)) {
            cycle.push_back(key);
            return false;
        }
        active.insert(key);
        for (const auto& used : uses(key))
            if (members.count(used) && !visit(used)) {
                cycle.push_back(key);
                return false;
            }
        active.erase(key);
        done.insert(key);
        order.push_back(key);
        return true;
    };
    for (const auto& key : keys)
        if (!visit(key)) {
            // The path runs back from where the cycle closed: keep one round.
            auto again = std::find(cycle.begin() + 1, cycle.end(), cycle.front());
            cycle.erase(again, cycle.end());
            return Order{cycle, true};
        }
    return Order{order, false};
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

class Importer {
public:
    Importer(const XmileModel& model, bool takePartial) : model_(model), takePartial_(takePartial) {}

    std::variant<XmileImportResult, std::string> run() {
        if (auto problem = checkTime()) return *problem;
        if (auto problem = nameVariables()) return *problem;
        translateAll();
        if (auto problem = reportRefused()) return *problem;
        Order flowOrder = orderOf(false);
        if (flowOrder.Cycle) return CycleMessage(flowOrder.Keys);
        Order initialOrder = orderOf(true);
        if (initialOrder.Cycle) return CycleMessage(initialOrder.Keys);
        if (auto problem = computeInitialValues(initialOrder.Keys)) return *problem;
        buildProgram(flowOrder.Keys);
        buildDiagram();
        keepNamedOnly();
        return std::move(result_);
    }

private:
    std::string CycleMessage(const std::vector<std::string>& keys) {
        std::vector<std::string> names;
        for (const auto& key : keys) names.push_back(entries_.at(key).Name);
        return "Diese Gr\xF6\xDF" "en h\xE4ngen im Kreis voneinander ab: " + JoinNames(names);
    }

    std::optional<std::string> checkTime() {
        if (!(model_.Dt > 0)) return std::string("Der Zeitschritt muss gr\xF6\xDF" "er als 0 sein.");
        const double steps = std::round((model_.Stop - model_.Start) / model_.Dt);
        if (!(steps >= 1) || steps > MaxStepCount)
            return std::string("Aus Anfang, Ende und Zeitschritt ergibt sich keine g\xFCltige Schrittzahl.");
        result_.Algorithm.StepCount = static_cast<int32_t>(steps);
        if (model_.Method != "euler")
            result_.Warnings.push_back("Das Modell verlangt das Rechenverfahren \"" + Utf8ToCp1252(model_.Method) +
                                       "\"; Quorvel rechnet nach Euler.");
        const std::string name = Utf8ToCp1252(model_.Name);
        if (!name.empty()) result_.Algorithm.Name = name;
        return std::nullopt;
    }

    std::optional<std::string> nameVariables() {
        std::set<std::string> used;
        for (const auto& variable : model_.Variables) {
            Entry entry;
            entry.Source = &variable;
            entry.Key = XmileNameKey(variable.Name);
            if (entry.Key.empty()) return std::string("Eine Gr\xF6\xDF" "e des Modells hat keinen Namen.");
            if (entries_.count(entry.Key))
                return "Der Name \"" + Utf8ToCp1252(variable.Name) + "\" kommt im Modell mehrfach vor.";
            const std::string base = LanguageName(variable.Name);
            entry.Name = base;
            for (int n = 2; Reserved(entry.Name) || used.count(entry.Name); ++n) entry.Name = base + "_" + std::to_string(n);
            used.insert(entry.Name);
            fileOrder_.push_back(entry.Key);
            entries_.emplace(entry.Key, std::move(entry));
        }
        for (const auto& [key, entry] : entries_) names_.emplace(key, entry.Name);
        used.insert("ZEIT");
        used.insert("ZEITSCHRITT");
        translator_.emplace(names_, used, model_.Start, model_.Stop);
        return std::nullopt;
    }

    void refuse(Entry& entry, const std::string& reason) {
        refused_.push_back(entry.Name + " (" + reason + ")");
        refusedKeys_.insert(entry.Key);
    }

    void translateAll() {
        for (const auto& key : fileOrder_) {
            Entry& entry = entries_.at(key);
            const XmileVariable& variable = *entry.Source;
            if (!variable.Unsupported.empty()) {
                refuse(entry, variable.Unsupported);
                continue;
            }
            auto translation = translator_->translate(variable.Equation);
            if (auto* reason = std::get_if<std::string>(&translation)) {
                refuse(entry, *reason);
                continue;
            }
            entry.Translation = std::move(std::get<XmileTranslation>(translation));
            // Only auxiliaries become start values: flows may be cut back.
            entry.Constant = variable.Kind == XmileKind::Aux && entry.Translation.Constant.has_value();
            for (const auto& flow : FlowsOf(variable))
                if (!entries_.count(XmileNameKey(flow)) || entries_.at(XmileNameKey(flow)).Source->Kind != XmileKind::Flow) {
                    refuse(entry, "unbekannter Fluss \"" + Utf8ToCp1252(flow) + "\"");
                    break;
                }
        }
        for (const auto& part : model_.UnsupportedParts) refused_.push_back(Utf8ToCp1252(part) + " (Modul)");
    }

    static std::vector<std::string> FlowsOf(const XmileVariable& variable) {
        std::vector<std::string> flows = variable.Inflows;
        flows.insert(flows.end(), variable.Outflows.begin(), variable.Outflows.end());
        return flows;
    }

    std::optional<std::string> reportRefused() {
        if (refused_.empty()) return std::nullopt;
        std::string message = XmileUntranslatableText;
        for (const auto& line : refused_) message += "\n" + line;
        if (!takePartial_) return message;
        result_.Warnings.push_back(message);
        // What is left out counts as a constant 0 the user may set.
        for (const auto& key : refusedKeys_) {
            Entry& entry = entries_.at(key);
            entry.Constant = true;
            entry.Translation = XmileTranslation{};
            entry.Translation.Constant = 0;
        }
        return std::nullopt;
    }

    bool computed(const Entry& entry) const { return !entry.Constant && entry.Source->Kind != XmileKind::Stock; }

    // With stocks: the order their initial values are computed in, the stocks
    // then reading their initial value equation. Without: the order of a pass.
    Order orderOf(bool withStocks) {
        std::vector<std::string> keys;
        for (const auto& key : fileOrder_) {
            const Entry& entry = entries_.at(key);
            if (computed(entry) || (withStocks && entry.Source->Kind == XmileKind::Stock && !entry.Constant)) keys.push_back(key);
        }
        return DependencyOrder(keys, [this](const std::string& key) -> const std::set<std::string>& {
            return entries_.at(key).Translation.Uses;
        });
    }

    void writeAssignment(std::vector<std::string>& lines, const Entry& entry) {
        lines.insert(lines.end(), entry.Translation.Helpers.begin(), entry.Translation.Helpers.end());
        lines.push_back(entry.Name + " := " + entry.Translation.Expression);
    }

    std::vector<std::pair<std::string, double>> constants() const {
        std::vector<std::pair<std::string, double>> values = {{"ZEIT", model_.Start}, {"ZEITSCHRITT", model_.Dt}};
        for (const auto& key : fileOrder_) {
            const Entry& entry = entries_.at(key);
            if (entry.Constant) values.emplace_back(entry.Name, *entry.Translation.Constant);
        }
        return values;
    }

    // Runs the initial value equations once, as the language computes them.
    std::optional<std::string> computeInitialValues(const std::vector<std::string>& order) {
        std::vector<std::string> lines;
        for (const auto& key : order) writeAssignment(lines, entries_.at(key));
        std::vector<std::pair<std::string, double>> values = constants();
        if (!lines.empty()) {
            CompileProgram(lines, false);
            CompilerState& compiler = Compiler();
            if (compiler.ErrorFlag)
                return "Die Anfangswerte lassen sich nicht berechnen: " + CompileErrorText(compiler.CompileError);
            auto index = [&](const std::string& name) {
                for (int i = 0; i <= compiler.VariableCount; ++i)
                    if (compiler.VariableNames[i] == name) return i;
                return -1;
            };
            for (int i = 0; i <= compiler.VariableCount; ++i) compiler.VariableValues[i] = 0;
            for (const auto& [name, value] : values)
                if (int i = index(name); i >= 0) compiler.VariableValues[i] = value;
            try {
                PollThrottle poll(nullptr);
                RunProgram(poll);
            } catch (const RunError& error) {
                return "Die Anfangswerte lassen sich nicht berechnen: " + std::string(error.what());
            }
            for (const auto& key : order) {
                const Entry& entry = entries_.at(key);
                if (entry.Source->Kind == XmileKind::Stock) values.emplace_back(entry.Name, compiler.VariableValues[index(entry.Name)]);
            }
        }
        for (const auto& key : fileOrder_) {
            const Entry& entry = entries_.at(key);
            if (entry.Source->Kind == XmileKind::Stock && entry.Constant) values.emplace_back(entry.Name, *entry.Translation.Constant);
        }
        result_.Algorithm.StartValues = std::move(values);
        return std::nullopt;
    }

    std::string flowSum(const XmileVariable& stock) const {
        std::string sum;
        for (const auto& flow : stock.Inflows) sum += (sum.empty() ? "" : "+") + names_.at(XmileNameKey(flow));
        for (const auto& flow : stock.Outflows) sum += "-" + names_.at(XmileNameKey(flow));
        return sum.empty() ? "0" : sum;
    }

    // The auxiliaries and flows from the stocks as they are; the outflows of
    // a stock that must not become negative take no more than it holds
    // together with its inflows, in the order the file lists them.
    void emitRates(std::vector<std::string>& lines, const std::vector<std::string>& order) {
        for (const auto& key : order) {
            const Entry& entry = entries_.at(key);
            writeAssignment(lines, entry);
            if (entry.Source->NonNegative) lines.push_back("IF " + entry.Name + "<0 THEN " + entry.Name + ":=0");
        }
        for (const auto& key : fileOrder_) {
            const Entry& stock = entries_.at(key);
            const XmileVariable& source = *stock.Source;
            if (source.Kind != XmileKind::Stock || !source.NonNegative || source.Outflows.empty() || stock.Constant) continue;
            const std::string room = limitTemporary(key);
            std::string available = stock.Name + "/ZEITSCHRITT";
            for (const auto& flow : source.Inflows) available += "+" + names_.at(XmileNameKey(flow));
            lines.push_back(room + " := " + available);
            for (const auto& flow : source.Outflows) {
                const std::string& name = names_.at(XmileNameKey(flow));
                lines.push_back("IF " + name + ">" + room + " THEN " + name + ":=" + room);
                lines.push_back(room + " := " + room + "-" + name);
            }
        }
    }

    std::string limitTemporary(const std::string& key) {
        auto found = limits_.find(key);
        if (found == limits_.end()) found = limits_.emplace(key, translator_->temporary()).first;
        return found->second;
    }

    void buildProgram(const std::vector<std::string>& order) {
        std::vector<std::string>& lines = result_.Algorithm.Program;
        for (const auto& key : fileOrder_) {
            const Entry& entry = entries_.at(key);
            lines.push_back(XmileNameComment + entry.Name + " = " + Utf8ToCp1252(entry.Source->Name));
        }
        lines.push_back("// Raten aus den Best\xE4nden vor dem Schritt");
        emitRates(lines, order);
        lines.push_back("// alle Best\xE4nde zugleich um einen Zeitschritt weiter");
        for (const auto& key : fileOrder_) {
            const Entry& entry = entries_.at(key);
            if (entry.Source->Kind != XmileKind::Stock || entry.Constant) continue;
            lines.push_back(entry.Name + " := " + entry.Name + "+(" + flowSum(*entry.Source) + ")*ZEITSCHRITT");
            if (entry.Source->NonNegative) lines.push_back("IF " + entry.Name + "<0 THEN " + entry.Name + ":=0");
        }
        lines.push_back("ZEIT := ZEIT+ZEITSCHRITT");
        lines.push_back("// Raten zur neuen Zeit, damit die Tabelle zusammengeh\xF6rige Werte zeigt");
        emitRates(lines, order);
        bool hasStock = false;
        for (const auto& key : fileOrder_) hasStock |= entries_.at(key).Source->Kind == XmileKind::Stock;
        for (const auto& key : fileOrder_) {
            const Entry& entry = entries_.at(key);
            if (entry.Source->Kind == (hasStock ? XmileKind::Stock : XmileKind::Aux)) result_.Plotted.push_back(entry.Name);
        }
    }

    // A rate of the diagram holds one assignment of stocks and constants; the
    // rest stays in the generated algorithm, which the program keeps.
    std::string rateDefinition(const Entry& entry) const {
        const XmileVariable& source = *entry.Source;
        if (source.Kind != XmileKind::Flow || !entry.Translation.Helpers.empty() || source.NonNegative) return {};
        for (const auto& key : entry.Translation.Uses) {
            const Entry& used = entries_.at(key);
            if (used.Source->Kind != XmileKind::Stock && !used.Constant) return {};
        }
        for (const auto& key : fileOrder_) {
            const XmileVariable& stock = *entries_.at(key).Source;
            if (stock.NonNegative && std::any_of(stock.Outflows.begin(), stock.Outflows.end(), [&](const std::string& flow) {
                    return XmileNameKey(flow) == entry.Key;
                }))
                return {};
        }
        return entry.Name + ":=" + entry.Translation.Expression;
    }

    void buildDiagram() {
        std::map<std::string, XmileDiagramPart> parts;
        for (const auto& [key, entry] : entries_) parts[key] = XmileDiagramPart{entry.Name, entry.Constant, rateDefinition(entry)};
        auto diagram = BuildXmileDiagram(model_, parts);
        if (!diagram) return;
        result_.Diagram = std::move(diagram->Diagram);
        if (diagram->NotShown.empty()) return;
        auto& lines = result_.Algorithm.Program;
        auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind(XmileNameComment, 0) != 0; });
        lines.insert(first, "// Im grafischen Modell nicht als eine Rate darstellbar: " + JoinNames(diagram->NotShown));
    }

    // A constant no equation reads does not appear in the program; it then
    // has no start value and is not plotted.
    void keepNamedOnly() {
        CompileProgram(result_.Algorithm.Program, false);
        const CompilerState& compiler = Compiler();
        auto named = [&](const std::string& name) {
            for (int i = 0; i <= compiler.VariableCount; ++i)
                if (compiler.VariableNames[i] == name) return true;
            return false;
        };
        std::erase_if(result_.Algorithm.StartValues, [&](const auto& value) { return !named(value.first); });
        std::erase_if(result_.Plotted, [&](const std::string& name) { return !named(name); });
    }

    const XmileModel& model_;
    bool takePartial_;
    XmileImportResult result_;
    std::map<std::string, Entry> entries_;
    std::vector<std::string> fileOrder_;
    std::map<std::string, std::string> names_;
    std::optional<XmileTranslator> translator_;
    std::vector<std::string> refused_;
    std::set<std::string> refusedKeys_;
    std::map<std::string, std::string> limits_;
};

}  // namespace

std::variant<XmileImportResult, std::string> ImportXmile(const XmileModel& model, bool takePartial) {
    return Importer(model, takePartial).run();
}

std::optional<std::string> AddImportedSimulation(TDocument& document, const XmileImportResult& imported) {
    if (auto error = AddNewSimulation(document, imported.Algorithm)) return error;
    tsim& simulation = *document.SelectedSimulation();
    simulation.Diagram = imported.Diagram;
    if (simulation.IndexOfVariable("ZEIT") >= 0) simulation.XAxisName = "ZEIT";
    MarkPlotted(document, simulation, imported.Plotted);
    return std::nullopt;
}

}  // namespace qv
