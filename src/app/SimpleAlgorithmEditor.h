// The algorithm editor the main window uses until the full one is installed:
// name, program text, step count and start-value table, compiled as the user
// types so the table follows the program's inputs.
#pragma once

#include <QDialog>

#include <cstddef>
#include <vector>

#include "app/AlgorithmEditor.h"
#include "modeleditors/QVAlgo.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

namespace qv {

class TSimpleAlgoDlg : public QDialog {
public:
    TSimpleAlgoDlg(QWidget* parent, const AlgoEditorState& state);

    const AlgoEditorState& state() const { return state_; }

private:
    void ProgramChange();
    void StartValueChange(int row, int column);
    void fillStartValues();
    void OKClick();

    AlgoEditorState state_;
    std::vector<std::size_t> rows_;  // the state's start-value row shown in each table row
    bool filling_ = false;
    QLineEdit* name_;
    QPlainTextEdit* program_;
    QLabel* error_;
    QSpinBox* steps_;
    QTableWidget* startValues_;
};

class SimpleAlgorithmEditor : public AlgorithmEditor {
public:
    bool edit(AlgoEditorState& state, QWidget* parent) override;
};

}  // namespace qv
