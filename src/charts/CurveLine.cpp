#include "charts/CurveLine.h"

#include <QPainter>
#include <algorithm>

#include "drawing/DrawStyles.h"

namespace qv {

namespace {

// Below this many vertices drawing them all costs nothing worth saving.
constexpr std::size_t ThinningThreshold = 256;

// Dashes follow the length of the path, so leaving vertices out would move
// them; only plain pens may be thinned.
bool MayThinOut(const TSimpleLine& line, std::size_t count, bool dragging, int angle) {
    return count > ThinningThreshold && !dragging && angle == 0 &&
           (line.LineStyle == PenSolid || line.LineStyle == PenInsideFrame);
}

}  // namespace

std::vector<QPoint> ThinOutColumns(const std::vector<QPoint>& points) {
    std::vector<QPoint> kept;
    kept.reserve(std::min<std::size_t>(points.size(), 4096));
    std::size_t i = 0;
    while (i < points.size()) {
        std::size_t end = i + 1, low = i, high = i;
        while (end < points.size() && points[end].x() == points[i].x()) {
            if (points[end].y() < points[low].y()) low = end;
            if (points[end].y() > points[high].y()) high = end;
            ++end;
        }
        const std::size_t last = end - 1;
        std::size_t run[4] = {i, std::min(low, high), std::max(low, high), last};
        std::size_t previous = points.size();
        for (std::size_t k : run)
            if (k != previous) kept.push_back(points[k]), previous = k;
        i = end;
    }
    return kept;
}

void TCurvePoly::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Closed || !MayThinOut(*this, Points.size(), Dragging, Angle) || !IsInClip(dx, dy, clip)) {
        TPoly::Draw(painter, dx, dy, clip);
        return;
    }
    std::vector<QPoint> pixels;
    pixels.reserve(Points.size());
    for (const RealPoint& p : Points) pixels.push_back(VertexPixel(p));
    PainterStateKeeper keep(painter);
    SetUpPainter(painter, ThinDashes());
    painter.drawPolyline(PixelPolygon(ThinOutColumns(pixels), dx, dy));
}

void TCurveBezier::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Closed || !MayThinOut(*this, Points.size(), Dragging, Angle) || !IsInClip(dx, dy, clip)) {
        TBezier::Draw(painter, dx, dy, clip);
        return;
    }
    const std::vector<QPoint> thinned = ThinOutColumns(CurvePoints());
    PainterStateKeeper keep(painter);
    SetUpPainter(painter, ThinDashes());
    painter.drawPolyline(PixelPolygon(thinned, dx, dy));
}

}  // namespace qv
