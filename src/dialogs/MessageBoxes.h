// Every message box of the program goes through here, so that tests can
// answer them instead of a person (no modal box ever blocks a test).
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace qv {

enum class MessageKind { Error, Warning, Information, Confirmation };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// Shows a modal message box with the program's caption; text may be a
// QString or the core's Windows-1252 text.
MessageAnswer ShowMessage(QWidget* parent, MessageKind kind, const QString& text,
                          MessageButtons buttons = MessageButtons::Ok);
MessageAnswer ShowMessage(QWidget* parent, MessageKind kind, const std::string& cp1252Text,
                          MessageButtons buttons = MessageButtons::Ok);

// Replaces the boxes (tests): the handler sees kind, text and buttons and
// gives the answer. An empty handler brings the real boxes back.
using MessageHandler = std::function<MessageAnswer(MessageKind, const QString&, MessageButtons)>;
void SetMessageHandler(MessageHandler handler);

// Asks for one line of text with a caption, a prompt and a prefilled value;
// nothing when the user cancels.
std::optional<QString> PromptText(QWidget* parent, const QString& caption, const QString& prompt,
                                  const QString& value);

// Replaces the prompts (tests) as SetMessageHandler replaces the boxes.
using PromptHandler = std::function<std::optional<QString>(const QString& caption, const QString& prompt,
                                                           const QString& value)>;
void SetPromptHandler(PromptHandler handler);

}  // namespace qv
