// The edit menu's commands on page objects and simulations, the page's and
// the simulation box's pop-up menus, inserting a picture file and turning
// an object.
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

#include <algorithm>

#include "app/ChartPicture.h"
#include "app/QVMain.h"
#include "app/QVTableView.h"
#include "app/Tschooledit.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/QVGrafikdlg.h"
#include "dialogs/QVSonderzeichendlg.h"
#include "dialogs/QVWinkeldlg.h"
#include "document/InsertedPicture.h"
#include "document/PageClipboard.h"
#include "drawing/bsbitmap.h"
#include "drawing/bskomplex.h"

namespace qv {

namespace {

void PutOnClipboard(std::unique_ptr<QMimeData> data) {
    if (data) QGuiApplication::clipboard()->setMimeData(data.release());  // the clipboard owns it
}

}  // namespace

bool TMain::pageObjectSelected() const { return selectedPageObject() != nullptr; }

Tsimple* TMain::selectedPageObject() const {
    const auto& objects = document_.Page->Children;
    auto found = std::find_if(objects.begin(), objects.end(), [](const auto& object) { return object->Selected(); });
    return found == objects.end() ? nullptr : found->get();
}

EditContext TMain::editContext() const {
    EditContext context;
    context.ChartShown = document_.ChartShown;
    context.TableShown = document_.TableShown;
    context.EditorOpen = textEditor_->Text() != nullptr;
    context.ObjectSelected = pageObjectSelected();
    return context;
}

void TMain::copyTo(EditTarget target) {
    switch (target) {
    case EditTarget::EditorText:
        textEditor_->CopySelection();
        break;
    case EditTarget::PageObject:
        PutOnClipboard(ObjectClipboardData(*selectedPageObject()));
        break;
    case EditTarget::Page:
        PutOnClipboard(PageClipboardData(document_));
        drawPage();  // the page was laid out at the clipboard's scale meanwhile
        break;
    case EditTarget::Table:
        table_->copyTable();
        break;
    default:
        break;
    }
}

void TMain::cut(bool ask) {
    if (running_) return;
    const EditTarget target = RouteEdit(EditCommand::Cut, editContext());
    if (target == EditTarget::EditorText) {
        textEditor_->CutSelection();
        return;
    }
    copyTo(target);
    if (target == EditTarget::PageObject) deleteSelectedObjects();
    if (target == EditTarget::Page) deleteSimulation(ask);
}

void TMain::Ausschneiden1Click() { cut(false); }

void TMain::Kopieren1Click() {
    if (!running_) copyTo(RouteEdit(EditCommand::Copy, editContext()));
}

void TMain::Einfuegen1Click() {
    if (running_) return;
    if (RouteEdit(EditCommand::Paste, editContext()) == EditTarget::EditorText) {
        textEditor_->Paste();
        return;
    }
    document_.Page->DeselectAll();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return;
    ClipboardContent content = ReadClipboard(*data);
    if (!content.Error.empty()) ShowMessage(this, MessageKind::Error, content.Error);
    Tsimple* pasted = content.Object.get();
    if (pasted) {
        document_.Page->Add(std::move(content.Object));
        markChanged();
    }
    for (auto& simulation : content.Simulations) {
        // Labelled as one made or edited here beside the others.
        simulation->LabelVariables(static_cast<int>(document_.Simulations.size()) + 1);
        addSimulation(std::move(simulation), false);
    }
    anzeigen();
    // Selected once the display is rebuilt, which lets go of every selection.
    if (pasted) {
        pasted->SetSelected(true);
        drawPage();
    }
    updateHint();
}

void TMain::Loeschen1Click() {
    // Del takes what the user has just selected on the page; the whole
    // simulation only when nothing is, after its own question.
    if (running_) return;
    switch (RouteEdit(EditCommand::Delete, editContext())) {
    case EditTarget::EditorText:
        textEditor_->DeleteAtCaret();
        break;
    case EditTarget::PageObject:
        deleteSelectedObjects();
        break;
    default:
        deleteSimulation();
    }
}

void TMain::deleteSelectedObjects() {
    if (running_ || !pageObjectSelected()) return;
    document_.Page->DeleteSelected();
    markChanged();
    display(false);
    updateCommands();
}

void TMain::Drehen1Click() {
    if (running_ || RouteEdit(EditCommand::Rotate, editContext()) != EditTarget::PageObject) return;
    stopAnimation();
    if (!RotateSelection(this, *document_.Page)) return;
    markChanged();
    display(false);
    updateCommands();
}

TBild* TMain::selectedPicture() const {
    const auto& objects = document_.Page->Children;
    const auto selected = std::find_if(objects.begin(), objects.end(), [](const auto& object) { return object->Selected(); });
    return selected == objects.end() ? nullptr : dynamic_cast<TBild*>(selected->get());
}

void TMain::FormatGrafik1Click() {
    if (running_) return;
    TBild* bild = selectedPicture();
    if (!bild || !EditPicture(this, *bild)) return;
    markChanged();
    display(false);
}

void TMain::GrafikEinfuegen1Click() {
    if (running_) return;
    const QString path = ChooseFile(this, FileChoice::Open, QStringLiteral("Grafik einfügen"), lastDirectory_,
                                    QStringLiteral("Alle (*.bmp *.png *.jpg *.jpeg *.emf *.wmf);;Bitmaps (*.bmp);;"
                                                   "PNG-Bilder (*.png);;JPEG-Bilder (*.jpg *.jpeg);;"
                                                   "Erweiterte Metadateien (*.emf);;Metadateien (*.wmf)"));
    if (!path.isEmpty()) insertPicture(path);
}

void TMain::insertPicture(const QString& path) {
    lastDirectory_ = QFileInfo(path).absolutePath();
    auto picture = PictureForPage(path.toStdString(), document_.Page->Width(), document_.Page->Height());
    if (!picture) {
        ShowMessage(this, MessageKind::Error, std::string(NotABitmapText));
        updateHint();
        return;
    }
    document_.Page->Add(std::move(picture));
    markChanged();
    display(false);
}

void TMain::Sonderzeichen1Click() {
    specialCharacters_->show();
    specialCharacters_->raise();
}

void TMain::createPopupMenus() {
    // The page's pop-up works on page objects, the simulation box's on simulations.
    pageMenu_ = new QMenu(this);
    pageMenu_->setObjectName(QStringLiteral("pageMenu"));
    const auto add = [this](QMenu* menu, const QString& caption, auto handler) {
        QAction* action = menu->addAction(caption, this, [this, handler] {
            finishDrag();
            stopAnimation();
            handler();
        });
        QString name = caption;
        action->setObjectName(menu->objectName() + QLatin1Char(':') + name.remove(QLatin1Char('&')));
        return action;
    };
    const QList<QAction*> page = {
        add(pageMenu_, QStringLiteral("&Ausschneiden"), [this] { cut(true); }),
        add(pageMenu_, QStringLiteral("&Kopieren"), [this] { Kopieren1Click(); }),
        add(pageMenu_, QStringLiteral("&Einfügen"), [this] { Einfuegen1Click(); }),
        add(pageMenu_, QStringLiteral("&Löschen"), [this] { deleteSelectedObjects(); }),
    };
    connect(pageMenu_, &QMenu::aboutToShow, this, [this, page] {
        const bool object = pageObjectSelected();
        const tsim* simulation = document_.SelectedSimulation();
        const bool marked = simulation && std::any_of(simulation->Variables.begin(), simulation->Variables.end(),
                                                      [](const auto& variable) { return variable->Plotted; });
        page[0]->setEnabled(object);
        page[1]->setEnabled(object || marked);
        page[2]->setEnabled(CanPasteIntoPage(QGuiApplication::clipboard()->mimeData()));
        page[3]->setEnabled(object);
    });
    picture_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(picture_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!running_ && document_.ChartShown) pageMenu_->popup(picture_->mapToGlobal(at));
    });

    simulationMenu_ = new QMenu(this);
    simulationMenu_->setObjectName(QStringLiteral("simulationMenu"));
    const QList<QAction*> simulations = {
        add(simulationMenu_, QStringLiteral("&Ausschneiden"), [this] {
            if (copySimulation()) deleteSimulation();
        }),
        add(simulationMenu_, QStringLiteral("&Kopieren"), [this] { copySimulation(); }),
        add(simulationMenu_, QStringLiteral("&Einfügen"), [this] { Einfuegen1Click(); }),
        add(simulationMenu_, QStringLiteral("&Löschen"), [this] { deleteSimulation(); }),
    };
    connect(simulationMenu_, &QMenu::aboutToShow, this, [this, simulations] {
        const bool selected = document_.SelectedSimulation() != nullptr;
        for (QAction* action : {simulations[0], simulations[1], simulations[3]}) action->setEnabled(selected);
        simulations[2]->setEnabled(CanPasteSimulations(QGuiApplication::clipboard()->mimeData()));
    });
    simulationBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(simulationBox_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!running_) simulationMenu_->popup(simulationBox_->mapToGlobal(at));
    });
}

bool TMain::copySimulation() {
    const tsim* selected = document_.SelectedSimulation();
    if (running_ || !selected) return false;
    auto data = SimulationClipboardData(*selected);
    if (!data) return false;
    PutOnClipboard(std::move(data));
    return true;
}

}  // namespace qv
