// Drawing into an image: colours where the shapes are, outlines and handles
// that vanish when drawn a second time, clipping on the page.
#include <QImage>
#include <QPainter>

#include "drawing/BSSline.h"
#include "drawing/bskomplex.h"
#include "drawing/bsrect.h"
#include "drawing/bspunkt.h"
#include "shape_fixture.h"

namespace qv::testing {

namespace {

constexpr QRgb White = 0xFFFFFFFF;

QImage Blank() {
    QImage image(120, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

template <class F>
QImage Painted(QImage image, F&& paint) {
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image;
}

}  // namespace

TEST_F(ShapeTest, ShapesPaintTheirColours) {
    TRechteck rect;
    rect.SetBounds(1, 1, 4, 3);
    rect.LineColour = MakeColour(255, 0, 0);
    rect.FillStyle = 0;
    rect.FillColour = MakeColour(0, 0, 255);
    TLine line;
    line.SetBounds(6, 5, 4, 0);
    line.LineColour = MakeColour(0, 128, 0);
    line.ArrowAtEnd = true;
    line.ArrowLength = 1;
    line.ArrowAngle = 90;

    const QImage image = Painted(Blank(), [&](QPainter& p) {
        rect.Draw(p, 0, 0, nullptr);
        line.Draw(p, 0, 0, nullptr);
    });
    EXPECT_EQ(image.pixel(30, 25), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(10, 25), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(30, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(5, 5), White);
    EXPECT_EQ(image.pixel(70, 50), qRgb(0, 128, 0));
    EXPECT_EQ(image.pixel(70, 53), White);
    EXPECT_EQ(image.pixel(96, 52), qRgb(0, 128, 0)) << "filled arrow head";
    EXPECT_EQ(image.pixel(105, 50), White);

    // The offset moves everything; a turned box is painted turned.
    rect.Angle = 900;
    const QImage moved = Painted(Blank(), [&](QPainter& p) { rect.Draw(p, 50, 0, nullptr); });
    EXPECT_EQ(moved.pixel(80, 25), qRgb(0, 0, 255));
    EXPECT_EQ(moved.pixel(80, 42), qRgb(0, 0, 255));
    EXPECT_EQ(moved.pixel(62, 25), White);
}

TEST_F(ShapeTest, OutlinesAndHandlesVanishWhenDrawnAgain) {
    TRechteck rect;
    rect.SetBounds(1, 1, 4, 3);
    rect.FillStyle = 0;
    TPunkt point(8, 6);
    TLine line;
    line.SetBounds(2, 8, 6, -5);
    line.Angle = 300;
    const QImage background = Painted(Blank(), [&](QPainter& p) {
        p.fillRect(0, 0, 60, 50, QColor(200, 30, 90));
        rect.Draw(p, 0, 0, nullptr);
    });

    const std::vector<Tsimple*> objects = {&rect, &point, &line};
    for (Tsimple* object : objects) {
        object->BeginDrag(0);
        const QImage once = Painted(background, [&](QPainter& p) { object->Draw(p, 3, 2, nullptr); });
        EXPECT_NE(once, background);
        const QImage twice = Painted(once, [&](QPainter& p) { object->Draw(p, 3, 2, nullptr); });
        EXPECT_EQ(twice, background) << "tag " << int(object->Tag);
        object->EndDrag();

        const QImage handles = Painted(background, [&](QPainter& p) { object->ToggleHandles(p, 0, 0); });
        EXPECT_NE(handles, background);
        const QImage hidden = Painted(handles, [&](QPainter& p) { object->ToggleHandles(p, 0, 0); });
        EXPECT_EQ(hidden, background) << "tag " << int(object->Tag);
    }

    // No handles in an exported picture, and the scales come back afterwards.
    {
        ExportScalesGuard guard(20, 20, &rect);
        EXPECT_EQ(rect.PixWidth(), 80);
        const QImage exported = Painted(background, [&](QPainter& p) { rect.ToggleHandles(p, 0, 0); });
        EXPECT_EQ(exported, background);
    }
    EXPECT_FALSE(Drawing().ExportInProgress);
    EXPECT_EQ(Scales().PixelsPerCmX, 10);
    EXPECT_EQ(rect.PixWidth(), 40);
}

TEST_F(ShapeTest, InvisiblePointsShowOnlyWhileEditing) {
    TPunkt point(5, 5);
    point.SetBounds(4, 4, 2, 2);
    point.LineStyle = PenNone;
    point.LineColour = MakeColour(255, 0, 0);
    point.PointStyle = 1;
    const QImage screen = Painted(Blank(), [&](QPainter& p) { point.Draw(p, 0, 0, nullptr); });
    EXPECT_EQ(screen.pixel(40, 50), qRgb(128, 128, 128));
    ExportScalesGuard guard(10, 10);
    const QImage printed = Painted(Blank(), [&](QPainter& p) { point.Draw(p, 0, 0, nullptr); });
    EXPECT_EQ(printed, Blank());
}

TEST_F(ShapeTest, PageRedrawsOnlyWhatTheClipTouches) {
    TSeite page;
    auto addBox = [&page](double x, double y, uint32_t colour) {
        auto rect = std::make_unique<TRechteck>();
        rect->SetBounds(x, y, 2, 2);
        rect->FillStyle = 0;
        rect->FillColour = colour;
        page.Add(std::move(rect));
    };
    addBox(1, 1, MakeColour(255, 0, 0));
    addBox(2.5, 2.5, MakeColour(0, 0, 255));  // overlaps the first
    addBox(7, 6, MakeColour(0, 255, 0));      // far away
    const QRect clip(5, 5, 10, 10);
    const QImage image = Painted(Blank(), [&](QPainter& p) { page.Draw(p, 0, 0, &clip); });
    EXPECT_EQ(image.pixel(15, 15), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(40, 40), qRgb(0, 0, 255)) << "overlapping boxes are redrawn whole";
    EXPECT_EQ(image.pixel(80, 70), White);

    const QImage all = Painted(Blank(), [&](QPainter& p) { page.Draw(p, 0, 0, nullptr); });
    EXPECT_EQ(all.pixel(80, 70), qRgb(0, 255, 0));
}

}  // namespace qv::testing
