// The picture of the worksheet page in the chart view: shows the image the
// main window drew and reports presses, moves and releases on it in picture
// pixels.
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
    // Also without a button held, so the pointer can show what lies under it.
    void moved(QPoint position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void released(QPoint position, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

}  // namespace qv
