// What a simulation says as a stock-and-flow model: stocks with their
// inflows and outflows, flows and auxiliaries with equations in XMILE's
// expression language, and the run's time settings. Built from the
// algorithm (for a graphical model, the algorithm its diagram generates),
// since that is what the program computes.
//
// Names and equations are Windows-1252, like the program's texts.
#pragma once

#include <string>
#include <vector>

#include "engine/QVSim.h"

namespace qv {

enum class ExportKind { Stock, Flow, Aux };

struct ExportVariable {
    ExportKind Kind = ExportKind::Aux;
    std::string Name;
    std::string Equation;  // for a stock its initial value
    std::vector<std::string> Inflows, Outflows;
    bool NonNegative = false;  // a stock the program keeps at 0 from below
};

struct ExportModel {
    double Start = 0, Stop = 0, Dt = 1;
    std::vector<ExportVariable> Variables;  // in the order they were met
    // What could not be carried over: variable names and "Zeile N" for
    // statements without a counterpart (IF, WHILE, macro calls).
    std::vector<std::string> NotExported;

    const ExportVariable* Find(const std::string& name) const;
};

// The name a variable has in the file: names XMILE gives a meaning of its
// own (PI, DT, MIN, STEP …) get "_Wert" appended.
std::string XmileVariableName(const std::string& name);

// The shortest text that reads back to the same double.
std::string XmileNumber(double value);

ExportModel BuildXmileModel(const tsim& sim);

// The German message naming what an export left out; empty when nothing was.
std::string NotExportedText(const ExportModel& model);

}  // namespace qv
