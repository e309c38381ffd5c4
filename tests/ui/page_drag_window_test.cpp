// Selecting, moving and resizing a picture on the page with the mouse in
// the chart view, and the pointer shapes over its handles.
#include <gtest/gtest.h>

#include <QTest>

#include "UiTestSupport.h"
#include "app/ChartPicture.h"
#include "app/QVMain.h"
#include "drawing/bsbitmap.h"
#include "drawing/bskomplex.h"

namespace qv {
namespace {

using test::AnswerBoxes;

TEST(PageDragWindow, SelectMoveAndResizeAPicture) {
    TMain window;
    window.resize(900, 650);
    window.show();
    Picture pixels;
    pixels.Width = 30;
    pixels.Height = 20;
    pixels.Pixels.assign(600, 0xFF2040C0);
    auto owned = std::make_unique<TBild>(PictureHolder(std::move(pixels)));
    TBild& bild = *owned;
    window.document().Page->Add(std::move(owned));
    bild.SetBounds(11, 1, 4, 3);
    window.display(false);
    auto* picture = window.findChild<TChartPicture*>();
    ASSERT_NE(picture, nullptr);
    auto centre = [&bild] { return QPoint(bild.PixX() + bild.PixWidth() / 2, bild.PixY() + bild.PixHeight() / 2); };

    const QPoint topLeft(bild.PixX(), bild.PixY());
    const QRgb unselected = picture->image().pixel(topLeft);
    QTest::mouseClick(picture, Qt::LeftButton, {}, centre());
    ASSERT_TRUE(bild.Selected());
    EXPECT_TRUE(window.isSaved()) << "selecting changes nothing";
    EXPECT_NE(picture->image().pixel(topLeft), unselected) << "a handle marks the selected picture";

    // Over the handles the pointer shows what a drag would do.
    QTest::mouseMove(picture, centre());
    EXPECT_EQ(picture->cursor().shape(), Qt::SizeAllCursor);
    const QPoint corner(bild.PixX() + bild.PixWidth() - 1, bild.PixY() + bild.PixHeight() - 1);
    QTest::mouseMove(picture, corner);
    EXPECT_EQ(picture->cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(picture, QPoint(5, 5));
    EXPECT_EQ(picture->cursor().shape(), Qt::ArrowCursor);

    // The centre moves it.
    const double x = bild.X(), y = bild.Y();
    const QPoint from = centre();
    const QPoint by(40, 30);
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(picture, from + by / 2);
    QTest::mouseMove(picture, from + by);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, from + by);
    EXPECT_FALSE(bild.Dragging);
    EXPECT_NEAR(bild.X() - x, by.x() / Scales().PixelsPerCmX, 1e-9);
    EXPECT_NEAR(bild.Y() - y, by.y() / Scales().PixelsPerCmY, 1e-9);
    EXPECT_FALSE(window.isSaved());
    EXPECT_TRUE(bild.Selected());

    // The bottom-right handle resizes it; the top left stays.
    const double left = bild.X(), top = bild.Y(), width = bild.Width();
    const QPoint handle(bild.PixX() + bild.PixWidth() - 1, bild.PixY() + bild.PixHeight() - 1);
    QTest::mousePress(picture, Qt::LeftButton, {}, handle);
    QTest::mouseMove(picture, handle + QPoint(50, 20));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, handle + QPoint(50, 20));
    EXPECT_DOUBLE_EQ(bild.X(), left);
    EXPECT_DOUBLE_EQ(bild.Y(), top);
    EXPECT_GT(bild.Width(), width);

    // A click inside but off the handles deselects it.
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(bild.PixX() + 3, bild.PixY() + bild.PixHeight() / 3));
    EXPECT_FALSE(bild.Selected());

    AnswerBoxes no(MessageAnswer::No);
    window.close();
}

}  // namespace
}  // namespace qv
