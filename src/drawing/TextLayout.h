// Layout of a rich text: where each character goes in a box of a given
// width, in cm at MeasureScale. Results are kept in each character's cache;
// InvalidateLayout clears it where the text changed.
#pragma once

#include "drawing/TextBody.h"

#include <cstddef>

namespace qv {

// What the layout carries from one character to the next (cm): the pen
// position x, the line top y (the baseline lies at y + a), the line height
// so far h, the line ascent a, the last advance w and extra width e.
struct LayoutState {
    double x = 0, y = 0, h = 0, a = 0, w = 0, e = 0;
};

// One layout step. Index -1 starts the first line; otherwise the character
// is placed (from its cache when that is valid) and, when it ends a line,
// the next line is started. With store the results go into the cache.
void Layout(TextBody& text, double boxWidth, bool store, LayoutState& state, int index);

// Lays out every character with caching; the state after the last one.
LayoutState LayoutAll(TextBody& text, double boxWidth);

// Recomputes the text's Ascent and Descent from its own font.
void UpdateTextMetrics(TextBody& text);

// The character goes centred into a grid cell of its own (squared papers 8, 9).
bool IsCellPlaced(const TextBody& text, std::size_t index);

// Width of a character's glyph (and its extra glyph) in its font, cm.
double CharWidth(const TextBody& text, std::size_t index);

// Recomputes every SoftBreak for the box width (whatever WrapMode says;
// callers decide when wrapping applies) and clears all caches.
void Wrap(TextBody& text, double boxWidth);

// Grows the box to fit the laid-out text; with AutoSize it starts from an
// empty box and so fits it exactly.
void AdjustSize(TextBody& text, double& boxWidth, double& boxHeight);

void InvalidateLayout(TextBody& text, std::size_t from, std::size_t to);
void InvalidateAll(TextBody& text);

// The x where the character's line content ends: a blank at which the line
// was wrapped does not count.
double LineEndX(const TcharWithAttr& ch);

}  // namespace qv
