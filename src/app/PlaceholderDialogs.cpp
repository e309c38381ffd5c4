#include "app/PlaceholderDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace qv {

void ShowNotAvailable(QWidget* parent, const QString& title) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("NotAvailable"));
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QLabel(
        QStringLiteral("„%1“ ist in dieser Version von Quorvel noch nicht verfügbar.").arg(title), &dialog);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}

}  // namespace qv
