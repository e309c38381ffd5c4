// Helpers for window tests: answering message boxes and driving modal
// dialogs that a function opens with exec().
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <vector>

#include "dialogs/MessageBoxes.h"

namespace qv::test {

// A child widget (or any object) by its object name; a missing one fails the test.
template <class T>
T* Child(QObject& parent, const char* name) {
    auto* child = parent.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// A window's command by its caption without "&" (its object name).
inline QAction* Command(QObject& window, const char* name) { return Child<QAction>(window, name); }

// Answers every box while it lives and records what was shown; afterwards
// an unexpected box fails the test again.
class AnswerBoxes {
public:
    explicit AnswerBoxes(MessageAnswer answer = MessageAnswer::Ok) {
        SetMessageHandler([this, answer](MessageKind kind, const QString& text, MessageButtons) {
            kinds.push_back(kind);
            texts.push_back(text);
            return answer;
        });
    }
    ~AnswerBoxes() {
        SetMessageHandler([](MessageKind, const QString& text, MessageButtons) {
            ADD_FAILURE() << "unexpected message box: " << text.toStdString();
            return MessageAnswer::Cancel;
        });
    }
    AnswerBoxes(const AnswerBoxes&) = delete;
    AnswerBoxes& operator=(const AnswerBoxes&) = delete;

    std::vector<MessageKind> kinds;
    std::vector<QString> texts;
};

// Runs action on the next modal dialog that opens (it must close it), so a
// test can call a function that shows a dialog with exec().
inline void OnNextModalDialog(std::function<void(QDialog&)> action) {
    auto* timer = new QTimer(qApp);  // owned by the application until it deletes itself
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action = std::move(action)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        action(*dialog);
    });
    timer->start();
}

}  // namespace qv::test
