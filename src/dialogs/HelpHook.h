// The settings dialogs' "&Hilfe" buttons open the help window, which the
// main window owns; it installs the handler that shows a topic.
#pragma once

#include <QString>
#include <functional>

namespace qv {

using HelpHandler = std::function<void(const QString& topic)>;

// An empty handler makes the help buttons do nothing.
void SetHelpHandler(HelpHandler handler);

// Topic file names such as "achsen.html".
void ShowHelpTopic(const QString& topic);

}  // namespace qv
