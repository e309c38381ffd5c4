// The graphical model of an imported XMILE model, built from the positions
// in the file's view so that the graphical editor shows it as it was drawn.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "exchange/XmileModel.h"
#include "model/QVGrafDiagram.h"

namespace qv {

// Labels here are upper-case language names, wider than those of other
// tools: a view is read spread out by these factors and written back
// shrunk by them, so that a model keeps its layout across a round trip.
inline constexpr double XmileViewSpreadX = 2.0;
inline constexpr double XmileViewSpreadY = 1.5;

// What the import made of a variable, by name key.
struct XmileDiagramPart {
    std::string Name;            // in the language (8-bit text)
    bool Constant = false;       // a start value
    std::string RateDefinition;  // "NAME:=expression"; empty when the equation needs helper statements
};

struct XmileDiagram {
    TDiagram Diagram;
    std::vector<std::string> NotShown;  // names whose equation the diagram cannot hold
};

// Nothing when the view holds no positions. Needs the fonts of a QtGui
// session, as the element boxes are fitted to their labels.
std::optional<XmileDiagram> BuildXmileDiagram(const XmileModel& model, const std::map<std::string, XmileDiagramPart>& parts);

}  // namespace qv
