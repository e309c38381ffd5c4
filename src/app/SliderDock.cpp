#include "app/SliderDock.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"
#include "engine/QVSim.h"
#include "util/NumberFormat.h"

namespace qv {

TSliderDock::TSliderDock(QWidget* parent) : QDockWidget(QStringLiteral("Schieberegler"), parent) {
    setObjectName(QStringLiteral("sliderDock"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* chooser = new QHBoxLayout;
    choice_ = new QComboBox(body);
    choice_->setObjectName(QStringLiteral("sliderChoice"));
    choice_->setToolTip(QStringLiteral("Startwert, der einen Schieberegler bekommt"));
    auto* add = new QPushButton(QStringLiteral("Hinzufügen"), body);
    add->setObjectName(QStringLiteral("addSlider"));
    connect(add, &QPushButton::clicked, this, &TSliderDock::addChosen);
    chooser->addWidget(choice_, 1);
    chooser->addWidget(add);
    layout->addLayout(chooser);
    rowArea_ = new QWidget(body);
    grid_ = new QGridLayout(rowArea_);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setColumnStretch(1, 1);
    layout->addWidget(rowArea_);
    slowText_ = new QLabel(ToQString(TooSlowText), body);
    slowText_->setObjectName(QStringLiteral("tooSlow"));
    slowText_->setWordWrap(true);
    slowText_->hide();
    layout->addWidget(slowText_);
    layout->addStretch(1);
    setWidget(body);
}

void TSliderDock::setRows(std::vector<SliderRow> rows) {
    rows_ = std::move(rows);
    rebuild();
}

void TSliderDock::showSimulation(const tsim* simulation) {
    simulation_ = simulation;
    setTooSlow(false);
    rebuild();
}

void TSliderDock::setTooSlow(bool slow) {
    tooSlow_ = slow;
    slowText_->setVisible(slow);
}

SliderRow* TSliderDock::rowData(const std::string& variable) {
    if (!simulation_) return nullptr;
    auto found = std::find_if(rows_.begin(), rows_.end(), [&](const SliderRow& row) {
        return row.Simulation == simulation_->Name && row.Variable == variable;
    });
    return found == rows_.end() ? nullptr : &*found;
}

double TSliderDock::startValue(const std::string& variable) const {
    const int index = simulation_ ? simulation_->IndexOfVariable(variable) : -1;
    return index < 0 ? 0 : simulation_->Variables[index]->StartValue;
}

void TSliderDock::rebuild() {
    // Called from a row's own remove button too: the old widgets go once it
    // returned, silent, hidden and nameless until then.
    while (QLayoutItem* item = grid_->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            disconnect(widget, nullptr, this, nullptr);
            widget->hide();
            widget->setObjectName(QString());
            widget->deleteLater();
        }
        delete item;
    }
    shown_.clear();
    choice_->clear();
    if (!simulation_) return;
    for (const auto& variable : simulation_->Variables) {
        if (!variable->IsInput) continue;
        if (!rowData(variable->Name)) {
            choice_->addItem(ToQString(variable->Name));
            continue;
        }
        Row row;
        row.Variable = variable->Name;
        shown_.push_back(row);
    }
    for (size_t i = 0; i < shown_.size(); ++i) {
        Row& row = shown_[i];
        const QString name = ToQString(row.Variable);
        // Two lines per start value: its name, value and remove button above,
        // the slider between its range's ends below, so that the slider gets
        // the dock's whole width and the dock stays narrow beside the page.
        const int line = 2 * static_cast<int>(i);
        auto* title = new QLabel(QStringLiteral("<b>%1</b>").arg(name.toHtmlEscaped()), rowArea_);
        row.Slider = new QSlider(Qt::Horizontal, rowArea_);
        row.Slider->setObjectName(QStringLiteral("slider_") + name);
        row.Slider->setRange(0, SliderSteps);
        row.Slider->setSingleStep(1);
        row.Slider->setPageStep(SliderSteps / 10);
        row.Slider->setMinimumWidth(160);
        row.Value = new QLabel(rowArea_);
        row.Value->setObjectName(QStringLiteral("value_") + name);
        row.From = new QLineEdit(rowArea_);
        row.From->setObjectName(QStringLiteral("from_") + name);
        row.From->setToolTip(QStringLiteral("Anfang des Bereichs"));
        row.To = new QLineEdit(rowArea_);
        row.To->setObjectName(QStringLiteral("to_") + name);
        row.To->setToolTip(QStringLiteral("Ende des Bereichs"));
        for (QLineEdit* edit : {row.From, row.To})
            edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-00000,00")) + 8);
        auto* remove = new QToolButton(rowArea_);
        remove->setObjectName(QStringLiteral("remove_") + name);
        remove->setText(QStringLiteral("×"));
        remove->setToolTip(QStringLiteral("Schieberegler entfernen"));
        grid_->addWidget(title, line, 0);
        grid_->addWidget(row.Value, line, 1);
        grid_->addWidget(remove, line, 2, Qt::AlignRight);
        grid_->addWidget(row.From, line + 1, 0);
        grid_->addWidget(row.Slider, line + 1, 1);
        grid_->addWidget(row.To, line + 1, 2);
        connect(row.Slider, &QSlider::valueChanged, this,
                [this, i](int position) { positionChanged(shown_[i], position); });
        connect(row.Slider, &QSlider::sliderReleased, this, [this, i] { released(shown_[i]); });
        for (QLineEdit* edit : {row.From, row.To})
            connect(edit, &QLineEdit::editingFinished, this, [this, i, edit] { rangeEdited(shown_[i], *edit); });
        connect(remove, &QToolButton::clicked, this, [this, variable = row.Variable] { this->remove(variable); });
    }
    refreshValues();
}

void TSliderDock::refreshValues() {
    for (Row& row : shown_) {
        const SliderRow* data = rowData(row.Variable);
        row.Committed = startValue(row.Variable);
        row.Pending = -1;
        row.From->setText(ToQString(RealToText(data->From)));
        row.To->setText(ToQString(RealToText(data->To)));
        const QSignalBlocker quiet(row.Slider);
        row.Slider->setValue(SliderPosition(*data, row.Committed));
        showValue(row, row.Committed);
    }
}

void TSliderDock::showValue(Row& row, double value) { row.Value->setText(ToQString(RealToText(value))); }

void TSliderDock::addChosen() {
    if (!simulation_ || choice_->currentIndex() < 0) return;
    const std::string variable = FromQString(choice_->currentText());
    rows_.push_back(NewSliderRow(simulation_->Name, variable, startValue(variable)));
    rebuild();
    emit rowsChanged();
}

void TSliderDock::remove(const std::string& variable) {
    const SliderRow* data = rowData(variable);
    if (!data) return;
    rows_.erase(rows_.begin() + (data - rows_.data()));
    rebuild();
    emit rowsChanged();
}

void TSliderDock::positionChanged(Row& row, int position) {
    row.Pending = position;
    showValue(row, SliderValue(*rowData(row.Variable), position));
    if (reportScheduled_) return;
    reportScheduled_ = true;
    QTimer::singleShot(0, this, &TSliderDock::reportPending);
}

void TSliderDock::reportPending() {
    reportScheduled_ = false;
    for (Row& row : shown_) {
        if (row.Pending < 0) continue;
        const double value = SliderValue(*rowData(row.Variable), row.Pending);
        row.Pending = -1;
        emit moved(row.Variable, value);
        // A key or a click beside the handle is a whole change of its own.
        if (!row.Slider->isSliderDown()) released(row);
    }
}

void TSliderDock::released(Row& row) {
    if (row.Pending >= 0) reportPending();
    const double after = SliderValue(*rowData(row.Variable), row.Slider->value());
    const double before = row.Committed;
    row.Committed = after;
    emit committed(row.Variable, before, after);
}

void TSliderDock::rangeEdited(Row& row, QLineEdit& edit) {
    SliderRow* data = rowData(row.Variable);
    if (!data) return;
    const auto message =
        CheckSliderRange(FromQString(row.From->text()), FromQString(row.To->text()), data->From, data->To);
    if (message) {
        // The message box takes the focus, which would finish the edit again.
        const QSignalBlocker quietFrom(row.From), quietTo(row.To);
        ShowMessage(this, MessageKind::Error, *message);
        edit.setFocus();
        return;
    }
    const QSignalBlocker quiet(row.Slider);
    row.Slider->setValue(SliderPosition(*data, row.Committed));
    emit rowsChanged();
}

}  // namespace qv
