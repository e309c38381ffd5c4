// The settings dialogs: entries checked on OK (with the dialog kept open and
// the faulty box focused), the logarithmic rewriting of the axis dialog, and
// objects changed only when OK closed a dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "UiTestSupport.h"
#include "charts/bsgraf3d.h"
#include "dialogs/ColourCombo.h"
#include "dialogs/HelpHook.h"
#include "dialogs/QVFormatdlg.h"
#include "dialogs/QVGrdlg.h"
#include "dialogs/QVLINEAT.h"
#include "dialogs/QVachse.h"
#include "dialogs/QVplotdlg.h"
#include "engine/Tvariable.h"
#include "util/NumberFormat.h"
#include "util/Palette.h"
#include "util/PictureText.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::OnNextModalDialog;

void Enter(QWidget& dialog, const char* name, const QString& text) {
    auto* edit = Child<QLineEdit>(dialog, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

void PressOk(QWidget& dialog) { QTest::mouseClick(Child<QPushButton>(dialog, "ok"), Qt::LeftButton); }

QString Text(QWidget& dialog, const char* name) { return Child<QLineEdit>(dialog, name)->text(); }

// Shown and active, so that focus moves as the user would see it.
void ShowActive(QWidget& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

void SetRange(Taxis3D& axis, double minimum, double maximum, double step, int32_t minorTicks) {
    axis.minimum = minimum;
    axis.maximum = maximum;
    axis.step = step;
    axis.minorTicks = minorTicks;
}

TEST(AxisDialog, LogarithmicScaleRewritesToDecades) {
    Formats().DecimalSeparator = ',';
    Taxis3D axis;
    SetRange(axis, 50, 700, 3, 3);
    TAchsedlg dialog(nullptr, QStringLiteral("y-Achse"), axis, false);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("y-Achse"));
    EXPECT_EQ(Text(dialog, "von"), QStringLiteral("50"));
    auto* log = Child<QCheckBox>(dialog, "logarithmisch");
    log->click();
    EXPECT_EQ(Text(dialog, "von"), QStringLiteral("10"));
    EXPECT_EQ(Text(dialog, "bis"), QStringLiteral("1000"));
    EXPECT_EQ(Text(dialog, "abstand"), QStringLiteral("10"));
    EXPECT_EQ(Text(dialog, "kleine"), QStringLiteral("0"));
    // Switching off brings the axis's own values back.
    log->click();
    EXPECT_EQ(Text(dialog, "von"), QStringLiteral("50"));
    EXPECT_EQ(Text(dialog, "bis"), QStringLiteral("700"));
    EXPECT_EQ(Text(dialog, "kleine"), QStringLiteral("3"));

    // OK rewrites too: a start of 0 becomes 0.1, nine small ticks stay nine.
    Enter(dialog, "von", QStringLiteral("0"));
    Enter(dialog, "bis", QStringLiteral("2"));
    Enter(dialog, "abstand", QStringLiteral("250"));
    Enter(dialog, "kleine", QStringLiteral("9"));
    log->setChecked(true);
    PressOk(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.store(axis);
    EXPECT_DOUBLE_EQ(axis.minimum, 0.1);
    EXPECT_DOUBLE_EQ(axis.maximum, 10);
    EXPECT_DOUBLE_EQ(axis.step, 1000);
    EXPECT_EQ(axis.minorTicks, 9);
    EXPECT_TRUE(axis.logarithmic);
}

TEST(AxisDialog, RefusedEntriesKeepTheDialogOpenWithTheBoxFocused) {
    Formats().DecimalSeparator = ',';
    Taxis3D axis;
    SetRange(axis, 0, 10, 2, 1);
    TAchsedlg dialog(nullptr, QStringLiteral("x-Achse"), axis, true);
    ShowActive(dialog);
    EXPECT_EQ(Text(dialog, "lage"), QStringLiteral("0/0"));
    {
        AnswerBoxes boxes;
        Enter(dialog, "bis", QStringLiteral("1.5"));
        PressOk(dialog);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.kinds[0], MessageKind::Error);
        EXPECT_EQ(boxes.texts[0], QStringLiteral("1.5 ist kein gültiger Gleitkommawert."));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(Child<QLineEdit>(dialog, "bis")->hasFocus());

        // Without "/" the first position is missing.
        Enter(dialog, "bis", QStringLiteral("1,5"));
        Enter(dialog, "lage", QStringLiteral("3"));
        PressOk(dialog);
        ASSERT_EQ(boxes.texts.size(), 2u);
        EXPECT_EQ(boxes.texts[1], QStringLiteral(" ist kein gültiger Gleitkommawert."));
        EXPECT_TRUE(Child<QLineEdit>(dialog, "lage")->hasFocus());

        Enter(dialog, "lage", QStringLiteral("3/4,5"));
        Enter(dialog, "kleine", QStringLiteral("101"));
        PressOk(dialog);
        ASSERT_EQ(boxes.texts.size(), 3u);
        EXPECT_EQ(boxes.texts[2], QStringLiteral("Wert nicht in den Grenzen 0<...<100"));
        EXPECT_TRUE(Child<QLineEdit>(dialog, "kleine")->hasFocus());
        EXPECT_TRUE(dialog.isVisible());

        // A step of 0 or below would wreck the chart; so would an end not above the start.
        Enter(dialog, "kleine", QStringLiteral("100"));
        for (const char* step : {"0", "-2"}) {
            Enter(dialog, "abstand", QString::fromLatin1(step));
            PressOk(dialog);
            EXPECT_EQ(boxes.texts.back(), QStringLiteral("Achsenfortschritt muss größer als 0 sein!"));
            EXPECT_TRUE(Child<QLineEdit>(dialog, "abstand")->hasFocus());
        }
        Enter(dialog, "abstand", QStringLiteral("0,5"));
        for (const char* end : {"-1", "0"}) {
            Enter(dialog, "bis", QString::fromLatin1(end));
            PressOk(dialog);
            EXPECT_EQ(boxes.texts.back(), QStringLiteral("Das Ende der Achse (Bis) muss größer als ihr Anfang (Von) sein!"));
            EXPECT_TRUE(Child<QLineEdit>(dialog, "bis")->hasFocus());
        }
        EXPECT_EQ(boxes.texts.size(), 7u);
        EXPECT_TRUE(dialog.isVisible());
        Enter(dialog, "bis", QStringLiteral("1,5"));
    }
    PressOk(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.store(axis);
    EXPECT_DOUBLE_EQ(axis.maximum, 1.5);
    EXPECT_DOUBLE_EQ(axis.crossAt1, 3);
    EXPECT_DOUBLE_EQ(axis.crossAt2, 4.5);
    EXPECT_DOUBLE_EQ(axis.step, 0.5);
    EXPECT_EQ(axis.minorTicks, 100);
}

TEST(AxisDialog, EditAxisChangesTheAxisOnlyOnOk) {
    Formats().DecimalSeparator = ',';
    Taxis3D axis;
    SetRange(axis, 0, 10, 2, 1);
    axis.crossAt1 = 7;
    OnNextModalDialog([](QDialog& dialog) {
        Enter(dialog, "von", QStringLiteral("-5"));
        dialog.reject();
    });
    EXPECT_FALSE(EditAxis(nullptr, QStringLiteral("Achse"), axis, false));
    EXPECT_DOUBLE_EQ(axis.minimum, 0);

    OnNextModalDialog([](QDialog& dialog) {
        Enter(dialog, "von", QStringLiteral("-5"));
        Enter(dialog, "lage", QStringLiteral("2,5"));
        Child<QCheckBox>(dialog, "sichtbar")->setChecked(false);
        PressOk(dialog);
    });
    EXPECT_TRUE(EditAxis(nullptr, QStringLiteral("Achse"), axis, false));
    EXPECT_DOUBLE_EQ(axis.minimum, -5);
    EXPECT_DOUBLE_EQ(axis.crossAt2, 2.5);
    EXPECT_DOUBLE_EQ(axis.crossAt1, 7);  // a flat chart has only one crossing
    EXPECT_FALSE(axis.visible);
}

TEST(CurveDialog, WritesTheVariableOnlyOnOkAndAsksForAnAnimationPicture) {
    Tvariable variable("N");
    variable.LineWidth = 25;
    variable.PointColour = 0x123456;  // not in the palette
    variable.CurveKind = 1;

    OnNextModalDialog([](QDialog& dialog) {
        Child<QComboBox>(dialog, "typ")->setCurrentIndex(3);
        dialog.reject();
    });
    EXPECT_FALSE(EditCurve(nullptr, variable));
    EXPECT_EQ(variable.CurveKind, 1);
    EXPECT_FALSE(variable.Changed);

    TPlotdlg dialog(nullptr, variable);
    auto* typ = Child<QComboBox>(dialog, "typ");
    auto* splines = Child<QCheckBox>(dialog, "splines");
    auto* form = Child<QComboBox>(dialog, "form");
    EXPECT_TRUE(form->parentWidget()->isEnabled());
    EXPECT_FALSE(splines->parentWidget()->isEnabled());
    typ->setCurrentIndex(3);
    EXPECT_FALSE(form->parentWidget()->isEnabled());
    EXPECT_TRUE(splines->parentWidget()->isEnabled());
    EXPECT_FALSE(splines->isEnabled());
    typ->setCurrentIndex(2);
    EXPECT_TRUE(splines->isEnabled());
    EXPECT_TRUE(form->parentWidget()->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dialog, "loeschen")->isEnabled());

    Child<QCheckBox>(dialog, "an")->setChecked(true);
    auto* entstehung = Child<QComboBox>(dialog, "entstehung");
    const auto* animationForm = qobject_cast<QFormLayout*>(entstehung->parentWidget()->layout());
    ASSERT_TRUE(animationForm);
    EXPECT_EQ(qobject_cast<QLabel*>(animationForm->labelForField(entstehung))->text(),
              QStringLiteral("Entstehung der Kurve"));
    entstehung->setCurrentIndex(1);
    {
        AnswerBoxes boxes;
        PressOk(dialog);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.kinds[0], MessageKind::Warning);
        EXPECT_EQ(boxes.texts[0], QStringLiteral("Wählen Sie zu der Animation noch eine Grafik über Öffnen aus!"));
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    // Drawn step by step, the curve itself is the animation.
    Child<QComboBox>(dialog, "entstehung")->setCurrentIndex(2);
    PressOk(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.store(variable);
    EXPECT_EQ(variable.CurveKind, 2);
    EXPECT_EQ(variable.LineWidth, 20);
    EXPECT_EQ(variable.PointColour, 0x123456);
    EXPECT_TRUE(variable.Animated);
    EXPECT_EQ(variable.CurveCreation, 2);
    EXPECT_TRUE(variable.Changed);
}

TEST(CurveDialog, AnimationPictureFromFileTravelsAsHexText) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("ball.png"));
    QImage ball(4, 3, QImage::Format_ARGB32);
    ball.fill(Qt::red);
    ASSERT_TRUE(ball.save(file));

    Tvariable variable("N");
    TPlotdlg dialog(nullptr, variable);
    auto* bild = Child<QLabel>(dialog, "bild");
    auto* loeschen = Child<QPushButton>(dialog, "loeschen");
    EXPECT_FALSE(dialog.loadPictureFile(folder.filePath(QStringLiteral("missing.png"))));
    EXPECT_TRUE(bild->pixmap().isNull());
    ASSERT_TRUE(dialog.loadPictureFile(file));
    EXPECT_FALSE(bild->pixmap().isNull());
    EXPECT_TRUE(loeschen->isEnabled());
    Child<QCheckBox>(dialog, "an")->setChecked(true);
    PressOk(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.store(variable);
    const auto picture = HexTextToGraphic(variable.Picture);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->Width, 4);
    EXPECT_EQ(picture->Height, 3);

    // A held picture text shows at once and can be deleted.
    TPlotdlg again(nullptr, variable);
    EXPECT_FALSE(Child<QLabel>(again, "bild")->pixmap().isNull());
    Child<QPushButton>(again, "loeschen")->click();
    EXPECT_TRUE(Child<QLabel>(again, "bild")->pixmap().isNull());
    again.store(variable);
    EXPECT_TRUE(variable.Picture.empty());
}

TEST(ChartDialog, PercentRangesAxisButtonsAndWriteBack) {
    Formats().DecimalSeparator = ',';
    Tgraf3d chart;
    chart.threeD = false;
    uint32_t background = Farbtabelle[15].Colour;
    TGraphdlg dialog(nullptr, chart, background);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Eigenschaften des Schaubilds"));
    EXPECT_FALSE(Child<QPushButton>(dialog, "xachse")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(dialog, "xachse")->text().isEmpty());
    EXPECT_FALSE(Child<QPushButton>(dialog, "xachse")->isVisible());
    EXPECT_EQ(Child<QPushButton>(dialog, "yachse")->text(), QStringLiteral("&x-Achse"));
    EXPECT_EQ(Child<QPushButton>(dialog, "zachse")->text(), QStringLiteral("&y-Achse"));
    EXPECT_EQ(Child<ColourCombo>(dialog, "fensterhintergrund")->currentText(), QStringLiteral("weiß"));

    ShowActive(dialog);
    Enter(dialog, "links", QStringLiteral("60"));
    Enter(dialog, "breite", QStringLiteral("41"));
    {
        AnswerBoxes boxes;
        PressOk(dialog);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], QStringLiteral("Wert nicht in den Grenzen 20<...<40"));
        EXPECT_TRUE(Child<QLineEdit>(dialog, "breite")->hasFocus());
    }
    Enter(dialog, "breite", QStringLiteral("39,5"));
    Child<ColourCombo>(dialog, "farbe")->setCurrentIndex(12);
    Child<QSpinBox>(dialog, "timer")->setValue(200);
    PressOk(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.store(chart, background);
    EXPECT_EQ(chart.plotPercent.Left, 60);
    EXPECT_EQ(chart.plotPercent.Width, 39);
    EXPECT_EQ(chart.chartColor, Farbtabelle[12].Colour);
    EXPECT_EQ(chart.animationInterval, 200);
    EXPECT_EQ(background, Farbtabelle[15].Colour);
}

