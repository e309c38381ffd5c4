#include "document/QVDocument20.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "charts/bsgraf3d.h"
#include "document/QVDocument20Parts.h"
#include "drawing/BSSimple.h"
#include "drawing/TextLayout.h"
#include "drawing/bstext.h"
#include "engine/QVCompile.h"
#include "model/QVGrafElements.h"

namespace qv {

namespace {

constexpr std::size_t CurveRecordCount = 51;
constexpr std::size_t ColumnFormatCount = 10;
constexpr const char* ConvertedName = "Quorvel20";

struct ColumnFormat {
    int32_t Chars = 0;
    int32_t Decimals = 0;
    bool Scientific = false;
};

using StartValueTexts = std::vector<std::pair<std::string, std::string>>;

// What the file says about the converted simulation's variables; it can
// only be applied once the program has been compiled into them.
struct VariableSettings {
    std::array<CurveAttributes20, CurveRecordCount> Curves;
    std::array<ColumnFormat, ColumnFormatCount> Formats;
    int16_t DiagramType = 3;
    int16_t XAxisIndex = 0;
    std::vector<int16_t> ChartIndices;
    std::vector<int16_t> TableIndices;
    StartValueTexts StartValues;
};

int32_t Percent(double fraction, int32_t least) {
    if (!std::isfinite(fraction)) return least;
    return static_cast<int32_t>(std::lround(std::clamp(fraction * 100, static_cast<double>(least), 100.0)));
}

void ReadPlotArea(InStream& in, Tgraf3d& chart) {
    const double left = in.readDouble(), right = in.readDouble();
    const double top = in.readDouble(), bottom = in.readDouble();
    chart.plotPercent = {Percent(left, 0), Percent(top, 0), Percent(right - left, 1), Percent(bottom - top, 1)};
}

void ReadGrid(InStream& in, Tgraf3d& chart) {
    chart.chartColor = ReadColourCode(in);
    chart.horizontalAxis().gridLines = ReadSwitch16(in);
    chart.verticalAxis().gridLines = ReadSwitch16(in);
    const auto style = static_cast<uint8_t>(in.readInt16() & 0xFF);
    const uint32_t colour = ReadColourCode(in);
    for (Taxis3D* axis : {&chart.horizontalAxis(), &chart.verticalAxis()}) {
        axis->gridStyle = style;
        axis->gridColor = colour;
    }
}

void ReadAxisRange(InStream& in, Taxis3D& axis) {
    axis.minimum = in.readDouble();
    axis.maximum = in.readDouble();
    axis.crossAt2 = in.readDouble();
    axis.step = in.readDouble();
    axis.minorTicks = std::clamp<int32_t>(in.readInt16(), 0, MaxMinorTicks);
    in.readInt16();
}

void ReadColumnFormats(InStream& in, std::array<ColumnFormat, ColumnFormatCount>& formats) {
    for (ColumnFormat& format : formats) {
        format.Chars = in.readByte();
        format.Decimals = in.readByte();
        format.Scientific = in.readBool();
    }
}

std::vector<int16_t> ReadIndexList(InStream& in) {
    const std::size_t count = in.readCount16(2);
    std::vector<int16_t> indices(count);
    for (int16_t& index : indices) index = in.readInt16();
    return indices;
}

StartValueTexts ReadStartValues(InStream& in) {
    const std::size_t count = ReadCountMinusOne16(in, 2 * MinText20Bytes);
    StartValueTexts values;
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = ReadText20(in);
        values.emplace_back(std::move(name), ReadText20(in));
    }
    return values;
}

std::vector<TListeninhalt> ReadMacros(InStream& in) {
    const std::size_t count = in.readCount16(MinText20Bytes + 2);
    std::vector<TListeninhalt> macros;
    macros.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        TListeninhalt& macro = macros.emplace_back(ReadText20(in));
        macro.Lines = ReadTextList20(in);
    }
    return macros;
}

