// The program: the main window, opened on a document named on the command line.
#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include "app/QVMain.h"
#include "util/NumberFormat.h"
#include "util/TextHelpers.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));

    qv::AppFolders().ProgramFolder = QApplication::applicationDirPath().toStdString() + "/";
    qv::FindUserFolder();
    // The program speaks German: without a locale of its own the separator is ",".
    const QLocale locale;
    if (locale.language() != QLocale::C) qv::Formats().DecimalSeparator = locale.decimalPoint().at(0).toLatin1();

    qv::TMain window;
    window.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && QFileInfo(arguments.at(1)).isFile()) {
        const QString path = QFileInfo(arguments.at(1)).absoluteFilePath();
        QTimer::singleShot(0, &window, [&window, path] { window.openFile(path); });
    } else {
        QTimer::singleShot(0, &window, [&window] { window.anzeigen(); });
    }
    return QApplication::exec();
}
