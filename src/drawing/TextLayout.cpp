#include "drawing/TextLayout.h"

#include "drawing/TextFonts.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qv {

namespace {

MeasuredFont FontOf(const TextBody& text, const TcharWithAttr& ch, bool scripted) {
    double size = ch.Size;
    if (scripted && ch.Shift != 0) size *= text.ScriptScale;
    return MeasureFont(text.FontNameOf(ch), text.StyleOf(ch), size);
}

bool IsBlank(const TcharWithAttr& ch) { return ch.Code == ' '; }

bool IsDigitOrOperator(uint8_t glyph) {
    return (glyph >= '0' && glyph <= '9') || (glyph != 0 && std::strchr("%*+-/:<=>", glyph) != nullptr);
}

bool IsPunctuation(uint8_t code) { return code != 0 && std::strchr("!\"'(),.:;?", code) != nullptr; }

std::size_t LineEndIndex(const TextBody& text, std::size_t first) {
    std::size_t i = first;
    while (i + 1 < text.Chars.size() && !text.Chars[i].EndsLine()) ++i;
    return i;
}

// A finite value or 0: layout failures give zeros, never NaN positions.
double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

void MakeFinite(LayoutState& s) {
    for (double* v : {&s.x, &s.y, &s.h, &s.a, &s.w, &s.e}) *v = Finite(*v);
}

// Step 3: places character index after the pen position.
void Measure(const TextBody& text, std::size_t index, LayoutState& s) {
    const TcharWithAttr& ch = text.Chars[index];
    if (ch.IsParagraphEnd()) {
        s.w = 0;
        s.e = 0;
        return;
    }
    MeasuredFont font = FontOf(text, ch, true);
    double height = text.IsSquared() && ch.Shift == 0 ? font.ascent() : font.height() - ch.Shift;
    s.e = ch.ExtraGlyph != 0 ? font.width(ch.ExtraGlyph) : 0;
    s.w = font.width(ch.Glyph) + s.e;
    if (!ch.EndsLine() && index + 1 < text.Chars.size() && IsCellPlaced(text, index + 1)) {
        double cw = text.CellWidth;
        s.w = (std::trunc(s.x / cw) + 1.5) * cw - s.x - CharWidth(text, index + 1) / 2;
        if (s.w <= 0) s.w += cw;
    }
    s.x += s.w;
    s.h = std::max(s.h, height);
    if (s.a == 0) s.a = s.h;
    MakeFinite(s);
}

// The width of the line that starts at first, laid out alone.
double LineWidth(const TextBody& text, std::size_t first, std::size_t last) {
    LayoutState s;
    for (std::size_t i = first; i <= last; ++i) {
        const TcharWithAttr& ch = text.Chars[i];
        if (ch.SoftBreak && IsBlank(ch)) break;
        Measure(text, i, s);
    }
    return s.x;
}

// Step 2: begins the line whose first character is next.
void StartLine(TextBody& text, double boxWidth, std::size_t next, LayoutState& s) {
    const bool first = next == 0;
    const std::size_t n = text.Chars.size();
    double a = 0;
    if (first) text.ScriptRoom = 0;
    if (next >= n) {
        a = text.Ascent;
    } else {
        std::size_t last = LineEndIndex(text, next);
        for (std::size_t i = next; i <= last; ++i) {
            const TcharWithAttr& ch = text.Chars[i];
            a = std::max(a, FontOf(text, ch, false).ascent());
            // The room above the first line only ever grows while it is laid
            // out, so a later, smaller raised character keeps the room of a
            // larger one.
            if (first && ch.Shift > 0)
                text.ScriptRoom = std::max(text.ScriptRoom, ch.Size * CmPerPoint * text.ScriptScale * text.SuperShift);
        }
    }

    const double ch = text.CellHeight;
    if (first) {
        s.y = text.IsSquared() ? std::trunc((text.ScriptRoom + text.MarginTop + a) / ch + 0.95) * ch - a -
                                     (ch - a) * text.CellAlign / 2
                               : text.MarginTop + text.ScriptRoom;
    } else if (text.IsSquared()) {
        double h = s.h == 0 ? a : s.h;
        double g = std::round(text.LineSpacing / 100.0);
        s.y = std::trunc((a + s.y + g * h) / ch + 0.95) * ch - a - (ch - h) * text.CellAlign / 2;
    } else if (s.h == 0 || text.IsRuled()) {
        s.y += text.RuledPitch();
    } else {
        s.y += s.h * text.LineSpacing / 100.0;
    }

    s.x = text.MarginLeft;
    if (text.Alignment != 0 && next < n) {
        double width = LineWidth(text, next, LineEndIndex(text, next));
        if (width + text.MarginRight < boxWidth)
            s.x = text.Alignment == 1 ? boxWidth - width - text.MarginRight : (boxWidth - width) / 2;
    }
    s.h = 0;
    s.a = a;
    s.w = 0;
    s.e = 0;
    if (next < n && IsCellPlaced(text, next)) {
        double cw = text.CellWidth;
        s.x = std::trunc(s.x / cw) * cw + (cw - CharWidth(text, next)) / 2;
    }
    MakeFinite(s);
}

void Store(TcharWithAttr& ch, const LayoutState& s) {
    ch.Cache = {true, s.x, s.y, s.h, s.a, s.w, s.e};
}

void Restore(const TcharWithAttr& ch, LayoutState& s) {
    s = {ch.Cache.X, ch.Cache.Top, ch.Cache.Height, ch.Cache.Ascent, ch.Cache.Advance, ch.Cache.ExtraWidth};
}

}  // namespace

