#include "dialogs/QVLINEAT.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/ColourCombo.h"
#include "dialogs/DialogParts.h"

namespace qv {

QStringList PenStyleNames() {
    return {QStringLiteral("durchgezogen"), QStringLiteral("gestrichelt"), QStringLiteral("gepunktet"),
            QStringLiteral("Strich-Punkt"), QStringLiteral("Strich-Punkt-Punkt"), QStringLiteral("unsichtbar")};
}

TLineatdlg::TLineatdlg(QWidget* parent, uint32_t colour, uint8_t style, int32_t width, bool widthEnabled)
    : QDialog(parent), colour_(new ColourCombo(this)), style_(new QComboBox(this)), width_(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("Linienattribute"));
    colour_->setObjectName(QStringLiteral("farbe"));
    colour_->setColour(colour);
    style_->setObjectName(QStringLiteral("stil"));
    style_->addItems(PenStyleNames());
    style_->setCurrentIndex(style < style_->count() ? style : -1);
    width_->setObjectName(QStringLiteral("breite"));
    width_->setRange(1, 20);
    width_->setToolTip(QStringLiteral("in Pixel"));
    width_->setValue(width);
    width_->setEnabled(widthEnabled);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Farbe"), colour_);
    form->addRow(QStringLiteral("&Stil"), style_);
    form->addRow(QStringLiteral("&Breite"), width_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("attribute.html"), [this] { accept(); }));
}

void TLineatdlg::store(uint32_t& colour, uint8_t& style, int32_t& width) const {
    colour = colour_->colour(colour);
    if (width_->isEnabled()) width = width_->value();
    if (style_->currentIndex() >= 0) style = static_cast<uint8_t>(style_->currentIndex());
}

bool EditLineAttributes(QWidget* parent, uint32_t& colour, uint8_t& style, int32_t& width, bool widthEnabled) {
    TLineatdlg dialog(parent, colour, style, width, widthEnabled);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(colour, style, width);
    if (width == 0) width = 1;
    return true;
}

}  // namespace qv
