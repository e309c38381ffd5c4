#include "drawing/TextEditor.h"

#include "drawing/TextDefaults.h"
#include "drawing/TextEditing.h"
#include "drawing/TextLayout.h"
#include "drawing/bstext.h"

#include <algorithm>
#include <optional>

namespace qv {

namespace {

bool IsSeparator(uint8_t code) {
    switch (code) {
    case 10: case 13: case ' ': case '!': case '"': case '%': case '&':
    case '(': case ')': case ',': case '.': case ':': case ';': case '?':
        return true;
    default:
        return false;
    }
}

bool IsNavigation(EditKey key) {
    return key != EditKey::Character && key != EditKey::Return && key != EditKey::Backspace && key != EditKey::Delete;
}

bool IsMove(EditKey key) {
    return key == EditKey::End || key == EditKey::Home || key == EditKey::Left || key == EditKey::Right ||
           key == EditKey::Up || key == EditKey::Down;
}

// Runs of these kinds merge into one record while they continue where the
// last edit stopped.
bool IsRunKind(UndoKind kind) {
    return kind == UndoKind::Typing || kind == UndoKind::TypingBlank || kind == UndoKind::Backspace ||
           kind == UndoKind::DeleteKey;
}

}  // namespace

// An undo record keeps the selection before the edit and, for edits that
// change the text, the whole text as it was: reverting then cannot depend on
// what happened to the selection or the layout since.
struct TextEditor::Record {
    struct Before {
        TextBody Body;
        double X, Y, Width, Height;
    };
    UndoKind Kind;
    int32_t First, Last, Caret;
    int32_t RunEnd = 0;  // where a merging run has to continue
    std::optional<Before> Saved;
};

CaretPlace CaretPlaceOf(ttext& text, int32_t caret) {
    LayoutAll(text, text.Width());
    const auto n = static_cast<int32_t>(text.Chars.size());
    caret = std::clamp(caret, 0, n);
    auto cache = [&text](int32_t i) -> const TCharCache& { return text.Chars[static_cast<std::size_t>(i)].Cache; };
    if (n == 0) return {text.MarginLeft, text.MarginTop + text.ScriptRoom, text.BaseHeight()};
    if (caret > 0 && !text.Chars[static_cast<std::size_t>(caret - 1)].EndsLine())
        return {cache(caret - 1).X, cache(caret - 1).Top, cache(caret - 1).Height};
    if (caret < n) return {cache(caret).X - cache(caret).Advance, cache(caret).Top, cache(caret).Height};
    // After a final paragraph end: the start of the empty line below.
    const TCharCache& last = cache(n - 1);
    return {text.MarginLeft, last.Top + last.Height * text.LineSpacing / 100.0, last.Height};
}

TextEditor::TextEditor() = default;
TextEditor::~TextEditor() = default;

void TextEditor::Attach(ttext* text) {
    if (text_) text_->Editing = false;
    text_ = text;
    undo_.clear();
    if (text_) {
        text_->Editing = true;
        const auto n = static_cast<int32_t>(text_->Chars.size());
        auto clamp = [n](int32_t v) { return std::clamp(v, 0, n); };
        SetBlock(clamp(std::min(text_->SelStart, text_->SelEnd)), clamp(std::max(text_->SelStart, text_->SelEnd)),
                 clamp(text_->Caret));
        anchor_ = Caret();
    }
    TellUndo();
}

int32_t TextEditor::BlockBegin() const { return text_ ? text_->SelStart : 0; }
int32_t TextEditor::BlockEnd() const { return text_ ? text_->SelEnd : 0; }
int32_t TextEditor::Caret() const { return text_ ? text_->Caret : 0; }

void TextEditor::SetBlock(int32_t begin, int32_t end, int32_t caret) {
    text_->SelStart = std::min(begin, end);
    text_->SelEnd = std::max(begin, end);
    text_->Caret = caret;
}

void TextEditor::SetCaret(int32_t index, bool extend) {
    if (!text_) return;
    index = std::clamp(index, 0, static_cast<int32_t>(text_->Chars.size()));
    if (extend) {
        SetBlock(anchor_, index, index);
    } else {
        anchor_ = index;
        SetBlock(index, index, index);
    }
}

std::string TextEditor::SelectedText() const {
    std::string out;
    if (!text_) return out;
    for (int32_t i = BlockBegin(); i < BlockEnd() && i < static_cast<int32_t>(text_->Chars.size()); ++i) {
        out += static_cast<char>(text_->Chars[static_cast<std::size_t>(i)].Code);
        if (text_->Chars[static_cast<std::size_t>(i)].IsParagraphEnd()) out += '\n';
    }
    return out;
}

void TextEditor::SetSelText(const std::string& cp1252) {
    if (!text_ || ReadOnly) return;
    std::vector<TcharWithAttr> chars;
    char previous = 0;
    for (char c : cp1252) {
        const auto code = static_cast<uint8_t>(c);
        if (code == '\n') {
            if (previous != '\r') chars.push_back(NewChar(*text_, ParagraphEnd));
        } else if (code == ParagraphEnd || code >= 32) {
            chars.push_back(NewChar(*text_, code));
        }
        previous = c;
    }
    ReplaceSelection(chars, UndoKind::PasteText);
}

void TextEditor::InsertText(const std::string& cp1252) {
    if (!text_ || ReadOnly) return;
    SetSelText(cp1252);
    SetBlock(BlockEnd(), BlockEnd(), BlockEnd());
    anchor_ = Caret();
}

void TextEditor::InsertChars(const std::vector<TcharWithAttr>& chars) {
    if (!text_ || ReadOnly) return;
    ReplaceSelection(chars, UndoKind::PasteObject);
    SetBlock(BlockEnd(), BlockEnd(), BlockEnd());
    anchor_ = Caret();
}

void TextEditor::ReplaceSelection(const std::vector<TcharWithAttr>& chars, UndoKind kind) {
    PushUndo(kind);
    const int32_t begin = BlockBegin();
    DeleteRange(static_cast<std::size_t>(begin), static_cast<std::size_t>(BlockEnd()));
    InsertAt(static_cast<std::size_t>(begin), chars);
    const auto end = begin + static_cast<int32_t>(chars.size());
    SetBlock(begin, end, end);
    InvalidateLayout(*text_, static_cast<std::size_t>(begin), text_->Chars.size());
    Relayout();
}

void TextEditor::DeleteRange(std::size_t from, std::size_t to) {
    to = std::min(to, text_->Chars.size());
    while (to > from) text_->DeleteChar(--to);
}

void TextEditor::InsertAt(std::size_t index, const std::vector<TcharWithAttr>& chars) {
    for (const TcharWithAttr& ch : chars) text_->InsertChar(index++, ch);
}

void TextEditor::DeleteSelectionByKey() {
    PushUndo(UndoKind::DeleteBlock);
    const int32_t begin = BlockBegin();
    DeleteRange(static_cast<std::size_t>(begin), static_cast<std::size_t>(BlockEnd()));
    SetBlock(begin, begin, begin);
    Relayout();
}

void TextEditor::KeyDown(EditKey key, int shift) {
    if (!text_ || ReadOnly) return;
    const auto n = static_cast<int32_t>(text_->Chars.size());
    anchor_ = Caret();
    const bool navigation = IsNavigation(key);
    if (HasSelection() && !navigation) {
        DeleteSelectionByKey();
        text_->NotifySelected();
        return;
    }
    if (HasSelection() && !(shift & ShiftKey)) {
        PushUndo(UndoKind::Collapse);
        SetBlock(BlockBegin(), BlockBegin(), BlockBegin());
    } else if (!HasSelection()) {
        const int32_t end = std::clamp(BlockEnd(), 0, n);
        SetBlock(end, end, end);
    }
    const int32_t caret = Caret();
    if (key == EditKey::Backspace && caret > 0) {
        PushUndo(UndoKind::Backspace);
        text_->Caret = caret - 1;
        DeleteRange(static_cast<std::size_t>(caret - 1), static_cast<std::size_t>(caret));
        Relayout();
    } else if (key == EditKey::Delete && DeleteEnabled && caret < n) {
        PushUndo(UndoKind::DeleteKey);
        DeleteRange(static_cast<std::size_t>(caret), static_cast<std::size_t>(caret + 1));
        Relayout();
    } else if (IsMove(key)) {
        PushUndo(UndoKind::Move);
        Move(key, shift);
    }
    const int32_t now = Caret();
    if ((shift & ShiftKey) && navigation) {
        int32_t begin = BlockBegin(), end = BlockEnd();
        if (now < begin) begin = now;
        else if (now > end) end = now;
        else if (anchor_ == begin) begin = now;
        else end = now;
        SetBlock(begin, end, now);
    } else {
        SetBlock(now, now, now);
    }
    text_->NotifySelected();
}

int32_t TextEditor::LineStartOf(int32_t index) const {
    while (index > 0 && !text_->Chars[static_cast<std::size_t>(index - 1)].EndsLine()) --index;
    return index;
}

int32_t TextEditor::LineEndOf(int32_t index) const {
    const auto n = static_cast<int32_t>(text_->Chars.size());
    while (index < n && !text_->Chars[static_cast<std::size_t>(index)].EndsLine()) ++index;
    return index;
}

void TextEditor::Move(EditKey key, int shift) {
    const bool ctrl = shift & CtrlKey;
    const auto n = static_cast<int32_t>(text_->Chars.size());
    auto sep = [this](int32_t i) { return IsSeparator(text_->Chars[static_cast<std::size_t>(i)].Code); };
    int32_t c = Caret();
    switch (key) {
    case EditKey::Left:
        if (!ctrl) {
            c = std::max(0, c - 1);
        } else {
            while (c > 0 && sep(c - 1)) --c;
            while (c > 0 && !sep(c - 1)) --c;
        }
        break;
    case EditKey::Right:
        if (!ctrl) {
            c = std::min(n, c + 1);
        } else {
            while (c < n && !sep(c)) ++c;
            while (c < n && sep(c)) ++c;
        }
        break;
    case EditKey::Home: c = ctrl ? 0 : LineStartOf(c); break;
    case EditKey::End: c = ctrl ? n : LineEndOf(c); break;
    case EditKey::Up: {
        const int32_t start = LineStartOf(c);
        if (start > 0) c = std::min(LineStartOf(start - 1) + (c - start), start - 1);
        break;
    }
    case EditKey::Down: {
        const int32_t end = LineEndOf(c);
        if (end < n) c = std::min(end + 1 + (c - LineStartOf(c)), LineEndOf(end + 1));
        break;
    }
    default: break;
    }
    text_->Caret = c;
}

void TextEditor::KeyPress(uint8_t code) {
    if (!text_ || ReadOnly) return;
    if ((code == ParagraphEnd && !WantReturns) || (code < 32 && code != ParagraphEnd)) return;
    PushUndo(code == ' ' || code == ParagraphEnd ? UndoKind::TypingBlank : UndoKind::Typing);
    const TextDefaultValues& d = TextDefaults();
    TcharWithAttr ch = NewChar(*text_, code);
    ch.Size = d.DefaultTextSize;
    ch.Outline = d.DefaultOutline;
    ch.Shift = d.DefaultShift;
    const uint32_t colour = Drawing().DefaultLineColour;
    if (colour != text_->LineColour || d.FontName != text_->FontName || d.FontStyle != text_->FontStyle)
        ch.Font = TCharFont{colour, d.FontStyle, d.FontName};
    const int32_t caret = Caret();
    text_->InsertChar(static_cast<std::size_t>(caret), ch);
    SetBlock(caret + 1, caret + 1, caret + 1);
    Relayout();
}

void TextEditor::DeleteAtCaret() {
    if (!text_ || ReadOnly) return;
    if (HasSelection()) {
        DeleteSelectionByKey();
    } else if (Caret() < static_cast<int32_t>(text_->Chars.size())) {
        PushUndo(UndoKind::DeleteKey);
        DeleteRange(static_cast<std::size_t>(Caret()), static_cast<std::size_t>(Caret()) + 1);
        Relayout();
    }
}

void TextEditor::ApplyAttribute(int kind) {
    if (!text_ || ReadOnly) return;
    const auto n = static_cast<int32_t>(text_->Chars.size());
    SetBlock(std::min(BlockBegin(), n), std::min(BlockEnd(), n), std::min(Caret(), n));
    PushUndo(UndoKind::Attribute);
    text_->ApplyDefault(kind);
    Relayout();
}

void TextEditor::PushUndo(UndoKind kind) {
    if (undo_.size() > UndoLimit) undo_.erase(undo_.begin(), undo_.end() - static_cast<std::ptrdiff_t>(UndoLimit / 2 - 1));
    const int32_t caret = Caret();
    Record* last = undo_.empty() ? nullptr : undo_.back().get();
    const bool merge =
        last && last->Kind == kind && (kind == UndoKind::Move || (IsRunKind(kind) && last->RunEnd == caret));
    if (!merge) {
        auto record = std::make_unique<Record>(Record{kind, BlockBegin(), BlockEnd(), caret, caret, std::nullopt});
        if (kind != UndoKind::Move && kind != UndoKind::Collapse)
            record->Saved = Record::Before{*text_, text_->X(), text_->Y(), text_->Width(), text_->Height()};
        undo_.push_back(std::move(record));
    }
    Record& record = *undo_.back();
    if (kind == UndoKind::Typing || kind == UndoKind::TypingBlank) record.RunEnd = caret + 1;
    else if (kind == UndoKind::Backspace) record.RunEnd = caret - 1;
    TellUndo();
}

void TextEditor::Undo() {
    if (text_ && !undo_.empty()) {
        Record& record = *undo_.back();
        if (record.Saved) {
            static_cast<TextBody&>(*text_) = record.Saved->Body;
            text_->SetX(record.Saved->X);
            text_->SetY(record.Saved->Y);
            text_->SetWidth(record.Saved->Width);
            text_->SetHeight(record.Saved->Height);
            text_->Editing = true;
        }
        SetBlock(record.First, record.Last, record.Caret);
        anchor_ = record.Caret;
        const bool attribute = record.Kind == UndoKind::Attribute;
        undo_.pop_back();
        InvalidateAll(*text_);
        UpdateTextMetrics(*text_);
        Relayout();
        if (attribute) text_->NotifySelected();
    }
    TellUndo();
}

void TextEditor::Relayout() {
    text_->Wrap();
    text_->AdjustSize();
}

void TextEditor::TellUndo() {
    if (UndoAvailable) UndoAvailable(!undo_.empty());
}

}  // namespace qv
