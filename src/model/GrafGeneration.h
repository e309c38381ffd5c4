// The algorithm a diagram stands for: one line per flow and per computed
// stock, in the order the arrows were drawn, and the time line last.
#pragma once

#include <string>
#include <vector>

#include "model/QVGrafDiagram.h"

namespace qv {

// The program lines (Windows-1252) that confirming the graphical editor puts
// into the algorithm editor. A simplified model adds the rates once per pass
// instead of multiplying them by ZEITSCHRITT. Nothing for a diagram without
// arrows; an arrow whose ends are not both resolved gives no line. Start
// values are not generated: they go into the start-value table.
std::vector<std::string> GenerateAlgorithm(const TDiagram& Diagram, bool SimplifiedModel);

}  // namespace qv
