// The main window's menus, tool bars and the rules that enable commands.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "app/PlaceholderDialogs.h"
#include "app/QVMain.h"
#include "app/QVTableView.h"
#include "charts/bsgraf3d.h"
#include "dialogs/HelpHook.h"
#include "dialogs/MessageBoxes.h"

namespace qv {

QAction* TMain::command(QMenu* menu, const QString& caption, void (TMain::*handler)(), const QString& hint,
                        QToolBar* toolBar) {
    auto* action = new QAction(caption, this);
    QString name = caption;
    name.remove(QLatin1Char('&'));
    action->setObjectName(name);
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setIconText(hint);
    }
    // Every command but the animation's own stops a running animation first;
    // a drag ends before a command (a key) can free the dragged objects.
    const bool animationCommand = handler == &TMain::pauseAnimation || handler == &TMain::endAnimation;
    connect(action, &QAction::triggered, this, [this, handler, animationCommand] {
        finishDrag();
        if (!animationCommand) stopAnimation();
        (this->*handler)();
    });
    if (menu) menu->addAction(action);
    if (toolBar) toolBar->addAction(action);
    return action;
}

void TMain::createMenus() {
    auto* tools = addToolBar(QStringLiteral("Werkzeuge"));
    tools->setObjectName(QStringLiteral("toolBar"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Commands& c = commands_;

    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    // Beside the listed shortcuts the ones every desktop program has.
    command(datei, QStringLiteral("&Neu"), &TMain::Neu1Click)->setShortcut(QKeySequence::New);
    command(datei, QStringLiteral("Ö&ffnen..."), &TMain::Oeffnen1Click, QStringLiteral("Datei öffnen"), tools)
        ->setShortcut(QKeySequence::Open);
    c.save = command(datei, QStringLiteral("&Speichern"), &TMain::Speichern1Click, QStringLiteral("Datei speichern"), tools);
    c.save->setShortcut(QKeySequence::Save);
    c.saveAs = command(datei, QStringLiteral("Speichern &unter..."), &TMain::SpeichernUnter1Click);
    c.exportTable = command(datei, QStringLiteral("Nach E&xcel exportieren"), &TMain::Export1Click);
    command(datei, QStringLiteral("XMILE-Modell &importieren..."), &TMain::XmileImportieren1Click);
    c.exportXmile = command(datei, QStringLiteral("&Als XMILE exportieren..."), &TMain::XmileExportieren1Click);
    c.print = command(datei, QStringLiteral("&Drucken..."), &TMain::Drucken1Click, QStringLiteral("Drucken"), tools);
    c.print->setShortcut(QKeySequence::Print);
    command(datei, QStringLiteral("Drucker&einrichtung..."), &TMain::Druckereinrichtung1Click);
    c.savePdf = command(datei, QStringLiteral("Als PDF speichern..."), &TMain::AlsPdf1Click);
    datei->addSeparator();
    command(datei, QStringLiteral("&Beenden"), &TMain::Beenden1Click);

    QMenu* bearbeiten = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    c.cut = command(bearbeiten, QStringLiteral("&Ausschneiden"), &TMain::Ausschneiden1Click);
    c.cut->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    c.copy = command(bearbeiten, QStringLiteral("&Kopieren"), &TMain::Kopieren1Click);
    c.copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    c.paste = command(bearbeiten, QStringLiteral("&Einfügen"), &TMain::Einfuegen1Click);
    c.paste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    c.remove = command(bearbeiten, QStringLiteral("&Löschen"), &TMain::Loeschen1Click);
    c.remove->setShortcut(QKeySequence(Qt::Key_Delete));
    c.rotate = command(bearbeiten, QStringLiteral("&Drehen"), &TMain::Drehen1Click);
    bearbeiten->addSeparator();
    c.editSimulation = command(bearbeiten, QStringLiteral("&Simulation"), &TMain::Simulation1Click,
                               QStringLiteral("Simulation bearbeiten"), tools);

    QMenu* ansicht = menuBar()->addMenu(QStringLiteral("&Ansicht"));
    c.chart = command(ansicht, QStringLiteral("&Schaubild"), &TMain::Schaubild1Click, QStringLiteral("Schaubild"), tools);
    c.table = command(ansicht, QStringLiteral("&Tabelle"), &TMain::Tabelle1Click, QStringLiteral("Tabelle"), tools);
    c.immediate = command(ansicht, QStringLiteral("sofort an&zeigen"), &TMain::SofortAnzeigen1Click);
    c.autoScale = command(ansicht, QStringLiteral("&automatisch skalieren"), &TMain::AutoSkalieren1Click);
    ansicht->addSeparator();
    c.animationStart = command(ansicht, QStringLiteral("Animation sta&rten"), &TMain::startAnimation,
                               QStringLiteral("Animation starten"), tools);
    c.animationPause = command(ansicht, QStringLiteral("Animation &Pause"), &TMain::pauseAnimation,
                               QStringLiteral("Animation Pause"), tools);
    c.animationStop = command(ansicht, QStringLiteral("Animation &beenden"), &TMain::endAnimation,
                              QStringLiteral("Animation beenden"), tools);
    ansicht->addSeparator();
    command(ansicht, QStringLiteral("&Neu zeichnen"), &TMain::NeuZeichnen1Click);
    createSliderDock(ansicht);
    for (QAction* toggle : {c.chart, c.table, c.immediate, c.autoScale, c.animationPause}) toggle->setCheckable(true);

    QMenu* einfuegen = menuBar()->addMenu(QStringLiteral("&Einfügen"));
    command(einfuegen, QStringLiteral("&Neue Simulation"), &TMain::NeueSimulation1Click, QStringLiteral("Neue Simulation"),
            tools);
    c.copySimulation = command(einfuegen, QStringLiteral("&Kopie der Simulation"), &TMain::Kopie1Click,
                               QStringLiteral("Kopie der Simulation"), tools);
    c.insertPicture = command(einfuegen, QStringLiteral("&Grafik"), &TMain::GrafikEinfuegen1Click);

    QMenu* format = menuBar()->addMenu(QStringLiteral("&Format"));
    c.formatText = command(format, QStringLiteral("&Text"), &TMain::FormatText1Click);
    c.formatPicture = command(format, QStringLiteral("&Grafik"), &TMain::FormatGrafik1Click);
    c.axisNumbers = command(format, QStringLiteral("Zahlen an &Achsen"), &TMain::ZahlenAnAchsen1Click);
    c.legend = command(format, QStringLiteral("&Legende"), &TMain::Legende1Click);
    c.formatChart = command(format, QStringLiteral("&Schaubild"), &TMain::FormatSchaubild1Click);
    c.tableNumbers = command(format, QStringLiteral("&Zahlen in Tabelle"), &TMain::ZahlenInTabelle1Click);

    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    command(hilfe, QStringLiteral("&Inhalt"), &TMain::Inhalt1Click)->setShortcut(QKeySequence(Qt::Key_F1));
    command(hilfe, QStringLiteral("&Bedienung"), &TMain::Bedienung1Click);
    command(hilfe, QStringLiteral("&Einführung in Quorvel"), &TMain::Einfuehrung1Click);
    command(hilfe, QStringLiteral("Quorvel im &Unterricht"), &TMain::Unterricht1Click);
    hilfe->addSeparator();
    command(hilfe, QStringLiteral("Info über..."), &TMain::Info1Click);

    for (QMenu* menu : {datei, bearbeiten, ansicht, einfuegen, format, hilfe})
        connect(menu, &QMenu::aboutToShow, this, &TMain::updateCommands);
}

void TMain::createToolBars() {
    addToolBarBreak();
    auto* textBar = addToolBar(QStringLiteral("Text"));
    textBar->setObjectName(QStringLiteral("textBar"));
    textBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Commands& c = commands_;
    c.textTool = command(nullptr, QStringLiteral("Text schreiben"), &TMain::TextToolClick, QStringLiteral("Text schreiben"),
                         textBar);
    c.arrowTool = command(nullptr, QStringLiteral("Objekte bearbeiten"), &TMain::ArrowToolClick,
                          QStringLiteral("Objekte bearbeiten"), textBar);
    auto* toolGroup = new QActionGroup(this);
    for (QAction* tool : {c.textTool, c.arrowTool}) {
        tool->setCheckable(true);
        toolGroup->addAction(tool);
    }
    c.arrowTool->setChecked(true);
    textBar->addSeparator();
    createFormatControls(textBar);
}

void TMain::updateCommands() {
    Commands& c = commands_;
    const bool any = !document_.Simulations.empty();
    const bool selected = document_.SelectedSimulation() != nullptr;
    const bool chart = document_.ChartShown;
    const bool table = document_.TableShown;
    c.save->setEnabled(mayBeSaved());
    c.saveAs->setEnabled(any);
    c.exportTable->setEnabled(table && selected);
    c.exportXmile->setEnabled(selected);
    c.print->setEnabled(selected);
    c.savePdf->setEnabled(selected);
    c.editSimulation->setEnabled(selected);
    const EditContext context = editContext();
    const auto routed = [&context](EditCommand command) { return RouteEdit(command, context) != EditTarget::None; };
    // Without a selected object a cut or copy takes the page with the selected simulation.
    c.cut->setEnabled(routed(EditCommand::Cut) && (context.ObjectSelected || selected));
    c.copy->setEnabled(routed(EditCommand::Copy) && (context.ObjectSelected || selected || table));
    c.remove->setEnabled(selected || context.ObjectSelected);
    c.rotate->setEnabled(routed(EditCommand::Rotate));
    c.chart->setChecked(chart);
    c.table->setChecked(table);
    c.immediate->setChecked(immediateDisplay_);
    c.autoScale->setChecked(document_.Chart->autoScale);
    c.animationStart->setEnabled(chart && selected);
    c.animationPause->setEnabled(isAnimating());
    c.animationPause->setChecked(isAnimating() && !animationTimer_->isActive());
    c.animationStop->setEnabled(isAnimating());
    c.copySimulation->setEnabled(selected);
    c.insertPicture->setEnabled(chart);
    c.formatText->setEnabled(chart);
    c.formatPicture->setEnabled(chart && selectedPicture());
    c.axisNumbers->setEnabled(chart);
    c.legend->setEnabled(chart && document_.Chart->showLegend);
    c.formatChart->setEnabled(chart);
    c.tableNumbers->setEnabled(table && table_->hasRows());
    continue_->setEnabled(selected && computingAllowed_);
    separate_->setEnabled(document_.Simulations.size() > 1);
}

void TMain::Inhalt1Click() { ShowHelpTopic(QStringLiteral("inhalt.html")); }
void TMain::Bedienung1Click() { ShowHelpTopic(QStringLiteral("bedienung.html")); }
void TMain::Einfuehrung1Click() { ShowHelpTopic(QStringLiteral("einfuehrung1.html")); }
void TMain::Unterricht1Click() { ShowHelpTopic(QStringLiteral("unterricht.html")); }

void TMain::Info1Click() {
    ShowMessage(this, MessageKind::Information, QStringLiteral("Quorvel\nVersion 3.0"));
}

void TMain::notAvailable() {
    auto* action = qobject_cast<QAction*>(sender());
    QString title = action ? action->text() : QStringLiteral("Quorvel");
    title.remove(QLatin1Char('&'));
    if (title.endsWith(QStringLiteral("..."))) title.chop(3);
    ShowNotAvailable(this, title);
}

}  // namespace qv
