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
