#include "dialogs/ColourCombo.h"

#include <QIcon>
#include <QPixmap>

#include "drawing/QtText.h"
#include "util/Palette.h"

namespace qv {

ColourCombo::ColourCombo(QWidget* parent) : QComboBox(parent) {
    for (const PaletteEntry& entry : Farbtabelle) {
        const uint32_t c = entry.Colour;
        QPixmap swatch(16, 12);
        swatch.fill(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        addItem(QIcon(swatch), ToQString(entry.Name));
    }
}

void ColourCombo::setColour(uint32_t colour) { setCurrentIndex(PaletteIndex(colour)); }

uint32_t ColourCombo::colour(uint32_t fallback) const {
    const int index = currentIndex();
    if (index < 0 || index >= static_cast<int>(Farbtabelle.size())) return fallback;
    return Farbtabelle[static_cast<std::size_t>(index)].Colour;
}

}  // namespace qv
