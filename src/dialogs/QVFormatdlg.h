// "Zahlenformat": decimal places or exponent notation of a table column.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace qv {

struct Tvariable;

class TFormatdlg : public QDialog {
public:
    TFormatdlg(QWidget* parent, const Tvariable& variable);

    void store(Tvariable& variable) const;

private:
    QLabel* label_;
    QSpinBox* decimals_;
    QCheckBox* scientific_;
};

// True when OK closed the dialog; the variable is changed only then.
bool EditNumberFormat(QWidget* parent, Tvariable& variable);

}  // namespace qv
