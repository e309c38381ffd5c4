// The line of a chart curve: a polyline or a smooth curve that, with
// thousands of values, draws only the vertices that change the picture.
#pragma once

#include <QPoint>
#include <vector>

#include "charts/ScaleKeyed.h"
#include "drawing/bspoly.h"

namespace qv {

// Of every run of consecutive points in the same pixel column only the
// first, the lowest, the highest and the last are kept, in their order: a
// solid pen covers the same pixels with them as with all of the run. The
// points come one at a time, so that a caller may leave out points it knows
// would change nothing (inside the run's column and its lowest and highest
// y, neither first nor last of the run).
class ColumnThinner {
public:
    void Add(QPoint p) {
        if (InRun(p.x())) {
            AddInRun(p);
            return;
        }
        EndRun();
        first_ = low_ = high_ = last_ = {count_++, p};
        open_ = true;
    }
    // The same for a point known to lie in the run's column.
    void AddInRun(QPoint p) {
        const Kept point{count_++, p};
        // low_ never lies beyond high_, so a point below low_ cannot be above high_.
        if (p.y() < low_.point.y())
            low_ = point;
        else if (p.y() > high_.point.y())
            high_ = point;
        last_ = point;
    }
    // The points kept; no point may be added after.
    std::vector<QPoint> Finish();

    bool InRun(int x) const { return open_ && first_.point.x() == x; }
    int Lowest() const { return low_.point.y(); }
    int Highest() const { return high_.point.y(); }

private:
    struct Kept {
        std::size_t index = 0;
        QPoint point;
    };
    void EndRun();

    std::vector<QPoint> kept_;
    Kept first_, low_, high_, last_;
    bool open_ = false;
    std::size_t count_ = 0;
};

// Both keep what they drew, the kept pixels of their thinned line, for the
// next drawing at the same scales.
class TCurvePoly : public TPoly {
public:
    using TPoly::TPoly;
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    void GeometryChanged() override { thinned_.forget(); }

protected:
    void VerticesChanged() override { thinned_.forget(); }

private:
    ScaleKeyed<std::vector<QPoint>> thinned_;
};

class TCurveBezier : public TBezier {
public:
    using TBezier::TBezier;
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    void GeometryChanged() override {
        TBezier::GeometryChanged();
        thinned_.forget();
    }

protected:
    void VerticesChanged() override { thinned_.forget(); }

private:
    // The kept points of the curve, computed without storing all of it.
    std::vector<QPoint> ThinnedCurve() const;

    ScaleKeyed<std::vector<QPoint>> thinned_;
};

}  // namespace qv
