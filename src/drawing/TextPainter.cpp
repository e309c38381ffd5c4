#include "drawing/TextPainter.h"

#include "drawing/DrawStyles.h"
#include "drawing/QtColour.h"
#include "drawing/QtText.h"
#include "drawing/TextFonts.h"
#include "drawing/TextLayout.h"
#include "drawing/TextRuling.h"
#include "util/Geometry.h"

#include <QGlyphRun>
#include <QRawFont>

#include <cmath>

namespace qv {

namespace {

int Px(double cm, double scale) {
    double v = std::nearbyint(cm * scale);
    return std::isfinite(v) && std::fabs(v) < PixelOverflowValue ? static_cast<int>(v) : 0;
}

struct RunAttributes {
    double Size;
    bool Outline;
    double Shift;
    uint32_t Colour;
    uint8_t Style;
    const std::string* Name;
    bool operator==(const RunAttributes& o) const {
        return Size == o.Size && Outline == o.Outline && Shift == o.Shift && Colour == o.Colour && Style == o.Style &&
               *Name == *o.Name;
    }
};

RunAttributes AttributesOf(const TextBody& text, const TcharWithAttr& ch, uint32_t colour) {
    return {ch.Size, ch.Outline, ch.Shift, ch.Font ? ch.Font->Colour : colour, text.StyleOf(ch), &text.FontNameOf(ch)};
}

bool InSelection(const TextBody& text, std::size_t i) {
    auto from = std::min(text.SelStart, text.SelEnd), to = std::max(text.SelStart, text.SelEnd);
    return text.Editing && static_cast<int64_t>(i) >= from && static_cast<int64_t>(i) < to;
}

class RunPainter {
public:
    RunPainter(QPainter& painter, const TextBody& text, const TextFrame& frame)
        : painter_(painter), text_(text), frame_(frame) {}

    // Draws characters first … last, which share their attributes.
    void paint(std::size_t first, std::size_t last) {
        const TcharWithAttr& lead = text_.Chars[first];
        const RunAttributes at = AttributesOf(text_, lead, frame_.Colour);
        const double size = lead.Shift != 0 ? lead.Size * text_.ScriptScale : lead.Size;
        QFont font = MakeFont(*at.Name, at.Style, FontPixelHeight(size, Scales().PixelsPerCmY));
        QRawFont raw = QRawFont::fromFont(font);
        if (!raw.isValid()) return;

        QString glyphs;
        QList<QPointF> positions;
        for (std::size_t i = first; i <= last; ++i) {
            const TcharWithAttr& ch = text_.Chars[i];
            if (ch.IsParagraphEnd()) continue;
            QPointF pos(frame_.Left + Px(ch.Cache.X - ch.Cache.Advance, Scales().PixelsPerCmX),
                        frame_.Top + Px(ch.Cache.Top - ch.Shift + ch.Cache.Ascent, Scales().PixelsPerCmY));
            glyphs += ToQChar(ch.Glyph);
            positions.append(pos);
            if (ch.ExtraGlyph != 0) {
                QList<quint32> main = raw.glyphIndexesForString(QString(ToQChar(ch.Glyph)));
                double advance = main.isEmpty() ? 0 : raw.advancesForGlyphIndexes(main).value(0).x();
                glyphs += ToQChar(ch.ExtraGlyph);
                positions.append(pos + QPointF(advance, 0));
            }
        }
        QList<quint32> indexes = raw.glyphIndexesForString(glyphs);
        if (glyphs.isEmpty() || indexes.size() != positions.size()) return;
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(indexes);
        run.setPositions(positions);
        run.setUnderline(at.Style & StyleUnderline);
        run.setStrikeOut(at.Style & StyleStrikeOut);

        const QColor colour = ToQColor(at.Colour);
        if (at.Outline) {
            const int reach = at.Style & StyleBold ? 2 : 1;
            for (int d = 1; d <= reach; ++d)
                for (QPointF offset : {QPointF(-d, 0), QPointF(d, 0), QPointF(0, -d), QPointF(0, d)})
                    draw(run, colour, offset);
            draw(run, Qt::white, QPointF());
        } else {
            draw(run, colour, QPointF());
        }
        if (InSelection(text_, first)) invert(first, last, raw);
    }

private:
    void draw(const QGlyphRun& run, const QColor& colour, QPointF offset) {
        painter_.setPen(colour);
        painter_.drawGlyphRun(offset, run);
    }

    // The selection shows inverted: the run's advances by the font's height.
    void invert(std::size_t first, std::size_t last, const QRawFont& raw) {
        const TcharWithAttr& a = text_.Chars[first];
        const TcharWithAttr& b = text_.Chars[last];
        int left = frame_.Left + Px(a.Cache.X - a.Cache.Advance, Scales().PixelsPerCmX);
        int right = frame_.Left + Px(b.Cache.X, Scales().PixelsPerCmX);
        double baseline = frame_.Top + Px(a.Cache.Top - a.Shift + a.Cache.Ascent, Scales().PixelsPerCmY);
        QRectF box(left, baseline - raw.ascent(), right - left, raw.ascent() + raw.descent());
        PainterStateKeeper keep(painter_);
        painter_.setCompositionMode(QPainter::CompositionMode_Difference);
        painter_.fillRect(box, Qt::white);
    }

    QPainter& painter_;
    const TextBody& text_;
    const TextFrame& frame_;
};

}  // namespace

void PaintText(QPainter& painter, TextBody& text, const TextFrame& frame) {
    LayoutAll(text, frame.Width);
    PainterStateKeeper keep(painter);
    if (frame.Angle != 0 && !text.Editing) {
        QPointF centre(frame.Left + frame.PixWidth / 2.0, frame.Top + frame.PixHeight / 2.0);
        painter.translate(centre);
        painter.rotate(-frame.Angle / 10.0);  // tenths of a degree, counter-clockwise
        painter.translate(-centre);
    }
    PaintRuling(painter, text, frame);
    painter.setBackgroundMode(Qt::TransparentMode);

    RunPainter runs(painter, text, frame);
    const std::size_t n = text.Chars.size();
    std::size_t first = 0;
    while (first < n) {
        const RunAttributes at = AttributesOf(text, text.Chars[first], frame.Colour);
        std::size_t last = first;
        while (last + 1 < n && !text.Chars[last].EndsLine() &&
               AttributesOf(text, text.Chars[last + 1], frame.Colour) == at &&
               InSelection(text, last + 1) == InSelection(text, first))
            ++last;
        runs.paint(first, last);
        first = last + 1;
    }
}

}  // namespace qv
