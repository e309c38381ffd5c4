#include "app/MTHelp.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "util/TextHelpers.h"

namespace qv {

QString HelpFolder() {
    const QString folder = QString::fromStdString(FindDataFolder("help"));
    return QFileInfo(folder).isDir() ? QDir::cleanPath(folder) : QString();
}

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Hilfe"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    layout->addWidget(browser_);
    resize(700, 550);
}

void THelpForm::showTopic(const QString& topic) {
    const QString folder = HelpFolder();
    currentPath_ = folder.isEmpty() ? QString() : QDir(folder).absoluteFilePath(topic);
    if (!currentPath_.isEmpty() && QFileInfo::exists(currentPath_)) {
        browser_->setSource(QUrl::fromLocalFile(currentPath_));
    } else {
        browser_->setHtml(QStringLiteral("<p>Die Hilfeseite „%1“ wurde nicht gefunden.</p>").arg(topic.toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}

}  // namespace qv
