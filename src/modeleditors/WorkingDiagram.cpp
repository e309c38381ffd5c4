#include "modeleditors/WorkingDiagram.h"

#include "engine/QVSim.h"

namespace qv {

void WorkingDiagram::LoadFrom(const tsim& sim) {
    Diagram.Assign(sim.Diagram);
    SimplifiedModel = sim.SimplifiedModel;
    ExtendedSyntax = sim.ExtendedSyntax;
}

void WorkingDiagram::StoreInto(tsim& sim) const {
    sim.Diagram.Assign(Diagram);
    sim.SimplifiedModel = SimplifiedModel;
    sim.ExtendedSyntax = ExtendedSyntax;
}

}  // namespace qv
