#include "drawing/TextEditing.h"

#include "drawing/TextDefaults.h"
#include "drawing/TextFonts.h"
#include "drawing/TextLayout.h"

#include <algorithm>

namespace qv {

namespace {

constexpr uint8_t OpeningQuote = 132, ClosingQuote = 148, HandwritingOpeningQuote = 38;

bool IsWordEnd(const TcharWithAttr& ch) { return ch.Code == ' ' || ch.IsParagraphEnd(); }

// The first index of the line that holds index.
std::size_t LineStart(const TextBody& text, std::size_t index) {
    while (index > 0 && !text.Chars[index - 1].EndsLine()) --index;
    return index;
}

void ApplyRulesToWord(TextBody& text, std::size_t index) {
    if (text.Chars.empty()) return;
    index = std::min(index, text.Chars.size() - 1);
    std::size_t from = index, to = index;
    while (from > 0 && !IsWordEnd(text.Chars[from - 1])) --from;
    while (to + 1 < text.Chars.size() && !IsWordEnd(text.Chars[to + 1])) ++to;
    ApplyGlyphRules(text, from, to);
}

}  // namespace

TcharWithAttr NewChar(const TextBody& text, uint8_t code) {
    TcharWithAttr ch;
    ch.Glyph = ch.Code = code;
    ch.Size = text.TextSize;
    ch.Outline = text.DefaultOutline;
    return ch;
}

void SetText(TextBody& text, const std::string& cp1252) {
    text.Chars.clear();
    for (char c : cp1252) {
        auto code = static_cast<uint8_t>(c);
        if (code == ParagraphEnd || code >= 32) text.Chars.push_back(NewChar(text, code));
    }
    if (!text.Chars.empty()) ApplyGlyphRules(text, 0, text.Chars.size() - 1);
    text.SelStart = text.SelEnd = text.Caret = 0;
}

std::string GetText(const TextBody& text) {
    std::string out;
    out.reserve(text.Chars.size());
    for (const TcharWithAttr& ch : text.Chars) out += static_cast<char>(ch.Code);
    return out;
}

void InsertChar(TextBody& text, std::size_t index, const TcharWithAttr& ch) {
    index = std::min(index, text.Chars.size());
    text.Chars.insert(text.Chars.begin() + static_cast<std::ptrdiff_t>(index), ch);
    ApplyRulesToWord(text, index);
    InvalidateLayout(text, LineStart(text, index), text.Chars.size());
}

bool DeleteChar(TextBody& text, std::size_t index) {
    if (index >= text.Chars.size()) return false;
    bool lineEnd = text.Chars[index].EndsLine();
    text.Chars.erase(text.Chars.begin() + static_cast<std::ptrdiff_t>(index));
    if (index > 0 || !text.Chars.empty()) ApplyRulesToWord(text, index > 0 ? index - 1 : 0);
    InvalidateLayout(text, LineStart(text, std::min(index, text.Chars.size())), text.Chars.size());
    return lineEnd;
}

void SetAllSizes(TextBody& text, double size) {
    if (text.TextSize != 0) {
        double f = size / text.TextSize;
        for (TcharWithAttr& ch : text.Chars) {
            ch.Size *= f;
            ch.Shift *= f;
        }
    }
    text.TextSize = size;
    InvalidateAll(text);
}

void ApplyGlyphRules(TextBody& text, std::size_t from, std::size_t to) {
    const bool quotes = TextDefaults().QuoteReplacement;
    std::size_t quotesBefore = 0;
    if (quotes)
        for (std::size_t i = 0; i < from && i < text.Chars.size(); ++i) quotesBefore += text.Chars[i].Code == '"';
    for (std::size_t i = from; i <= to && i < text.Chars.size(); ++i) {
        TcharWithAttr& ch = text.Chars[i];
        ch.Glyph = ch.Code;
        ch.ExtraGlyph = 0;
        if (!quotes || ch.Code != '"') continue;
        int font = HandwritingFontNumber(text.FontNameOf(ch));
        bool handwriting = font >= 1 && font <= 4;
        if (quotesBefore++ % 2 == 0)
            ch.Glyph = handwriting ? HandwritingOpeningQuote : OpeningQuote;
        else if (!handwriting)
            ch.Glyph = ClosingQuote;
    }
}

int CaretFromPoint(TextBody& text, double boxWidth, int x, int y, double pixelsPerCmX, double pixelsPerCmY) {
    LayoutAll(text, boxWidth);
    const std::size_t n = text.Chars.size();
    const double yCm = y / pixelsPerCmY;
    std::size_t first = 0;
    // Skip the lines that end above the point; the last line takes the rest.
    for (;;) {
        std::size_t last = first;
        while (last + 1 < n && !text.Chars[last].EndsLine()) ++last;
        if (last + 1 >= n) break;
        const TCharCache& c = text.Chars[last].Cache;
        if (yCm <= c.Top + c.Height) break;
        first = last + 1;
    }
    std::size_t caret = first;
    for (std::size_t i = first; i < n; ++i) {
        const TcharWithAttr& ch = text.Chars[i];
        if (ch.IsParagraphEnd()) break;
        double mid = (ch.Cache.X - ch.Cache.Advance / 2) * pixelsPerCmX;
        if (mid >= x) break;
        // The caret after a wrapped line's last character is the next
        // line's start; a point right of the line stays on this line.
        if (ch.SoftBreak) break;
        caret = i + 1;
    }
    return static_cast<int>(caret);
}

}  // namespace qv
