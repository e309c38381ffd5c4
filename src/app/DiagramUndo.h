// Undo and redo in the diagram editor. Every edit (placing, moving an
// element or a point, deleting with what hangs on it, naming, defining, a
// sign, a finished arrow) is recorded as the diagram before and after it,
// so undoing a deletion brings back the arrows and constants it took along.
#pragma once

#include <QUndoCommand>

#include <functional>

#include "model/QVGrafDiagram.h"

namespace qv {

class DiagramEdit : public QUndoCommand {
public:
    // The edit is already done when it is pushed: the first redo does
    // nothing. shown runs after every undo and redo.
    DiagramEdit(const QString& text, TDiagram& diagram, TDiagram before, std::function<void()> shown);

    void undo() override;
    void redo() override;

private:
    TDiagram& diagram_;
    TDiagram before_;
    TDiagram after_;
    std::function<void()> shown_;
    bool done_ = true;
};

}  // namespace qv
