// Writing a text on the page with the text tool: typing with umlauts,
// undo, making a word bold, and what the saved document keeps of it.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include "UiTestSupport.h"
#include "app/ChartPicture.h"
#include "app/QVMain.h"
#include "app/Tschooledit.h"
#include "document/QVDocument.h"
#include "drawing/bskomplex.h"
#include "drawing/bstext.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::Command;

const ttext* OnlyText(const TSeite& page) {
    const ttext* found = nullptr;
    for (const auto& object : page.Children)
        if (auto* text = dynamic_cast<const ttext*>(object.get())) {
            EXPECT_EQ(found, nullptr) << "one text on the page";
            found = text;
        }
    return found;
}

// A key as the window system delivers it, shortcut check first.
void Press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent override(QEvent::ShortcutOverride, key, modifiers, text);
    QApplication::sendEvent(&widget, &override);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
}

// Typed characters, each with the text a German layout's key gives.
void Type(QWidget& widget, const QString& text) {
    for (QChar c : text) Press(widget, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

TEST(TextToolWindow, WriteUndoMakeAWordBoldAndSave) {
    TMain window;
    window.resize(900, 650);
    window.show();
    window.display(false);
    auto* picture = window.findChild<TChartPicture*>();
    ASSERT_NE(picture, nullptr);
    Tschooledit& editor = window.textEditor();

    Command(window, "Text schreiben")->trigger();
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(30, 30));
    ASSERT_NE(editor.Text(), nullptr);
    EXPECT_TRUE(editor.isVisible());

    Type(editor, QString::fromUtf8("Aufgabe: Wann füllt sich der Teich?"));
    EXPECT_EQ(editor.Text()->Text(), "Aufgabe: Wann f\xFCllt sich der Teich?");
    EXPECT_FALSE(window.isSaved());
    EXPECT_GT(editor.width(), 100) << "the editor grows with its text";

    // Ctrl+Z takes back the last word as a whole, not the document's last command.
    Press(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.Text()->Text(), "Aufgabe: Wann f\xFCllt sich der ");

    // Select "Wann " with the keyboard and make it bold from the tool bar.
    Press(editor, Qt::Key_Home, Qt::ControlModifier);
    Press(editor, Qt::Key_Right, Qt::ControlModifier);
    Press(editor, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor.Editor().SelectedText(), "Wann ");
    // Keys that neither move nor type leave the selection alone.
    Press(editor, Qt::Key_Control, Qt::ControlModifier);
    Press(editor, Qt::Key_F5);
    Press(editor, Qt::Key_Insert);
    EXPECT_EQ(editor.Editor().SelectedText(), "Wann ");
    Command(window, "Fett")->trigger();

    // Copied and pasted at the end, the word keeps its bold type; other
    // programs get it as plain text.
    Press(editor, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasFormat(QStringLiteral("QuorvelObjekt30")));
    EXPECT_EQ(copied->text(), QStringLiteral("Wann "));
    Press(editor, Qt::Key_End, Qt::ControlModifier);
    Press(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor.Text()->Text(), "Aufgabe: Wann f\xFCllt sich der Wann ");

    // A click elsewhere ends the text; an empty text opened there leaves no trace.
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(picture->width() - 30, picture->height() - 30));
    Command(window, "Objekte bearbeiten")->trigger();
    EXPECT_EQ(editor.Text(), nullptr);
    EXPECT_FALSE(editor.isVisible());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("aufgabe.prg"));
    ASSERT_TRUE(window.saveFileAs(path));
    const TDocument reopened = readDocument(path.toStdString());
    const ttext* text = OnlyText(*reopened.Page);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text(), "Aufgabe: Wann f\xFCllt sich der Wann ");
    EXPECT_EQ(text->StyleOf(text->Chars[8]), 0) << "before the word";
    for (std::size_t i : {9, 10, 11, 12, 13, 29, 30, 31, 32, 33})
        EXPECT_EQ(text->StyleOf(text->Chars[i]) & StyleBold, StyleBold) << i;
    EXPECT_EQ(text->StyleOf(text->Chars[14]) & StyleBold, 0) << "after the word";
    EXPECT_EQ(text->StyleOf(text->Chars[28]) & StyleBold, 0) << "before the pasted word";

    AnswerBoxes no(MessageAnswer::No);
    window.close();
}

}  // namespace
}  // namespace qv
