#include "app/DiagramUndo.h"

#include <utility>

namespace qv {

DiagramEdit::DiagramEdit(const QString& text, TDiagram& diagram, TDiagram before, std::function<void()> shown)
    : QUndoCommand(text), diagram_(diagram), before_(std::move(before)), after_(diagram), shown_(std::move(shown)) {}

void DiagramEdit::undo() {
    diagram_.Assign(before_);
    shown_();
}

void DiagramEdit::redo() {
    if (std::exchange(done_, false)) return;
    diagram_.Assign(after_);
    shown_();
}

}  // namespace qv
