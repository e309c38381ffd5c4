// Painting a graphical model: frames, tips, labels, arrows with their head
// and sign; grey outlines that vanish when drawn a second time; pictures cut
// to the diagram.
#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <gtest/gtest.h>

#include "drawing/DiagramPainter.h"

namespace qv {
namespace {

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

// Rate G flows out of the stock "Hasenpopulation" (sign -); constant k
// influences G through an arrow with one bend.
struct SmallDiagram {
    TDiagram d;
    tzustand* stock;
    trate* rate;
    tKonstante* constant;
    SmallDiagram() {
        d.Stocks.push_back(std::make_unique<tzustand>(250, 80));
        d.Rates.push_back(std::make_unique<trate>(80, 80));
        d.Constants.push_back(std::make_unique<tKonstante>(60, 180));
        stock = d.Stocks[0].get();
        rate = d.Rates[0].get();
        constant = d.Constants[0].get();
        stock->Name = "Hasenpopulation";
        rate->Name = "G";
        rate->Definition = "G:=k";
        constant->Name = "k";
        rate->UpdateTip();
        auto flow = std::make_unique<tpfeil>(rate->TipX, rate->CentreY);
        flow->AddPoint(stock->Box.Left, stock->CentreY);
        Attach(std::move(flow), rate, stock, -1);
        auto influence = std::make_unique<tpfeil>(constant->Box.Right, constant->CentreY);
        influence->AddPoint(100, constant->CentreY);
        influence->AddPoint(100, rate->Box.Bottom);
        Attach(std::move(influence), constant, rate, 0);
    }
    void Attach(std::unique_ptr<tpfeil> a, TGSimple* from, TGSimple* to, int8_t sign) {
        a->Source = from;
        a->Target = to;
        a->Sign = sign;
        d.Arrows.push_back(std::move(a));
    }
    tpfeil& flow() { return *d.Arrows[0]; }
    tpfeil& influence() { return *d.Arrows[1]; }
};

bool AnyDark(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100) return true;
    return false;
}

TEST(DiagramPaint, TheCanvasFontIsARealFace) {
    QFontInfo info(DiagramFont());
    EXPECT_EQ(info.family(), QStringLiteral("Liberation Sans"));
    EXPECT_GE(QFontMetrics(DiagramFont()).height(), 12);
}

TEST(DiagramPaint, RedrawLaysOutAndPaintsEveryPart) {
    SmallDiagram m;
    QImage image = NewDiagramImage(400, 300);
    RedrawDiagram(image, m.d);

    // The long name widened the stock; the flow still ends on its left edge
    // and still leaves the rate at its tip.
    const IntRect box = m.stock->Box;
    EXPECT_GT(box.Right - box.Left, 40);
    EXPECT_EQ(m.flow().Last().X, box.Left);
    EXPECT_EQ(m.flow().First(), (IntPoint{m.rate->TipX, m.rate->CentreY}));

    // Frames cover Left..Right-1; the rate's pointed side meets its frame.
    EXPECT_EQ(image.pixel(box.Left, box.Top + 2), Black);
    EXPECT_EQ(image.pixel(box.Right - 1, box.Top + 2), Black);
    EXPECT_EQ(image.pixel(box.Right, box.Top + 2), White);
    EXPECT_EQ(image.pixel(m.rate->TipX, m.rate->CentreY), Black);
    EXPECT_EQ(image.pixel(m.rate->Box.Right - 1, m.rate->Box.Top), Black);
    // A constant has no frame, only its name.
    EXPECT_EQ(image.pixel(m.constant->Box.Left, m.constant->CentreY), White);
    EXPECT_TRUE(AnyDark(image, QRect(m.constant->LabelX, m.constant->LabelY, 8, 14)));
    EXPECT_TRUE(AnyDark(image, QRect(m.stock->LabelX, m.stock->LabelY, 20, 14)));

    // Start mark, arrowhead and sign of the flow; the influence has a head
    // but no sign.
    const IntPoint start = m.flow().First(), end = m.flow().Last();
    EXPECT_EQ(image.pixel(start.X - 1, start.Y - 1), Black);
    EXPECT_EQ(image.pixel(end.X - 4, end.Y - 1), Black);
    EXPECT_EQ(image.pixel(end.X - 4, end.Y + 1), Black);
    auto head = m.flow().ArrowHead();
    ASSERT_TRUE(head);
    EXPECT_TRUE(AnyDark(image, QRect(head->SignPos.X, head->SignPos.Y + 3, 8, 10)));
    auto influenceHead = m.influence().ArrowHead();
    ASSERT_TRUE(influenceHead);
    EXPECT_FALSE(AnyDark(image, QRect(influenceHead->SignPos.X + 2, influenceHead->SignPos.Y + 3, 6, 10)));
}

TEST(DiagramPaint, OutlinesAreGreyAndVanishWhenDrawnTwice) {
    SmallDiagram m;
    QImage image = NewDiagramImage(400, 300);
    RedrawDiagram(image, m.d);
    const QImage before = image.copy();
    const IntPoint bend = m.influence().Points[1];

    DrawElementOutline(image, *m.stock);
    DrawElementOutline(image, *m.rate);
    DrawArrowOutline(image, m.influence());
    DrawRubberBand(image, {10, 280}, {200, 280});
    // NOT grey XOR white is grey, NOT grey XOR black a slightly lighter grey;
    // the corner of a frame and the bend of an arrow change once, not twice.
    EXPECT_EQ(image.pixel(100, 280), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(m.stock->Box.Left, m.stock->Box.Top), qRgb(127, 127, 127));
    EXPECT_EQ(image.pixel(bend.X, bend.Y), qRgb(127, 127, 127));
    EXPECT_EQ(image.pixel(m.rate->TipX, m.rate->CentreY), qRgb(127, 127, 127));
    EXPECT_NE(image, before);

    DrawRubberBand(image, {10, 280}, {200, 280});
    DrawElementOutline(image, *m.rate);
    DrawArrowOutline(image, m.influence());
    DrawElementOutline(image, *m.stock);
    EXPECT_EQ(image, before);

    // An element dragged off the image draws what is left of it.
    m.stock->MoveTo(-1000, -1000);
    DrawElementOutline(image, *m.stock);
    EXPECT_EQ(image, before);
}

TEST(DiagramPaint, PicturesAreCutToTheDiagram) {
    TDiagram empty;
    EXPECT_FALSE(DiagramPictureArea(empty, 10));

    // A lone rate: the picture reaches 10 pixels beyond its tip.
    TDiagram d;
    d.Rates.push_back(std::make_unique<trate>(50, 40));
    d.Rates[0]->Name = "Z";
    auto area = DiagramPictureArea(d, 10);
    ASSERT_TRUE(area);
    const trate& rate = *d.Rates[0];
    EXPECT_EQ(area->Right, rate.TipX + 10);
    EXPECT_EQ(area->Left, rate.Box.Left - 10);
    QImage image = DiagramImage(d, *area);
    ASSERT_EQ(image.width(), rate.TipX - rate.Box.Left + 21);
    EXPECT_EQ(image.pixel(image.width() - 11, rate.CentreY - area->Top), Black);
    EXPECT_EQ(image.pixel(10, rate.CentreY - area->Top), Black);
    for (int y = 0; y < image.height(); ++y) EXPECT_EQ(image.pixel(9, y), White);

    // Elements of a damaged document far outside any image: the area holds
    // them without wrapping round, and drawing them leaves the image white.
    TDiagram far;
    far.Stocks.push_back(std::make_unique<tzustand>(2147483600, -2147483600));
    far.Rates.push_back(std::make_unique<trate>(-2147483600, 2147483600));
    auto farArea = DiagramPictureArea(far, 10);
    ASSERT_TRUE(farArea);
    EXPECT_LT(farArea->Left, 0);
    EXPECT_GT(farArea->Right, 0);
    QImage canvas = NewDiagramImage(50, 50);
    RedrawDiagram(canvas, far);
    DrawElementOutline(canvas, *far.Rates[0]);
    EXPECT_EQ(canvas, NewDiagramImage(50, 50));

    SmallDiagram m;
    auto full = DiagramPictureArea(m.d, 10);
    ASSERT_TRUE(full);
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteDiagramSvg(m.d, *full, svg));
    EXPECT_TRUE(svg.data().contains("<svg"));
    EXPECT_TRUE(svg.data().contains("Hasenpopulation"));
}

}  // namespace
}  // namespace qv
