// Drawing a laid-out rich text on any paint device at the current page
// scales: the ruling, then the characters in runs of equal attributes.
#pragma once

#include "drawing/TextBody.h"
#include "drawing/TextFrame.h"

#include <QPainter>

namespace qv {

// Lays the text out where its caches are not valid, then draws it. A
// rotated text turns about its box centre unless it is being edited. The
// painter's state is left as it was.
void PaintText(QPainter& painter, TextBody& text, const TextFrame& frame);

}  // namespace qv
