#include "dialogs/MessageBoxes.h"

#include <QInputDialog>
#include <QMessageBox>

#include "drawing/QtText.h"

namespace qv {

namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

PromptHandler& Prompter() {
    static PromptHandler handler;
    return handler;
}

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

}  // namespace

MessageAnswer ShowMessage(QWidget* parent, MessageKind kind, const QString& text, MessageButtons buttons) {
    if (Handler()) return Handler()(kind, text, buttons);
    QMessageBox box(IconOf(kind), QStringLiteral("Quorvel"), text, ButtonsOf(buttons), parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

MessageAnswer ShowMessage(QWidget* parent, MessageKind kind, const std::string& cp1252Text, MessageButtons buttons) {
    // The run messages break their lines with LF CR; a box wants one break.
    QString text = ToQString(cp1252Text);
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return ShowMessage(parent, kind, text, buttons);
}

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

std::optional<QString> PromptText(QWidget* parent, const QString& caption, const QString& prompt,
                                  const QString& value) {
    if (Prompter()) return Prompter()(caption, prompt, value);
    bool ok = false;
    QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (!ok) return std::nullopt;
    return text;
}

void SetPromptHandler(PromptHandler handler) { Prompter() = std::move(handler); }

}  // namespace qv
