#include "app/SpreadsheetHandoff.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "util/TextHelpers.h"

namespace qv {

namespace {

bool DesktopHasSpreadsheetProgram() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"),
                 QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")});
    // A desktop that cannot even be asked has nothing to open the workbook with.
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

QString ChooseWorkbookFile(QWidget* parent) {
    const QString folder = QString::fromStdString(AppFolders().UserFolder);
    QString fileName = QFileDialog::getSaveFileName(parent, QStringLiteral("Tabelle als Excel-Arbeitsmappe speichern"),
                                                    QDir(folder).filePath(QStringLiteral("Tabelle.xlsx")),
                                                    QStringLiteral("Excel-Arbeitsmappe (*.xlsx)"));
    if (!fileName.isEmpty() && QFileInfo(fileName).suffix().isEmpty()) fileName += QStringLiteral(".xlsx");
    return fileName;
}

}  // namespace

SpreadsheetHandoff DesktopSpreadsheetHandoff() {
    return {DesktopHasSpreadsheetProgram,
            [](const QString& fileName) { return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName)); },
            ChooseWorkbookFile};
}

}  // namespace qv
