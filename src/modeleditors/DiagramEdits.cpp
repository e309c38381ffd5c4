#include "modeleditors/DiagramEdits.h"

#include <algorithm>
#include <string_view>

namespace qv {

namespace {

constexpr std::size_t MaxFormulaChars = 255;

template <typename T>
void EraseFrom(std::vector<std::unique_ptr<T>>& list, const TGSimple& element) {
    std::erase_if(list, [&element](const auto& item) { return item.get() == &element; });
}

void EraseElement(TDiagram& diagram, const TGSimple& element) {
    switch (element.Kind()) {
        case TElementKind::Stock: EraseFrom(diagram.Stocks, element); break;
        case TElementKind::Rate: EraseFrom(diagram.Rates, element); break;
        case TElementKind::Constant: EraseFrom(diagram.Constants, element); break;
    }
}

void RemoveElement(TDiagram& diagram, const TGSimple& element);

// The constant an arrow starts at goes with it, unless that constant is the
// element being removed already.
void RemoveArrow(TDiagram& diagram, const tpfeil& arrow, const TGSimple* removing) {
    const TGSimple* source = arrow.Source;
    const bool takesConstant = source && source != removing && source->Kind() == TElementKind::Constant;
    std::erase_if(diagram.Arrows, [&arrow](const auto& item) { return item.get() == &arrow; });
    if (takesConstant) RemoveElement(diagram, *source);
}

// Last arrow first. A damaged document may let two arrows start at one
// constant: both go with it, so no arrow is left pointing at a freed element.
void RemoveElement(TDiagram& diagram, const TGSimple& element) {
    for (;;) {
        auto it = std::find_if(diagram.Arrows.rbegin(), diagram.Arrows.rend(), [&element](const auto& a) {
            return a->Source == &element || a->Target == &element;
        });
        if (it == diagram.Arrows.rend()) break;
        RemoveArrow(diagram, **it, &element);
    }
    EraseElement(diagram, element);
}

}  // namespace

std::optional<std::string> NameRuleViolation(const std::string& name) {
    if (name.empty()) return EmptyNameText;
    if (name.front() >= '0' && name.front() <= '9') return DigitNameText;
    static constexpr std::string_view Special = "!\"$%&/()=?[]{},.-;:+*#<> ";
    if (name.find_first_of(Special) != std::string::npos) return SpecialNameText;
    return std::nullopt;
}

void DeleteElement(TDiagram& diagram, const TGSimple& element) {
    RemoveElement(diagram, element);
    diagram.RenumberArrowEnds();
}

void DeleteArrow(TDiagram& diagram, const tpfeil& arrow) {
    RemoveArrow(diagram, arrow, nullptr);
    diagram.RenumberArrowEnds();
}

void FlipSign(tpfeil& arrow) { arrow.Sign = static_cast<int8_t>(-arrow.Sign); }

bool StockTakesFormula(const TDiagram& diagram, const tzustand& stock) {
    int feeding = 0;
    for (const auto& a : diagram.Arrows) {
        if (a->Target != &stock) continue;
        if (a->Source && a->Source->Kind() != TElementKind::Rate) return true;
        ++feeding;
    }
    return feeding > 1;
}

FormulaInputs InputsOf(const TDiagram& diagram, const TGSimple& element, bool simplifiedModel) {
    FormulaInputs inputs;
    for (const auto& a : diagram.Arrows) {
        if (a->Target != &element || !a->Source) continue;
        if (a->Source->Name == "?")
            inputs.SomeUndefined = true;
        else
            inputs.Names.push_back(DisplayName(a->Source->Name));
    }
    inputs.Names.push_back("ZEIT");
    if (!simplifiedModel) inputs.Names.push_back("ZEITSCHRITT");
    return inputs;
}

DefinitionParts SplitDefinition(const std::string& definition) {
    DefinitionParts parts{DisplayName(definition), {}};
    const std::size_t assign = definition.find(":=");
    if (assign != std::string::npos) parts.Formula = definition.substr(assign + 2, MaxFormulaChars);
    return parts;
}

std::string JoinDefinition(const std::string& name, const std::string& formula) {
    return formula.empty() ? name : name + ":=" + formula;
}

}  // namespace qv
