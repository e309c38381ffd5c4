// School paper behind a rich text: the five ruled papers (styles 2 to 6)
// and the squared papers (7 to 9).
#pragma once

#include "drawing/TextBody.h"
#include "drawing/TextFrame.h"

#include <QPainter>

namespace qv {

// Draws the ruling of the text's paper style; plain paper draws nothing.
// The text's Ascent and Descent are refreshed first, since the bands of
// ruled paper hang from them. The painter's transform rotates the ruling.
void PaintRuling(QPainter& painter, TextBody& text, const TextFrame& frame);

// The offsets of the outer and inner band of ruled paper below a line top (cm).
struct BandOffsets {
    double Outer = 0, Inner = 0;
};
BandOffsets RuledBandOffsets(const TextBody& text);

}  // namespace qv
