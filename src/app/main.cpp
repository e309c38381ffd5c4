// The program: the main window, opened on a document named on the command line.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTimer>

#include "app/Cursors.h"
#include "app/QVMain.h"
#include "dialogs/QtGermanTexts.h"
#include "util/FreedMemory.h"
#include "util/NumberFormat.h"
#include "util/TextHelpers.h"

namespace {

// The icon is compiled in, so that the window has it wherever the program lies.
QIcon ProgramIcon() {
    QSvgRenderer renderer(QStringLiteral(":/quorvel/quorvel.svg"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    qv::KeepFreedMemoryForReuse();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));  // settings in ~/.config/Quorvel/
    // Ties the window to the installed desktop entry (its name and icon).
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(ProgramIcon());
    // The program speaks German, so Qt's own dialogs (file choice, colours,
    // printing) do too, whatever the desktop's language.
    qv::InstallQtGermanTexts(app);

    qv::AppFolders().ProgramFolder = QApplication::applicationDirPath().toStdString() + "/";
    qv::FindUserFolder();
    // The program speaks German: without a locale of its own the separator is ",".
    const QLocale locale;
    if (locale.language() != QLocale::C) qv::Formats().DecimalSeparator = locale.decimalPoint().at(0).toLatin1();

    qv::LoadCursors();
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
