#include "dialogs/QVFormatdlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/DialogParts.h"
#include "engine/Tvariable.h"

namespace qv {

TFormatdlg::TFormatdlg(QWidget* parent, const Tvariable& variable)
    : QDialog(parent),
      label_(new QLabel(QStringLiteral("Nachkommastellen:"), this)),
      decimals_(new QSpinBox(this)),
      scientific_(new QCheckBox(QStringLiteral("Normdarstellung"), this)) {
    setWindowTitle(QStringLiteral("Zahlenformat"));
    decimals_->setObjectName(QStringLiteral("nachkommastellen"));
    decimals_->setRange(0, 18);
    decimals_->setValue(variable.Decimals);
    label_->setBuddy(decimals_);
    scientific_->setObjectName(QStringLiteral("normdarstellung"));
    scientific_->setToolTip(QStringLiteral("Wissenschaftliche Darstellung mit Exponent"));
    // The decimal places mean nothing in exponent notation.
    connect(scientific_, &QCheckBox::toggled, this, [this](bool on) {
        label_->setHidden(on);
        decimals_->setHidden(on);
    });
    scientific_->setChecked(variable.Scientific);
    label_->setHidden(variable.Scientific);
    decimals_->setHidden(variable.Scientific);

    auto* row = new QHBoxLayout;
    row->addWidget(label_);
    row->addWidget(decimals_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scientific_);
    layout->addLayout(row);
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("formatspalte.html"), [this] { accept(); }));
}

void TFormatdlg::store(Tvariable& variable) const {
    variable.Decimals = decimals_->value();
    variable.Scientific = scientific_->isChecked();
}

bool EditNumberFormat(QWidget* parent, Tvariable& variable) {
    TFormatdlg dialog(parent, variable);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(variable);
    return true;
}

}  // namespace qv
