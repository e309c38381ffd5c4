#include "app/Tschooledit.h"

#include "dialogs/MessageBoxes.h"
#include "document/PageClipboard.h"
#include "drawing/PageDrag.h"
#include "drawing/QtText.h"
#include "drawing/TextLayout.h"
#include "drawing/bstext.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMenu>
#include <QPainter>

#include <cmath>
#include <memory>
#include <optional>

namespace qv {

namespace {

constexpr int EdgeGrip = 3;
const QColor BorderColour(0xC0, 0xC0, 0xC0);

// Keys that move or edit; everything else (function keys, lone modifiers,
// page keys) leaves the text and its selection alone.
std::optional<EditKey> EditKeyOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Backspace: return EditKey::Backspace;
    case Qt::Key_Delete: return EditKey::Delete;
    case Qt::Key_Return:
    case Qt::Key_Enter: return EditKey::Return;
    case Qt::Key_Tab: return EditKey::Tab;
    case Qt::Key_Escape: return EditKey::Escape;
    case Qt::Key_End: return EditKey::End;
    case Qt::Key_Home: return EditKey::Home;
    case Qt::Key_Left: return EditKey::Left;
    case Qt::Key_Right: return EditKey::Right;
    case Qt::Key_Up: return EditKey::Up;
    case Qt::Key_Down: return EditKey::Down;
    default: break;
    }
    // The key event's text, not its code, so that a German layout's
    // umlauts and AltGr characters arrive as typed.
    const QString text = event.text();
    if (!text.isEmpty() && text.at(0) >= QChar(32) && text.at(0) != QChar(127)) return EditKey::Character;
    return std::nullopt;
}

}  // namespace

Tschooledit::Tschooledit(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Tschooledit"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_InputMethodEnabled);
    resize(200, 30);
    createMenu();
    editor_.UndoAvailable = [this](bool available) { undoAction_->setEnabled(available); };
    hide();
}

void Tschooledit::createMenu() {
    menu_ = new QMenu(this);
    auto add = [this](const QString& caption, void (Tschooledit::*handler)(), const QKeySequence& keys = {}) {
        QAction* action = menu_->addAction(caption, this, handler);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        return action;
    };
    undoAction_ = add(QStringLiteral("&Rückgängig"), &Tschooledit::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z));
    undoAction_->setEnabled(false);
    menu_->addSeparator();
    add(QStringLiteral("Ausschneiden"), &Tschooledit::CutSelection, QKeySequence(Qt::CTRL | Qt::Key_X));
    add(QStringLiteral("Kopieren"), &Tschooledit::CopySelection, QKeySequence(Qt::CTRL | Qt::Key_C));
    add(QStringLiteral("Einfügen"), &Tschooledit::Paste, QKeySequence(Qt::CTRL | Qt::Key_V));
    add(QStringLiteral("Löschen"), &Tschooledit::DeleteAtCaret);
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("Minimale Größe"), this, [this] {
        if (!Text()) return;
        Text()->AutoSize = true;
        InvalidateAll(*Text());
        Text()->AdjustSize();
        edited();
    });
    menu_->addAction(QStringLiteral("Umbrechen"), this, [this] {
        if (!Text()) return;
        Text()->Wrap(true);
        Text()->AdjustSize();
        edited();
    });
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("Sonderzeichen..."), this, [this] {
        if (SpecialCharacters) SpecialCharacters();
    })->setObjectName(QStringLiteral("Sonderzeichen"));
}

void Tschooledit::Open(ttext* text) {
    editor_.Attach(text);
    if (!text) {
        hide();
        return;
    }
    show();
    raise();
    setFocus();
    Refresh();
}

void Tschooledit::SetCaretFromPagePoint(int x, int y) {
    if (!Text()) return;
    editor_.SetCaret(Text()->CaretFromPoint(x - Text()->PixX(), y - Text()->PixY()));
    Refresh();
}