std::unique_ptr<ttext> ReadTextBox(InStream& in, double pageWidth, double pageHeight) {
    // Positions outside the page (or no numbers at all) come from damaged
    // files; the text is kept where it can be seen.
    auto onPage = [](double fraction) { return std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0; };
    const double x = onPage(in.readDouble()) * pageWidth;
    const double y = onPage(in.readDouble()) * pageHeight;
    auto text = std::make_unique<ttext>(x, y);
    text->Angle = NormalAngle(in.readInt16());
    text->FontStyle = static_cast<uint8_t>(in.readInt16() & (StyleBold | StyleItalic | StyleUnderline));
    text->LineColour = ReadColourCode(in);
    const int16_t size = in.readInt16();
    if (size > 0) text->TextSize = size;
    const std::string content = ReadZeroText20(in);
    std::string fontName = ReadZeroText20(in);
    if (!fontName.empty()) text->FontName = std::move(fontName);
    UpdateTextMetrics(*text);
    text->SetText(content);
    text->AdjustSize();
    return text;
}

void ReadTextBoxes(InStream& in, TSeite& page) {
    constexpr std::size_t LeastBytes = 2 * 8 + 4 * 2 + 2 * MinText20Bytes;
    const std::size_t count = in.readCount16(LeastBytes);
    for (std::size_t i = 0; i < count; ++i) page.Add(ReadTextBox(in, page.Width(), page.Height()));
}

// A remembered curve: its points as the values of "X" and "Y", never computed.
std::unique_ptr<tsim> ReadRememberedCurve(InStream& in, std::size_t number) {
    auto curve = std::make_unique<tsim>();
    curve->Name = "Gemerktes (" + std::to_string(number) + ")";
    curve->StoredResults = true;
    auto x = std::make_unique<Tvariable>("X");
    auto y = std::make_unique<Tvariable>("Y");
    const std::size_t points = in.readCount16(2 * 8);
    x->Values.reserve(points);
    y->Values.reserve(points);
    for (std::size_t i = 0; i < points; ++i) {
        x->Values.push_back(in.readDouble());
        y->Values.push_back(in.readDouble());
    }
    ApplyCurveAttributes(*y, ReadCurveAttributes(in));
    y->Plotted = true;
    curve->StepCount = static_cast<int32_t>(points);
    curve->XAxisName = curve->YAxisName = x->Name;
    curve->Variables.push_back(std::move(x));
    curve->Variables.push_back(std::move(y));
    return curve;
}

std::vector<std::unique_ptr<tsim>> ReadRememberedCurves(InStream& in) {
    constexpr std::size_t LeastBytes = 2 + 26;
    const std::size_t count = in.readCount16(LeastBytes);
    std::vector<std::unique_ptr<tsim>> curves;
    curves.reserve(count);
    for (std::size_t i = 0; i < count; ++i) curves.push_back(ReadRememberedCurve(in, i + 1));
    return curves;
}

std::vector<std::string> ReadSentences(InStream& in) {
    const std::size_t count = in.readCount16(3 * MinText20Bytes);
    std::vector<std::string> cells;
    cells.reserve(3 * count);
    for (std::size_t i = 0; i < 3 * count; ++i) cells.push_back(SpellTimeStep(ReadText20(in)));
    return cells;
}

// The start value the file gives an input. Without case sensitivity the
// compiler knows its names in capitals, the file maybe as typed.
double StartValueFor(const StartValueTexts& values, const std::string& name, bool caseSensitive) {
    for (const auto& [given, text] : values)
        if (caseSensitive ? given == name : UpperCase1252(given) == UpperCase1252(name)) return StartValueOfText(text);
    return 0;
}

// Compiles the model and builds its variables; a program that does not
// compile keeps no variables and waits to be mended in the algorithm editor.
void TakeCompiledVariables(tsim& model, const StartValueTexts& startValues, int simulationCount) {
    CompilerState& c = Compiler();
    c.Macros = &model.Macros;
    CompileProgram(model.Program, model.CaseSensitive);
    c.Macros = nullptr;
    if (c.ErrorFlag) return;
    for (int k = 0; k <= c.InputCount; ++k) {
        const auto index = static_cast<std::size_t>(c.InputVariables[static_cast<std::size_t>(k)]);
        c.VariableValues[index] = StartValueFor(startValues, c.VariableNames[index], model.CaseSensitive);
    }
    model.TakeVariables(simulationCount);
}

Tvariable* VariableAt(const tsim& model, int16_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= model.Variables.size()) return nullptr;
    return model.Variables[static_cast<std::size_t>(index)].get();
}

