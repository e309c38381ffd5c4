// "Achse": range, ticks, crossing position and auxiliary lines of one axis.
#pragma once

#include <QDialog>

#include <cstdint>
#include <string>

#include "charts/AxisFields.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace qv {

class Taxis3D;

class TAchsedlg : public QDialog {
public:
    TAchsedlg(QWidget* parent, const QString& caption, const Taxis3D& axis, bool threeD);

    // Writes the (checked) entries into the axis.
    void store(Taxis3D& axis) const;

private:
    void fillNumbers(const Taxis3DFields& fields);
    void LogarithmischClick();
    void rewriteLogarithmic();
    void HilfslinienattributeClick();
    void OKClick();
    // "&Lage" in a three-dimensional chart: the text before and after "/".
    std::string crossText(bool second) const;

    Taxis3DFields stored_;  // the axis as it came, for switching the log scale off
    bool threeD_;
    uint32_t gridColor_;
    uint8_t gridStyle_;
    QLineEdit* von_;
    QLineEdit* bis_;
    QLineEdit* abstand_;
    QLineEdit* lage_;
    QLineEdit* kleine_;
    QCheckBox* hilfslinien_;
    QCheckBox* logarithmisch_;
    QCheckBox* sichtbar_;
    QPushButton* attribute_;
};

// True when OK closed the dialog; the axis is changed only then.
bool EditAxis(QWidget* parent, const QString& caption, Taxis3D& axis, bool threeD);

}  // namespace qv
