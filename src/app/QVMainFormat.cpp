// The font commands of the format menu: the texts' defaults, the numbers at
// the axes and the legend.
#include "app/QVMain.h"
#include "charts/QVLegend.h"
#include "charts/bsgraf3d.h"
#include "dialogs/FontChoice.h"
#include "drawing/TextDefaults.h"
#include "drawing/bstext.h"

#include <cmath>

namespace qv {

namespace {

// The axis numbers' and the legend's fonts have the same three fields; the
// dialog starts from them and writes the choice back.
template <typename Font>
bool AskFont(QWidget* parent, const QString& caption, Font& font) {
    const std::optional<FontChoice> chosen = ChooseFont(parent, caption, FontChoice{font.Name, font.Size, font.Style});
    if (!chosen) return false;
    font.Name = chosen->Name;
    font.Size = chosen->Size;
    font.Style = chosen->Style;
    return true;
}

}  // namespace

void TMain::FormatText1Click() {
    TextDefaultValues& defaults = TextDefaults();
    const FontChoice current{defaults.FontName, static_cast<int>(std::lround(defaults.DefaultTextSize)), defaults.FontStyle};
    const std::optional<FontChoice> chosen = ChooseFont(this, QStringLiteral("Text"), current);
    if (!chosen) return;
    defaults.FontName = chosen->Name;
    defaults.DefaultTextSize = chosen->Size;
    defaults.FontStyle = chosen->Style;
    for (const auto& object : document_.Page->Children) {
        if (!object->Selected()) continue;
        for (int kind : {KindFontName, KindTextSize, KindTextStyle}) object->ApplyDefault(kind);
    }
    markChanged();
    display(false);
}

void TMain::ZahlenAnAchsen1Click() {
    if (!AskFont(this, QStringLiteral("Zahlen an Achsen"), document_.Chart->labelFont)) return;
    markChanged();
    display(false);
}

void TMain::Legende1Click() {
    if (!AskFont(this, QStringLiteral("Legende"), LegendFont())) return;
    markChanged();
    display(false);
}

}  // namespace qv
