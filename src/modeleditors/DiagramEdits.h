// The edits of the diagram editor that need no window: deleting with
// everything that hangs on an element, the sign of a flow, the names a
// pupil may give, and what the formula dialog is filled with.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/QVGrafDiagram.h"

namespace qv {

inline constexpr const char* EmptyNameText = "Der eingegebene Name ist leer!";
inline constexpr const char* DigitNameText = "Der eingegebene Name darf nicht mit einer Zahl beginnen!";
inline constexpr const char* SpecialNameText = "Der eingegebene Name darf keine Sonder- oder Leerzeichen enthalten!";
inline constexpr const char* UndefinedInputsText = "Es sind nicht alle Eingangsgr\xF6\xDF" "en definiert.";

// The message for a name that cannot be a variable, nothing for a good one.
std::optional<std::string> NameRuleViolation(const std::string& name);

// Removes the element with every arrow that starts or ends at it; an arrow
// from a constant takes its constant along. The remaining arrows are
// renumbered, so the stored indices keep naming the same elements.
void DeleteElement(TDiagram& diagram, const TGSimple& element);
// Removes the arrow, and its constant when it starts at one.
void DeleteArrow(TDiagram& diagram, const tpfeil& arrow);

// "+" becomes "-" and back; an arrow without sign keeps none.
void FlipSign(tpfeil& arrow);

// Under extended syntax a stock fed by a stock or a constant, or by more
// than one arrow, is computed: it gets a formula instead of a plain name.
bool StockTakesFormula(const TDiagram& diagram, const tzustand& stock);

// The input list of the formula dialog: the display names of the sources of
// the arrows into element, then "ZEIT" and, unless the model is simplified,
// "ZEITSCHRITT". A source still named "?" is left out and reported.
struct FormulaInputs {
    std::vector<std::string> Names;
    bool SomeUndefined = false;
};
FormulaInputs InputsOf(const TDiagram& diagram, const TGSimple& element, bool simplifiedModel);

// A definition split for the formula dialog: its display name, and the text
// after the first ":=" (at most 255 characters; empty without ":=").
struct DefinitionParts {
    std::string Name;
    std::string Formula;
};
DefinitionParts SplitDefinition(const std::string& definition);
// What the dialog gives back: name ":=" formula, or the name alone.
std::string JoinDefinition(const std::string& name, const std::string& formula);

}  // namespace qv
