// The edit menu's commands on page objects and simulations.
#include <algorithm>

#include "app/QVMain.h"
#include "app/Tschooledit.h"
#include "dialogs/QVGrafikdlg.h"
#include "dialogs/QVSonderzeichendlg.h"
#include "dialogs/QVWinkeldlg.h"
#include "drawing/bsbitmap.h"
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

void TMain::Drehen1Click() {
    if (running_ || !pageObjectSelected()) return;
    stopAnimation();
    if (!RotateSelection(this, *document_.Page)) return;
    markChanged();
    display(false);
    updateCommands();
}

void TMain::FormatGrafik1Click() {
    if (running_) return;
    const auto& objects = document_.Page->Children;
    const auto selected = std::find_if(objects.begin(), objects.end(), [](const auto& object) { return object->Selected(); });
    auto* bild = selected == objects.end() ? nullptr : dynamic_cast<TBild*>(selected->get());
    if (!bild || !EditPicture(this, *bild)) return;
    markChanged();
    display(false);
}

void TMain::Sonderzeichen1Click() {
    specialCharacters_->show();
    specialCharacters_->raise();
}

}  // namespace qv
