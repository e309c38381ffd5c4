// Printing from the window: the print dialog set up for the selected
// simulation, its options, and "Als PDF speichern..." writing the report.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include "UiTestSupport.h"
#include "app/QVMain.h"
#include "drawing/QtText.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Child;
using test::Command;
using test::OnNextModalDialog;

TEST(PrintWindow, SavePdfOffersTheSectionsAndKeepsTheChoice) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("raeuber-beute.prg"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QV_EXAMPLES_DIR "/raeuber-beute.prg"), path));
    TMain window;
    window.resize(900, 650);
    window.show();
    ASSERT_TRUE(window.openFile(path));
    const QString pdf = folder.filePath(QStringLiteral("bericht.pdf"));

    bool chartEnabled = false, verbalEnabled = true, optionsEnabled = false;
    QString caption;
    OnNextModalDialog([&](QDialog& dialog) {
        caption = Child<QGroupBox>(dialog, "simulation")->title();
        chartEnabled = Child<QCheckBox>(dialog, "schaubild")->isEnabled();
        verbalEnabled = Child<QCheckBox>(dialog, "sprachlich")->isEnabled();
        optionsEnabled = Child<QPushButton>(dialog, "optionen")->isEnabled();
        Child<QCheckBox>(dialog, "startwerte")->setChecked(false);
        OnNextModalDialog([&](QDialog& files) {
            auto* chooser = qobject_cast<QFileDialog*>(&files);
            ASSERT_NE(chooser, nullptr);
            // Typed as a user would: selectFile() does not reach the name box
            // before the dialog's folder has been read.
            Child<QLineEdit>(files, "fileNameEdit")->setText(pdf);
            files.accept();  // QFileDialog::accept, which takes the typed name
        });
        Child<QPushButton>(dialog, "ok")->click();
    });
    Command(window, "Als PDF speichern...")->trigger();
    EXPECT_EQ(caption, ToQString(window.document().SelectedSimulation()->Name));
    EXPECT_EQ(chartEnabled, window.document().ChartShown);
    EXPECT_EQ(optionsEnabled, window.document().ChartShown);
    EXPECT_FALSE(verbalEnabled);  // the example has no sentences
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");

    // "Startwerte" stays as it was left; a bad margin is refused in German.
    bool startValues = true;
    AnswerBoxes boxes;
    OnNextModalDialog([&](QDialog& dialog) {
        startValues = Child<QCheckBox>(dialog, "startwerte")->isChecked();
        Child<QLineEdit>(dialog, "links")->setText(QStringLiteral("viel"));
        Child<QPushButton>(dialog, "ok")->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    Command(window, "Als PDF speichern...")->trigger();
    EXPECT_FALSE(startValues);
    EXPECT_EQ(boxes.texts.size(), 1u);
    AnswerBoxes no(MessageAnswer::No);
    window.close();
}

}  // namespace
}  // namespace qv
