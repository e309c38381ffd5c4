#include "model/GrafGeneration.h"

#include <algorithm>

namespace qv {

namespace {

constexpr std::size_t MaxFormulaLength = 255;

bool HasDefinition(const std::string& Name) { return Name.find(':') != std::string::npos; }

// A rate defined by itself ("Z:=z") and a rate never defined ("?") add no
// line; the comparison ignores case, as the compiler does by default.
bool DefinesSomethingElse(const std::string& Definition) {
    auto assign = Definition.find(":=");
    std::string name = assign == std::string::npos ? std::string() : Definition.substr(0, assign);
    std::size_t formulaStart = assign == std::string::npos ? 1 : assign + 2;
    std::string formula = formulaStart < Definition.size() ? Definition.substr(formulaStart, MaxFormulaLength) : "";
    return UpperCase1252(name) != UpperCase1252(formula);
}

bool AlreadyGenerated(const std::vector<std::string>& Lines, const std::string& Line) {
    std::string upper = UpperCase1252(Line);
    return std::any_of(Lines.begin(), Lines.end(), [&](const std::string& l) { return UpperCase1252(l) == upper; });
}

}  // namespace

std::vector<std::string> GenerateAlgorithm(const TDiagram& Diagram, bool SimplifiedModel) {
    std::vector<std::string> lines;
    if (Diagram.Arrows.empty()) return lines;
    for (const auto& arrow : Diagram.Arrows) {
        const TGSimple* source = arrow->Source;
        const TGSimple* target = arrow->Target;
        if (!source || !target) continue;
        if (source->Kind() == TElementKind::Rate && target->Kind() == TElementKind::Stock &&
            !HasDefinition(target->Name)) {
            const auto& rate = static_cast<const trate&>(*source);
            if (!rate.Definition.empty() && DefinesSomethingElse(rate.Definition)) lines.push_back(rate.Definition);
            std::string update = target->Name + " := " + target->Name + (arrow->Sign < 0 ? " - " : " + ") + rate.Name;
            if (!SimplifiedModel) update += "*ZEITSCHRITT";
            lines.push_back(update);
        } else if (source->Kind() == TElementKind::Stock && HasDefinition(source->Name) &&
                   !AlreadyGenerated(lines, source->Name)) {
            lines.push_back(source->Name);
        }
    }
    lines.push_back(SimplifiedModel ? "ZEIT := ZEIT + 1" : "ZEIT := ZEIT + ZEITSCHRITT");
    return lines;
}

}  // namespace qv
