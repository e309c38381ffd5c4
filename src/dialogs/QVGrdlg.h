// "Eigenschaften des Schaubilds": place, colours, legend and timer of the
// chart, with buttons that open its axes.
#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace qv {

class ColourCombo;
class Taxis3D;
class Tgraf3d;

class TGraphdlg : public QDialog {
public:
    // The axis buttons change the chart's axes at once (their own OK).
    TGraphdlg(QWidget* parent, Tgraf3d& chart, uint32_t windowBackground);

    void store(Tgraf3d& chart, uint32_t& windowBackground) const;

private:
    void AxisClick(QPushButton* button, Taxis3D& axis);
    void OKClick();

    Tgraf3d& chart_;
    QLineEdit* links_;
    QLineEdit* oben_;
    QLineEdit* breite_;
    QLineEdit* hoehe_;
    ColourCombo* fensterhintergrund_;
    ColourCombo* farbe_;
    QCheckBox* legende_;
    QSpinBox* timer_;
    QPushButton* xAchse_;
    QPushButton* yAchse_;
    QPushButton* zAchse_;
};

// True when OK closed the dialog; windowBackground is in/out.
bool EditChart(QWidget* parent, Tgraf3d& chart, uint32_t& windowBackground);

}  // namespace qv
