// Stretching a picture into a box that is turned about its centre, pixel by
// pixel, for pictures drawn at an angle.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace qv {

struct PlacedImage {
    QImage Image;  // transparent where the turned box does not reach
    QPoint TopLeft;
};

// The source stretched into box (pixels) and turned by angle tenths of a
// degree about the box centre. Every target pixel is taken back by the
// inverse turn in centimetres (with the current page scales, so unequal
// scales turn as the page does) and, when it falls inside the unturned box,
// coloured from the matching source pixel. Only the part inside visible is
// produced; a null image when nothing is left.
PlacedImage StretchTurned(const QImage& source, const QRect& box, int angle, const QRect& visible);

}  // namespace qv
