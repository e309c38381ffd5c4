// The printed report of a simulation: a title line, then (each optional) the
// chart page, the verbal model, the graphical model, the program with its
// lists, the start values and the table. It is laid out on any paged device
// (a printer or a PDF writer) without a window, so the window's "Drucken..."
// and quorvel-cli report put the same pages on paper.
#pragma once

#include <QFont>
#include <QPoint>
#include <QSize>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/QVDocument.h"

class QPagedPaintDevice;

namespace qv {

struct ReportSections {
    bool Chart = false;
    bool Verbal = false;
    bool Graphical = false;
    bool Program = false;
    bool StartValues = false;
    bool Table = false;

    bool Any() const { return Chart || Verbal || Graphical || Program || StartValues || Table; }
};

// What the print dialog checks first for a simulation; "Startwerte" keeps
// what the user chose last time.
ReportSections OfferedSections(const TDocument& document, const tsim& sim, bool startValuesLastTime);

// The print options: 1 cm on paper corresponds to this many axis units (0:
// fit the width, keep the page's proportions upright), and whether the
// chart keeps its background colour.
struct PrintOptions {
    double UnitsPerCmX = 0;
    double UnitsPerCmY = 0;
    bool Background = false;
};

inline constexpr const char* ChartTooLargeText = "Schaubild passt nicht auf das Papier. Einpassen?";

struct ReportRequest {
    std::string FileName;  // the document's name without its folder (Windows-1252)
    ReportSections Sections;
    double LeftCm = 2.0;
    double TopCm = 2.0;
    PrintOptions Options;
    // The table view's font: a column holds as many characters as its screen
    // width holds "A"s of it.
    QFont TableFont = QFont("Liberation Sans", 8);
    // Asked when the chart page does not fit the paper at the print scales;
    // true shrinks it to fit.
    std::function<bool()> FitQuestion = [] { return true; };
};

// One thing placed on a page, in the device's pixels from the top-left
// corner of its printable area.
struct ReportPiece {
    enum Kind { Text, Chart, Diagram };
    Kind What = Text;
    int Page = 0;
    QPoint At;
    std::string Line;  // Windows-1252
    bool Bold = false;
    QSize Size;               // chart and diagram
    // Chart: pixels per page centimetre; diagram: device pixels per diagram
    // pixel, from the diagram's Origin.
    double ScaleX = 0, ScaleY = 0;
    QPoint Origin;
};

struct ReportLayout {
    int LeftMargin = 0;
    int TopMargin = 0;
    int PageCount = 1;
    std::vector<ReportPiece> Pieces;
};

// Lays the report of sim out for the device. The page scales are those of
// the screen again when this returns.
ReportLayout LayoutReport(TDocument& document, const tsim& sim, const ReportRequest& request,
                          QPagedPaintDevice& device);

// Lays out and prints the report onto the device. Nothing is printed when
// no section is chosen. Returns the German message of a failure; the pages
// printed so far stay, and the page scales and the chart's background are
// restored on every path.
std::optional<std::string> PrintReport(TDocument& document, const tsim& sim, const ReportRequest& request,
                                       QPagedPaintDevice& device);

inline constexpr const char* PrintFailedText = "Der Bericht konnte nicht gedruckt werden.";

}  // namespace qv
