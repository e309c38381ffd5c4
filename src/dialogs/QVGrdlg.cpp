#include "dialogs/QVGrdlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

#include "charts/bsgraf3d.h"
#include "dialogs/ColourCombo.h"
#include "dialogs/DialogParts.h"
#include "dialogs/QVachse.h"
#include "drawing/QtText.h"
#include "util/EntryChecks.h"
#include "util/NumberFormat.h"

namespace qv {

namespace {

// Cutting the fractions off keeps the checked bounds: left + width stays
// within 100 and width at least 20.
int32_t WholePercent(const QLineEdit* edit) { return static_cast<int32_t>(std::floor(EntryReal(edit))); }

}  // namespace

TGraphdlg::TGraphdlg(QWidget* parent, Tgraf3d& chart, uint32_t windowBackground)
    : QDialog(parent),
      chart_(chart),
      links_(NamedWidget<QLineEdit>("links", QString::number(chart.plotPercent.Left), this)),
      oben_(NamedWidget<QLineEdit>("oben", QString::number(chart.plotPercent.Top), this)),
      breite_(NamedWidget<QLineEdit>("breite", QString::number(chart.plotPercent.Width), this)),
      hoehe_(NamedWidget<QLineEdit>("hoehe", QString::number(chart.plotPercent.Height), this)),
      fensterhintergrund_(new ColourCombo(this)),
      farbe_(new ColourCombo(this)),
      legende_(new QCheckBox(QStringLiteral("Le&gende"), this)),
      timer_(new QSpinBox(this)),
      xAchse_(NamedWidget<QPushButton>("xachse", QStringLiteral("&x-Achse"), this)),
      yAchse_(NamedWidget<QPushButton>("yachse", QStringLiteral("&y-Achse"), this)),
      zAchse_(NamedWidget<QPushButton>("zachse", QStringLiteral("&z-Achse"), this)) {
    setWindowTitle(QStringLiteral("Eigenschaften des Schaubilds"));
    fensterhintergrund_->setObjectName(QStringLiteral("fensterhintergrund"));
    fensterhintergrund_->setColour(windowBackground);
    farbe_->setObjectName(QStringLiteral("farbe"));
    farbe_->setColour(chart.chartColor);
    legende_->setObjectName(QStringLiteral("legende"));
    legende_->setChecked(chart.showLegend);
    timer_->setObjectName(QStringLiteral("timer"));
    timer_->setRange(1, 10000);
    timer_->setSingleStep(10);
    timer_->setSuffix(QStringLiteral(" ms"));
    timer_->setValue(chart.animationInterval);

    if (chart.threeD) {
        connect(xAchse_, &QPushButton::clicked, this, [this] { AxisClick(xAchse_, chart_.depthAxis()); });
        connect(yAchse_, &QPushButton::clicked, this, [this] { AxisClick(yAchse_, chart_.horizontalAxis()); });
        connect(zAchse_, &QPushButton::clicked, this, [this] { AxisClick(zAchse_, chart_.verticalAxis()); });
    } else {
        // A flat chart has no depth axis: its horizontal axis is called x.
        // The depth axis's button is left out rather than shown empty.
        xAchse_->setText(QString());
        xAchse_->setEnabled(false);
        xAchse_->hide();
        yAchse_->setText(QStringLiteral("&x-Achse"));
        zAchse_->setText(QStringLiteral("&y-Achse"));
        connect(yAchse_, &QPushButton::clicked, this, [this] { AxisClick(yAchse_, chart_.horizontalAxis()); });
        connect(zAchse_, &QPushButton::clicked, this, [this] { AxisClick(zAchse_, chart_.verticalAxis()); });
    }

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Links"), links_);
    form->addRow(QStringLiteral("&Oben"), oben_);
    form->addRow(QStringLiteral("&Breite"), breite_);
    form->addRow(QStringLiteral("&Höhe"), hoehe_);
    form->addRow(QStringLiteral("&Fensterhintergrund"), fensterhintergrund_);
    form->addRow(QStringLiteral("F&arbe"), farbe_);
    form->addRow(legende_);
    form->addRow(QStringLiteral("Timer-Intervall:"), timer_);
    auto* axes = new QHBoxLayout;
    axes->addWidget(xAchse_);
    axes->addWidget(yAchse_);
    axes->addWidget(zAchse_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(axes);
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("formatschaubild.html"), [this] { OKClick(); }));
    // Wide enough for the title bar to show the whole caption.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
}

void TGraphdlg::AxisClick(QPushButton* button, Taxis3D& axis) {
    EditAxis(this, button->text().mid(1, 10), axis, chart_.threeD);
}

void TGraphdlg::OKClick() {
    const double left = EntryReal(links_);
    const double top = EntryReal(oben_);
    const bool accepted =
        EntryAccepted(this, links_, CheckRealInRangeGeneral(EntryText(links_), 0, 70)) &&
        EntryAccepted(this, oben_, CheckRealInRangeGeneral(EntryText(oben_), 0, 70)) &&
        EntryAccepted(this, breite_, CheckRealInRangeGeneral(EntryText(breite_), 20, 100 - left)) &&
        EntryAccepted(this, hoehe_, CheckRealInRangeGeneral(EntryText(hoehe_), 20, 100 - top));
    if (accepted) accept();
}

void TGraphdlg::store(Tgraf3d& chart, uint32_t& windowBackground) const {
    chart.plotPercent = {WholePercent(links_), WholePercent(oben_), WholePercent(breite_), WholePercent(hoehe_)};
    windowBackground = fensterhintergrund_->colour(windowBackground);
    chart.chartColor = farbe_->colour(chart.chartColor);
    chart.showLegend = legende_->isChecked();
    chart.animationInterval = timer_->value();
}

bool EditChart(QWidget* parent, Tgraf3d& chart, uint32_t& windowBackground) {
    TGraphdlg dialog(parent, chart, windowBackground);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(chart, windowBackground);
    return true;
}

}  // namespace qv