bool IsCellPlaced(const TextBody& text, std::size_t index) {
    if (index >= text.Chars.size() || !(text.CellWidth > 0)) return false;
    const TcharWithAttr& ch = text.Chars[index];
    if (ch.Shift != 0 || ch.IsParagraphEnd() || ch.SoftBreak) return false;
    if (text.PaperStyle == 8) {
        if (IsDigitOrOperator(ch.Glyph)) return true;
        if (!IsBlank(ch) || index == 0) return false;
        const TcharWithAttr& before = text.Chars[index - 1];
        return IsDigitOrOperator(before.Glyph) || IsBlank(before);
    }
    return text.PaperStyle == 9 && !IsPunctuation(ch.Code);
}

double CharWidth(const TextBody& text, std::size_t index) {
    const TcharWithAttr& ch = text.Chars[index];
    if (ch.IsParagraphEnd()) return 0;
    MeasuredFont font = FontOf(text, ch, true);
    return Finite(font.width(ch.Glyph) + (ch.ExtraGlyph != 0 ? font.width(ch.ExtraGlyph) : 0));
}

void Layout(TextBody& text, double boxWidth, bool store, LayoutState& state, int index) {
    if (index >= 0) {
        auto i = static_cast<std::size_t>(index);
        if (i >= text.Chars.size()) return;
        TcharWithAttr& ch = text.Chars[i];
        if (ch.Cache.Cached) {
            Restore(ch, state);
        } else {
            Measure(text, i, state);
            if (store) Store(ch, state);
        }
        if (!ch.EndsLine()) return;
    }
    StartLine(text, boxWidth, static_cast<std::size_t>(index + 1), state);
}

LayoutState LayoutAll(TextBody& text, double boxWidth) {
    LayoutState s;
    Layout(text, boxWidth, true, s, -1);
    for (std::size_t i = 0; i < text.Chars.size(); ++i) Layout(text, boxWidth, true, s, static_cast<int>(i));
    return s;
}

void UpdateTextMetrics(TextBody& text) {
    MeasuredFont font = MeasureFont(text.FontName, text.FontStyle, text.TextSize);
    text.Ascent = font.ascent();
    text.Descent = font.descent();
}

double LineEndX(const TcharWithAttr& ch) {
    return ch.SoftBreak && IsBlank(ch) ? ch.Cache.X - ch.Cache.Advance : ch.Cache.X;
}

void Wrap(TextBody& text, double boxWidth) {
    for (TcharWithAttr& ch : text.Chars) {
        ch.SoftBreak = false;
        ch.Cache.Cached = false;
    }
    // The layout sums from the left margin, this from 0: a text sized to fit
    // its line exactly must not break over the rounding difference.
    const double room = boxWidth - text.MarginLeft - text.MarginRight + 1e-9;
    double sum = 0, sumAtCandidate = 0;
    TcharWithAttr* candidate = nullptr;
    for (std::size_t i = 0; i < text.Chars.size(); ++i) {
        TcharWithAttr& ch = text.Chars[i];
        if (ch.IsParagraphEnd()) {
            sum = 0;
            candidate = nullptr;
            continue;
        }
        sum += IsCellPlaced(text, i) ? text.CellWidth : CharWidth(text, i);
        bool dashBlank = ch.Code == 144 && text.FontNameOf(ch) == "Vidiv DS";
        bool blank = IsBlank(ch) || dashBlank;
        if (blank || ch.Code == '-') {
            candidate = &ch;
            sumAtCandidate = sum;
        }
        if (sum > room) {
            if (blank || candidate == nullptr) {
                ch.SoftBreak = true;
                sum = 0;
            } else {
                candidate->SoftBreak = true;
                sum -= sumAtCandidate;
            }
            candidate = nullptr;
        }
    }
}

void AdjustSize(TextBody& text, double& boxWidth, double& boxHeight) {
    if (text.Editing && text.WrapMode == 0) text.AutoSize = false;
    if (text.AutoSize) {
        boxWidth = 0;
        boxHeight = 0;
        text.AutoSize = false;
        InvalidateAll(text);
    }
    const double oldWidth = boxWidth;
    for (int pass = 0; pass < 2; ++pass) {
        double widest = text.MarginLeft;
        LayoutState end = LayoutAll(text, boxWidth);
        for (std::size_t i = 0; i < text.Chars.size(); ++i) {
            const TcharWithAttr& ch = text.Chars[i];
            if (ch.EndsLine() || i + 1 == text.Chars.size()) widest = std::max(widest, LineEndX(ch));
        }
        double width = std::max(boxWidth, widest + text.MarginRight);
        if (text.IsSquared() && text.CellWidth > 0)
            width = std::ceil(width / text.CellWidth - 1e-9) * text.CellWidth;
        boxWidth = Finite(width);
        double last = std::max(text.BaseHeight(), end.h) * text.LineSpacing / 100.0;
        boxHeight = std::max(boxHeight, Finite(end.y + last + text.MarginBottom));
        // Right and centred lines were placed for the old width.
        if (text.Alignment == 0 || boxWidth == oldWidth || pass == 1) break;
        InvalidateAll(text);
    }
}

void InvalidateLayout(TextBody& text, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i <= to && i < text.Chars.size(); ++i) text.Chars[i].Cache.Cached = false;
}

void InvalidateAll(TextBody& text) {
    for (TcharWithAttr& ch : text.Chars) ch.Cache.Cached = false;
}

}  // namespace qv
