// The algorithm editor's context menus: editing, clipboard and macro
// commands of the program text, and the start-value table's commands.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextCursor>

#include <algorithm>

#include "app/QVAlgoDlg.h"
#include "app/QVMakroDlg.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"
#include "modeleditors/QVAlgoClipboard.h"
#include "modeleditors/QVmakro.h"

namespace qv {

namespace {

QAction* MakeAction(QWidget* owner, const QString& caption, const char* name, const QKeySequence& shortcut = {}) {
    auto* action = new QAction(caption, owner);  // owned by the dialog
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

std::optional<QString> AskMacroName(QWidget* parent) {
    bool ok = false;
    const QString name = QInputDialog::getText(parent, ToQString(MacroPromptCaption), ToQString(MacroPromptText),
                                               QLineEdit::Normal, ToQString(ProposedMacroName), &ok);
    return ok ? std::optional<QString>(name) : std::nullopt;
}

// Clipboard text in the text field's line breaks.
QString FieldText(const std::string& cp1252) {
    QString text = ToQString(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

void TAlgoDlg::createProgramActions() {
    undo_ = MakeAction(this, QStringLiteral("&Rückgängig"), "undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    cut_ = MakeAction(this, QStringLiteral("&Ausschneiden"), "cut", QKeySequence(Qt::CTRL | Qt::Key_X));
    copy_ = MakeAction(this, QStringLiteral("&Kopieren"), "copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    paste_ = MakeAction(this, QStringLiteral("&Einfügen"), "paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    createMacro_ = MakeAction(this, QStringLiteral("&Makro erzeugen"), "createMacro");
    resolveMacro_ = MakeAction(this, QStringLiteral("Makro auf&lösen"), "resolveMacro");
    editMacro_ = MakeAction(this, QStringLiteral("Makro &bearbeiten"), "editMacro");
    connect(undo_, &QAction::triggered, this, &TAlgoDlg::RueckgaengigClick);
    connect(cut_, &QAction::triggered, this, &TAlgoDlg::AusschneidenClick);
    connect(copy_, &QAction::triggered, this, &TAlgoDlg::KopierenClick);
    connect(paste_, &QAction::triggered, this, &TAlgoDlg::EinfuegenClick);
    connect(createMacro_, &QAction::triggered, this, &TAlgoDlg::MakroErzeugenClick);
    connect(resolveMacro_, &QAction::triggered, this, &TAlgoDlg::MakroAufloesenClick);
    connect(editMacro_, &QAction::triggered, this, &TAlgoDlg::MakroBearbeitenClick);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TAlgoDlg::updateProgramActions);
    macroNamePrompt_ = AskMacroName;
}

void TAlgoDlg::createStartValueActions() {
    resetStartValues_ = MakeAction(this, QStringLiteral("&Zurücksetzen"), "resetStartValues");
    copyStartValues_ = MakeAction(this, QStringLiteral("&Kopieren"), "copyStartValues");
    pasteStartValues_ = MakeAction(this, QStringLiteral("&Einfügen"), "pasteStartValues");
    connect(resetStartValues_, &QAction::triggered, this, &TAlgoDlg::ZuruecksetzenClick);
    connect(copyStartValues_, &QAction::triggered, this, &TAlgoDlg::StartwerteKopierenClick);
    connect(pasteStartValues_, &QAction::triggered, this, &TAlgoDlg::StartwerteEinfuegenClick);
}

void TAlgoDlg::updateProgramActions() {
    const bool selected = selectionLength() > 0;
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    paste_->setEnabled(clipboard && clipboard->hasText());
    copy_->setEnabled(selected);
    cut_->setEnabled(selected);
    createMacro_->setEnabled(selected);
    undo_->setEnabled(program_->document()->isUndoAvailable());
    const bool isMacro = FindSelectedMacro(state_, selectedText()) != nullptr;
    resolveMacro_->setEnabled(isMacro);
    editMacro_->setEnabled(isMacro);
}

// The text field handles these keys itself; here they go through the menu's
// commands, so that copied program text carries its header line.
bool TAlgoDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched != program_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (QAction* action : {undo_, cut_, copy_, paste_}) {
        if (pressed != action->shortcut()) continue;
        updateProgramActions();
        if (action->isEnabled()) action->trigger();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAlgoDlg::ProgramContextMenu(const QPoint& at) {
    updateProgramActions();
    QMenu menu(this);
    menu.addActions({undo_, cut_, copy_, paste_, createMacro_, resolveMacro_, editMacro_});
    menu.insertSeparator(cut_);
    menu.insertSeparator(createMacro_);
    menu.exec(program_->viewport()->mapToGlobal(at));
}

void TAlgoDlg::StartValueContextMenu(const QPoint& at) {
    QMenu menu(this);
    menu.addActions({resetStartValues_, copyStartValues_, pasteStartValues_});
    menu.exec(startValues_->viewport()->mapToGlobal(at));
}

// Offsets into the state's text, which the macro commands use. A character
// that Windows-1252 cannot hold may take two places in the field and one in
// the state, so the selection is kept inside the state's text.
std::size_t TAlgoDlg::selectionStart() const {
    return std::min(static_cast<std::size_t>(program_->textCursor().selectionStart()), state_.ProgramText().size());
}

std::size_t TAlgoDlg::selectionLength() const {
    const QTextCursor cursor = program_->textCursor();
    const auto length = static_cast<std::size_t>(cursor.selectionEnd() - cursor.selectionStart());
    return std::min(length, state_.ProgramText().size() - selectionStart());
}

std::string TAlgoDlg::selectedText() const { return state_.ProgramText().substr(selectionStart(), selectionLength()); }

void TAlgoDlg::RueckgaengigClick() { program_->undo(); }

void TAlgoDlg::AusschneidenClick() {
    KopierenClick();
    program_->textCursor().removeSelectedText();
}

void TAlgoDlg::KopierenClick() {
    QApplication::clipboard()->setText(ToQString(ProgramCopyText(state_.Name, selectedText())));
}

void TAlgoDlg::EinfuegenClick() {
    const QString clipboard = QApplication::clipboard()->text();
    if (clipboard.isEmpty()) return;
    program_->textCursor().insertText(FieldText(ProgramPasteText(FromQString(clipboard))));
}

void TAlgoDlg::MakroErzeugenClick() {
    const std::size_t start = selectionStart();
    const std::size_t length = selectionLength();
    if (length == 0) return;
    const std::optional<QString> name = macroNamePrompt_(this);
    if (!name) return;
    const TextRange body = MacroBodyRange(state_, start, length);
    if (std::optional<std::string> refusal = CreateMacro(state_, start, length, FromQString(*name))) {
        ShowMessage(this, MessageKind::Error, *refusal);
        return;
    }
    // The cursor goes to the end of the macro's name.
    setProgramText(state_.ProgramText(), body.Start + state_.Macros.back().Name.size());
}

void TAlgoDlg::MakroAufloesenClick() {
    const std::size_t start = selectionStart();
    const std::size_t length = selectionLength();
    const std::size_t textAfterSelection = state_.ProgramText().size() - start - length;
    if (std::optional<std::string> refusal = ResolveMacro(state_, start, length)) {
        ShowMessage(this, MessageKind::Error, *refusal);
        return;
    }
    const std::string resolved = state_.ProgramText();
    // The cursor goes to the end of the inserted body.
    setProgramText(resolved, resolved.size() - textAfterSelection);
}

void TAlgoDlg::MakroBearbeitenClick() {
    const TListeninhalt* macro = FindSelectedMacro(state_, selectedText());
    if (!macro) {
        ShowMessage(this, MessageKind::Error, std::string(NotAMacroText));
        return;
    }
    const std::string name = macro->Name;
    TMakrodlg dialog(this, ToQString(name), ToQString(MacroText(*macro)));
    if (dialog.exec() != QDialog::Accepted) return;
    // Looked up again rather than kept as a pointer into the list across the dialog.
    if (TListeninhalt* edited = FindSelectedMacro(state_, name)) SetMacroText(*edited, FromQString(dialog.text()));
    // The new body may need other start values.
    state_.ProgramChanged();
    fillStartValues();
}

void TAlgoDlg::ZuruecksetzenClick() {
    state_.ResetStartValues();
    fillStartValues();
}

void TAlgoDlg::StartwerteKopierenClick() {
    QApplication::clipboard()->setText(ToQString(StartValuesCopyText(state_.Name, state_.StartValues)));
}

void TAlgoDlg::StartwerteEinfuegenClick() {
    if (std::optional<std::string> refusal =
            PasteStartValues(FromQString(QApplication::clipboard()->text()), state_.StartValues)) {
        ShowMessage(this, MessageKind::Error, *refusal);
        return;
    }
    fillStartValues();
}

}  // namespace qv
