// quorvel-cli generate DOC.prg --from graphical|verbal [--simulation NAME] [--predicates FILE]
// quorvel-cli diagram DOC.prg [--simulation NAME] -o OUT.(png|svg)
#include <QBuffer>
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/WorksheetSession.h"
#include "drawing/QtBytes.h"
#include "document/DocumentActions.h"
#include "drawing/DiagramPainter.h"
#include "drawing/PictureHolder.h"
#include "drawing/QtText.h"
#include "engine/QVCompile.h"
#include "model/GrafGeneration.h"
#include "modeleditors/PredicateList.h"
#include "modeleditors/SentenceTranslation.h"
#include "modeleditors/WorkingSentences.h"
#include "util/Cp1252.h"
#include "util/Picture.h"
#include "util/PngCodec.h"
#include "util/TextHelpers.h"

namespace qv::cli {

namespace {

// Pictures of the diagram keep this much white around it.
constexpr int32_t PictureMargin = 10;

struct DiagramArguments {
    std::string Document;
    std::string Simulation;  // UTF-8; empty for the first simulation
    std::string From;
    std::string Output;
    std::string Predicates;
};

// Reads "DOC [--simulation NAME]" and the options the command allows; false
// for anything else.
bool ParseArguments(const std::vector<std::string>& args, bool AllowFrom, bool AllowOutput, DiagramArguments& out) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--simulation" && hasValue && out.Simulation.empty())
            out.Simulation = args[++i];
        else if (arg == "--from" && AllowFrom && hasValue && out.From.empty())
            out.From = args[++i];
        else if (arg == "-o" && AllowOutput && hasValue && out.Output.empty())
            out.Output = args[++i];
        else if (arg == "--predicates" && AllowFrom && hasValue && out.Predicates.empty())
            out.Predicates = args[++i];
        else if (arg.rfind("-", 0) != 0 && out.Document.empty())
            out.Document = arg;
        else
            return false;
    }
    return !out.Document.empty();
}

// Draws the diagram as an SVG or PNG picture and writes it whole or not at
// all; on failure the reason is on stderr.
bool WritePicture(TDiagram& diagram, const IntRect& area, const std::string& output) {
    if (HasSuffix(output, ".svg")) {
        QBuffer svg;
        svg.open(QIODevice::WriteOnly);
        if (!WriteDiagramSvg(diagram, area, svg)) {
            std::cerr << "Das Diagramm kann nicht als SVG-Bild gezeichnet werden.\n";
            return false;
        }
        return WriteOutputFile(output, ByteSpan(svg.data()));
    }
    std::vector<uint8_t> png = EncodePng(ImageToPicture(DiagramImage(diagram, area), PictureKind::Png));
    if (png.empty()) {
        std::cerr << "Das Diagramm kann nicht als PNG-Bild gezeichnet werden.\n";
        return false;
    }
    return WriteOutputFile(output, png);
}

// The lines confirming the verbal editor would write, with the predicates of
// path or of the shipped file; nothing when there are not four of them.
std::optional<std::vector<std::string>> VerbalLines(const tsim& sim, const std::string& path) {
    PredicateList predicates(ReadPredicateFile(path.empty() ? FindDataFile(PredicateFileName) : path));
    if (!predicates.Complete()) {
        PrintError(MissingPredicatesText);
        return std::nullopt;
    }
    WorkingSentences sentences;
    sentences.LoadFrom(sim);
    return GenerateFromModel(sentences, predicates).Lines;
}

}  // namespace

int GenerateCommand(const std::vector<std::string>& args) {
    constexpr const char* Usage =
        "Aufruf: quorvel-cli generate DOKUMENT.prg --from graphical|verbal [--simulation NAME] [--predicates DATEI]";
    DiagramArguments parsed;
    if (!ParseArguments(args, true, false, parsed) || !(parsed.From == "graphical" || parsed.From == "verbal") ||
        (parsed.From == "graphical" && !parsed.Predicates.empty())) {
        std::cerr << Usage << '\n';
        return ExitUsage;
    }
    WorksheetSession session;
    auto document = ReadDocumentReporting(parsed.Document);
    if (!document) return ExitCompileError;
    tsim* sim = FindSimulation(*document, parsed.Simulation);
    if (!sim) return ExitUsage;
    std::vector<std::string> lines;
    if (parsed.From == "verbal") {
        std::optional<std::vector<std::string>> generated = VerbalLines(*sim, parsed.Predicates);
        if (!generated) return ExitCompileError;
        lines = std::move(*generated);
    } else {
        lines = GenerateAlgorithm(sim->Diagram, sim->SimplifiedModel);
    }
    for (const auto& line : lines) std::cout << Cp1252ToUtf8(line) << '\n';
    std::cout.flush();
    CompileProgram(lines, sim->CaseSensitive);
    if (Compiler().ErrorFlag) {
        PrintError(CompileErrorReport());
        return ExitCompileError;
    }
    return ExitOk;
}

int DiagramCommand(const std::vector<std::string>& args) {
    constexpr const char* Usage = "Aufruf: quorvel-cli diagram DOKUMENT.prg [--simulation NAME] -o AUSGABE.(png|svg)";
    DiagramArguments parsed;
    if (!ParseArguments(args, false, true, parsed) || !(HasSuffix(parsed.Output, ".png") || HasSuffix(parsed.Output, ".svg"))) {
        std::cerr << Usage << '\n';
        return ExitUsage;
    }
    WorksheetSession session;
    auto document = ReadDocumentReporting(parsed.Document);
    if (!document) return ExitCompileError;
    tsim* sim = FindSimulation(*document, parsed.Simulation);
    if (!sim) return ExitUsage;
    // An empty diagram gives a white picture of the margin alone.
    IntRect area = DiagramPictureArea(sim->Diagram, PictureMargin)
                       .value_or(IntRect{-PictureMargin, -PictureMargin, PictureMargin, PictureMargin});
    if (!PictureSizeAllowed(int64_t{area.Right} - area.Left + 1, int64_t{area.Bottom} - area.Top + 1)) {
        std::cerr << "Das Diagramm ist zu groß für ein Bild.\n";
        return ExitCompileError;
    }
    if (!WritePicture(sim->Diagram, area, parsed.Output)) return ExitUsage;
    return ExitOk;
}

}  // namespace qv::cli
