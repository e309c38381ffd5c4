// Pieces the settings dialogs share: the OK / "Abbrechen" / "&Hilfe" row and
// the reporting of a refused entry.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QWidget;

namespace qv {

// The button row: OK runs onOk (which accepts the dialog when the entries
// pass), "Abbrechen" rejects, "&Hilfe" opens the help topic. The OK button is
// named "ok" so that tests can press it.
QDialogButtonBox* MakeDialogButtons(QDialog& dialog, const QString& helpTopic, std::function<void()> onOk);

// True without a message; otherwise the message (Windows-1252) appears in an
// error box and the entry takes the focus, so the user can correct it.
bool EntryAccepted(QWidget* dialog, QWidget* entry, const std::optional<std::string>& message);

// An entry's text as the core's checks and conversions read it.
std::string EntryText(const QLineEdit* edit);

// An entry's number once its check has passed; 0 when it holds none.
double EntryReal(const QLineEdit* edit);

// A new control of a dialog, named so that tests can find it.
template <class Widget, class... Args>
Widget* NamedWidget(const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace qv
