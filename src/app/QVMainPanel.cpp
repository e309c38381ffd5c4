// The control panel: the simulation box, the axis choice, the variable list
// and the switches and buttons under it.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/QVMain.h"
#include "app/SliderDock.h"
#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "drawing/QtText.h"

namespace qv {

QWidget* TMain::createControlPanel() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(190);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 0, 0, 0);

    layout->addWidget(new QLabel(QStringLiteral("Name der Simulation:"), panel));
    simulationBox_ = new QComboBox(panel);
    simulationBox_->setObjectName(QStringLiteral("simulationBox"));
    simulationBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(simulationBox_);
    connect(simulationBox_, &QComboBox::activated, this, &TMain::SimulationBoxChange);
    connect(simulationBox_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("&Löschen"), this, &TMain::deleteSimulation)->setEnabled(document_.Selected >= 0);
        menu.exec(simulationBox_->mapToGlobal(at));
    });

    layout->addWidget(new QLabel(QStringLiteral("x-Achse:"), panel));
    xAxis_ = new QComboBox(panel);
    xAxis_->setObjectName(QStringLiteral("xAxis"));
    layout->addWidget(xAxis_);
    connect(xAxis_, &QComboBox::activated, this, &TMain::XAchseChange);

    layout->addWidget(new QLabel(QStringLiteral("y-Achse:"), panel));
    yAxis_ = new QComboBox(panel);
    yAxis_->setObjectName(QStringLiteral("yAxis"));
    layout->addWidget(yAxis_);
    connect(yAxis_, &QComboBox::activated, this, &TMain::YAchseChange);
    zLabel_ = new QLabel(QStringLiteral("z-Achse"), panel);
    layout->addWidget(zLabel_);

    variables_ = new QListWidget(panel);
    variables_->setObjectName(QStringLiteral("variables"));
    variables_->setSelectionMode(QAbstractItemView::MultiSelection);
    variables_->setToolTip(QStringLiteral("Variabeln für die Hochachse markieren"));
    layout->addWidget(variables_, 1);
    connect(variables_, &QListWidget::itemSelectionChanged, this, &TMain::VariablenClick);

    threeD_ = new QCheckBox(QStringLiteral("3-dimensional"), panel);
    threeD_->setObjectName(QStringLiteral("threeD"));
    layout->addWidget(threeD_);
    connect(threeD_, &QCheckBox::clicked, this, &TMain::DreiDClick);
    separate_ = new QCheckBox(QStringLiteral("getrennte Schaubilder"), panel);
    separate_->setObjectName(QStringLiteral("separateCharts"));
    separate_->setEnabled(false);
    layout->addWidget(separate_);
    connect(separate_, &QCheckBox::clicked, this, &TMain::GetrenntClick);

    bigButton_ = new QPushButton(panel);
    bigButton_->setObjectName(QStringLiteral("bigButton"));
    bigButton_->setMinimumHeight(36);
    layout->addWidget(bigButton_);
    connect(bigButton_, &QPushButton::clicked, this, &TMain::AnzeigenClick);
    continue_ = new QPushButton(QStringLiteral("Weiter rechnen..."), panel);
    continue_->setObjectName(QStringLiteral("continue"));
    continue_->setEnabled(false);
    layout->addWidget(continue_);
    connect(continue_, &QPushButton::clicked, this, &TMain::WeiterClick);
    placeVariableList();
    return panel;
}

void TMain::fillSimulationBox() {
    filling_ = true;
    simulationBox_->clear();
    for (const auto& simulation : document_.Simulations) simulationBox_->addItem(ToQString(simulation->Name));
    simulationBox_->setCurrentIndex(document_.Selected);
    filling_ = false;
}

void TMain::SimulationBoxChange(int index) {
    stopAnimation();
    if (running_) {
        simulationBox_->setCurrentIndex(document_.Selected);
        return;
    }
    document_.Selected = index;
    selectSimulation();
}

void TMain::selectSimulation() {
    separate_->setEnabled(document_.Simulations.size() > 1);
    filling_ = true;
    xAxis_->clear();
    yAxis_->clear();
    variables_->clear();
    tsim* simulation = document_.SelectedSimulation();
    if (simulation) {
        for (const auto& variable : simulation->Variables) {
            const QString name = ToQString(variable->Name);
            xAxis_->addItem(name);
            yAxis_->addItem(name);
            variables_->addItem(name);
            variables_->item(variables_->count() - 1)->setSelected(variable->Plotted);
        }
        xAxis_->setCurrentIndex(simulation->IndexOfVariable(simulation->XAxisName));
        const int y = simulation->YAxisName.empty() ? 0 : simulation->IndexOfVariable(simulation->YAxisName);
        yAxis_->setCurrentIndex(y);
    }
    simulationBox_->setCurrentIndex(document_.Selected);
    filling_ = false;
    sliders_->showSimulation(simulation);
    if (simulation && separate_->isChecked()) anzeigen();
    updateHint();
}

void TMain::XAchseChange(int index) {
    stopAnimation();
    tsim* simulation = document_.SelectedSimulation();
    if (running_ || !simulation || index < 0) return;
    simulation->XAxisName = FromQString(xAxis_->itemText(index));
    markChanged();
    if (immediateDisplay_) anzeigen();
}

void TMain::YAchseChange(int index) {
    stopAnimation();
    tsim* simulation = document_.SelectedSimulation();
    if (running_ || !simulation || index < 0) return;
    simulation->YAxisName = FromQString(yAxis_->itemText(index));
    markChanged();
    if (immediateDisplay_) anzeigen();
}

void TMain::VariablenClick() {
    stopAnimation();
    tsim* simulation = document_.SelectedSimulation();
    if (filling_ || !simulation) return;
    if (running_) {
        // The marks stay as the running computation knows them.
        selectSimulation();
        return;
    }
    std::vector<std::string> names;
    for (int row = 0; row < variables_->count(); ++row)
        if (variables_->item(row)->isSelected()) names.push_back(FromQString(variables_->item(row)->text()));
    MarkPlotted(document_, *simulation, names);
    markChanged();
    if (immediateDisplay_) anzeigen();
    updateHint();
}

void TMain::DreiDClick(bool checked) {
    stopAnimation();
    if (running_) {
        threeD_->setChecked(document_.Chart->threeD);
        return;
    }
    document_.Chart->threeD = checked;
    placeVariableList();
    markChanged();
    if (immediateDisplay_) anzeigen();
    updateHint();
}

void TMain::placeVariableList() {
    // In two dimensions the variable list is the vertical axis and takes the
    // y-axis list's place; in three the y-axis list names the horizontal axis.
    const bool threeD = document_.Chart->threeD;
    threeD_->setChecked(threeD);
    yAxis_->setVisible(threeD);
    zLabel_->setVisible(threeD);
}

void TMain::GetrenntClick() {
    stopAnimation();
    if (running_) {
        separate_->setChecked(document_.SeparateCharts);
        return;
    }
    document_.SeparateCharts = separate_->isChecked();
    markChanged();
    if (document_.Chart->autoScale) {
        anzeigen();
    } else {
        display(false);
    }
}

void TMain::AnzeigenClick() {
    stopAnimation();
    if (immediateDisplay_) {
        Simulation1Click();
    } else {
        anzeigen();
    }
}

void TMain::setImmediateDisplay(bool on) {
    immediateDisplay_ = on;
    bigButton_->setText(on ? QStringLiteral("Eingabe") : QStringLiteral("Anzeigen"));
    updateHint();
}

}  // namespace qv
