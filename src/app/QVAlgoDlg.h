// The algorithm editor "Algorithmische Modellierung": a simulation's name,
// step count, program text, start values, case option and macros, compiled
// as the user types so the start-value table follows the program's inputs.
// The window only shows the editor state; the state does the work.
#pragma once

#include <QDialog>
#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "app/AlgorithmEditor.h"
#include "modeleditors/QVAlgo.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPoint;
class QSpinBox;
class QTableWidget;

namespace qv {

class TAlgoDlg : public QDialog {
public:
    // Asks for a new macro's name; nothing when the user cancels.
    using MacroNamePrompt = std::function<std::optional<QString>(QWidget* parent)>;

    TAlgoDlg(QWidget* parent, const AlgoEditorState& state);

    const AlgoEditorState& state() const { return state_; }

    // Replaces the modal name prompt of "&Makro erzeugen" (tests).
    void setMacroNamePrompt(MacroNamePrompt prompt) { macroNamePrompt_ = std::move(prompt); }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // QVAlgoDlg.cpp: the controls and keeping them in step with the state.
    QWidget* createStepsAndName();
    QWidget* createStartValues();
    QWidget* createBottomRow();
    void GrafischesModellClick();
    void SprachlichesModellClick();
    void ProgramChange();
    void CaseSensitiveClick(bool checked);
    void StartValueChange(int row, int column);
    void fillStartValues();
    void OKClick();
    void showRefusal(const OkRefusal& refusal);
    void setProgramText(const std::string& text, std::size_t cursorAt);

    // QVAlgoDlgMenus.cpp: the two context menus, clipboard and macros.
    void createProgramActions();
    void createStartValueActions();
    void updateProgramActions();
    void ProgramContextMenu(const QPoint& at);
    void StartValueContextMenu(const QPoint& at);
    std::size_t selectionStart() const;
    std::size_t selectionLength() const;
    std::string selectedText() const;
    void RueckgaengigClick();
    void AusschneidenClick();
    void KopierenClick();
    void EinfuegenClick();
    void MakroErzeugenClick();
    void MakroAufloesenClick();
    void MakroBearbeitenClick();
    void ZuruecksetzenClick();
    void StartwerteKopierenClick();
    void StartwerteEinfuegenClick();

    AlgoEditorState state_;
    MacroNamePrompt macroNamePrompt_;
    bool fillingTable_ = false;

    QSpinBox* steps_;
    QLineEdit* name_;
    QPlainTextEdit* program_;
    QTableWidget* startValues_;
    QCheckBox* caseSensitive_;

    QAction* undo_;
    QAction* cut_;
    QAction* copy_;
    QAction* paste_;
    QAction* createMacro_;
    QAction* resolveMacro_;
    QAction* editMacro_;
    QAction* resetStartValues_;
    QAction* copyStartValues_;
    QAction* pasteStartValues_;
};

// Shows a TAlgoDlg modally for one call.
class AlgoDlgEditor : public AlgorithmEditor {
public:
    bool edit(AlgoEditorState& state, QWidget* parent) override;
};

}  // namespace qv
