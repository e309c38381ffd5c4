// A system-dynamics model as an XMILE file describes it, before it is turned
// into an algorithm: what the reader takes from the file and what the export
// writes back.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv {

enum class XmileKind { Stock, Flow, Aux };

// A position in the file's view, in its own units.
struct XmilePoint {
    double X = 0;
    double Y = 0;
};

struct XmileVariable {
    XmileKind Kind = XmileKind::Aux;
    std::string Name;      // as written in the file (UTF-8), escapes resolved
    std::string Equation;  // for a stock: its initial value
    std::vector<std::string> Inflows, Outflows;  // stocks only, names as written
    bool NonNegative = false;
    // Why the variable cannot be computed here ("Feld", "Grafische Funktion" …);
    // empty when it can.
    std::string Unsupported;
    std::optional<XmilePoint> Position;      // from the view
    std::vector<XmilePoint> FlowPoints;      // a flow's pipe in the view
};

struct XmileConnector {
    std::string From, To;  // names as written
};

struct XmileModel {
    std::string Name;  // the file's header name or model name, may be empty
    double Start = 0;
    double Stop = 10;
    double Dt = 1;
    std::string Method = "euler";  // lower case
    std::vector<XmileVariable> Variables;  // in file order
    std::vector<XmileConnector> Connectors;
    // Names of parts that cannot be read at all (modules), for the message.
    std::vector<std::string> UnsupportedParts;
};

// The key under which XMILE compares names: spaces, line breaks and
// underscores are one and the same, letters are compared without case.
std::string XmileNameKey(const std::string& name);

}  // namespace qv
