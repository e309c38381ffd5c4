#include "dialogs/DialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/HelpHook.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"
#include "util/NumberFormat.h"

namespace qv {

QDialogButtonBox* MakeDialogButtons(QDialog& dialog, const QString& helpTopic, std::function<void()> onOk) {
    auto* buttons = new QDialogButtonBox(&dialog);  // owned by the dialog
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    QPushButton* help = buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("help"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, std::move(onOk));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(help, &QPushButton::clicked, &dialog, [helpTopic] { ShowHelpTopic(helpTopic); });
    return buttons;
}

bool EntryAccepted(QWidget* dialog, QWidget* entry, const std::optional<std::string>& message) {
    if (!message) return true;
    ShowMessage(dialog, MessageKind::Error, *message);
    entry->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(entry)) edit->selectAll();
    return false;
}

std::string EntryText(const QLineEdit* edit) { return FromQString(edit->text()); }

double EntryReal(const QLineEdit* edit) {
    double value = 0;
    TextToReal(EntryText(edit), value);
    return value;
}

}  // namespace qv
