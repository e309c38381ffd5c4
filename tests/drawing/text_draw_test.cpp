#include "drawing/TextEditing.h"
#include "drawing/TextLayout.h"
#include "drawing/TextPainter.h"
#include "util/Geometry.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace qv {
namespace {

// Sets the page scales for one test and restores them afterwards.
class ScaleGuard {
public:
    explicit ScaleGuard(double pixelsPerCm) : saved_(Scales()) {
        Scales().PixelsPerCmX = Scales().PixelsPerCmY = pixelsPerCm;
    }
    ~ScaleGuard() { Scales() = saved_; }

private:
    PageScales saved_;
};

struct Ink {
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1, Count = 0;
};

// The box around the pixels darker than mid-grey, within columns from … to.
Ink FindInk(const QImage& image, int from = 0, int to = 1 << 30) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = std::max(from, 0); x < std::min(to, image.width()); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
                ++ink.Count;
            }
    return ink;
}

TextFrame FitFrame(TextBody& text, int left, int top) {
    TextFrame frame;
    UpdateTextMetrics(text);
    AdjustSize(text, frame.Width, frame.Height);
    frame.Left = left;
    frame.Top = top;
    frame.PixWidth = static_cast<int>(std::lround(frame.Width * Scales().PixelsPerCmX));
    frame.PixHeight = static_cast<int>(std::lround(frame.Height * Scales().PixelsPerCmY));
    return frame;
}

QImage Render(TextBody& text, const TextFrame& frame, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintText(painter, text, frame);
    return image;
}

TEST(TextDrawing, InkStaysInsideTheBox) {
    ScaleGuard scale(40);
    TextBody text;
    SetText(text, "Hallo Welt\rzweite Zeile gj");
    TextFrame frame = FitFrame(text, 30, 20);
    QImage image = Render(text, frame, QSize(400, 200));
    Ink ink = FindInk(image);
    ASSERT_GT(ink.Count, 100);
    EXPECT_GE(ink.Left, frame.Left);
    EXPECT_GE(ink.Top, frame.Top);
    EXPECT_LE(ink.Right, frame.Left + frame.PixWidth);
    EXPECT_LE(ink.Bottom, frame.Top + frame.PixHeight);

    // An empty text draws nothing.
    TextBody empty;
    TextFrame emptyFrame = FitFrame(empty, 30, 20);
    EXPECT_EQ(FindInk(Render(empty, emptyFrame, QSize(100, 100))).Count, 0);

    // Outline letters are hollow: dark rims, a white inside.
    TextBody hollow;
    SetText(hollow, "O");
    hollow.Chars[0].Outline = true;
    hollow.Chars[0].Size = 48;
    TextFrame hollowFrame = FitFrame(hollow, 10, 10);
    EXPECT_GT(FindInk(Render(hollow, hollowFrame, QSize(200, 200))).Count, 50);
}

TEST(TextDrawing, DrawingScalesWithThePage) {
    TextBody text;
    SetText(text, "Skala 123");
    Ink small, large;
    {
        ScaleGuard scale(30);
        TextFrame frame = FitFrame(text, 0, 0);
        small = FindInk(Render(text, frame, QSize(400, 200)));
    }
    {
        ScaleGuard scale(90);
        TextFrame frame = FitFrame(text, 0, 0);
        large = FindInk(Render(text, frame, QSize(1200, 600)));
    }
    ASSERT_GT(small.Count, 0);
    // The layout is the same at every scale; only the pixels grow.
    EXPECT_NEAR(large.Left, small.Left * 3, 4);
    EXPECT_NEAR(large.Right, small.Right * 3, 6);
    EXPECT_NEAR(large.Top, small.Top * 3, 4);
    EXPECT_NEAR(large.Bottom, small.Bottom * 3, 6);
}

TEST(TextDrawing, RaisedCharacterIsDrawnHigherAndSmaller) {
    ScaleGuard scale(100);
    TextBody plain;
    SetText(plain, "x2");
    TextFrame plainFrame = FitFrame(plain, 0, 0);
    int column = static_cast<int>(plain.Chars[0].Cache.X * 100) + 1;
    Ink two = FindInk(Render(plain, plainFrame, QSize(300, 200)), column);

    TextBody raised;
    SetText(raised, "x2");
    raised.Chars[1].Shift = raised.TextSize * CmPerPoint * raised.SuperShift;
    TextFrame raisedFrame = FitFrame(raised, 0, 0);
    Ink up = FindInk(Render(raised, raisedFrame, QSize(300, 200)), column);
    ASSERT_GT(two.Count, 0);
    ASSERT_GT(up.Count, 0);
    EXPECT_LT(up.Bottom, two.Bottom - 3);
    EXPECT_LT(up.Bottom - up.Top, (two.Bottom - two.Top) * 0.8);
}

TEST(TextDrawing, PaperRulings) {
    ScaleGuard scale(40);
    TextBody text;
    SetText(text, "1+2");
    text.PaperStyle = 7;
    text.RulingColour = 0xFF0000;  // blue
    TextFrame frame = FitFrame(text, 10, 10);
    frame.Width = 2;
    frame.Height = 1;
    QImage grid = Render(text, frame, QSize(200, 100));
    // Grid lines every half centimetre (20 pixels), across the box only.
    EXPECT_EQ(grid.pixel(10 + 20, 10 + 5), QColor(Qt::blue).rgb());
    EXPECT_EQ(grid.pixel(10 + 40, 10 + 35), QColor(Qt::blue).rgb());
    EXPECT_EQ(grid.pixel(10 + 100, 10 + 5), QColor(Qt::white).rgb());
    EXPECT_EQ(grid.pixel(10 + 5, 10 + 20), QColor(Qt::blue).rgb());

    // Lined paper: one line per row at the baseline, a fixed pitch apart.
    text.PaperStyle = 4;
    frame.Height = 3;
    QImage lined = Render(text, frame, QSize(200, 200));
    LayoutState first;
    Layout(text, frame.Width, false, first, -1);
    int baseline = 10 + static_cast<int>(std::nearbyint((first.y + first.a) * 40));
    int pitch = static_cast<int>(std::nearbyint(text.RuledPitch() * 40));
    EXPECT_EQ(lined.pixel(10 + 70, baseline), QColor(Qt::blue).rgb());
    EXPECT_EQ(lined.pixel(10 + 70, baseline + pitch), QColor(Qt::blue).rgb());

    // A damaged cell size draws no grid, and does not hang.
    text.PaperStyle = 7;
    text.CellWidth = 0;
    text.CellHeight = -1;
    InvalidateAll(text);
    QImage none = Render(text, frame, QSize(200, 200));
    EXPECT_NE(none.pixel(10 + 70, 10), QColor(Qt::blue).rgb());
}

}  // namespace
}  // namespace qv
