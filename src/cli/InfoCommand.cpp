// quorvel-cli info DOC.prg: the document as one JSON object, read without
// computing.
#include <iostream>

#include "charts/QVLegend.h"
#include "charts/QVPlot.h"
#include "charts/bsaxis3d.h"
#include "charts/bsgraf3d.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/WorksheetSession.h"
#include "drawing/bsbitmap.h"
#include "drawing/bspoly.h"
#include "drawing/bspunkt.h"
#include "drawing/bstext.h"
#include "util/Cp1252.h"

namespace qv::cli {

namespace {

// The program's class name of a page object. Most specific class first.
std::string ClassName(const Tsimple& object) {
    if (dynamic_cast<const Tgraf3d*>(&object)) return "Tgraf3d";
    if (dynamic_cast<const Taxis3D*>(&object)) return "Taxis3D";
    if (dynamic_cast<const TPlot*>(&object)) return "TPlot";
    if (dynamic_cast<const TSeite*>(&object)) return "TSeite";
    if (dynamic_cast<const TKomplex*>(&object)) return "TKomplex";
    if (dynamic_cast<const ttext*>(&object)) return "ttext";
    if (dynamic_cast<const tlegend*>(&object)) return "tlegend";
    if (dynamic_cast<const TBezier*>(&object)) return "TBezier";
    if (dynamic_cast<const TPoly*>(&object)) return "TPoly";
    if (dynamic_cast<const TRechteck*>(&object)) return "TRechteck";
    if (dynamic_cast<const TLine*>(&object)) return "TLine";
    if (dynamic_cast<const TPunkt*>(&object)) return "TPunkt";
    if (dynamic_cast<const TBild*>(&object)) return "TBild";
    if (dynamic_cast<const TSimpleLine*>(&object)) return "TSimpleLine";
    return "Tsimple";
}

void WriteObjects(JsonWriter& json, const std::vector<std::unique_ptr<Tsimple>>& objects);

void WriteObject(JsonWriter& json, const Tsimple& object) {
    json.beginObject();
    json.key("Tag");
    json.value(static_cast<int>(object.Tag));
    json.key("Class");
    json.value(ClassName(object));
    json.key("X");
    json.value(object.X());
    json.key("Y");
    json.value(object.Y());
    json.key("Width");
    json.value(object.Width());
    json.key("Height");
    json.value(object.Height());
    json.key("Angle");
    json.value(static_cast<int64_t>(object.Angle));
    if (const auto* text = dynamic_cast<const ttext*>(&object)) {
        std::string plain = text->Text();
        for (char& c : plain)
            if (c == '\r') c = '\n';
        json.key("Text");
        json.value(Cp1252ToUtf8(plain));
    }
    if (const auto* group = dynamic_cast<const TKomplex*>(&object)) {
        json.key("Children");
        WriteObjects(json, group->Children);
    }
    json.endObject();
}

void WriteObjects(JsonWriter& json, const std::vector<std::unique_ptr<Tsimple>>& objects) {
    json.beginArray();
    for (const auto& object : objects) WriteObject(json, *object);
    json.endArray();
}

void WriteStrings(JsonWriter& json, const std::vector<std::string>& list) {
    json.beginArray();
    for (const auto& s : list) json.value(Cp1252ToUtf8(s));
    json.endArray();
}

void WriteVariable(JsonWriter& json, const Tvariable& v) {
    auto text = [&](const char* k, const std::string& s) { json.key(k), json.value(Cp1252ToUtf8(s)); };
    auto integer = [&](const char* k, int64_t n) { json.key(k), json.value(n); };
    auto flag = [&](const char* k, bool b) { json.key(k), json.value(b); };
    json.beginObject();
    text("Name", v.Name);
    text("SimulationName", v.SimulationName);
    flag("IsInput", v.IsInput);
    json.key("StartValue"), json.value(v.StartValue);
    flag("Plotted", v.Plotted);
    flag("Changed", v.Changed);
    integer("ValueCount", static_cast<int64_t>(v.Values.size()));
    json.key("LastValue");
    if (v.Values.empty())
        json.null();
    else
        json.value(v.Values.back());
    integer("CurveKind", v.CurveKind);
    flag("Splines", v.Splines);
    integer("LineStyle", v.LineStyle);
    integer("LineWidth", v.LineWidth);
    integer("LineColour", v.LineColour);
    integer("PointForm", v.PointForm);
    integer("PointSize", v.PointSize);
    integer("PointColour", v.PointColour);
    flag("Animated", v.Animated);
    integer("CurveCreation", v.CurveCreation);
    text("Picture", v.Picture);
    integer("AnimationType", v.AnimationType);
    flag("Backward", v.Backward);
    flag("Scientific", v.Scientific);
    integer("ColumnChars", v.ColumnChars);
    integer("Decimals", v.Decimals);
    integer("ColumnWidth", v.ColumnWidth);
    json.endObject();
}

void WriteSimulation(JsonWriter& json, const tsim& s) {
    json.beginObject();
    json.key("Name"), json.value(Cp1252ToUtf8(s.Name));
    json.key("Program"), WriteStrings(json, s.Program);
    json.key("Macros");
    json.beginArray();
    for (const auto& macro : s.Macros) {
        json.beginObject();
        json.key("Name"), json.value(Cp1252ToUtf8(macro.Name));
        json.key("Lines"), WriteStrings(json, macro.Lines);
        json.endObject();
    }
    json.endArray();
    json.key("XAxisName"), json.value(Cp1252ToUtf8(s.XAxisName));
    json.key("YAxisName"), json.value(Cp1252ToUtf8(s.YAxisName));
    json.key("StepCount"), json.value(static_cast<int64_t>(s.StepCount));
    json.key("CaseSensitive"), json.value(s.CaseSensitive);
    json.key("StockNames"), WriteStrings(json, s.StockNames);
    json.key("RateNames"), WriteStrings(json, s.RateNames);
    json.key("Sentences"), WriteStrings(json, s.Sentences);
    json.key("StoredResults"), json.value(s.StoredResults);
    json.key("SimplifiedModel"), json.value(s.SimplifiedModel);
    json.key("ExtendedSyntax"), json.value(s.ExtendedSyntax);
    json.key("Stocks"), json.value(static_cast<int64_t>(s.Diagram.Stocks.size()));
    json.key("Rates"), json.value(static_cast<int64_t>(s.Diagram.Rates.size()));
    json.key("Constants"), json.value(static_cast<int64_t>(s.Diagram.Constants.size()));
    json.key("Arrows"), json.value(static_cast<int64_t>(s.Diagram.Arrows.size()));
    json.key("Variables");
    json.beginArray();
    for (const auto& v : s.Variables) WriteVariable(json, *v);
    json.endArray();
    json.endObject();
}

}  // namespace

int InfoCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "Aufruf: quorvel-cli info DOKUMENT.prg\n";
        return ExitUsage;
    }
    WorksheetSession session;
    auto document = ReadDocumentReporting(args[0]);
    if (!document) return ExitCompileError;

    JsonWriter json;
    json.beginObject();
    json.key("Version"), json.value(document->Version);
    json.key("TableShown"), json.value(document->TableShown);
    json.key("ChartShown"), json.value(document->ChartShown);
    json.key("SeparateCharts"), json.value(document->SeparateCharts);
    json.key("ChartIndex"), json.value(static_cast<int64_t>(document->ChartIndex()));
    json.key("Selected"), json.value(static_cast<int64_t>(document->Selected));
    json.key("Simulations");
    json.beginArray();
    for (const auto& simulation : document->Simulations) WriteSimulation(json, *simulation);
    json.endArray();
    json.key("Page");
    WriteObjects(json, document->Page->Children);
    json.endObject();
    std::cout << json.text() << '\n';
    return ExitOk;
}

}  // namespace qv::cli
