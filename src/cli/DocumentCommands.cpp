// quorvel-cli table DOC.prg
// quorvel-cli render DOC.prg -o OUT.(png|svg|pdf) [--width PX --height PX]
// quorvel-cli convert OLD.prg -o NEW.prg
#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <iostream>

#include "charts/bsgraf3d.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/WorksheetSession.h"
#include "document/DocumentActions.h"
#include "document/QVTable.h"
#include "drawing/PictureHolder.h"
#include "util/Cp1252.h"
#include "util/Picture.h"
#include "util/PngCodec.h"

namespace qv::cli {

namespace {

// The font of the table view's grid; its "0" decides how many characters
// fit a column.
QFont TableGridFont() { return QFont("Liberation Sans", 8); }

std::vector<uint8_t> AsBytes(const QByteArray& data) { return std::vector<uint8_t>(data.begin(), data.end()); }

// The page in the format the output's name asks for, whole in memory, so the
// file is written completely or not at all. Nothing when there is no memory
// for the picture: no painter may start on an image that was not made.
std::optional<std::vector<uint8_t>> RenderTo(TDocument& document, const std::string& output, int width, int height) {
    if (HasSuffix(output, ".png")) {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull()) return std::nullopt;
        RenderPage(document, image, width, height);
        std::vector<uint8_t> png = EncodePng(ImageToPicture(image, PictureKind::Png));
        if (png.empty()) return std::nullopt;
        return png;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (HasSuffix(output, ".svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setTitle("Quorvel");
        RenderPage(document, svg, width, height);
        return AsBytes(bytes);
    }
    QPdfWriter pdf(&buffer);
    // The page as large as the picture would be on a 96-dpi screen.
    constexpr int ScreenDpi = 96;
    pdf.setResolution(ScreenDpi);
    pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / ScreenDpi, height * 72.0 / ScreenDpi), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    const int pdfWidth = pdf.width(), pdfHeight = pdf.height();
    RenderPage(document, pdf, pdfWidth, pdfHeight);
    return AsBytes(bytes);
}

// A PNG picture is bound by the picture limits; vector pictures are not.
std::optional<std::string> PictureSizeProblem(const std::string& output, int width, int height) {
    if (!HasSuffix(output, ".png") || PictureSizeAllowed(width, height)) return std::nullopt;
    const auto side = static_cast<int>(std::sqrt(static_cast<double>(MaxPicturePixels)));
    return "Das PNG-Bild wäre mit " + std::to_string(width) + " × " + std::to_string(height) +
           " Bildpunkten zu groß: erlaubt sind höchstens " + std::to_string(MaxPicturePixels >> 20) +
           " Mio. Bildpunkte (etwa " + std::to_string(side) + " × " + std::to_string(side) + ").";
}

std::optional<int> ParseSize(const std::string& text) {
    auto number = ParseNumber(text, false);
    if (!number || *number < 1 || *number > 20000 || *number != static_cast<int>(*number)) return std::nullopt;
    return static_cast<int>(*number);
}

}  // namespace

int TableCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "Aufruf: quorvel-cli table DOKUMENT.prg\n";
        return ExitUsage;
    }
    WorksheetSession session;
    auto document = ReadDocumentReporting(args[0]);
    if (!document) return ExitCompileError;
    int code = ComputeAndBuild(*document, DefaultRenderWidth, DefaultRenderHeight);
    int zeroWidth = QFontMetrics(TableGridFont()).horizontalAdvance(QLatin1Char('0'));
    TableContent table = buildTable(document->Simulations, document->Chart->threeD, TableMetrics(zeroWidth));
    std::cout << Cp1252ToUtf8(TableText(table));
    return code;
}

int RenderCommand(const std::vector<std::string>& args) {
    constexpr const char* Usage = "Aufruf: quorvel-cli render DOKUMENT.prg -o AUSGABE.(png|svg|pdf) [--width PX --height PX]";
    std::string input, output;
    int width = DefaultRenderWidth, height = DefaultRenderHeight;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "-o" && hasValue) {
            output = args[++i];
        } else if ((arg == "--width" || arg == "--height") && hasValue) {
            auto size = ParseSize(args[++i]);
            if (!size) {
                std::cerr << "Ungültige Bildgröße: " << args[i] << '\n' << Usage << '\n';
                return ExitUsage;
            }
            (arg == "--width" ? width : height) = *size;
        } else if (arg.rfind("-", 0) != 0 && input.empty()) {
            input = arg;
        } else {
            std::cerr << Usage << '\n';
            return ExitUsage;
        }
    }
    if (input.empty() || !(HasSuffix(output, ".png") || HasSuffix(output, ".svg") || HasSuffix(output, ".pdf"))) {
        std::cerr << Usage << '\n';
        return ExitUsage;
    }
    if (auto problem = PictureSizeProblem(output, width, height)) {
        std::cerr << *problem << '\n';
        return ExitUsage;
    }
    WorksheetSession session;
    auto document = ReadDocumentReporting(input);
    if (!document) return ExitCompileError;
    int code = ComputeAndBuild(*document, width, height);
    auto bytes = RenderTo(*document, output, width, height);
    if (!bytes) {
        std::cerr << "Nicht genügend Speicher für ein Bild mit " << width << " × " << height << " Bildpunkten.\n";
        return ExitUsage;
    }
    if (!WriteOutputFile(output, *bytes)) return ExitUsage;
    return code;
}

int ConvertCommand(const std::vector<std::string>& args) {
    if (args.size() != 3 || args[1] != "-o") {
        std::cerr << "Aufruf: quorvel-cli convert ALT.prg -o NEU.prg\n";
        return ExitUsage;
    }
    WorksheetSession session;
    auto document = ReadDocumentReporting(args[0]);
    if (!document) return ExitCompileError;
    std::string error;
    if (!writeDocument(*document, args[2], error)) {
        PrintError(error);
        return ExitUsage;
    }
    return ExitOk;
}

}  // namespace qv::cli
