// The formula dialog: the name and the formula of a rate (or of a computed
// stock), built mostly by clicking function, digit and operator buttons and
// the element's input variables. OK checks the name and compiles the
// definition on trial with the algorithm editor's settings, so only
// well-formed definitions reach the diagram.
#pragma once

#include <QDialog>
#include <QStringList>

#include "modeleditors/FormulaInput.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qv {

class AlgoEditorState;

class TInputratedlg : public QDialog {
public:
    // algo gives the macros and the case option of the trial compile; it is
    // not changed.
    TInputratedlg(QWidget* parent, const AlgoEditorState& algo);

    // A stock is "Zustandsgröße" and may be confirmed without a formula.
    void setStock(bool stock);
    void setFields(const QString& name, const QString& formula, const QStringList& inputs);
    QString name() const;
    QString formula() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createButtons();
    void insertClick(const QPushButton& button);
    void inputClick();
    void backspaceClick();
    void clearClick();
    void OKClick();
    // The field's text and selection go through input_ for every edit.
    void takeField();
    void showField();

    const AlgoEditorState& algo_;
    FormulaInput input_;
    bool stock_ = false;
    QLabel* nameLabel_;
    QLineEdit* name_;
    QLineEdit* formula_;
    QListWidget* inputs_;
};

}  // namespace qv
