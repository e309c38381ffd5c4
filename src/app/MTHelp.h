// `THelpForm`: the help window ("Hilfe") showing the German help pages that
// are shipped beside the program.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace qv {

class THelpForm : public QWidget {
public:
    explicit THelpForm(QWidget* parent = nullptr);

    // Shows the window on a topic page such as "inhalt.html"; a missing
    // page is said in the window itself.
    void showTopic(const QString& topic);
    QString currentTopicPath() const { return currentPath_; }

private:
    QTextBrowser* browser_;
    QString currentPath_;
};

// The folder of the help pages: "help" beside the program, or where an
// installed or a build-tree program finds it; empty when none exists.
QString HelpFolder();

}  // namespace qv
