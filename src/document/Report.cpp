#include "document/Report.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "charts/bsgraf3d.h"
#include "document/QVTable.h"
#include "drawing/DiagramPainter.h"
#include "drawing/QtText.h"
#include "modeleditors/QVAlgo.h"

namespace qv {

namespace {

constexpr double CmPerInch = 2.54;
constexpr int SentenceSubjectColumns = 25;
constexpr int SentencePredicateEnd = 50;
constexpr int DiagramMargin = 10;

QFont ReportFont(bool bold) {
    QFont font("Arial", 12);
    font.setBold(bold);
    return font;
}

std::string PaddedTo(std::string text, std::size_t length) {
    if (text.size() < length) text.append(length - text.size(), ' ');
    return text;
}

// A table cell without its spaces, padded on both sides until it fills all
// but one character of its column.
std::string CentredCell(const std::string& cell, std::size_t columnChars) {
    std::string text;
    std::copy_if(cell.begin(), cell.end(), std::back_inserter(text), [](char c) { return c != ' '; });
    while (text.size() + 1 < columnChars) text = ' ' + text + ' ';
    return text;
}

// The line of an axis is its first child; its length on the page in cm.
double AxisLineLength(const Taxis3D& axis, bool horizontal) {
    const Tsimple& line = axis.Children.empty() ? static_cast<const Tsimple&>(axis) : *axis.Children.front();
    return std::abs(horizontal ? line.Width() : line.Height());
}

// Pixels per page centimetre so that 1 cm on paper spans unitsPerCm axis
// units; nothing when the axis gives no usable length or range.
std::optional<double> AxisScale(double pixelsPerCm, double unitsPerCm, const Taxis3D& axis, bool horizontal) {
    if (unitsPerCm == 0) return std::nullopt;
    const double scale = std::abs(pixelsPerCm / unitsPerCm * (axis.maximum - axis.minimum) /
                                  AxisLineLength(axis, horizontal));
    if (!std::isfinite(scale) || scale <= 0) return std::nullopt;
    return scale;
}

class Layouter {
public:
    Layouter(TDocument& document, const ReportRequest& request, QPagedPaintDevice& device)
        : document_(document), request_(request), device_(device) {
        layout_.LeftMargin = static_cast<int>(std::lround(request.LeftCm * device.logicalDpiX() / CmPerInch));
        layout_.TopMargin = static_cast<int>(std::lround(request.TopCm * device.logicalDpiY() / CmPerInch));
        y_ = layout_.TopMargin;
    }

    ReportLayout Run(const tsim& sim) {
        AlgoEditorState editor;
        editor.LoadFrom(sim);
        const ReportSections& sections = request_.Sections;
        bold_ = true;
        Line("Quorvel Programm: " + request_.FileName);
        y_ += 2 * LineHeight();
        if (sections.Chart) ChartPage();
        if (sections.Verbal) Verbal(editor.Verbal);
        if (sections.Graphical) Graphical(editor.Graphical.Diagram);
        if (sections.Program) Program(editor, sim.StepCount);
        if (sections.StartValues) StartValues(editor.StartValues);
        if (sections.Table) Table();
        return std::move(layout_);
    }

private:
    int LineHeight() const { return QFontMetrics(ReportFont(bold_), &device_).height(); }
    int Bottom() const { return device_.height() - layout_.TopMargin; }

    void NewPage() {
        ++layout_.PageCount;
        y_ = layout_.TopMargin;
    }

    // A line goes on the next page when it would reach into the bottom
    // margin, which is as wide as the top one.
    void BreakBefore(int height) {
        if (y_ + height > Bottom() && y_ > layout_.TopMargin) NewPage();
    }

    void Place(const std::string& text, int x) {
        ReportPiece piece;
        piece.Page = layout_.PageCount - 1;
        piece.At = QPoint(x, y_);
        piece.Line = text;
        piece.Bold = bold_;
        layout_.Pieces.push_back(std::move(piece));
    }

    void Line(const std::string& text) {
        const int height = LineHeight();
        BreakBefore(height);
        Place(text, layout_.LeftMargin);
        y_ += height;
    }

    // A block that does not fit below the text starts a page of its own; one
    // taller than a page is cut at the page's edge.
    void Block(ReportPiece piece) {
        if (y_ + piece.Size.height() > Bottom() && y_ > layout_.TopMargin) NewPage();
        piece.Page = layout_.PageCount - 1;
        piece.At = QPoint(layout_.LeftMargin, y_);
        y_ += piece.Size.height();
        layout_.Pieces.push_back(std::move(piece));
    }

