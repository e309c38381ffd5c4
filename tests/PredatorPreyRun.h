// The predator-prey run that the page pictures test and the worksheet
// benchmark draw: four plotted curves, rabbits as a smooth line, foxes as
// points, so that a long run exercises every way a curve is drawn.
#pragma once

#include <stdexcept>
#include <string>

#include "document/DocumentActions.h"

namespace qv {

// Adds the simulation "Räuber N" and selects it.
inline tsim& AddPredatorPreyRun(TDocument& document, int n, int steps, double rabbits, double timeStep) {
    AcceptedAlgorithm model;
    model.Name = "Räuber " + std::to_string(n);
    model.Program = {"GEBURTEN := 0.8 * HASEN", "GEFRESSEN := 0.1 * HASEN * FUECHSE",
                     "HASEN := HASEN + (GEBURTEN - GEFRESSEN) * ZEITSCHRITT",
                     "FUECHSE := FUECHSE + (0.02 * HASEN * FUECHSE - 0.6 * FUECHSE) * ZEITSCHRITT",
                     "ZEIT := ZEIT + ZEITSCHRITT"};
    model.StepCount = steps;
    model.StartValues = {{"HASEN", rabbits}, {"FUECHSE", 4}, {"ZEITSCHRITT", timeStep}};
    if (AddNewSimulation(document, model)) throw std::runtime_error("the predator-prey model does not compile");
    tsim& sim = *document.SelectedSimulation();
    MarkPlotted(document, sim, {"GEBURTEN", "GEFRESSEN", "HASEN", "FUECHSE"});
    sim.Variables[sim.IndexOfVariable("HASEN")]->Splines = true;
    sim.Variables[sim.IndexOfVariable("FUECHSE")]->CurveKind = 1;
    return sim;
}

}  // namespace qv
