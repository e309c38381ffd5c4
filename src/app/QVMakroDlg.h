// The small dialog in which one macro's body is edited; its caption is the
// macro's name.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace qv {

class TMakrodlg : public QDialog {
public:
    TMakrodlg(QWidget* parent, const QString& macroName, const QString& text);

    QString text() const;

private:
    QPlainTextEdit* text_;
};

}  // namespace qv
