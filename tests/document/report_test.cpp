// The printed report laid out on a 600-dpi A4 PDF: margins, line positions,
// page breaks, the padded sentence and table lines, the chart at its print
// scales, and that the screen's scales and colours survive printing.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPdfWriter>

#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "document/Report.h"
#include "drawing/BSSimple.h"

namespace qv {
namespace {

struct PdfPaper {
    QByteArray Bytes;
    QBuffer Buffer{&Bytes};
    QPdfWriter Writer{&Buffer};
    PdfPaper() {
        Buffer.open(QIODevice::WriteOnly);
        Writer.setResolution(600);
        Writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    }
};

TDocument ComputedDocument(std::vector<std::string> program, int32_t steps = 10) {
    TDocument document = TDocument::CreateNew();
    AcceptedAlgorithm algorithm;
    algorithm.Name = "Hasen";
    algorithm.Program = std::move(program);
    algorithm.StepCount = steps;
    algorithm.StartValues = {{"HASEN", 2}};
    EXPECT_FALSE(AddNewSimulation(document, algorithm));
    MarkPlotted(document, *document.SelectedSimulation(), {"HASEN"});
    ComputeDocument(document, nullptr);
    EXPECT_FALSE(BuildChart(document));
    return document;
}

std::vector<const ReportPiece*> TextsStartingWith(const ReportLayout& layout, const std::string& start) {
    std::vector<const ReportPiece*> found;
    for (const ReportPiece& piece : layout.Pieces)
        if (piece.What == ReportPiece::Text && piece.Line.rfind(start, 0) == 0) found.push_back(&piece);
    return found;
}

int LineHeight(QPdfWriter& device, bool bold) {
    QFont font("Arial", 12);
    font.setBold(bold);
    return QFontMetrics(font, &device).height();
}

TEST(Report, MarginsHeadingsSentencesAndStartValues) {
    TDocument document = ComputedDocument({"HASEN := HASEN * 1,1"});
    tsim& sim = *document.SelectedSimulation();
    sim.Sentences = {"Hase", "vermehrt sich", "", "", "wird", "nichts", "Fuchs", "frisst", "Hase"};
    PdfPaper paper;
    ReportRequest request;
    request.FileName = "hasen.prg";
    request.Sections.Verbal = request.Sections.StartValues = request.Sections.Program = true;
    const ReportLayout layout = LayoutReport(document, sim, request, paper.Writer);

    EXPECT_EQ(layout.LeftMargin, 472);  // 2 cm at 600 dpi: 472.4 pixels
    EXPECT_EQ(layout.TopMargin, 472);
    ASSERT_FALSE(layout.Pieces.empty());
    EXPECT_EQ(layout.Pieces[0].Line, "Quorvel Programm: hasen.prg");
    EXPECT_EQ(layout.Pieces[0].At, QPoint(472, 472));
    EXPECT_TRUE(layout.Pieces[0].Bold);

    const int bold = LineHeight(paper.Writer, true), normal = LineHeight(paper.Writer, false);
    auto heading = TextsStartingWith(layout, "Sprachliches Modell:");
    ASSERT_EQ(heading.size(), 1u);
    EXPECT_EQ(heading[0]->At.y(), 472 + 3 * bold);
    EXPECT_TRUE(heading[0]->Bold);

    // The row without a subject is left out; the next one follows directly.
    auto hase = TextsStartingWith(layout, "Hase ");
    auto fuchs = TextsStartingWith(layout, "Fuchs ");
    ASSERT_EQ(hase.size(), 1u);
    ASSERT_EQ(fuchs.size(), 1u);
    EXPECT_EQ(hase[0]->Line, "Hase" + std::string(21, ' ') + "vermehrt sich" + std::string(50 - 38, ' '));
    EXPECT_EQ(hase[0]->At.y(), heading[0]->At.y() + 2 * bold);
    EXPECT_FALSE(hase[0]->Bold);
    EXPECT_EQ(fuchs[0]->At.y(), hase[0]->At.y() + normal);
    EXPECT_EQ(fuchs[0]->Line, "Fuchs" + std::string(20, ' ') + "frisst" + std::string(19, ' ') + "Hase");

    auto program = TextsStartingWith(layout, "Programm:");
    ASSERT_EQ(program.size(), 1u);
    EXPECT_EQ(program[0]->At.y(), fuchs[0]->At.y() + normal + 3 * normal);
    EXPECT_EQ(TextsStartingWith(layout, "Wiederhole 10 mal:").size(), 1u);
    EXPECT_EQ(TextsStartingWith(layout, "HASEN = 2").size(), 1u);
    EXPECT_EQ(layout.PageCount, 1);
}

TEST(Report, LongProgramBreaksAfterTheLastLineThatFits) {
    std::vector<std::string> program;
    for (int i = 0; i < 150; ++i) program.push_back("HASEN := HASEN + " + std::to_string(i));
    TDocument document = ComputedDocument(program);
    PdfPaper paper;
    ReportRequest request;
    request.Sections.Program = true;
    const ReportLayout layout = LayoutReport(document, *document.SelectedSimulation(), request, paper.Writer);

    const int normal = LineHeight(paper.Writer, false);
    const int bottom = paper.Writer.height() - layout.TopMargin;
    ASSERT_GE(layout.PageCount, 2);
    for (std::size_t i = 1; i < layout.Pieces.size(); ++i) {
        const ReportPiece& piece = layout.Pieces[i];
        EXPECT_LE(piece.At.y() + normal, bottom) << piece.Line;
        if (piece.Page != layout.Pieces[i - 1].Page) {
            EXPECT_EQ(piece.At.y(), layout.TopMargin);
            EXPECT_GT(layout.Pieces[i - 1].At.y() + 2 * normal, bottom);  // no room for one more
        }
    }
}

TEST(Report, TableColumnsAreWidenedToTheirLongestCell) {
    TDocument document = ComputedDocument({"ZEIT := ZEIT + 1", "HASEN := HASEN * 1000"}, 3);
    // Narrower on the screen than a single "A": the printed columns would
    // lie on top of each other.
    for (auto& variable : document.SelectedSimulation()->Variables) variable->ColumnWidth = 4;
    PdfPaper paper;
    ReportRequest request;
    request.Sections.Table = true;
    const ReportLayout layout = LayoutReport(document, *document.SelectedSimulation(), request, paper.Writer);
    auto headers = TextsStartingWith(layout, "  ZEIT");
    auto first = TextsStartingWith(layout, " 1,0000 ");
    ASSERT_EQ(headers.size(), 1u);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(headers[0]->Bold);
    EXPECT_FALSE(first[0]->Bold);
    const ReportPiece& beside = *(first[0] + 1);  // the HASEN cell of that row
    EXPECT_EQ(beside.At.y(), first[0]->At.y());
    QFont font("Arial", 12);
    const int printerA = QFontMetrics(font, &paper.Writer).horizontalAdvance(QLatin1Char('A'));
    EXPECT_EQ(beside.At.x() - first[0]->At.x(), 8 * printerA);  // "1,0000" and a space on each side
    EXPECT_EQ(first[0]->At.y(), headers[0]->At.y() + LineHeight(paper.Writer, true));
}

TEST(Report, ChartAtPrintScaleWithFitQuestionAndScreenRestored) {
    TDocument document = ComputedDocument({"HASEN := HASEN * 1,1"});
    const PageScales screen = Scales();
    const uint32_t colour = document.Chart->chartColor;
    const int screenWidth = document.Page->PixWidth();
    PdfPaper paper;
    ReportRequest request;
    request.Sections.Chart = true;

    // Fit to the paper's width between the margins.
    ReportLayout layout = LayoutReport(document, *document.SelectedSimulation(), request, paper.Writer);
    ASSERT_EQ(layout.Pieces.size(), 2u);
    const ReportPiece& fitted = layout.Pieces[1];
    EXPECT_EQ(fitted.What, ReportPiece::Chart);
    EXPECT_NEAR(fitted.Size.width(), paper.Writer.width() - 2 * 472, 2);
    EXPECT_NEAR(fitted.ScaleX, fitted.ScaleY, 0.01);

    // A hundredth of a vertical unit per centimetre is far too high: "Nein"
    // keeps the scale, the chart starts on a page of its own, cut at its
    // edge, and the text goes on below on the next page.
    int asked = 0;
    request.Options.UnitsPerCmY = 0.01;
    request.FitQuestion = [&] { return ++asked, false; };
    request.Sections.Program = true;
    layout = LayoutReport(document, *document.SelectedSimulation(), request, paper.Writer);
    EXPECT_EQ(asked, 1);
    EXPECT_GT(layout.Pieces[1].Size.height(), paper.Writer.height());
    EXPECT_EQ(layout.Pieces[1].Page, 1);
    EXPECT_EQ(layout.Pieces[1].At.y(), layout.TopMargin);
    EXPECT_EQ(TextsStartingWith(layout, "Programm:")[0]->Page, 2);
    request.FitQuestion = [&] { return ++asked, true; };
    layout = LayoutReport(document, *document.SelectedSimulation(), request, paper.Writer);
    EXPECT_EQ(layout.Pieces[1].Page, 0);
    EXPECT_NEAR(layout.Pieces[1].Size.height() + layout.Pieces[1].At.y(), paper.Writer.height() - layout.TopMargin, 2);

    // Printed without its background; the screen gets everything back.
    EXPECT_FALSE(PrintReport(document, *document.SelectedSimulation(), request, paper.Writer));
    EXPECT_EQ(Scales().PixelsPerCmX, screen.PixelsPerCmX);
    EXPECT_EQ(Scales().PixelsPerCmY, screen.PixelsPerCmY);
    EXPECT_EQ(document.Page->PixWidth(), screenWidth);
    EXPECT_EQ(document.Chart->chartColor, colour);
    EXPECT_FALSE(Drawing().ExportInProgress);
    paper.Buffer.close();
    EXPECT_TRUE(paper.Bytes.startsWith("%PDF"));
}

TEST(Report, NoSectionPrintsNothing) {
    TDocument document = ComputedDocument({"HASEN := HASEN * 1,1"});
    PdfPaper paper;
    ReportRequest request;
    EXPECT_FALSE(PrintReport(document, *document.SelectedSimulation(), request, paper.Writer));
    EXPECT_TRUE(paper.Bytes.isEmpty());
}

}  // namespace
}  // namespace qv