TEST(ChartDialog, AxisButtonWritesTheAxisAtOnceWithItsCaption) {
    Formats().DecimalSeparator = ',';
    Tgraf3d chart;
    chart.threeD = false;
    uint32_t background = 0;
    TGraphdlg dialog(nullptr, chart, background);
    QString caption;
    OnNextModalDialog([&caption](QDialog& axisDialog) {
        caption = axisDialog.windowTitle();
        Enter(axisDialog, "bis", QStringLiteral("42"));
        PressOk(axisDialog);
    });
    Child<QPushButton>(dialog, "zachse")->click();
    EXPECT_EQ(caption, QStringLiteral("y-Achse"));
    EXPECT_DOUBLE_EQ(chart.verticalAxis().maximum, 42);
}

TEST(NumberFormatDialog, ShowsHidesAndStoresTheFormat) {
    Tvariable variable("N");
    variable.Decimals = 6;
    TFormatdlg dialog(nullptr, variable);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zahlenformat"));
    auto* decimals = Child<QSpinBox>(dialog, "nachkommastellen");
    auto* scientific = Child<QCheckBox>(dialog, "normdarstellung");
    EXPECT_EQ(decimals->value(), 6);
    EXPECT_EQ(decimals->maximum(), 18);
    EXPECT_FALSE(decimals->isHidden());
    scientific->setChecked(true);
    EXPECT_TRUE(decimals->isHidden());
    decimals->setValue(3);
    dialog.store(variable);
    EXPECT_TRUE(variable.Scientific);
    EXPECT_EQ(variable.Decimals, 3);

    QString topic;
    SetHelpHandler([&topic](const QString& shown) { topic = shown; });
    Child<QPushButton>(dialog, "help")->click();
    SetHelpHandler({});
    EXPECT_EQ(topic, QStringLiteral("formatspalte.html"));

    Tvariable untouched("M");
    OnNextModalDialog([](QDialog& d) {
        Child<QCheckBox>(d, "normdarstellung")->setChecked(true);
        d.reject();
    });
    EXPECT_FALSE(EditNumberFormat(nullptr, untouched));
    EXPECT_FALSE(untouched.Scientific);
}

TEST(LineAttributesDialog, WidthOnlyWhenEnabledAndNeverZero) {
    uint32_t colour = 0x123456;
    uint8_t style = 4;
    int32_t width = 0;
    OnNextModalDialog([](QDialog& dialog) {
        EXPECT_EQ(Child<QComboBox>(dialog, "stil")->currentText(), QStringLiteral("Strich-Punkt-Punkt"));
        EXPECT_EQ(Child<ColourCombo>(dialog, "farbe")->currentIndex(), -1);
        PressOk(dialog);
    });
    EXPECT_TRUE(EditLineAttributes(nullptr, colour, style, width, true));
    EXPECT_EQ(colour, 0x123456u);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(style, 4);

    TLineatdlg dialog(nullptr, colour, style, 7, false);
    Child<QSpinBox>(dialog, "breite")->setValue(12);
    Child<ColourCombo>(dialog, "farbe")->setCurrentIndex(9);
    Child<QComboBox>(dialog, "stil")->setCurrentIndex(1);
    width = 7;
    dialog.store(colour, style, width);
    EXPECT_EQ(width, 7);
    EXPECT_EQ(colour, Farbtabelle[9].Colour);
    EXPECT_EQ(style, 1);
}

}  // namespace
}  // namespace qv
