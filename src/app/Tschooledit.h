// The in-place editor of a text on the worksheet: a child of the page
// picture laid exactly over the text's box. It paints the text with its
// selection and caret and turns keys, mouse and its pop-up menu into the
// calls of TextEditor.
#pragma once

#include "drawing/TextEditor.h"
#include "drawing/TextInsertTarget.h"

#include <QWidget>

#include <functional>

class QMenu;

namespace qv {

class Tschooledit : public QWidget, public TextInsertTarget {
    Q_OBJECT
public:
    explicit Tschooledit(QWidget* parent = nullptr);

    // Lays the editor over the text and shows it; null hides it.
    void Open(ttext* text);
    ttext* Text() const { return editor_.Text(); }
    TextEditor& Editor() { return editor_; }
    // The caret goes to the page pixel point (a click that opened the editor).
    void SetCaretFromPagePoint(int x, int y);

    void InsertText(const std::string& cp1252) override;
    void CopySelection();
    void CutSelection();
    void Paste();
    void DeleteAtCaret();
    void ApplyAttribute(int kind);
    void Undo();
    // Fits the editor to the text's box again and brings the caret into view.
    void Refresh();

    bool sizeable = true;
    // Told after every change of the text, to mark the document changed.
    std::function<void()> Changed;
    // Shows the page rectangle (page pixels) in the scroll area.
    std::function<void(const QRect&)> EnsureVisible;
    // Opens the special-character window; the menu item is disabled without it.
    std::function<void()> SpecialCharacters;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void createMenu();
    // A key with what it typed (a paragraph end for Return).
    void type(EditKey key, int shift, const QString& typed);
    // After an edit: size and place, repaint, report.
    void edited();
    QRect caretRect();
    // The resize edge under a point (HitBits of the drag), or 0.
    uint8_t EdgeAt(QPoint point) const;

    TextEditor editor_;
    QMenu* menu_ = nullptr;
    QAction* undoAction_ = nullptr;
    bool pressed_ = false;
    uint8_t resizing_ = 0;
};

}  // namespace qv