void Tschooledit::InsertText(const std::string& cp1252) {
    editor_.InsertText(cp1252);
    edited();
}

// The marked characters travel as a text object of their own (so that a
// paste here or into a page keeps their fonts, sizes and effects), as its
// picture for other programs, and as plain text.
void Tschooledit::CopySelection() {
    if (!Text() || !editor_.HasSelection()) return;
    Text()->StoreTextDefaults();
    ttext piece;
    const auto& chars = Text()->Chars;
    piece.Chars.assign(chars.begin() + editor_.BlockBegin(), chars.begin() + editor_.BlockEnd());
    piece.InvalidateLayout(0, piece.Chars.size());
    piece.AdjustSize();
    std::unique_ptr<QMimeData> data = ObjectClipboardData(piece);
    if (!data) data = std::make_unique<QMimeData>();
    data->setText(ToQString(editor_.SelectedText()));
    QGuiApplication::clipboard()->setMimeData(data.release());
}

void Tschooledit::CutSelection() {
    if (!Text() || !editor_.HasSelection()) return;
    CopySelection();
    editor_.SetSelText({});
    edited();
}

void Tschooledit::Paste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!Text() || !data) return;
    const QByteArray object = data->data(QString::fromLatin1(ObjectFormat));
    if (!object.isEmpty() && static_cast<uint8_t>(object.front()) == TagText) {
        const ClipboardContent content = ReadClipboard(*data);
        if (!content.Error.empty()) {
            ShowMessage(this, MessageKind::Error, content.Error);
            return;
        }
        if (const auto* piece = dynamic_cast<const ttext*>(content.Object.get())) {
            editor_.InsertChars(piece->Chars);
            edited();
            return;
        }
    }
    const QString text = data->text();
    if (text.isEmpty()) return;
    editor_.SetSelText(FromQString(text));
    edited();
}

void Tschooledit::DeleteAtCaret() {
    editor_.DeleteAtCaret();
    edited();
}

void Tschooledit::ApplyAttribute(int kind) {
    editor_.ApplyAttribute(kind);
    edited();
}

void Tschooledit::Undo() {
    editor_.Undo();
    edited();
}

void Tschooledit::edited() {
    if (!Text()) return;
    Refresh();
    if (Changed) Changed();
}

void Tschooledit::Refresh() {
    ttext* text = Text();
    if (!text) return;
    text->Wrap();
    text->AdjustSize();
    setGeometry(text->PixX(), text->PixY(), text->PixWidth() + 1, text->PixHeight() + 1);
    if (hasFocus() && EnsureVisible) {
        // The caret's height serves as margin on both sides.
        const QRect caret = caretRect().translated(text->PixX(), text->PixY());
        EnsureVisible(caret.adjusted(-caret.height(), 0, caret.height(), 0));
    }
    update();
}

QRect Tschooledit::caretRect() {
    const CaretPlace place = CaretPlaceOf(*Text(), editor_.Caret());
    const PageScales& s = Scales();
    return QRect(static_cast<int>(std::lround(place.X * s.PixelsPerCmX)),
                 static_cast<int>(std::lround(place.Top * s.PixelsPerCmY)), 1,
                 std::max(1, static_cast<int>(std::lround(place.Height * s.PixelsPerCmY))));
}

