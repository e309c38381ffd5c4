// The line of a chart curve: a polyline or a smooth curve that, with
// thousands of values, draws only the vertices that change the picture.
#pragma once

#include <QPoint>
#include <vector>

#include "drawing/bspoly.h"

namespace qv {

// Of every run of consecutive points in the same pixel column only the
// first, the lowest, the highest and the last are kept, in their order: a
// solid pen covers the same pixels with them as with all of the run.
std::vector<QPoint> ThinOutColumns(const std::vector<QPoint>& points);

class TCurvePoly : public TPoly {
public:
    using TPoly::TPoly;
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
};

class TCurveBezier : public TBezier {
public:
    using TBezier::TBezier;
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
};

}  // namespace qv
