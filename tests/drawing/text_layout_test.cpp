#include "drawing/TextEditing.h"
#include "drawing/TextFonts.h"
#include "drawing/TextLayout.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace qv {
namespace {

TextBody MakeText(const std::string& content) {
    TextBody text;
    SetText(text, content);
    UpdateTextMetrics(text);
    return text;
}

double Left(const TcharWithAttr& ch) { return ch.Cache.X - ch.Cache.Advance; }

TEST(TextFonts, WindowsNamesResolveToMetricTwins) {
    EXPECT_EQ(QFontInfo(MakeFont("Arial", 0, 50)).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(MakeFont("Times New Roman", 0, 50)).family(), "Liberation Serif");
    // 12 pt at 300 dpi: round(12 * 0.035 * 118.11) = 50 pixels.
    EXPECT_EQ(FontPixelHeight(12, MeasureScale), 50);
    EXPECT_EQ(FontPixelHeight(0, MeasureScale), 1);
    EXPECT_EQ(FontPixelHeight(std::nan(""), MeasureScale), 1);
    EXPECT_LE(FontPixelHeight(1e300, MeasureScale), 8000);
    // Arial is wider than Times New Roman for the same letters.
    EXPECT_GT(MeasureFont("Arial", 0, 12).width('a'), MeasureFont("Times New Roman", 0, 12).width('a'));
}

TEST(TextLayout, WrapBreaksAtBlanksAndOverlongWords) {
    TextBody text = MakeText("aaa bbb ccc ddd");
    double three = CharWidth(text, 0) * 3;
    // Room for about five letters: each word goes on a line of its own.
    double box = text.MarginLeft + text.MarginRight + three + CharWidth(text, 0) * 2.5;
    Wrap(text, box);
    EXPECT_TRUE(text.Chars[3].SoftBreak);
    EXPECT_TRUE(text.Chars[7].SoftBreak);
    EXPECT_TRUE(text.Chars[11].SoftBreak);
    EXPECT_FALSE(text.Chars[14].SoftBreak);
    LayoutAll(text, box);
    EXPECT_NEAR(Left(text.Chars[4]), text.MarginLeft, 1e-9);
    EXPECT_GT(text.Chars[4].Cache.Top, text.Chars[0].Cache.Top);
    for (const TcharWithAttr& ch : text.Chars) EXPECT_LE(LineEndX(ch), box - text.MarginRight + 1e-9);

    // A word longer than the box breaks after the overflowing letter, which
    // stays visible on its line.
    TextBody word = MakeText("abcdefghij");
    double narrow = word.MarginLeft + word.MarginRight + CharWidth(word, 0) * 3.5;
    Wrap(word, narrow);
    int breaks = 0;
    for (const TcharWithAttr& ch : word.Chars) breaks += ch.SoftBreak;
    EXPECT_GE(breaks, 2);
    EXPECT_FALSE(word.Chars[0].SoftBreak);

    // A paragraph end starts the count afresh.
    TextBody paragraphs = MakeText("aaa\raaa\raaa");
    Wrap(paragraphs, paragraphs.MarginLeft + paragraphs.MarginRight + three * 1.2);
    for (const TcharWithAttr& ch : paragraphs.Chars) EXPECT_FALSE(ch.SoftBreak);
}

TEST(TextLayout, AutoSizeFitsTheTextWithoutWrapping) {
    TextBody text = MakeText("Hallo Welt, ein langer Satz");
    double width = 1.0, height = 0.5;
    text.AutoSize = true;
    AdjustSize(text, width, height);
    for (const TcharWithAttr& ch : text.Chars) EXPECT_FALSE(ch.SoftBreak);
    EXPECT_NEAR(width, text.Chars.back().Cache.X + text.MarginRight, 1e-9);
    EXPECT_FALSE(text.AutoSize);
    // One line: top margin plus the pitch of the line plus the bottom margin.
    double line = std::max(text.BaseHeight(), text.Chars.back().Cache.Height) * 1.2;
    EXPECT_NEAR(height, text.MarginTop + line + text.MarginBottom, 1e-9);

    // Without AutoSize the box only grows.
    double bigW = 20, bigH = 10;
    AdjustSize(text, bigW, bigH);
    EXPECT_EQ(bigW, 20);
    EXPECT_EQ(bigH, 10);

    // An empty text measures one empty line of its own font.
    TextBody empty = MakeText("");
    double w = 0, h = 0;
    AdjustSize(empty, w, h);
    EXPECT_NEAR(h, empty.MarginTop + empty.BaseHeight() * 1.2 + empty.MarginBottom, 1e-9);
    EXPECT_NEAR(w, empty.MarginLeft + empty.MarginRight, 1e-9);
}

TEST(TextLayout, AlignmentPlacesLines) {
    TextBody text = MakeText("abc");
    const double box = 8;
    LayoutAll(text, box);
    double lineWidth = text.Chars[2].Cache.X - Left(text.Chars[0]);
    EXPECT_NEAR(Left(text.Chars[0]), text.MarginLeft, 1e-9);

    text.Alignment = 1;
    InvalidateAll(text);
    LayoutAll(text, box);
    EXPECT_NEAR(text.Chars[2].Cache.X, box - text.MarginRight, 1e-9);

    text.Alignment = 2;
    InvalidateAll(text);
    LayoutAll(text, box);
    EXPECT_NEAR(Left(text.Chars[0]), (box - lineWidth) / 2, 1e-9);

    // A right-aligned line wider than the box starts at the left margin.
    text.Alignment = 1;
    InvalidateAll(text);
    LayoutAll(text, lineWidth / 2);
    EXPECT_NEAR(Left(text.Chars[0]), text.MarginLeft, 1e-9);
}

TEST(TextLayout, LinePitchFollowsLineSpacing) {
    TextBody text = MakeText("a\rb\r\rc");
    LayoutAll(text, 10);
    double h = text.Chars[0].Cache.Height;
    double first = text.Chars[0].Cache.Top;
    EXPECT_NEAR(first, text.MarginTop, 1e-9);
    EXPECT_NEAR(text.Chars[2].Cache.Top - first, h * 1.2, 1e-9);
    // The empty line advances by the text's own size.
    EXPECT_NEAR(text.Chars[5].Cache.Top - text.Chars[2].Cache.Top, h * 1.2 + text.BaseHeight() * 1.2, 1e-9);

    text.LineSpacing = 200;
    InvalidateAll(text);
    LayoutAll(text, 10);
    EXPECT_NEAR(text.Chars[2].Cache.Top - first, h * 2, 1e-9);

    // Ruled paper keeps a fixed pitch whatever the characters' sizes.
    text.PaperStyle = 4;
    text.Chars[2].Size = 30;
    InvalidateAll(text);
    LayoutAll(text, 10);
    EXPECT_NEAR(text.Chars[2].Cache.Top - first, text.BaseHeight() * 2, 1e-9);
}

TEST(TextLayout, RaisedCharactersAreSmallerHigherAndMakeRoom) {
    TextBody text = MakeText("x2");
    LayoutAll(text, 10);
    double plainTop = text.Chars[0].Cache.Top;
    double plainWidth = text.Chars[1].Cache.Advance;

    text.Chars[1].Shift = text.TextSize * CmPerPoint * text.SuperShift;
    InvalidateAll(text);
    LayoutAll(text, 10);
    EXPECT_LT(text.Chars[1].Cache.Advance, plainWidth);
    EXPECT_NEAR(plainWidth * text.ScriptScale, text.Chars[1].Cache.Advance, plainWidth * 0.1);
    // The first line moves down by the room for the raised character.
    double room = text.TextSize * CmPerPoint * text.ScriptScale * text.SuperShift;
    EXPECT_NEAR(text.ScriptRoom, room, 1e-12);
    EXPECT_NEAR(text.Chars[0].Cache.Top, plainTop + room, 1e-9);

    // A later smaller raised character keeps the larger room.
    TcharWithAttr small = NewChar(text, '3');
    small.Size = 6;
    small.Shift = 0.05;
    InsertChar(text, 2, small);
    LayoutAll(text, 10);
    EXPECT_NEAR(text.ScriptRoom, room, 1e-12);
}

TEST(TextLayout, SquaredPaperPutsCharactersIntoCells) {
    TextBody text = MakeText("12+3 x");
    text.PaperStyle = 8;
    LayoutAll(text, 10);
    const double cw = text.CellWidth;
    for (std::size_t i = 0; i < 4; ++i) {
        double centre = Left(text.Chars[i]) + CharWidth(text, i) / 2;
        EXPECT_NEAR(centre, (i + 0.5) * cw, 1e-9) << i;
    }
    // The baseline of the first line lies on a grid line.
    const TCharCache& c = text.Chars[0].Cache;
    double baseline = c.Top + c.Ascent;
    EXPECT_NEAR(baseline / text.CellHeight, std::round(baseline / text.CellHeight), 1e-9);
    EXPECT_FALSE(IsCellPlaced(text, 5));  // a letter on paper 8
    text.PaperStyle = 9;
    EXPECT_TRUE(IsCellPlaced(text, 5));
    TextBody comma = MakeText("a,");
    comma.PaperStyle = 9;
    EXPECT_FALSE(IsCellPlaced(comma, 1));

    // AutoSize rounds the width up to whole cells.
    double w = 0, h = 0;
    AdjustSize(text, w, h);
    EXPECT_NEAR(w / cw, std::round(w / cw), 1e-9);
    // A damaged cell size neither hangs nor yields NaN.
    text.CellWidth = 0;
    text.CellHeight = 0;
    InvalidateAll(text);
    LayoutState s = LayoutAll(text, 10);
    EXPECT_TRUE(std::isfinite(s.x) && std::isfinite(s.y));
}

TEST(TextEditing, PlainTextRoundTripAndEdits) {
    TextBody text = MakeText(std::string("Zeile 1\rZeile\x09 2\x01\xE4"));
    EXPECT_EQ(GetText(text), "Zeile 1\rZeile 2\xE4");
    EXPECT_EQ(text.Chars[0].Size, text.TextSize);
    EXPECT_FALSE(text.Chars[0].Font.has_value());

    // Quotes open and close alternately.
    TextBody quoted = MakeText("\"a\" \"b\"");
    EXPECT_EQ(quoted.Chars[0].Glyph, 132);
    EXPECT_EQ(quoted.Chars[2].Glyph, 148);
    EXPECT_EQ(quoted.Chars[4].Glyph, 132);
    EXPECT_EQ(GetText(quoted), "\"a\" \"b\"");
    // Switching to a handwriting font and back restores the typed glyphs.
    quoted.FontName = "Vidiv LA";
    ApplyGlyphRules(quoted, 0, quoted.Chars.size() - 1);
    EXPECT_EQ(quoted.Chars[0].Glyph, 38);
    EXPECT_EQ(quoted.Chars[2].Glyph, '"');
    quoted.FontName = "Arial";
    ApplyGlyphRules(quoted, 0, quoted.Chars.size() - 1);
    EXPECT_EQ(quoted.Chars[2].Glyph, 148);

    LayoutAll(text, 10);
    InsertChar(text, 100, NewChar(text, '!'));
    EXPECT_EQ(GetText(text).back(), '!');
    EXPECT_TRUE(text.Chars[8].Cache.Cached == false);  // the changed line is laid out again
    EXPECT_TRUE(text.Chars[0].Cache.Cached);           // the line before it is not
    EXPECT_TRUE(DeleteChar(text, 7));
    EXPECT_FALSE(DeleteChar(text, 0));
    EXPECT_FALSE(DeleteChar(text, 1000));
    EXPECT_EQ(GetText(text), "eile 1Zeile 2\xE4!");

    SetAllSizes(text, 24);
    EXPECT_EQ(text.TextSize, 24);
    EXPECT_EQ(text.Chars[0].Size, 24);
}

TEST(TextEditing, CaretFromPointFindsLineAndCharacter) {
    TextBody text = MakeText("abc\rdef");
    const double scale = 50;  // pixels per cm
    LayoutAll(text, 10);
    const TCharCache& b = text.Chars[1].Cache;
    int yFirst = static_cast<int>((b.Top + b.Height / 2) * scale);
    EXPECT_EQ(CaretFromPoint(text, 10, 0, yFirst, scale, scale), 0);
    EXPECT_EQ(CaretFromPoint(text, 10, static_cast<int>(b.X * scale) - 1, yFirst, scale, scale), 2);
    EXPECT_EQ(CaretFromPoint(text, 10, 1000, yFirst, scale, scale), 3);
    const TCharCache& e = text.Chars[5].Cache;
    int ySecond = static_cast<int>((e.Top + e.Height / 2) * scale);
    EXPECT_EQ(CaretFromPoint(text, 10, 1000, ySecond, scale, scale), 7);
    EXPECT_EQ(CaretFromPoint(text, 10, 0, 100000, scale, scale), 4);
}

}  // namespace
}  // namespace qv
