#include "drawing/ObjectReader.h"
#include "drawing/TextDefaults.h"
#include "drawing/TextLayout.h"
#include "drawing/TextRecord.h"
#include "drawing/bstext.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace qv {
namespace {

class TextObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawing();
        TextDefaults() = TextDefaultValues();
        Scales() = PageScales();
    }
    void TearDown() override { SetUp(); }
};

std::vector<uint8_t> Save(const Tsimple& object) {
    OutStream out;
    EXPECT_TRUE(object.SaveToStream(out));
    return out.take();
}

std::unique_ptr<ttext> Load(const std::vector<uint8_t>& bytes) {
    InStream in(bytes);
    EXPECT_EQ(in.readByte(), TagText);
    auto text = std::make_unique<ttext>(in);
    EXPECT_TRUE(in.atEnd());
    return text;
}

TEST_F(TextObjectTest, RecordRoundTripKeepsEveryByte) {
    ttext text(1.5, 2.25);
    text.SetText("Formel: x\xB2 \"y\"\rZeile");
    text.Chars[3].Font = TCharFont{0x0000FF, StyleBold | StyleItalic, "Times New Roman"};
    text.Chars[5].Shift = 0.2;
    text.Chars[6].ExtraGlyph = 147;
    text.PaperStyle = 5;
    text.Alignment = 2;
    text.RulingColour = 0x123456;
    text.SecondMode = 7;
    text.AdjustSize();  // fills the layout caches, which are stored too

    std::vector<uint8_t> first = Save(text);
    // Line-object record (50) + fixed text fields (104) + "Arial" (5) + count (4),
    // then 78 bytes per character and an own font's colour, style and name.
    EXPECT_EQ(first.size(), 50u + 104 + 5 + 4 + 78 * text.Chars.size() + 4 + 1 + 4 + 15);
    EXPECT_EQ(first[0], TagText);

    std::unique_ptr<ttext> back = Load(first);
    EXPECT_EQ(Save(*back), first);
    EXPECT_EQ(back->Text(), text.Text());
    EXPECT_EQ(back->Chars[3].Font, text.Chars[3].Font);
    EXPECT_TRUE(back->Chars[0].Cache.Cached);
    EXPECT_EQ(back->Chars[0].Cache.X, text.Chars[0].Cache.X);
    EXPECT_EQ(back->SecondMode, 7);
    EXPECT_EQ(back->RulingColour, 0x123456u);
    EXPECT_EQ(back->Width(), text.Width());
    EXPECT_FALSE(back->AutoSize);
    EXPECT_EQ(back->ScriptRoom, 0);
    EXPECT_EQ(back->Tag, TagText);

    // The factory and Clone read the same record.
    InStream in(first);
    std::unique_ptr<Tsimple> read = ReadObject(in, in.readByte());
    ASSERT_NE(dynamic_cast<ttext*>(read.get()), nullptr);
    EXPECT_EQ(Save(*read), first);
    std::unique_ptr<Tsimple> copy = text.Clone();
    ASSERT_NE(dynamic_cast<ttext*>(copy.get()), nullptr);
    EXPECT_EQ(Save(*copy), first);
}

TEST_F(TextObjectTest, DamagedRecordsThrow) {
    ttext text(0, 0);
    text.SetText("ab");
    text.Chars[1].Font = TCharFont{0, 0, "Arial"};
    std::vector<uint8_t> bytes = Save(text);
    // Every cut-short record is refused, none crashes.
    for (std::size_t cut = 1; cut < bytes.size(); ++cut) {
        InStream in(bytes.data(), cut);
        in.readByte();
        EXPECT_THROW(ttext{in}, StreamError) << cut;
    }
    // A character count beyond the bytes present is refused before anything
    // is allocated.
    std::vector<uint8_t> huge = bytes;
    const std::size_t countAt = 50 + 104 + 5;
    huge[countAt] = 0xFF;
    huge[countAt + 1] = 0xFF;
    huge[countAt + 2] = 0xFF;
    huge[countAt + 3] = 0x7F;
    InStream in(huge);
    in.readByte();
    EXPECT_THROW(ttext{in}, StreamError);
    // A negative font-name length reads as the empty name.
    std::vector<uint8_t> negative = bytes;
    const std::size_t nameAt = 50 + 12;
    negative.erase(negative.begin() + nameAt + 4, negative.begin() + nameAt + 4 + 5);
    for (int i = 0; i < 4; ++i) negative[nameAt + i] = 0xFF;
    EXPECT_EQ(Load(negative)->FontName, "");
}

TEST_F(TextObjectTest, NewTextTakesTheDefaults) {
    TextDefaults().DefaultTextSize = 20;
    TextDefaults().PaperStyle = 7;
    TextDefaults().FontName = "Times New Roman";
    Drawing().DefaultFillColour = 0x00FF00;
    Drawing().DefaultLineColour = 0x0000FF;
    ttext text(3, 4);
    EXPECT_EQ(text.TextSize, 20);
    EXPECT_EQ(text.PaperStyle, 7);
    EXPECT_EQ(text.FontName, "Times New Roman");
    EXPECT_EQ(text.RulingColour, 0x00FF00u);
    EXPECT_EQ(text.LineColour, 0x0000FFu);
    EXPECT_EQ(text.PixWidth(), 1);
    EXPECT_EQ(text.PixHeight(), 1 + static_cast<int>(std::nearbyint(20 * 0.035 * Scales().PixelsPerCmY)));
    EXPECT_TRUE(text.AutoSize);
    EXPECT_GT(text.Ascent, text.Descent);

    // Selecting a text makes its attributes the defaults again.
    text.Alignment = 2;
    text.RulingColour = 0x010203;
    text.NotifySelected();
    EXPECT_EQ(TextDefaults().Alignment, 2);
    EXPECT_EQ(Drawing().DefaultFillColour, 0x010203u);
}

