#include "document/DocumentActions.h"

#include <algorithm>

#include <QPainter>
#include <QRegion>

#include "charts/LegendLayout.h"
#include "charts/QVPlot.h"
#include "charts/bsaxis3d.h"
#include "charts/bsgraf3d.h"
#include "drawing/BSSimple.h"
#include "drawing/QtColour.h"
#include "engine/QVCompile.h"
#include "util/Palette.h"

namespace qv {

std::string CompileErrorReport() {
    const CompilerState& c = Compiler();
    return "Zeile " + std::to_string(c.ErrorLine) + ", Spalte " + std::to_string(c.ErrorColumn) + ": " +
           CompileErrorText(c.CompileError);
}

void TakeVariablesIn(const TDocument& document, tsim& simulation) {
    const bool added = std::any_of(document.Simulations.begin(), document.Simulations.end(),
                                   [&](const auto& other) { return other.get() == &simulation; });
    simulation.TakeVariables(static_cast<int>(document.Simulations.size()) + (added ? 0 : 1));
}

std::optional<std::string> AddNewSimulation(TDocument& document, const AcceptedAlgorithm& algorithm) {
    auto simulation = std::make_unique<tsim>();
    simulation->Name = algorithm.Name;
    simulation->Program = algorithm.Program;
    simulation->Macros = algorithm.Macros;
    simulation->StepCount = algorithm.StepCount;
    simulation->CaseSensitive = algorithm.CaseSensitive;

    CompilerState& c = Compiler();
    c.Macros = &simulation->Macros;
    CompileProgram(simulation->Program, simulation->CaseSensitive);
    c.Macros = nullptr;
    if (c.ErrorFlag) return CompileErrorReport();
    // The start-value table: every input starts at its given value or 0. A
    // value given for a name that is no input would be lost without a word.
    for (int k = 0; k <= c.InputCount; ++k)
        c.VariableValues[static_cast<std::size_t>(c.InputVariables[static_cast<std::size_t>(k)])] = 0;
    for (const auto& [name, given] : algorithm.StartValues) {
        const std::string compiled = CompiledName(name, algorithm.CaseSensitive);
        bool known = false;
        for (int k = 0; k <= c.InputCount; ++k) {
            auto index = static_cast<std::size_t>(c.InputVariables[static_cast<std::size_t>(k)]);
            if (c.VariableNames[index] != compiled) continue;
            c.VariableValues[index] = given;
            known = true;
        }
        if (!known) return UnknownInputText + name;
    }
    TakeVariablesIn(document, *simulation);
    if (!simulation->Variables.empty()) {
        simulation->XAxisName = simulation->Variables.front()->Name;
        simulation->YAxisName = simulation->XAxisName;
    }
    if (!document.Chart->threeD && simulation->IndexOfVariable(TimeName) >= 0) simulation->XAxisName = TimeName;
    document.Simulations.push_back(std::move(simulation));
    document.Selected = static_cast<int32_t>(document.Simulations.size()) - 1;
    return std::nullopt;
}

void MarkPlotted(const TDocument& document, tsim& simulation, const std::vector<std::string>& names) {
    std::size_t palettePosition = 0;
    for (auto& variable : simulation.Variables) {
        variable->Plotted = false;
        if (std::find(names.begin(), names.end(), variable->Name) == names.end()) continue;
        if (!variable->Changed) {
            variable->Changed = true;
            if (Farbtabelle[palettePosition].Colour == document.Chart->chartColor)
                palettePosition = (palettePosition + 1) % Farbtabelle.size();
            variable->LineColour = static_cast<int32_t>(Farbtabelle[palettePosition].Colour);
        }
        palettePosition = (palettePosition + 1) % Farbtabelle.size();
        variable->Plotted = true;
    }
}

RecomputeOutcome ComputeDocument(TDocument& document, RunObserver* observer) {
    return RecomputeAll(document.Simulations, document.Selected, document.SeparateCharts, *document.Chart, observer);
}

std::optional<std::string> BuildChart(TDocument& document, bool animating) {
    TSeite& page = *document.Page;
    Tgraf3d& chart = *document.Chart;
    page.DeselectAll();
    chart.placePlotArea(page.Width(), page.Height());
    std::optional<std::string> failure;
    try {
        chart.buildAxes();
    } catch (const AxisError& error) {
        failure = error.what();
    }
    chart.removeCurves();
    // A simulation left out of this chart must not keep pointing at a freed
    // curve: a new one at the same address would be taken for its curve.
    for (auto& simulation : document.Simulations)
        for (auto& variable : simulation->Variables) variable->CurveObject = nullptr;
    removeLegends(page);
    tsim* selected = document.SelectedSimulation();
    if (document.SeparateCharts && selected) {
        buildCurves(*selected, chart, page, animating);
    } else {
        for (auto& simulation : document.Simulations) buildCurves(*simulation, chart, page, animating);
    }
    chart.layout();
    chart.fitToPage(page.Width(), page.Height());
    // Only now do the axis numbers stand where the legend must leave room for them.
    placeLegends(page, chart);
    return failure;
}

void RenderPage(TDocument& document, QPaintDevice& device, int width, int height) {
    TSeite& page = *document.Page;
    const PageFit fit = FitPage(width, height, page.Width(), page.Height());
    ExportScalesGuard scales(fit.PixelsPerCm, fit.PixelsPerCm, &page);
    QPainter painter(&device);
    const QRect pageArea = ToQRect(fit.Page);
    // Each pixel is filled once: the surround only where the page is not.
    for (const QRect& strip : QRegion(0, 0, width, height).subtracted(pageArea))
        painter.fillRect(strip, ToQColor(PageSurroundColour));
    painter.fillRect(pageArea, ToQColor(Drawing().PageColour));
    painter.setClipRect(pageArea);
    painter.translate(pageArea.topLeft());
    page.Draw(painter, 0, 0, nullptr);
}

}  // namespace qv
