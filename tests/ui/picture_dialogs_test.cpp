// "Grafik", "Drehen" and "Sonderzeichen" as a user drives them: the preview
// never doubles a change, refused entries leave the object alone, a failed
// rotation is reported, and a clicked character reaches the text editor.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "../drawing/bitmap_test_pictures.h"
#include "UiTestSupport.h"
#include "dialogs/QVGrafikdlg.h"
#include "dialogs/QVSonderzeichendlg.h"
#include "dialogs/QVWinkeldlg.h"
#include "drawing/PictureEdits.h"
#include "drawing/TextInsertTarget.h"
#include "drawing/bsbitmap.h"
#include "drawing/bskomplex.h"
#include "drawing/bsrect.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::OnNextModalDialog;

void Click(QDialog& dialog, const char* name) { Child<QAbstractButton>(dialog, name)->click(); }

void Enter(QDialog& dialog, const char* name, const QString& text) {
    auto* edit = Child<QLineEdit>(dialog, name);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST(PictureDialog, PreviewThenOkTurnsThePictureOnce) {
    Formats().DecimalSeparator = ',';
    const Picture original = test::NumberedPicture(PictureKind::Bitmap, 6, 4);
    TBild bild(PictureHolder(GraphicKind::Bitmap, test::FileImage(original)));
    bild.SetBounds(1, 1, 3, 2);
    OnNextModalDialog([](QDialog& dialog) {
        Click(dialog, "drehen");
        Click(dialog, "vorschau");
        Click(dialog, "vorschau");
        EXPECT_EQ(Child<QLineEdit>(dialog, "breite")->text(), QStringLiteral("2,00"));
        Click(dialog, "ok");
    });
    ASSERT_TRUE(EditPicture(nullptr, bild));
    PictureChoices turn;
    turn.QuarterTurn = true;
    ASSERT_TRUE(bild.Picture.Raster());
    EXPECT_EQ(bild.Picture.Raster()->Pixels, EditedPixels(original, turn).Pixels);
    EXPECT_DOUBLE_EQ(bild.Width(), 2);
    EXPECT_DOUBLE_EQ(bild.Height(), 3);
}

// "Format:" gives the kept size of the picture as the preview shows it: cut
// first and turned afterwards, width and height change places.
TEST(PictureDialog, FormatFollowsTheTurnedPreview) {
    const Picture original = test::NumberedPicture(PictureKind::Bitmap, 6, 4);
    TBild bild(PictureHolder(GraphicKind::Bitmap, test::FileImage(original)));
    bild.SetBounds(1, 1, 3, 2);
    OnNextModalDialog([](QDialog& dialog) {
        Enter(dialog, "links", QStringLiteral("1"));
        EXPECT_EQ(Child<QLabel>(dialog, "format")->text(), QStringLiteral("5x4 Pixel"));
        Click(dialog, "drehen");
        Click(dialog, "vorschau");
        EXPECT_EQ(Child<QLabel>(dialog, "format")->text(), QStringLiteral("3x6 Pixel"));
        dialog.reject();
    });
    EXPECT_FALSE(EditPicture(nullptr, bild));
}

TEST(PictureDialog, ThePipetteTakesTheColourUnderTheMouse) {
    const Picture original = test::NumberedPicture(PictureKind::Bitmap, 6, 4);
    TBild bild(PictureHolder(GraphicKind::Bitmap, test::FileImage(original)));
    OnNextModalDialog([](QDialog& dialog) {
        Click(dialog, "transparent");
        Click(dialog, "transparentfarbe");
        QTest::mouseClick(Child<QLabel>(dialog, "vorschaubild"), Qt::LeftButton, {}, QPoint(3, 1));
        Click(dialog, "ok");
    });
    ASSERT_TRUE(EditPicture(nullptr, bild));
    EXPECT_TRUE(bild.Picture.Transparent);
    EXPECT_EQ(OwnTransparentColour(bild.Picture), ColourRefOf(original.Pixels[1 * 6 + 3]));
}

TEST(PictureDialog, ARefusedEntryKeepsTheDialogOpenAndThePictureUnchanged) {
    Formats().DecimalSeparator = ',';
    TBild bild(PictureHolder(GraphicKind::Bitmap, test::FileImage(test::NumberedPicture(PictureKind::Bitmap, 6, 4))));
    bild.SetBounds(1, 1, 3, 2);
    const std::vector<uint8_t> bytes = bild.Picture.Data();
    AnswerBoxes boxes;
    OnNextModalDialog([](QDialog& dialog) {
        Click(dialog, "graustufen");
        Enter(dialog, "x", QStringLiteral("7"));
        Enter(dialog, "unten", QStringLiteral("zwei"));
        Click(dialog, "ok");
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    EXPECT_FALSE(EditPicture(nullptr, bild));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("'zwei' ist kein gültiger Integerwert"));
    EXPECT_EQ(bild.Picture.Data(), bytes);
    EXPECT_DOUBLE_EQ(bild.X(), 1);
}

TEST(RotationDialog, TurnsTheSelectionAfterAValidAngleAndReportsAFailedRotation) {
    Formats().DecimalSeparator = ',';
    TSeite page;
    auto box = std::make_unique<TRechteck>();
    box->SetBounds(1, 1, 2, 1);
    box->Angle = 450;
    box->SetSelected(true);
    TRechteck* raw = box.get();
    page.Add(std::move(box));
    AnswerBoxes boxes;
    OnNextModalDialog([](QDialog& dialog) {
        EXPECT_EQ(Child<QLineEdit>(dialog, "winkel")->text(), QStringLiteral("45,0"));
        Enter(dialog, "winkel", QStringLiteral("400"));
        Click(dialog, "ok");
        EXPECT_TRUE(dialog.isVisible());
        Enter(dialog, "winkel", QStringLiteral("-90"));
        Click(dialog, "ok");
    });
    EXPECT_TRUE(RotateSelection(nullptr, page));
    EXPECT_EQ(raw->Angle, 2700);
    EXPECT_EQ(boxes.texts.size(), 1u);  // the refused 400

    raw->SetBounds(1.7e308, 1, 1.7e308, 1);
    OnNextModalDialog([](QDialog& dialog) {
        Enter(dialog, "winkel", QStringLiteral("30"));
        Click(dialog, "ok");
    });
    EXPECT_FALSE(RotateSelection(nullptr, page));
    EXPECT_EQ(raw->Angle, 2700);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[1], QStringLiteral("Fehler beim Berechnen einer Rotation"));
}

class FakeEditor : public TextInsertTarget {
public:
    void InsertText(const std::string& cp1252) override { inserted += cp1252; }
    std::string inserted;
};

TEST(SpecialCharacters, AClickedCharacterGoesToTheEditor) {
    TSonderzeichendlg window(nullptr, [] { return QStringList{QStringLiteral("Sans"), QStringLiteral("Serif")}; });
    FakeEditor editor;
    window.setTarget(&editor);
    window.show();
    auto* list = Child<QTableWidget>(window, "zeichen");
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral(" "));
    const auto click = [list](int code) {
        const QModelIndex cell = list->model()->index((code - 32) / 5, (code - 32) % 5);
        list->scrollTo(cell);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(cell).center());
    };
    click(0xDF);
    click(0xB5);
    EXPECT_EQ(editor.inserted, "\xDF\xB5");
    EXPECT_EQ(list->item((0xDF - 32) / 5, (0xDF - 32) % 5)->text(), QStringLiteral("ß"));
    window.setTarget(nullptr);
    click(0xDF);
    EXPECT_EQ(editor.inserted.size(), 2u);
}

}  // namespace
}  // namespace qv