TEST_F(TextObjectTest, ResizingScalesOrWrapsTheText) {
    ttext text(1, 1);
    text.SetText("eins zwei drei vier");
    text.AdjustSize();
    const double width = text.Width(), height = text.Height();

    // SetBounds scales sizes and cells by the mean factor.
    text.SetBounds(1, 1, width * 2, height * 2);
    EXPECT_DOUBLE_EQ(text.TextSize, 24);
    EXPECT_DOUBLE_EQ(text.Chars[0].Size, 24);
    EXPECT_DOUBLE_EQ(text.CellWidth, 1.0);
    text.SetBounds(1, 1, width, height);
    EXPECT_DOUBLE_EQ(text.TextSize, 12);

    // Wrapping follows WrapMode unless it is asked for.
    auto breaks = [&text] {
        int n = 0;
        for (const TcharWithAttr& ch : text.Chars) n += ch.SoftBreak;
        return n;
    };
    text.SetWidth(width / 2);
    text.Wrap();
    EXPECT_EQ(breaks(), 0);  // mode 3: no wrapping
    text.WrapMode = 0;
    text.Wrap();
    EXPECT_GE(breaks(), 1);
    text.WrapMode = 3;
    text.Wrap(true);
    EXPECT_GE(breaks(), 1);
    text.SetWidth(width);
    text.Wrap(true);
    EXPECT_EQ(breaks(), 0);

    // Dragging the right edge with Ctrl wraps the text to the new width.
    Drawing().DragMode = HitRight;
    text.LastRect = text.PixelBox();
    text.Dragging = true;
    text.DragHandle(CtrlKey, 1 + width / 2, 1);
    text.EndDrag();
    EXPECT_GE(breaks(), 1);
    EXPECT_LT(text.Width(), width);
    EXPECT_GT(text.Height(), height);

    // The box never gets lower than one line.
    Drawing().DragMode = HitBottom;
    text.DragHandle(0, 1, 1.01);
    EXPECT_GE(text.PixHeight(), std::nearbyint(12 * 0.035 * Scales().PixelsPerCmY * 1.2 + 1));

    // A box of nothing scales nothing into NaN, neither way.
    text.SetBounds(1, 1, 0, 0);
    text.SetBounds(1, 1, width, height);
    EXPECT_DOUBLE_EQ(text.TextSize, 12);
}

TEST_F(TextObjectTest, ApplyDefaultReachesSelectionOrWholeText) {
    ttext text(0, 0);
    text.SetText("abc");
    text.Editing = true;
    text.SelStart = 1;
    text.SelEnd = 2;
    TextDefaults().FontName = "Times New Roman";
    text.ApplyDefault(KindFontName);
    EXPECT_FALSE(text.Chars[0].Font.has_value());
    ASSERT_TRUE(text.Chars[1].Font.has_value());
    EXPECT_EQ(text.Chars[1].Font->Name, "Times New Roman");
    EXPECT_EQ(text.FontName, "Arial");

    text.Editing = false;
    TextDefaults().FontStyle = StyleBold;
    TextDefaults().DefaultOutline = true;
    text.ApplyDefault(KindTextStyle);
    EXPECT_EQ(text.FontStyle, StyleBold);
    EXPECT_EQ(text.Chars[1].Font->Style, StyleBold);
    EXPECT_TRUE(text.Chars[0].Outline);

    TextDefaults().DefaultTextSize = 24;
    text.ApplyDefault(KindTextSize);
    EXPECT_DOUBLE_EQ(text.TextSize, 24);
    EXPECT_DOUBLE_EQ(text.Chars[2].Size, 24);
}

TEST_F(TextObjectTest, DrawsInsideItsBoxAndHonoursTheClip) {
    Scales().PixelsPerCmX = Scales().PixelsPerCmY = 40;
    ttext text(0.5, 0.5);
    text.UpdatePixels();
    text.SetText("Hallo");
    text.AdjustSize();
    QImage image(300, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        text.Draw(painter, 0, 0, nullptr);
    }
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            bool ink = qGray(image.pixel(x, y)) < 128;
            dark += ink;
            if (ink) {
                EXPECT_GE(x, text.PixX());
                EXPECT_LE(x, text.PixX() + text.PixWidth());
            }
        }
    EXPECT_GT(dark, 50);

    // A clip rectangle away from the text draws nothing.
    QImage clipped(300, 120, QImage::Format_RGB32);
    clipped.fill(Qt::white);
    {
        QPainter painter(&clipped);
        QRect away(250, 100, 10, 10);
        text.Draw(painter, 0, 0, &away);
    }
    EXPECT_EQ(clipped.pixel(text.PixX() + 5, text.PixY() + text.PixHeight() / 2), QColor(Qt::white).rgb());
}

}  // namespace
}  // namespace qv
