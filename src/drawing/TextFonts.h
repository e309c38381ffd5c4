// Fonts of rich texts and their metrics. Texts are measured with fonts sized
// for 300 dots per inch, so a layout does not depend on the screen or the
// printer; only drawing converts to the device's scale.
#pragma once

#include "drawing/TextChar.h"

#include <QFont>
#include <QFontMetricsF>

#include <cstdint>
#include <string>

namespace qv {

inline constexpr double MeasureScale = 300.0 / 2.54;  // pixels per cm

// Makes the Windows font names that documents carry ("Arial", "Times New
// Roman") resolve to their metric twins. Every entry point that creates
// fonts calls it; only the first call does anything.
void PrepareFonts();

// The pixel height of a font of the given size at the given scale
// (pixels per cm), kept within what a font engine can render.
int FontPixelHeight(double points, double pixelsPerCm);

QFont MakeFont(const std::string& cp1252Name, uint8_t style, int pixelHeight);

// Metrics of one font at MeasureScale, in cm.
class MeasuredFont {
public:
    explicit MeasuredFont(const QFontMetricsF& metrics) : metrics_(metrics) {}
    double ascent() const { return metrics_.ascent() / MeasureScale; }
    double descent() const { return metrics_.descent() / MeasureScale; }
    double height() const { return metrics_.height() / MeasureScale; }
    double width(uint8_t glyph) const;

private:
    QFontMetricsF metrics_;
};

// Metrics are kept per name, style and pixel height, since a layout asks for
// the same few fonts again and again.
MeasuredFont MeasureFont(const std::string& cp1252Name, uint8_t style, double points);

// 1 … 6 for the handwriting fonts "Vidiv LA" … "Vidiv HDS By", else 0.
int HandwritingFontNumber(const std::string& name);

}  // namespace qv
