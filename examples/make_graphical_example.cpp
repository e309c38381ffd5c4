// Builds the predator-prey example as a pupil draws it in the graphical
// editor: two stocks, four rates with their flows and formulas, four
// constants and the influence arrows; the generated algorithm is computed
// and the two populations are charted.
// Usage: make-graphical-example OUT.prg
#include <iostream>

#include "ExampleSession.h"
#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "drawing/DiagramPainter.h"
#include "model/GrafGeneration.h"
#include "util/Cp1252.h"
#include "util/Geometry.h"

namespace {

using qv::IntPoint;

// Places elements and draws arrows with the editor's own snapping rules.
class Drawing {
public:
    qv::TDiagram diagram;

    qv::tzustand* stock(int32_t x, int32_t y, const char* name) {
        diagram.Stocks.push_back(std::make_unique<qv::tzustand>(x, y));
        diagram.Stocks.back()->Name = qv::Utf8ToCp1252(name);
        return diagram.Stocks.back().get();
    }
    qv::trate* rate(int32_t x, int32_t y, const char* name, const char* formula) {
        diagram.Rates.push_back(std::make_unique<qv::trate>(x, y));
        diagram.Rates.back()->Name = qv::Utf8ToCp1252(name);
        diagram.Rates.back()->Definition = qv::Utf8ToCp1252(std::string(name) + ":=" + formula);
        return diagram.Rates.back().get();
    }
    // Every element must be in place and sized before arrows are drawn.
    void layout() { qv::LayoutDiagram(diagram); }

    // An arrow from a stock or rate: the first click on the source, bends,
    // and a last click on the target.
    qv::tpfeil* arrow(IntPoint first, std::initializer_list<IntPoint> bends, IntPoint last, int8_t sign = 0) {
        qv::TGSimple* source = diagram.StockProbe(first);
        if (!source) source = diagram.RateProbe(first, true);
        return finish(source, first, bends, last, sign);
    }
    // A constant placed by clicking empty space with the arrow tool; its
    // arrow leaves its right edge.
    void constant(IntPoint at, const char* name, std::initializer_list<IntPoint> bends, IntPoint last) {
        diagram.Constants.push_back(std::make_unique<qv::tKonstante>(at.X, at.Y));
        auto* c = diagram.Constants.back().get();
        c->Name = qv::Utf8ToCp1252(name);
        layout();
        finish(c, {c->Box.Right, at.Y}, bends, last, 0);
    }

private:
    qv::tpfeil* finish(qv::TGSimple* source, IntPoint first, std::initializer_list<IntPoint> bends, IntPoint last,
                       int8_t sign) {
        auto arrow = std::make_unique<qv::tpfeil>(first.X, first.Y);
        arrow->Source = source;
        for (IntPoint p : bends) arrow->AddPoint(p.X, p.Y);
        qv::TGSimple* target = source->Kind() == qv::TElementKind::Rate
                                   ? static_cast<qv::TGSimple*>(diagram.StockProbe(last, arrow.get()))
                                   : diagram.RateProbe(last, false, arrow.get());
        if (!target) throw std::runtime_error("arrow misses its target");
        arrow->AddPoint(last.X, last.Y);
        if (!qv::ContainsWidened(target->Box, arrow->Last(), qv::ProbeMargin)) arrow->AddPoint(last.X, last.Y);
        arrow->Target = target;
        arrow->Sign = sign;
        diagram.RecordEndIndices(*arrow, *source);
        diagram.RecordEndIndices(*arrow, *target);
        diagram.Arrows.push_back(std::move(arrow));
        return diagram.Arrows.back().get();
    }
};

qv::TDiagram PredatorPrey() {
    Drawing d;
    auto* hasen = d.stock(300, 100, "Hasen");
    auto* fuechse = d.stock(300, 300, "Füchse");
    auto* geburten = d.rate(120, 100, "Hasengeburten", "Vermehrung*Hasen");
    auto* verluste = d.rate(480, 100, "Hasenverluste", "Fressrate*Hasen*Füchse");
    auto* fuchsgeburten = d.rate(120, 300, "Fuchsgeburten", "Umwandlung*Hasen*Füchse");
    auto* fuchstod = d.rate(480, 300, "Fuchstod", "Sterberate*Füchse");
    d.layout();

    // The flows, in the order their lines are to be computed; an outflow
    // leaves its rate's tip and comes round to the top or bottom of its stock.
    auto tip = [](const qv::trate* r) { return IntPoint{r->TipX, r->CentreY}; };
    d.arrow(tip(geburten), {}, {hasen->CentreX, hasen->CentreY}, +1);
    const int32_t outX = verluste->TipX + 20;
    d.arrow(tip(verluste), {{outX, 100}, {outX, 45}, {310, 45}}, {310, 100}, -1);
    d.arrow(tip(fuchsgeburten), {}, {fuechse->CentreX, fuechse->CentreY}, +1);
    d.arrow(tip(fuchstod), {{outX, 300}, {outX, 355}, {310, 355}}, {310, 300}, -1);

    // What each rate depends on.
    d.arrow({285, hasen->Box.Bottom}, {{285, 150}, {120, 150}}, {120, 100});
    d.arrow({hasen->Box.Right, 105}, {}, {verluste->CentreX, 105});
    d.arrow({315, fuechse->Box.Top}, {{315, 200}, {495, 200}}, {495, 100});
    d.arrow({300, hasen->Box.Bottom}, {{300, 215}, {135, 215}}, {135, 300});
    d.arrow({285, fuechse->Box.Bottom}, {{285, 345}, {120, 345}}, {120, 300});
    d.arrow({fuechse->Box.Right, 305}, {}, {fuchstod->CentreX, 305});
    d.constant({50, 45}, "Vermehrung", {{110, 45}}, {110, 100});
    d.constant({400, 165}, "Fressrate", {{465, 165}}, {465, 100});
    d.constant({50, 245}, "Umwandlung", {{110, 245}}, {110, 300});
    d.constant({400, 245}, "Sterberate", {{465, 245}}, {465, 300});
    d.layout();
    return std::move(d.diagram);
}

std::string Upper(const char* utf8) { return qv::UpperCase1252(qv::Utf8ToCp1252(utf8)); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Aufruf: make-graphical-example AUSGABE.prg\n";
        return 1;
    }
    ExampleSession session(argc, argv);

    qv::TDocument document = qv::TDocument::CreateNew();
    qv::TDiagram diagram = PredatorPrey();
    qv::AcceptedAlgorithm model;
    model.Name = qv::Utf8ToCp1252("Räuber und Beute (grafisch)");
    model.Program = qv::GenerateAlgorithm(diagram, false);
    model.StepCount = 1000;
    model.StartValues = {{Upper("Hasen"), 100},        {Upper("Füchse"), 20},     {Upper("Vermehrung"), 0.5},
                         {Upper("Fressrate"), 0.01},   {Upper("Umwandlung"), 0.005}, {Upper("Sterberate"), 0.4},
                         {Upper("ZEITSCHRITT"), 0.05}};
    if (auto error = qv::AddNewSimulation(document, model)) {
        std::cerr << qv::Cp1252ToUtf8(*error) << '\n';
        return 2;
    }
    qv::tsim& sim = *document.SelectedSimulation();
    sim.Diagram = std::move(diagram);
    sim.SimplifiedModel = false;
    sim.ExtendedSyntax = false;
    qv::MarkPlotted(document, sim, {Upper("Hasen"), Upper("Füchse")});

    return SaveExample(document, argv[1]);
}
