#include "document/EditRouting.h"

namespace qv {

EditTarget RouteEdit(EditCommand command, const EditContext& context) {
    const bool onPage = context.ChartShown && !context.EditorOpen;
    const EditTarget pageTarget = context.ObjectSelected ? EditTarget::PageObject : EditTarget::Page;
    switch (command) {
    case EditCommand::Cut:
        if (!context.ChartShown) return EditTarget::None;
        return context.EditorOpen ? EditTarget::EditorText : pageTarget;
    case EditCommand::Copy:
        if (context.EditorOpen && context.ChartShown) return EditTarget::EditorText;
        if (onPage) return pageTarget;
        return context.TableShown ? EditTarget::Table : EditTarget::None;
    case EditCommand::Paste:
        return context.EditorOpen ? EditTarget::EditorText : EditTarget::Paste;
    case EditCommand::Delete:
        if (context.EditorOpen) return EditTarget::EditorText;
        return onPage && context.ObjectSelected ? EditTarget::PageObject : EditTarget::Simulation;
    case EditCommand::Rotate:
        return onPage && context.ObjectSelected ? EditTarget::PageObject : EditTarget::None;
    }
    return EditTarget::None;
}

}  // namespace qv
