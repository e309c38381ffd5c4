#include "app/ChartPicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace qv {

TChartPicture::TChartPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setMouseTracking(true);
}

void TChartPicture::setImage(QImage image) {
    image_ = std::move(image);
    setFixedSize(image_.size());
    update();
}

void TChartPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void TChartPicture::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint(), event->button());
}

void TChartPicture::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->position().toPoint(), event->buttons(), event->modifiers());
}

void TChartPicture::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->position().toPoint(), event->button());
}

}  // namespace qv