bool Tschooledit::event(QEvent* event) {
    // The editor's own keys win over the main window's shortcuts while it
    // has the focus, and Tab stays in the text.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) || EditKeyOf(*key)) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

void Tschooledit::keyPressEvent(QKeyEvent* event) {
    if (!Text()) return;
    if (event->matches(QKeySequence::Undo)) return Undo();
    if (event->matches(QKeySequence::Cut)) return CutSelection();
    if (event->matches(QKeySequence::Copy)) return CopySelection();
    if (event->matches(QKeySequence::Paste)) return Paste();
    const std::optional<EditKey> key = EditKeyOf(*event);
    if (!key) return QWidget::keyPressEvent(event);
    type(*key, ShiftBitsOf(event->modifiers()), *key == EditKey::Return ? QStringLiteral("\r") : event->text());
}

void Tschooledit::inputMethodEvent(QInputMethodEvent* event) {
    // Composed characters (dead keys) arrive here rather than as key presses.
    if (Text() && !event->commitString().isEmpty()) type(EditKey::Character, 0, event->commitString());
    event->accept();
}

void Tschooledit::type(EditKey key, int shift, const QString& typed) {
    const std::string before = Text()->Text();
    editor_.KeyDown(key, shift);
    if (key == EditKey::Return || key == EditKey::Character)
        for (char c : FromQString(typed)) editor_.KeyPress(static_cast<uint8_t>(c));
    Refresh();
    if (Changed && Text()->Text() != before) Changed();
}

uint8_t Tschooledit::EdgeAt(QPoint p) const {
    if (!sizeable) return 0;
    // A box too small for a grip beside its text has no edges to drag.
    const int w = width() - 1, h = height() - 1;
    if (w > 4 * EdgeGrip && (p.x() <= EdgeGrip || p.x() >= w - EdgeGrip)) return p.x() < w / 2 ? HitLeft : HitRight;
    if (h > 4 * EdgeGrip && (p.y() <= EdgeGrip || p.y() >= h - EdgeGrip)) return p.y() < h / 2 ? HitTop : HitBottom;
    return 0;
}

void Tschooledit::mousePressEvent(QMouseEvent* event) {
    if (!Text() || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    setFocus();
    pressed_ = true;
    resizing_ = EdgeAt(event->position().toPoint());
    if (!resizing_) {
        editor_.SetCaret(Text()->CaretFromPoint(event->position().toPoint().x(), event->position().toPoint().y()));
        Refresh();
    }
}

void Tschooledit::mouseMoveEvent(QMouseEvent* event) {
    ttext* text = Text();
    if (!text) return;
    const QPoint p = event->position().toPoint();
    if (!pressed_) {
        const uint8_t edge = EdgeAt(p);
        setCursor(edge == HitLeft || edge == HitRight   ? Qt::SizeHorCursor
                  : edge == HitTop || edge == HitBottom ? Qt::SizeVerCursor
                                                        : Qt::IBeamCursor);
    } else if (resizing_) {
        // The point in page cm, one pixel further out on the left and top.
        const int outward = resizing_ == HitLeft || resizing_ == HitTop ? -1 : 0;
        const double x = (text->PixX() + p.x() + outward) / Scales().PixelsPerCmX;
        const double y = (text->PixY() + p.y() + outward) / Scales().PixelsPerCmY;
        const int shift = ShiftBitsOf(event->modifiers());
        Drawing().DragMode = resizing_;
        text->DragHandle(shift, x, y);
        if (shift & CtrlKey) text->Wrap(true);
        edited();
    } else {
        editor_.SetCaret(text->CaretFromPoint(p.x(), p.y()), true);
        Refresh();
    }
}

void Tschooledit::mouseReleaseEvent(QMouseEvent* event) {
    pressed_ = false;
    resizing_ = 0;
    if (Text()) Text()->NotifySelected();
    QWidget::mouseReleaseEvent(event);
}

void Tschooledit::contextMenuEvent(QContextMenuEvent* event) {
    if (!Text()) return;
    menu_->exec(event->globalPos());
}

void Tschooledit::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void Tschooledit::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void Tschooledit::paintEvent(QPaintEvent*) {
    ttext* text = Text();
    if (!text) return;
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    text->Draw(painter, -text->PixX(), -text->PixY(), nullptr);
    painter.setPen(BorderColour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, text->PixWidth(), text->PixHeight());
    if (hasFocus()) painter.fillRect(caretRect(), Qt::black);
}

}  // namespace qv
