// The file commands: new, open, save, save as, and the question before the
// document is discarded.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>

#include "app/Cursors.h"
#include "app/QVMain.h"
#include "app/SliderDock.h"
#include "app/QVTableView.h"
#include "charts/bsgraf3d.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"

namespace qv {

void TMain::updateTitle() { setWindowTitle(QStringLiteral("QUORVEL - [%1]").arg(fileName_)); }

bool TMain::mayDiscard() {
    if (document_.Simulations.empty() || saved_) return true;
    switch (ShowMessage(this, MessageKind::Confirmation,
                        QStringLiteral("Die aktuelle Datei wurde noch nicht gespeichert. Speichern?"),
                        MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            Speichern1Click();
            return saved_;
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

bool TMain::newDocument() {
    if (!mayDiscard()) return false;
    takeDocument(TDocument::CreateNew());
    fileName_ = QStringLiteral("NONAME.PRG");
    printOptions_ = PrintOptions();
    loadSliderRows();
    anzeigen();
    updateTitle();
    return true;
}

void TMain::takeDocument(TDocument document) {
    stopAnimation();
    closeTextEditor();
    finishDrag();
    releaseTable();
    sliders_->showSimulation(nullptr);
    document_ = std::move(document);
    saved_ = true;
    runStopped_.clear();
    separate_->setChecked(document_.SeparateCharts);
    placeVariableList();
    fillSimulationBox();
    selectSimulation();
    applyViews();
}

void TMain::Neu1Click() {
    if (!running_) newDocument();
}

bool TMain::openFile(const QString& path) {
    if (running_ || !mayDiscard()) return false;
    showStatus(QStringLiteral("Lade ") + path);
    std::optional<TDocument> loaded;
    try {
        WaitCursor wait;
        loaded = readDocument(path.toStdString());
    } catch (const DocumentError& error) {
        // A file without a recognised signature loads nothing and says nothing.
        if (*error.what()) ShowMessage(this, MessageKind::Error, std::string(error.what()));
    } catch (const StreamError&) {
        ShowMessage(this, MessageKind::Error, std::string(NotADocumentText));
    }
    if (!loaded) {
        updateHint();
        return false;
    }
    // Selecting the stored simulation must not compute before everything is in place.
    computingAllowed_ = false;
    takeDocument(std::move(*loaded));
    computingAllowed_ = true;
    fileName_ = path;
    lastDirectory_ = QFileInfo(path).absolutePath();
    loadSliderRows();
    updateTitle();
    anzeigen();
    saved_ = true;
    updateHint();
    return true;
}

bool TMain::saveFileAs(const QString& path) {
    if (running_) return false;
    closeTextEditor();
    showStatus(QStringLiteral("Speichern von ") + path);
    std::string error;
    bool written = false;
    {
        WaitCursor wait;
        written = writeDocument(document_, path.toStdString(), error);
    }
    if (!written) {
        ShowMessage(this, MessageKind::Error, error);
        updateHint();
        return false;
    }
    saved_ = true;
    fileName_ = path;
    lastDirectory_ = QFileInfo(path).absolutePath();
    // The rows follow the document to its new name.
    storeSliderRows();
    updateTitle();
    showStatus(tool_ == 0 ? QStringLiteral("Auf Objekte klicken...")
                          : QStringLiteral("Auf vorhandenen Text oder an neue Position klicken..."));
    updateCommands();
    return true;
}

void TMain::Oeffnen1Click() {
    if (running_) return;
    const QString path = ChooseFile(this, FileChoice::Open, QStringLiteral("Öffnen"), lastDirectory_,
                                    QStringLiteral("Quorvel-Dateien (*.prg)"));
    if (!path.isEmpty()) openFile(path);
}

void TMain::Speichern1Click() {
    if (!hasFile()) {
        SpeichernUnter1Click();
    } else {
        saveFileAs(fileName_);
    }
}

void TMain::SpeichernUnter1Click() {
    if (running_) return;
    const QString path = ChooseFile(this, FileChoice::Save, QStringLiteral("Speichern unter"), lastDirectory_,
                                    QStringLiteral("Quorvel-Datei (*.prg)"), QStringLiteral("prg"));
    if (path.isEmpty()) return;
    saveFileAs(path);
}

void TMain::Export1Click() {
    if (document_.TableShown && document_.SelectedSimulation()) table_->exportToSpreadsheet();
}

}  // namespace qv
