// "Drehen": the rotation angle of the selected page objects.
#pragma once

#include <QDialog>

#include <cstdint>

class QLineEdit;

namespace qv {

class TKomplex;

class TWinkeldlg : public QDialog {
public:
    TWinkeldlg(QWidget* parent, int32_t angleTenths);

    // The accepted angle in tenths of a degree, 0 … 3599.
    int32_t angle() const { return angle_; }

private:
    void accept() override;

    QLineEdit* entry_;
    int32_t angle_;
};

// Asks for an angle, starting from angleTenths; true and the new angle in
// angleTenths when OK closed the dialog.
bool AskRotation(QWidget* parent, int32_t& angleTenths);

// Asks for the angle of the page's selected objects and turns them to it.
// True when they were turned; a rotation that cannot be computed says so in
// an error box and leaves every object as it was.
bool RotateSelection(QWidget* parent, TKomplex& page);

}  // namespace qv
