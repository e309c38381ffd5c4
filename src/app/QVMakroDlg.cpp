#include "app/QVMakroDlg.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

TMakrodlg::TMakrodlg(QWidget* parent, const QString& macroName, const QString& text) : QDialog(parent) {
    setWindowTitle(macroName);
    auto* layout = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(text, this);
    text_->setObjectName(QStringLiteral("macroText"));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(text_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(400, 300);
}

QString TMakrodlg::text() const { return text_->toPlainText(); }

}  // namespace qv