void ApplyVariableSettings(tsim& model, const VariableSettings& settings) {
    if (model.Variables.empty()) return;
    const Tvariable* xAxis = VariableAt(model, settings.XAxisIndex);
    model.XAxisName = xAxis ? xAxis->Name : model.Variables.front()->Name;
    model.YAxisName = model.Variables.front()->Name;

    for (int16_t index : settings.ChartIndices)
        if (Tvariable* v = VariableAt(model, index)) v->Plotted = true;
    for (std::size_t k = 0; k < settings.TableIndices.size(); ++k) {
        Tvariable* v = VariableAt(model, settings.TableIndices[k]);
        if (!v) continue;
        const ColumnFormat& format = settings.Formats[k % ColumnFormatCount];
        v->ColumnChars = format.Chars;
        v->Decimals = format.Decimals;
        v->Scientific = format.Scientific;
        if (settings.TableIndices[k] != settings.XAxisIndex) v->Plotted = true;
    }

    std::size_t marked = 0;
    for (auto& v : model.Variables) {
        if (!v->Plotted) continue;
        ApplyCurveAttributes(*v, settings.Curves[std::min(marked, CurveRecordCount - 1)]);
        ++marked;
    }
}

}  // namespace

TDocument LoadVersion20(InStream& in) {
    TDocument document = TDocument::CreateNew();
    Tgraf3d& chart = *document.Chart;
    auto model = std::make_unique<tsim>();
    model->Name = ConvertedName;
    VariableSettings settings;

    const uint32_t pageColour = ReadColourCode(in);
    ReadPlotArea(in, chart);
    ReadGrid(in, chart);
    for (CurveAttributes20& curve : settings.Curves) curve = ReadPaddedCurveAttributes(in);
    ReadColumnFormats(in, settings.Formats);
    chart.autoScale = in.readBool();
    chart.horizontalAxis().logarithmic = ReadSwitch16(in);
    chart.verticalAxis().logarithmic = ReadSwitch16(in);
    ReadAxisRange(in, chart.horizontalAxis());
    ReadAxisRange(in, chart.verticalAxis());

    in.readDouble();
    in.readDouble();
    settings.DiagramType = in.readInt16();
    in.readInt16();
    model->SimplifiedModel = in.readBool();

    model->Program = ReadTextList20(in);
    model->StepCount = std::max<int32_t>(1, in.readInt16());
    settings.XAxisIndex = in.readInt16();
    settings.ChartIndices = ReadIndexList(in);
    settings.TableIndices = ReadIndexList(in);
    settings.StartValues = ReadStartValues(in);
    model->Macros = ReadMacros(in);
    ReadTextBoxes(in, *document.Page);
    std::vector<std::unique_ptr<tsim>> remembered = ReadRememberedCurves(in);
    model->StockNames = ReadTextList20(in);
    model->RateNames = ReadTextList20(in);
    model->Sentences = ReadSentences(in);
    model->Diagram = TDiagram::readLegacy(in);
    for (const std::string& comment : ReadTextList20(in)) model->Program.push_back("//" + comment);

    // The converted model leads the list; the remembered curves follow in
    // their own order. With them the document has several simulations, so
    // every variable carries its simulation's name.
    const auto simulationCount = static_cast<int>(remembered.size() + 1);
    TakeCompiledVariables(*model, settings.StartValues, simulationCount);
    ApplyVariableSettings(*model, settings);
    document.Simulations.push_back(std::move(model));
    for (auto& curve : remembered) {
        for (auto& v : curve->Variables) v->SimulationName = curve->Name;
        document.Simulations.push_back(std::move(curve));
    }
    const int32_t curveKind = CurveKindOfCode(settings.DiagramType);
    for (auto& simulation : document.Simulations)
        for (auto& v : simulation->Variables) v->CurveKind = curveKind;

    document.ChartShown = !settings.ChartIndices.empty();
    document.TableShown = !settings.TableIndices.empty();
    document.Selected = 0;
    // The page colour is the window's, not the document's: set only once
    // the whole file has been read, so a damaged file leaves it alone.
    Drawing().PageColour = pageColour;
    return document;
}

}  // namespace qv
