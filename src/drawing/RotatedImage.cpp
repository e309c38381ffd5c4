#include "drawing/RotatedImage.h"

#include "util/Geometry.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// The box's corners turned by angle about its centre, as one bounding rectangle.
QRect TurnedBounds(const QRect& box, int angle) {
    const int32_t left = box.left(), top = box.top(), width = box.width(), height = box.height();
    int32_t minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
    for (auto [x, y] : {std::pair{left, top}, {left + width, top}, {left, top + height}, {left + width, top + height}}) {
        if (!RotatePointInBox(x, y, left, top, width, height, angle)) return {};
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

}  // namespace

PlacedImage StretchTurned(const QImage& source, const QRect& box, int angle, const QRect& visible) {
    const QRect area = TurnedBounds(box, angle).intersected(visible);
    if (source.isNull() || box.isEmpty() || area.isEmpty()) return {};
    QImage target(area.size(), QImage::Format_ARGB32);
    if (target.isNull()) return {};
    target.fill(Qt::transparent);
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);

    const double sx = Scales().PixelsPerCmX, sy = Scales().PixelsPerCmY;
    const double left = box.left() / sx, top = box.top() / sy;
    const double width = box.width() / sx, height = box.height() / sy;
    const double centreX = left + width / 2, centreY = top + height / 2;
    // The inverse turn is affine: turn three points once and step through
    // the pixels by the two column and row differences.
    const auto back = [&](double px, double py) {
        double x = px / sx, y = py / sy;
        RotatePoint(x, y, centreX, centreY, 3600 - angle);
        return QPointF(x, y);
    };
    const QPointF origin = back(area.left(), area.top());
    const QPointF stepX = back(area.left() + 1, area.top()) - origin;
    const QPointF stepY = back(area.left(), area.top() + 1) - origin;
    const double toSourceX = argb.width() / width, toSourceY = argb.height() / height;

    for (int row = 0; row < area.height(); ++row) {
        auto* line = reinterpret_cast<uint32_t*>(target.scanLine(row));
        QPointF p = origin + stepY * row;
        for (int column = 0; column < area.width(); ++column, p += stepX) {
            const double u = p.x() - left, v = p.y() - top;
            if (u < 0 || v < 0 || u >= width || v >= height) continue;
            const int x = static_cast<int>(u * toSourceX), y = static_cast<int>(v * toSourceY);
            if (x < argb.width() && y < argb.height())
                line[column] = reinterpret_cast<const uint32_t*>(argb.constScanLine(y))[x];
        }
    }
    return {std::move(target), area.topLeft()};
}

}  // namespace qv
