// Builds the growth example as a pupil writes it in the verbal editor: a
// stock and its growth rate, two sentences, "vereinfacht" checked; the
// generated algorithm is computed and the stock is charted.
// Usage: make-verbal-example PRAEDKT.txt OUT.prg
#include <iostream>

#include "ExampleSession.h"
#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "modeleditors/PredicateList.h"
#include "modeleditors/SentenceTranslation.h"
#include "modeleditors/WorkingSentences.h"
#include "util/Cp1252.h"
#include "util/Geometry.h"
#include "util/TextHelpers.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Aufruf: make-verbal-example PRAEDKT.txt AUSGABE.prg\n";
        return 1;
    }
    ExampleSession session(argc, argv);

    const qv::PredicateList predicates(qv::ReadPredicateFile(argv[1]));
    if (!predicates.Complete()) {
        std::cerr << qv::Cp1252ToUtf8(qv::MissingPredicatesText) << '\n';
        return 1;
    }
    const std::vector<std::string> shown = predicates.Shown(true);
    qv::WorkingSentences sentences;
    sentences.SimplifiedModel = true;
    sentences.Stocks[0] = "Bestand";
    sentences.Rates[0] = "Zuwachs";
    sentences.Sentences[0] = {"Bestand", shown[qv::Increase], "Zuwachs"};
    sentences.Sentences[1] = {"Zuwachs", shown[qv::Proportionality], "Bestand"};

    qv::TDocument document = qv::TDocument::CreateNew();
    qv::AcceptedAlgorithm model;
    model.Name = "Wachstum (sprachlich)";
    model.Program = qv::GenerateFromModel(sentences, predicates).Lines;
    model.StepCount = 50;
    model.StartValues = {{"BESTAND", 10}, {"FZUWACHS", 0.1}};
    if (auto error = qv::AddNewSimulation(document, model)) {
        std::cerr << qv::Cp1252ToUtf8(*error) << '\n';
        return 2;
    }
    qv::tsim& sim = *document.SelectedSimulation();
    sentences.StoreInto(sim);
    qv::MarkPlotted(document, sim, {"BESTAND"});

    return SaveExample(document, argv[2]);
}