    void Heading(const char* text) {
        bold_ = true;
        Line(text);
        y_ += LineHeight();
        bold_ = false;
    }

    void EndSection() { y_ += 3 * LineHeight(); }

    void ChartPage() {
        TSeite& page = *document_.Page;
        const int width = device_.width();
        const int left = layout_.LeftMargin;
        const double fitX = std::abs((width - 2.0 * left) / page.Width());
        double scaleX = fitX;
        double scaleY = fitX * device_.logicalDpiY() / device_.logicalDpiX();
        if (document_.Chart) {
            if (auto scale = AxisScale(device_.logicalDpiX() / CmPerInch, request_.Options.UnitsPerCmX,
                                       document_.Chart->horizontalAxis(), true))
                scaleX = *scale;
            if (auto scale = AxisScale(device_.logicalDpiY() / CmPerInch, request_.Options.UnitsPerCmY,
                                       document_.Chart->verticalAxis(), false))
                scaleY = *scale;
        }
        const bool tooWide = 2.0 * left + page.Width() * scaleX > width;
        // The chart follows the title, so it fits when it ends above the
        // bottom margin below the title.
        const double room = Bottom() - y_;
        const bool tooHigh = page.Height() * scaleY > room;
        if ((tooWide || tooHigh) && request_.FitQuestion()) {
            if (tooWide) scaleX = (width - 2.0 * left) / page.Width();
            if (tooHigh) scaleY = (room - 1) / page.Height();  // a pixel for rounding
        }
        ReportPiece piece;
        piece.What = ReportPiece::Chart;
        piece.ScaleX = scaleX;
        piece.ScaleY = scaleY;
        {
            ExportScalesGuard scales(scaleX, scaleY, &page);
            piece.Size = QSize(page.PixWidth(), page.PixHeight());
        }
        Block(std::move(piece));
    }

    void Verbal(const WorkingSentences& verbal) {
        Heading("Sprachliches Modell:");
        for (const TSentence& sentence : verbal.Sentences) {
            if (sentence.Subject.empty()) continue;
            Line(PaddedTo(PaddedTo(sentence.Subject, SentenceSubjectColumns) + sentence.Predicate,
                          SentencePredicateEnd) +
                 sentence.Object);
        }
        EndSection();
    }

    void Graphical(TDiagram& diagram) {
        Heading("Grafisches Modell:");
        if (auto area = DiagramPictureArea(diagram, DiagramMargin)) {
            ReportPiece piece;
            piece.What = ReportPiece::Diagram;
            const int width = device_.width() - layout_.LeftMargin;
            const double areaWidth = double(area->Right) - area->Left + 1;
            const double areaHeight = double(area->Bottom) - area->Top + 1;
            piece.Size = QSize(width, static_cast<int>(std::lround(width * areaHeight / areaWidth)));
            piece.ScaleX = width / areaWidth;
            piece.ScaleY = piece.ScaleX;
            piece.Origin = QPoint(area->Left, area->Top);
            Block(std::move(piece));
        }
        EndSection();
    }

    void Program(const AlgoEditorState& editor, int32_t stepCount) {
        Heading("Programm:");
        Line("Wiederhole " + std::to_string(stepCount) + " mal:");
        for (const std::string& line : editor.Program) Line(line);
        for (const TListeninhalt& list : editor.Macros) {
            y_ += 2 * LineHeight();
            Line(list.Name + ":");
            y_ += static_cast<int>(std::lround(0.5 * LineHeight()));
            for (const std::string& line : list.Lines) Line(line);
        }
        EndSection();
    }

    void StartValues(const std::vector<StartValueRow>& rows) {
        std::size_t longest = 0;
        bool any = false;
        for (const StartValueRow& row : rows) {
            if (row.Name.empty()) continue;
            any = true;
            longest = std::max(longest, row.Name.size());
        }
        if (!any) return;
        Heading("Startwerte:");
        for (const StartValueRow& row : rows)
            if (!row.Name.empty()) Line(PaddedTo(row.Name, longest) + " = " + row.Value);
        EndSection();
    }

