// The editing logic of the in-place text editor, apart from its window:
// selection and caret, typing, keys, replacing the selection and the undo
// history. The window translates key events and mouse points into these
// calls and draws what the text holds.
#pragma once

#include "drawing/TextBody.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

class ttext;

// The keys the editor tells apart. Navigation are Tab, the modifiers,
// Escape, End, Home and the arrows; Character stands for a key that types.
enum class EditKey { Character, Return, Backspace, Delete, Tab, Escape, End, Home, Left, Right, Up, Down };

// What an undo record reverts.
enum class UndoKind : int {
    Collapse = 1,      // selection collapsed by navigation
    DeleteBlock = 2,   // selection deleted by a key
    Move = 3,          // caret moved; consecutive moves merge
    DeleteKey = 4,     // Delete key; a run at one place merges
    Backspace = 5,     // a backspace run merges
    Typing = 6,        // characters typed; a run merges
    TypingBlank = 7,   // space or Enter typed; a run merges
    PasteObject = 8,   // characters of a text object pasted
    PasteText = 9,     // plain text pasted or the selection replaced
    Attribute = 10,    // attribute change
};

// Where the caret stands in a laid-out text, cm from the box's top left.
struct CaretPlace {
    double X = 0, Top = 0, Height = 0;
};
CaretPlace CaretPlaceOf(ttext& text, int32_t caret);

class TextEditor {
public:
    static constexpr std::size_t UndoLimit = 100;

    TextEditor();
    ~TextEditor();

    // Points the editor at a text (or none); the undo history starts afresh.
    void Attach(ttext* text);
    ttext* Text() const { return text_; }

    int32_t BlockBegin() const;
    int32_t BlockEnd() const;
    int32_t Caret() const;
    bool HasSelection() const { return BlockBegin() != BlockEnd(); }
    // The caret goes to index (clamped); the selection collapses to it, or
    // with extend reaches from the anchor of the last press to it.
    void SetCaret(int32_t index, bool extend = false);

    // The selected characters, each paragraph end followed by a line feed.
    std::string SelectedText() const;
    // Replaces the selection with plain Windows-1252 characters: CR LF and a
    // lone LF each end a paragraph, other control codes are dropped. The
    // selection then covers the inserted characters.
    void SetSelText(const std::string& cp1252);
    // As SetSelText, but the caret then stands after the inserted characters.
    void InsertText(const std::string& cp1252);
    // Inserts characters with their own attributes in place of the selection;
    // the caret then stands after them.
    void InsertChars(const std::vector<TcharWithAttr>& chars);

    // Keys with the shift bits of drawing objects (ShiftKey, CtrlKey).
    void KeyDown(EditKey key, int shift);
    // A typed character (Windows-1252); control codes other than 13 are ignored.
    void KeyPress(uint8_t code);
    // The delete command: the selection, else the character at the caret.
    void DeleteAtCaret();
    // Applies an ApplyDefault kind from the current defaults, undoably.
    void ApplyAttribute(int kind);

    bool CanUndo() const { return !undo_.empty(); }
    std::size_t UndoCount() const { return undo_.size(); }
    void Undo();

    bool ReadOnly = false;
    bool WantReturns = true;
    bool DeleteEnabled = true;
    // Told whether there is something to undo after every change of the history.
    std::function<void(bool)> UndoAvailable;

private:
    struct Record;

    void PushUndo(UndoKind kind);
    void SetBlock(int32_t begin, int32_t end, int32_t caret);
    void DeleteRange(std::size_t from, std::size_t to);
    void InsertAt(std::size_t index, const std::vector<TcharWithAttr>& chars);
    void ReplaceSelection(const std::vector<TcharWithAttr>& chars, UndoKind kind);
    void DeleteSelectionByKey();
    void Move(EditKey key, int shift);
    int32_t LineStartOf(int32_t index) const;
    int32_t LineEndOf(int32_t index) const;
    void Relayout();
    void TellUndo();

    ttext* text_ = nullptr;
    int32_t anchor_ = 0;
    std::vector<std::unique_ptr<Record>> undo_;
};

}  // namespace qv
