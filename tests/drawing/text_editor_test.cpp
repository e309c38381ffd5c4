#include "drawing/TextDefaults.h"
#include "drawing/TextEditor.h"
#include "drawing/bstext.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

class TextEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawing();
        TextDefaults() = TextDefaultValues();
        Scales() = PageScales();
        editor.Attach(&text);
        text.NotifySelected();
    }
    void TearDown() override {
        editor.Attach(nullptr);
        ResetDrawing();
        TextDefaults() = TextDefaultValues();
    }
    void Type(const std::string& s) {
        for (char c : s) {
            editor.KeyDown(c == '\r' ? EditKey::Return : EditKey::Character, 0);
            editor.KeyPress(static_cast<uint8_t>(c));
        }
    }
    void Key(EditKey key, int shift = 0, int times = 1) {
        for (int i = 0; i < times; ++i) editor.KeyDown(key, shift);
    }
    std::string Sel() const { return text.Text().substr(editor.BlockBegin(), editor.BlockEnd() - editor.BlockBegin()); }

    ttext text{1, 1};
    TextEditor editor;
};

TEST_F(TextEditorTest, TypingRunsUndoAsAWholeAndOnlyWhereTheyContinue) {
    Type("abc");
    editor.Undo();
    EXPECT_EQ(text.Text(), "");
    EXPECT_EQ(editor.Caret(), 0);

    Type("a b");
    EXPECT_EQ(editor.UndoCount(), 3u);
    editor.Undo();
    EXPECT_EQ(text.Text(), "a ");
    editor.Undo();
    editor.Undo();
    EXPECT_EQ(text.Text(), "");
    EXPECT_FALSE(editor.CanUndo());

    // A click elsewhere ends the run: undoing the new letters must not
    // take the earlier ones with them.
    Type("Wort");
    editor.SetCaret(0);
    Type("XY");
    EXPECT_EQ(text.Text(), "XYWort");
    editor.Undo();
    EXPECT_EQ(text.Text(), "Wort");
    editor.Undo();
    EXPECT_EQ(text.Text(), "");
}

TEST_F(TextEditorTest, DeletionRunsAndReplacedSelectionsComeBackWhole) {
    Type("Hallo Welt");
    Key(EditKey::Backspace, 0, 4);
    EXPECT_EQ(text.Text(), "Hallo ");
    editor.Undo();
    EXPECT_EQ(text.Text(), "Hallo Welt");
    EXPECT_EQ(editor.Caret(), 10);

    Key(EditKey::Home, CtrlKey);
    Key(EditKey::Delete, 0, 6);
    EXPECT_EQ(text.Text(), "Welt");
    editor.Undo();
    EXPECT_EQ(text.Text(), "Hallo Welt");

    // Typing over a selection deletes it first: two steps back.
    Key(EditKey::Home, CtrlKey);
    Key(EditKey::Right, ShiftKey | CtrlKey);
    EXPECT_EQ(Sel(), "Hallo ");
    Type("X");
    EXPECT_EQ(text.Text(), "XWelt");
    editor.Undo();
    EXPECT_EQ(text.Text(), "Welt");
    editor.Undo();
    EXPECT_EQ(text.Text(), "Hallo Welt");
    EXPECT_EQ(Sel(), "Hallo ");
}

TEST_F(TextEditorTest, NavigationWithAndWithoutShiftAndCtrl) {
    Type("Aufgabe: Wann?\rZweite Zeile");
    const int32_t end = static_cast<int32_t>(text.Chars.size());
    Key(EditKey::Home, CtrlKey);
    EXPECT_EQ(editor.Caret(), 0);
    Key(EditKey::End);
    EXPECT_EQ(editor.Caret(), 14);  // before the paragraph end
    Key(EditKey::End, CtrlKey);
    EXPECT_EQ(editor.Caret(), end);
    Key(EditKey::Home);
    EXPECT_EQ(editor.Caret(), 15);
    Key(EditKey::Left, CtrlKey);
    EXPECT_EQ(editor.Caret(), 9);  // start of "Wann"
    Key(EditKey::Left, CtrlKey);
    EXPECT_EQ(editor.Caret(), 0);
    Key(EditKey::Right, CtrlKey);
    EXPECT_EQ(editor.Caret(), 9);  // past "Aufgabe: "

    // Up and down keep the column where the line is long enough.
    Key(EditKey::Right, 0, 3);
    Key(EditKey::Down);
    EXPECT_EQ(editor.Caret(), 15 + 12);
    Key(EditKey::Home, CtrlKey);
    Key(EditKey::Right, 0, 2);
    Key(EditKey::Down);
    EXPECT_EQ(editor.Caret(), 17);
    Key(EditKey::Up);
    EXPECT_EQ(editor.Caret(), 2);

    // Shift extends from where the caret was, backwards too, and a plain
    // arrow collapses the selection to its begin.
    Key(EditKey::Right, ShiftKey, 3);
    EXPECT_EQ(Sel(), "fga");
    Key(EditKey::Left, ShiftKey, 5);
    EXPECT_EQ(Sel(), "Au");
    EXPECT_EQ(editor.Caret(), 0);
    Key(EditKey::End, ShiftKey);
    EXPECT_EQ(Sel(), "Aufgabe: Wann?");
    Key(EditKey::Right);
    EXPECT_EQ(editor.Caret(), 1);
    EXPECT_FALSE(editor.HasSelection());
}

TEST_F(TextEditorTest, PastedLineEndsBecomeParagraphEnds) {
    Type("xy");
    Key(EditKey::Left);
    editor.SetSelText("eins\r\nzwei\ndrei\t");
    EXPECT_EQ(text.Text(), "xeins\rzwei\rdreiy");
    EXPECT_EQ(editor.SelectedText(), "eins\r\nzwei\r\ndrei");
    editor.Undo();
    EXPECT_EQ(text.Text(), "xy");

    // Inserting (special characters) leaves the caret after them, so typing goes on.
    editor.InsertText("\xDF");
    Type("e");
    EXPECT_EQ(text.Text(), "x\xDF" "ey");
}

TEST_F(TextEditorTest, HistoryIsCutToItsNewest49WhenItOverflows) {
    std::string typed;
    for (int i = 0; i < 101; ++i) typed += i % 2 ? ' ' : 'a';
    Type(typed);
    ASSERT_EQ(editor.UndoCount(), 101u);
    Type(" ");  // ends the run of the last "a": a record of its own
    EXPECT_EQ(editor.UndoCount(), 50u);
    for (int i = 0; i < 60; ++i) editor.Undo();
    EXPECT_EQ(text.Text(), typed.substr(0, 52));
}

TEST_F(TextEditorTest, AttributeChangeOfASelectionIsUndone) {
    Type("ganz fett");
    Key(EditKey::Left, ShiftKey | CtrlKey);
    TextDefaults().FontStyle = StyleBold;
    editor.ApplyAttribute(KindTextStyle);
    EXPECT_EQ(text.StyleOf(text.Chars[5]), StyleBold);
    EXPECT_EQ(text.StyleOf(text.Chars[0]), 0);
    editor.Undo();
    EXPECT_EQ(text.StyleOf(text.Chars[5]), 0);
    EXPECT_EQ(Sel(), "fett");
}

}  // namespace
}  // namespace qv
