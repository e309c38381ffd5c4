#include "drawing/TextRuling.h"

#include "drawing/DrawStyles.h"
#include "drawing/TextFonts.h"
#include "drawing/TextLayout.h"
#include "util/Geometry.h"


#include <cmath>

namespace qv {

namespace {

// However a damaged record sets the cell or line size, a ruling never draws
// more lines than this in one direction.
constexpr int MaxRulingLines = 4000;

// The per-font ruling factors k1 … k4 come from a table that is external
// data this program does not have; every font uses 1.
struct RulingFactors {
    double k1 = 1, k2 = 1, k3 = 1, k4 = 1;
};

class RulingPainter {
public:
    RulingPainter(QPainter& painter, const TextFrame& frame, uint32_t colour)
        : painter_(painter), frame_(frame), pen_(LinePen(colour, frame.LineStyle, frame.LineWidth)) {}

    // A horizontal line across the box (one pixel short of its right edge).
    void horizontal(double y, bool dotted, double toX) {
        int py = py_(y);
        line(frame_.Left, py, px_(toX) - 1, py, dotted);
    }
    void vertical(double x, double fromY, double toY, bool dotted = false) {
        line(px_(x), py_(fromY), px_(x), py_(toY), dotted);
    }

private:
    int px_(double x) const { return frame_.Left + static_cast<int>(std::nearbyint(x * Scales().PixelsPerCmX)); }
    int py_(double y) const { return frame_.Top + static_cast<int>(std::nearbyint(y * Scales().PixelsPerCmY)); }
    void line(int x1, int y1, int x2, int y2, bool dotted) {
        QPen pen = pen_;
        if (dotted && pen.style() != Qt::NoPen) pen.setStyle(Qt::DotLine);
        painter_.setPen(pen);
        painter_.drawLine(x1, y1, x2, y2);
    }

    QPainter& painter_;
    const TextFrame& frame_;
    QPen pen_;
};

bool Usable(double step) { return std::isfinite(step) && step > 0; }

int LineCount(double extent, double step) {
    double n = std::floor(extent / step) + 1;
    if (!(n > 0)) return 0;
    return n > MaxRulingLines ? MaxRulingLines : static_cast<int>(n);
}

void PaintGrid(RulingPainter& ruling, const TextBody& text, const TextFrame& frame) {
    const double cw = text.CellWidth, ch = text.CellHeight;
    if (!Usable(cw) || !Usable(ch)) return;
    const double bottom = std::trunc(frame.Height / ch + 0.01) * ch;
    const double right = std::trunc(frame.Width / cw + 0.01) * cw;
    for (int i = 0, n = LineCount(frame.Width + cw / 100, cw); i < n; ++i) ruling.vertical(i * cw, 0, bottom);
    for (int i = 0, n = LineCount(frame.Height + ch / 100, ch); i < n; ++i) ruling.horizontal(i * ch, false, right);
}

void PaintBand(RulingPainter& ruling, const TextBody& text, const TextFrame& frame, double top, double bottom,
               bool dottedTop, bool dottedBottom) {
    if (text.LeftEdge) ruling.vertical(0, top, bottom);
    ruling.horizontal(bottom, dottedBottom, frame.Width);
    if (text.RightEdge) ruling.vertical(frame.Width - 1 / Scales().PixelsPerCmX, top, bottom);
    ruling.horizontal(top, dottedTop, frame.Width);
}

void PaintRow(RulingPainter& ruling, const TextBody& text, const TextFrame& frame, double r, double a) {
    const RulingFactors k;
    const BandOffsets band = RuledBandOffsets(text);
    const uint8_t style = text.PaperStyle;
    const double baseline = r + a * k.k3;
    if (style == 4) {
        ruling.horizontal(baseline, false, frame.Width);
        return;
    }
    if (style == 2 || style == 5)
        PaintBand(ruling, text, frame, r + band.Outer * k.k1, r + text.BaseHeight() * k.k4, style == 5, style == 5);
    PaintBand(ruling, text, frame, r + band.Inner * k.k2, baseline, style == 6, false);
}

void PaintRuledRows(RulingPainter& ruling, TextBody& text, const TextFrame& frame) {
    LayoutState first;
    Layout(text, frame.Width, false, first, -1);
    const double pitch = text.RuledPitch();
    if (!Usable(pitch)) return;
    if (text.MarginTop > 0)
        for (int i = 1; i <= MaxRulingLines && first.y - i * pitch >= 0; ++i)
            PaintRow(ruling, text, frame, first.y - i * pitch, first.a);
    for (int i = 0; i <= MaxRulingLines && first.y + i * pitch + text.BaseHeight() <= frame.Height; ++i)
        PaintRow(ruling, text, frame, first.y + i * pitch, first.a);
}

}  // namespace

BandOffsets RuledBandOffsets(const TextBody& text) {
    const double A = text.Ascent, D = text.Descent;
    switch (HandwritingFontNumber(text.FontName)) {
        case 1: return {A - 2.15 * D, A - 1.15 * D};
        case 2: return {A - 2 * D, A - D};
        case 3: return {A - 2.15 * D, A - 1.2 * D};
        case 4: return {A - 3.5 * D, A - 2.5 * D};
        case 5:
        case 6: return {A - 2.25 * D, A - 1.25 * D};
        default: return {0, A - 2.5 * D};
    }
}

void PaintRuling(QPainter& painter, TextBody& text, const TextFrame& frame) {
    if (text.PaperStyle <= 1) return;
    UpdateTextMetrics(text);
    RulingPainter ruling(painter, frame, text.RulingColour);
    if (text.IsSquared())
        PaintGrid(ruling, text, frame);
    else if (text.IsRuled())
        PaintRuledRows(ruling, text, frame);
}

}  // namespace qv
