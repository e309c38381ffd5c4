// "XMILE-Modell importieren...": a model from another tool becomes a new
// simulation of the document, computed and shown at once.
#include <QComboBox>
#include <QFileInfo>

#include "app/QVMain.h"
#include "charts/bsgraf3d.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "engine/QVCompile.h"
#include "exchange/XmileImport.h"
#include "exchange/XmileReader.h"

namespace qv {

void TMain::XmileImportieren1Click() {
    if (running_) return;
    const QString path = ChooseFile(this, FileChoice::Open, QStringLiteral("XMILE-Modell importieren"), lastDirectory_,
                                    QStringLiteral("XMILE-Modelle (*.xmile *.stmx *.itmx *.xml)"));
    if (path.isEmpty()) return;
    lastDirectory_ = QFileInfo(path).absolutePath();
    auto model = ReadXmileFile(path.toStdString());
    if (auto* error = std::get_if<std::string>(&model)) {
        ShowMessage(this, MessageKind::Error, *error);
        return;
    }
    auto imported = ImportXmile(std::get<XmileModel>(model), false);
    if (auto* error = std::get_if<std::string>(&imported)) {
        // Refused parts may be left out, but only when the user says so.
        if (error->rfind(XmileUntranslatableText, 0) != 0 ||
            ShowMessage(this, MessageKind::Confirmation,
                        *error + "\n\nSoll der Rest des Modells trotzdem \xFC" "bernommen werden?",
                        MessageButtons::YesNo) != MessageAnswer::Yes) {
            if (error->rfind(XmileUntranslatableText, 0) != 0) ShowMessage(this, MessageKind::Error, *error);
            return;
        }
        imported = ImportXmile(std::get<XmileModel>(model), true);
        if (auto* again = std::get_if<std::string>(&imported)) {
            ShowMessage(this, MessageKind::Error, *again);
            return;
        }
    }
    const XmileImportResult& result = std::get<XmileImportResult>(imported);
    for (const auto& warning : result.Warnings)
        if (warning.rfind(XmileUntranslatableText, 0) != 0) ShowMessage(this, MessageKind::Warning, warning);
    if (auto error = AddImportedSimulation(document_, result)) {
        ShowMessage(this, MessageKind::Error, *error);
        return;
    }
    fillSimulationBox();
    selectSimulation();
    const int time = document_.SelectedSimulation()->IndexOfVariable(TimeName);
    if (!document_.Chart->threeD && time >= 0) {
        xAxis_->setCurrentIndex(time);
        XAchseChange(time);
    }
    markChanged();
    updateHint();
    anzeigen();
}

}  // namespace qv
