// quorvel-cli report DOC.prg -o OUT.pdf [--simulation NAME]
//   [--sections chart,verbal,graphical,program,starts,table] [--margins LEFT,TOP]
//   [--scale-x U] [--scale-y V] [--background]
#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <iostream>
#include <sstream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/WorksheetSession.h"
#include "drawing/QtBytes.h"
#include "document/Report.h"
#include "util/Cp1252.h"

namespace qv::cli {

namespace {

constexpr const char* Usage =
    "Aufruf: quorvel-cli report DOKUMENT.prg -o AUSGABE.pdf [--simulation NAME]\n"
    "    [--sections chart,verbal,graphical,program,starts,table] [--margins LINKS,OBEN]\n"
    "    [--scale-x U] [--scale-y V] [--background]";

// The printer the window offers first prints A4 at this resolution.
constexpr int ReportDpi = 600;

std::vector<std::string> SplitAtComma(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ',')) parts.push_back(part);
    return parts;
}

bool ParseSections(const std::string& text, ReportSections& sections) {
    sections = ReportSections();
    for (const std::string& name : SplitAtComma(text)) {
        if (name == "chart") sections.Chart = true;
        else if (name == "verbal") sections.Verbal = true;
        else if (name == "graphical") sections.Graphical = true;
        else if (name == "program") sections.Program = true;
        else if (name == "starts") sections.StartValues = true;
        else if (name == "table") sections.Table = true;
        else return false;
    }
    return true;
}

// "LEFT,TOP" in centimetres with "." as the decimal point, or "2,5,1,0"
// with decimal commas; one number sets both margins.
bool ParseMargins(const std::string& text, double& left, double& top) {
    std::vector<std::string> parts = SplitAtComma(text);
    if (parts.size() == 4) parts = {parts[0] + "." + parts[1], parts[2] + "." + parts[3]};
    if (parts.size() == 1) parts.push_back(parts[0]);
    if (parts.size() != 2) return false;
    auto l = ParseNumber(parts[0], false), t = ParseNumber(parts[1], false);
    if (!l || !t || *l < 0 || *t < 0 || *l > 20 || *t > 20) return false;
    left = *l;
    top = *t;
    return true;
}

bool ParseScale(const std::string& text, double& scale) {
    auto number = ParseNumber(text, false);
    if (!number) return false;
    scale = *number;
    return true;
}

std::string FileNameOnly(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int ReportCommand(const std::vector<std::string>& args) {
    std::string input, output, simulation;
    std::optional<ReportSections> sections;
    ReportRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (arg == "-o" && hasValue) {
            output = args[++i];
        } else if (arg == "--simulation" && hasValue) {
            simulation = args[++i];
        } else if (arg == "--sections" && hasValue) {
            sections.emplace();
            ok = ParseSections(args[++i], *sections);
        } else if (arg == "--margins" && hasValue) {
            ok = ParseMargins(args[++i], request.LeftCm, request.TopCm);
        } else if (arg == "--scale-x" && hasValue) {
            ok = ParseScale(args[++i], request.Options.UnitsPerCmX);
        } else if (arg == "--scale-y" && hasValue) {
            ok = ParseScale(args[++i], request.Options.UnitsPerCmY);
        } else if (arg == "--background") {
            request.Options.Background = true;
        } else if (arg.rfind("-", 0) != 0 && input.empty()) {
            input = arg;
        } else {
            ok = false;
        }
        if (!ok) {
            std::cerr << "Ungültige Angabe: " << arg << (hasValue ? " " + args[i] : "") << '\n' << Usage << '\n';
            return ExitUsage;
        }
    }
    if (input.empty() || output.empty()) {
        std::cerr << Usage << '\n';
        return ExitUsage;
    }
    WorksheetSession session;
    auto document = ReadDocumentReporting(input);
    if (!document) return ExitCompileError;
    const tsim* sim = simulation.empty() && document->SelectedSimulation() ? document->SelectedSimulation()
                                                                          : FindSimulation(*document, simulation);
    if (!sim) return ExitUsage;
    int code = ComputeAndBuild(*document, DefaultRenderWidth, DefaultRenderHeight, std::nullopt);
    if (IsSignalExit(code)) return code;
    request.Sections = sections ? *sections : OfferedSections(*document, *sim, true);
    if (!request.Sections.Any()) {
        std::cerr << "Kein Teil des Berichts gewählt: es wird nichts gedruckt.\n";
        return ExitUsage;
    }
    request.FileName = Utf8ToCp1252(FileNameOnly(input));
    // A chart too large for the paper is shrunk to fit, as a user would
    // answer the window's question.
    request.FitQuestion = [] { return true; };

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(ReportDpi);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle("Quorvel Programm: " + QString::fromStdString(FileNameOnly(input)));
        if (auto failure = PrintReport(*document, *sim, request, pdf)) {
            PrintError(*failure);
            return ExitUsage;
        }
    }
    if (!WriteOutputFile(output, ByteSpan(bytes))) return ExitUsage;
    return code;
}

}  // namespace qv::cli
