// The picture of the worksheet page in the chart view: shows the image the
// main window drew and reports presses on it in picture pixels.
#pragma once

#include <QImage>
#include <QWidget>

namespace qv {

class TChartPicture : public QWidget {
    Q_OBJECT
public:
    explicit TChartPicture(QWidget* parent = nullptr);

    void setImage(QImage image);
    const QImage& image() const { return image_; }

signals:
    void pressed(QPoint position, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

}  // namespace qv
