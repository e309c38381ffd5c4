#include "app/bswarten.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

TWartendlg::TWartendlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Bitte warten..."));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    layout->addWidget(bar_);
    abbrechen_ = new QPushButton(QStringLiteral("&Abbrechen"), this);
    abbrechen_->setAutoDefault(false);
    layout->addWidget(abbrechen_, 0, Qt::AlignHCenter);
    connect(abbrechen_, &QPushButton::clicked, this, &QWidget::hide);
    resize(300, 90);
}

void TWartendlg::start() {
    bar_->setValue(0);
    show();
    raise();
}

bool TWartendlg::poll(int position) {
    if (!isVisible()) return false;
    bar_->setValue(position);
    QCoreApplication::processEvents();
    return isVisible();
}

int TWartendlg::position() const { return bar_->value(); }

}  // namespace qv
