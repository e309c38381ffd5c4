// The verbal editor "Sprachliche Modellierung": stock and rate names typed
// by the pupil, the predicates of "Praedkt.txt", and sentences assembled by
// dragging them with the mouse. OK translates the sentences into the
// algorithm editor's program; Cancel keeps the sentences without translating.
#pragma once

#include <QDialog>
#include <QPoint>

#include <optional>

#include "modeleditors/PredicateList.h"
#include "modeleditors/QVAlgo.h"
#include "modeleditors/SentenceDrags.h"

class QCheckBox;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace qv {

// The shipped predicate file, read on first use. When it is missing or has
// fewer than four predicates, the first call says so (once per run).
const PredicateList& ShippedPredicates(QWidget* parent);

class TSprachlichdlg : public QDialog {
public:
    // Works on editor's sentences directly, so they stay as the pupil left
    // them also after Cancel; OK replaces editor's program.
    TSprachlichdlg(QWidget* parent, AlgoEditorState& editor, const PredicateList& predicates);
    ~TSprachlichdlg() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* makeGrid(const char* name, const QStringList& headings, const QString& hint);
    QWidget* createModelPanel();
    QWidget* createBottomRow();
    void fillGrids();
    void VereinfachtClick(bool checked);
    void GridChanged(QTableWidgetItem* item);
    void KopierenClick();
    void OKClick();

    // Mouse dragging between the grids and onto the waste bin.
    std::optional<GridCell> cellAt(const QPoint& global) const;
    bool accepts(const QPoint& global) const;
    void endDrag(const QPoint& global);

    AlgoEditorState& editor_;
    const PredicateList& predicates_;
    bool filling_ = false;
    std::optional<GridCell> pressed_;
    QPoint pressedAt_;
    bool dragging_ = false;

    QTableWidget* stocks_;
    QTableWidget* rates_;
    QTableWidget* predicateGrid_;
    QTableWidget* model_;
    QCheckBox* simplified_;
    QLabel* wasteBin_;
};

}  // namespace qv
