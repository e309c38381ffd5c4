// "Linienattribute": colour, style and width of a line.
#pragma once

#include <QDialog>

#include <cstdint>

class QComboBox;
class QSpinBox;

namespace qv {

class ColourCombo;

class TLineatdlg : public QDialog {
public:
    TLineatdlg(QWidget* parent, uint32_t colour, uint8_t style, int32_t width, bool widthEnabled);

    // Writes the entries over the given values (the colour only when one is
    // selected, the width only when its box is enabled).
    void store(uint32_t& colour, uint8_t& style, int32_t& width) const;

private:
    ColourCombo* colour_;
    QComboBox* style_;
    QSpinBox* width_;
};

// The pen style names of the "Stil" list, in style-number order.
QStringList PenStyleNames();

// True when OK closed the dialog; a width of 0 comes back as 1.
bool EditLineAttributes(QWidget* parent, uint32_t& colour, uint8_t& style, int32_t& width, bool widthEnabled);

}  // namespace qv
