#include "drawing/TextFonts.h"

#include "drawing/QtText.h"

#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace qv {

namespace {

// Large enough for any text on a page, small enough that a damaged size
// cannot make the font engine render glyphs of absurd size.
constexpr int MaxPixelHeight = 8000;
constexpr std::size_t MaxCachedFonts = 512;

using FontKey = std::tuple<std::string, uint8_t, int>;

}  // namespace

void PrepareFonts() {
    static const bool done = [] {
        // fontconfig aliases do this on most systems already; the explicit
        // substitution also covers a font database without them.
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    (void)done;
}

int FontPixelHeight(double points, double pixelsPerCm) {
    double px = std::round(std::fabs(points) * CmPerPoint * pixelsPerCm);
    if (!(px >= 1)) return 1;  // also NaN
    return px > MaxPixelHeight ? MaxPixelHeight : static_cast<int>(px);
}

QFont MakeFont(const std::string& cp1252Name, uint8_t style, int pixelHeight) {
    PrepareFonts();
    QFont font(ToQString(cp1252Name));
    font.setPixelSize(pixelHeight < 1 ? 1 : pixelHeight);
    font.setBold(style & StyleBold);
    font.setItalic(style & StyleItalic);
    font.setUnderline(style & StyleUnderline);
    font.setStrikeOut(style & StyleStrikeOut);
    // Hinting would bend the widths towards whole pixels of the device and
    // make the layout depend on it.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

double MeasuredFont::width(uint8_t glyph) const { return metrics_.horizontalAdvance(ToQChar(glyph)) / MeasureScale; }

MeasuredFont MeasureFont(const std::string& cp1252Name, uint8_t style, double points) {
    static std::map<FontKey, QFontMetricsF> cache;
    int px = FontPixelHeight(points, MeasureScale);
    FontKey key{cp1252Name, style, px};
    auto it = cache.find(key);
    if (it == cache.end()) {
        if (cache.size() >= MaxCachedFonts) cache.clear();
        it = cache.emplace(key, QFontMetricsF(MakeFont(cp1252Name, style, px))).first;
    }
    return MeasuredFont(it->second);
}

int HandwritingFontNumber(const std::string& name) {
    static const std::array<const char*, 6> names = {"Vidiv LA", "Vidiv VA", "Vidiv SA",
                                                     "Vidiv DS", "Vidiv HDS", "Vidiv HDS By"};
    for (std::size_t i = 0; i < names.size(); ++i)
        if (name == names[i]) return static_cast<int>(i) + 1;
    return 0;
}

}  // namespace qv
