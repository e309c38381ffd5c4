// Test main for the windows: a QApplication on the offscreen platform with
// Qt's German texts, as the program has them, and every message box answered
// by the test that expects it (an unexpected box fails the test instead of
// blocking it).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "dialogs/MessageBoxes.h"
#include "dialogs/QtGermanTexts.h"
#include "util/TextHelpers.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings the windows keep go to a folder of this test process, not to
    // the user's nor to those of tests running beside it.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    qv::InstallQtGermanTexts(app);
    // As the program does: its data folders (help, ani) are found from here.
    qv::AppFolders().ProgramFolder = QApplication::applicationDirPath().toStdString() + "/";
    qv::SetMessageHandler([](qv::MessageKind, const QString& text, qv::MessageButtons) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return qv::MessageAnswer::Cancel;
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
