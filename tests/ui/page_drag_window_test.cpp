// Selecting, moving and resizing a picture on the page with the mouse in
// the chart view, and the pointer shapes over its handles.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "UiTestSupport.h"
#include "app/ChartPicture.h"
#include "app/QVMain.h"
#include "drawing/bsbitmap.h"
#include "drawing/bskomplex.h"

namespace qv {
namespace {

using test::AnswerBoxes;

// A fresh window showing a blue picture on its page.
class PageDragWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(900, 650);
        window.show();
        Picture pixels;
        pixels.Width = 30;
        pixels.Height = 20;
        pixels.Pixels.assign(600, 0xFF2040C0);
        auto owned = std::make_unique<TBild>(PictureHolder(std::move(pixels)));
        bild = owned.get();
        window.document().Page->Add(std::move(owned));
        bild->SetBounds(11, 1, 4, 3);
        window.display(false);
        picture = window.findChild<TChartPicture*>();
        ASSERT_NE(picture, nullptr);
    }
    void TearDown() override {
        AnswerBoxes no(MessageAnswer::No);  // the unsaved-changes question
        window.close();
    }
    QPoint centre() const { return {bild->PixX() + bild->PixWidth() / 2, bild->PixY() + bild->PixHeight() / 2}; }
    // A point of the picture on no handle.
    QPoint inside() const { return {bild->PixX() + bild->PixWidth() / 4, bild->PixY() + bild->PixHeight() / 3}; }
    QPoint bottomRight() const { return {bild->PixX() + bild->PixWidth() - 1, bild->PixY() + bild->PixHeight() - 1}; }

    TMain window;
    TBild* bild = nullptr;
    TChartPicture* picture = nullptr;
};

TEST_F(PageDragWindow, SelectMoveAndResizeAPicture) {
    const QPoint topLeft(bild->PixX(), bild->PixY());
    const QRgb unselected = picture->image().pixel(topLeft);
    QTest::mouseClick(picture, Qt::LeftButton, {}, centre());
    ASSERT_TRUE(bild->Selected());
    EXPECT_TRUE(window.isSaved()) << "selecting changes nothing";
    EXPECT_NE(picture->image().pixel(topLeft), unselected) << "a handle marks the selected picture";

    // Over the handles the pointer shows what a drag would do.
    QTest::mouseMove(picture, centre());
    EXPECT_EQ(picture->cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseMove(picture, bottomRight());
    EXPECT_EQ(picture->cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(picture, QPoint(5, 5));
    EXPECT_EQ(picture->cursor().shape(), Qt::ArrowCursor);

    // The centre moves it.
    const double x = bild->X(), y = bild->Y();
    const QPoint from = centre();
    const QPoint by(40, 30);
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(picture, from + by / 2);
    QTest::mouseMove(picture, from + by);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, from + by);
    EXPECT_FALSE(bild->Dragging);
    EXPECT_NEAR(bild->X() - x, by.x() / Scales().PixelsPerCmX, 1e-9);
    EXPECT_NEAR(bild->Y() - y, by.y() / Scales().PixelsPerCmY, 1e-9);
    EXPECT_FALSE(window.isSaved());
    EXPECT_TRUE(bild->Selected());
    EXPECT_EQ(picture->image().pixel(inside()), QColor(0x20, 0x40, 0xC0).rgb()) << "redrawn at its new place";

    // The bottom-right handle resizes it; the top left stays.
    const double left = bild->X(), top = bild->Y(), width = bild->Width(), height = bild->Height();
    QTest::mousePress(picture, Qt::LeftButton, {}, bottomRight());
    QTest::mouseMove(picture, bottomRight() + QPoint(50, 20));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, bottomRight());
    EXPECT_DOUBLE_EQ(bild->X(), left);
    EXPECT_DOUBLE_EQ(bild->Y(), top);
    // The corner follows the pointer to the pixel.
    EXPECT_NEAR(bild->Width() - width, 50 / Scales().PixelsPerCmX, 2 / Scales().PixelsPerCmX);
    EXPECT_NEAR(bild->Height() - height, 20 / Scales().PixelsPerCmY, 2 / Scales().PixelsPerCmY);

    // A click inside but off the handles deselects it.
    QTest::mouseClick(picture, Qt::LeftButton, {}, inside());
    EXPECT_FALSE(bild->Selected());
}

TEST_F(PageDragWindow, OutlineWhileDraggingAndAMissedRelease) {
    QTest::mouseClick(picture, Qt::LeftButton, {}, centre());
    ASSERT_TRUE(bild->Selected());
    const QPoint from = centre(), by(-200, 60);
    const QPoint oldInside = inside(), newInside = inside() + by;
    const QRgb blue = picture->image().pixel(oldInside);
    const QRgb empty = picture->image().pixel(newInside);
    ASSERT_NE(blue, empty);

    // While dragging the page keeps its old picture and only the outline
    // follows the pointer: the middle of the outline stays empty.
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(picture, from + by);
    ASSERT_TRUE(bild->Dragging);
    EXPECT_EQ(picture->image().pixel(oldInside), blue);
    EXPECT_EQ(picture->image().pixel(newInside), empty);
    EXPECT_NE(picture->image().pixel(bild->PixX(), newInside.y()), empty) << "the outline's left edge";

    // The release happened outside the window: the next move without a
    // button ends the drag and the page is drawn afresh.
    const QPointF later(from + by + QPoint(30, 0));
    QMouseEvent move(QEvent::MouseMove, later, picture->mapToGlobal(later), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(picture, &move);
    EXPECT_FALSE(bild->Dragging);
    EXPECT_EQ(picture->image().pixel(newInside), blue);
    EXPECT_NE(picture->image().pixel(oldInside), blue);
    const double x = bild->X();
    QTest::mouseRelease(picture, Qt::LeftButton, {}, from + by);
    QTest::mouseMove(picture, from + by + QPoint(60, 0));
    EXPECT_DOUBLE_EQ(bild->X(), x) << "nothing follows the pointer after the drag ended";
    EXPECT_FALSE(window.isSaved());
}

TEST_F(PageDragWindow, LetGoBeyondThePageItStaysInSight) {
    // The pointer keeps reporting past the picture's edge while the button
    // is held; the picture comes back to the page's edge and can be gripped.
    QTest::mouseClick(picture, Qt::LeftButton, {}, centre());
    const QPoint from = centre(), far = QPoint(picture->width(), picture->height()) * 3;
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(picture, far);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, far);
    const TSeite& page = *window.document().Page;
    EXPECT_DOUBLE_EQ(bild->CentreX(), page.Width());
    EXPECT_DOUBLE_EQ(bild->CentreY(), page.Height());
    const QPoint stillShown = centre() - QPoint(bild->PixWidth() / 4, bild->PixHeight() / 4);
    ASSERT_TRUE(picture->rect().contains(stillShown));
    EXPECT_EQ(picture->image().pixel(stillShown), QColor(0x20, 0x40, 0xC0).rgb());
    QTest::mouseMove(picture, centre() - QPoint(1, 1));
    EXPECT_EQ(picture->cursor().shape(), Qt::SizeAllCursor) << "its centre can be gripped again";
}

}  // namespace
}  // namespace qv
