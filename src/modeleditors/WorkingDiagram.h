// The diagram the graphical editor works on, with its two options. It is
// taken from the simulation being edited before the algorithm editor opens
// and goes back into it when the algorithm editor is confirmed.
#pragma once

#include "model/QVGrafDiagram.h"

namespace qv {

class tsim;

struct WorkingDiagram {
    TDiagram Diagram;
    // "vereinfachtes Modell": stock updates do not multiply by the time step.
    bool SimplifiedModel = true;
    // "erweiterte Syntax": stocks may be computed by formulas.
    bool ExtendedSyntax = false;

    void LoadFrom(const tsim& sim);
    void StoreInto(tsim& sim) const;
};

}  // namespace qv