    void Table() {
        const QFontMetrics screen(request_.TableFont);
        TableContent table = buildTable(document_.Simulations, document_.Chart && document_.Chart->threeD,
                                        TableMetrics(screen.horizontalAdvance(QLatin1Char('0'))));
        const int screenA = std::max(1, screen.horizontalAdvance(QLatin1Char('A')));
        // A column narrower on the screen than its longest cell is widened,
        // so that no digit is cut off on paper.
        std::vector<std::size_t> chars;
        for (const TableColumn& column : table.Columns) {
            std::size_t longest = 0;
            for (std::size_t row = 0; row < table.RowCount; ++row)
                longest = std::max(longest, row == 0 ? column.Header.size() : column.Cell(row - 1).size());
            chars.push_back(std::max<std::size_t>(static_cast<std::size_t>(column.Width / screenA), longest + 2));
        }
        Heading("Tabelle:");
        for (std::size_t row = 0; row < table.RowCount; ++row) {
            bold_ = row == 0;
            const int printerA = QFontMetrics(ReportFont(bold_), &device_).horizontalAdvance(QLatin1Char('A'));
            const int height = LineHeight();
            BreakBefore(height);
            int x = layout_.LeftMargin;
            for (std::size_t col = 0; col < table.Columns.size(); ++col) {
                const TableColumn& column = table.Columns[col];
                Place(CentredCell(row == 0 ? column.Header : column.Cell(row - 1), chars[col]), x);
                x += static_cast<int>(chars[col]) * printerA;
            }
            y_ += height;
        }
        bold_ = false;
        EndSection();
    }

    TDocument& document_;
    const ReportRequest& request_;
    QPagedPaintDevice& device_;
    ReportLayout layout_;
    int y_ = 0;
    bool bold_ = false;
};

// The chart prints on white unless its background is asked for; the colour
// comes back however printing ends.
class ChartColourGuard {
public:
    ChartColourGuard(Tgraf3d* chart, bool keep) : chart_(keep ? nullptr : chart) {
        if (chart_) {
            saved_ = chart_->chartColor;
            chart_->chartColor = 0xFFFFFF;
        }
    }
    ~ChartColourGuard() {
        if (chart_) chart_->chartColor = saved_;
    }
    ChartColourGuard(const ChartColourGuard&) = delete;
    ChartColourGuard& operator=(const ChartColourGuard&) = delete;

private:
    Tgraf3d* chart_;
    uint32_t saved_ = 0;
};

}  // namespace

ReportSections OfferedSections(const TDocument& document, const tsim& sim, bool startValuesLastTime) {
    ReportSections sections;
    sections.Program = !sim.Program.empty();
    sections.StartValues = startValuesLastTime;
    sections.Chart = document.ChartShown;
    sections.Table = document.TableShown;
    sections.Verbal = std::any_of(sim.Sentences.begin(), sim.Sentences.end(),
                                  [](const std::string& text) { return !text.empty(); });
    sections.Graphical = !sim.Diagram.Stocks.empty();
    return sections;
}

ReportLayout LayoutReport(TDocument& document, const tsim& sim, const ReportRequest& request,
                          QPagedPaintDevice& device) {
    return Layouter(document, request, device).Run(sim);
}

std::optional<std::string> PrintReport(TDocument& document, const tsim& sim, const ReportRequest& request,
                                       QPagedPaintDevice& device) {
    if (!request.Sections.Any()) return std::nullopt;
    const ReportLayout layout = LayoutReport(document, sim, request, device);
    WorkingDiagram diagram;
    if (request.Sections.Graphical) diagram.LoadFrom(sim);
    ChartColourGuard colour(document.Chart, request.Options.Background);
    QPainter painter;
    if (!painter.begin(&device)) return PrintFailedText;
    int page = 0;
    for (const ReportPiece& piece : layout.Pieces) {
        while (page < piece.Page) {
            if (!device.newPage()) return PrintFailedText;
            ++page;
        }
        painter.save();
        switch (piece.What) {
        case ReportPiece::Text: {
            painter.setFont(ReportFont(piece.Bold));
            painter.setPen(Qt::black);
            painter.drawText(piece.At.x(), piece.At.y() + painter.fontMetrics().ascent(), ToQString(piece.Line));
            break;
        }
        case ReportPiece::Chart: {
            ExportScalesGuard scales(piece.ScaleX, piece.ScaleY, document.Page.get());
            painter.setClipRect(QRect(piece.At, piece.Size));
            painter.translate(piece.At);
            document.Page->Draw(painter, 0, 0, nullptr);
            break;
        }
        case ReportPiece::Diagram: {
            painter.translate(piece.At);
            painter.scale(piece.ScaleX, piece.ScaleY);
            painter.translate(-piece.Origin);
            DrawDiagram(painter, diagram.Diagram);
            break;
        }
        }
        painter.restore();
    }
    if (!painter.end()) return PrintFailedText;
    return std::nullopt;
}

}  // namespace qv
