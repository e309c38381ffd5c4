// A colour chooser listing the palette's colours by name, in palette order.
// A colour outside the palette shows no selection and is kept unchanged.
#pragma once

#include <QComboBox>

#include <cstdint>

namespace qv {

class ColourCombo : public QComboBox {
public:
    explicit ColourCombo(QWidget* parent = nullptr);

    // Selects the palette entry of the colour, or nothing.
    void setColour(uint32_t colour);
    // The selected palette colour, or fallback when nothing is selected.
    uint32_t colour(uint32_t fallback) const;
};

}  // namespace qv
