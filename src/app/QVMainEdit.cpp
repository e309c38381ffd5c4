// The edit menu's commands on page objects and simulations.
#include <algorithm>

#include "app/QVMain.h"
#include "app/Tschooledit.h"
#include "drawing/bskomplex.h"

namespace qv {

bool TMain::pageObjectSelected() const {
    const auto& objects = document_.Page->Children;
    return std::any_of(objects.begin(), objects.end(), [](const auto& object) { return object->Selected(); });
}

void TMain::Loeschen1Click() {
    // Del takes what the user has just selected on the page; the whole
    // simulation only when nothing is, after its own question.
    if (running_) return;
    if (textEditor_->Text()) {
        textEditor_->DeleteAtCaret();
        return;
    }
    if (!document_.ChartShown || !pageObjectSelected()) {
        deleteSimulation();
        return;
    }
    document_.Page->DeleteSelected();
    markChanged();
    display(false);
    updateCommands();
}

}  // namespace qv
