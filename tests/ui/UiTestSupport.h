// Helpers for window tests: answering message boxes and driving modal
// dialogs that a function opens with exec().
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include <functional>
#include <map>
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

// Fills the algorithm editor that the next command opens and presses OK.
inline void FillEditor(const QString& name, const QString& program, int steps, std::map<QString, QString> startValues) {
    OnNextModalDialog([=](QDialog& dialog) {
        if (!name.isEmpty()) Child<QLineEdit>(dialog, "name")->setText(name);
        Child<QPlainTextEdit>(dialog, "program")->setPlainText(program);
        Child<QSpinBox>(dialog, "steps")->setValue(steps);
        auto* table = Child<QTableWidget>(dialog, "startValues");
        for (int row = 0; row < table->rowCount(); ++row) {
            auto value = startValues.find(table->item(row, 0)->text());
            if (value != startValues.end()) table->item(row, 1)->setText(value->second);
        }
        Child<QPushButton>(dialog, "ok")->click();
    });
}

}  // namespace qv::test
