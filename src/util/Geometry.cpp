#include "util/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace qv {

namespace {

struct Turn {
    double Cos, Sin;
};

// Quarter turns get exact values so that rotated points with half-pixel
// centres do not drift across a rounding boundary.
Turn TurnOf(int angle) {
    int normal = ((angle % 3600) + 3600) % 3600;
    switch (normal) {
        case 0: return {1, 0};
        case 900: return {0, 1};
        case 1800: return {-1, 0};
        case 2700: return {0, -1};
        default: {
            double r = normal * std::numbers::pi / 1800.0;
            return {std::cos(r), std::sin(r)};
        }
    }
}

RealPoint Rotated(double x, double y, double centreX, double centreY, int angle) {
    Turn t = TurnOf(angle);
    double dx = x - centreX, dy = y - centreY;
    return {centreX + dx * t.Cos + dy * t.Sin, centreY + dy * t.Cos - dx * t.Sin};
}

}  // namespace

PageScales& Scales() {
    static PageScales scales;
    return scales;
}

PageFit FitPage(int32_t width, int32_t height, double pageWidth, double pageHeight) {
    PageFit fit;
    fit.PixelsPerCm = std::min(width / pageWidth, height / pageHeight);
    // A damaged page size (zero, negative, not a number) gives an empty page
    // rather than a size beyond the area.
    auto pixels = [&](double cm, int32_t limit) {
        const double v = std::nearbyint(cm * fit.PixelsPerCm);
        return v > 0 ? static_cast<int32_t>(std::min<double>(v, limit)) : 0;
    };
    const int32_t pageW = pixels(pageWidth, width), pageH = pixels(pageHeight, height);
    const int32_t left = (width - pageW) / 2, top = (height - pageH) / 2;
    fit.Page = {left, top, left + pageW, top + pageH};
    return fit;
}

bool RotatePoint(double& X, double& Y, double CentreX, double CentreY, int Angle) {
    RealPoint p = Rotated(X, Y, CentreX, CentreY, Angle);
    if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return false;
    X = p.X;
    Y = p.Y;
    return true;
}

bool RotatePointInBox(int32_t& X, int32_t& Y, int32_t Left, int32_t Top, int32_t Width, int32_t Height, int Angle) {
    RealPoint p = Rotated(X, Y, Left + Width / 2.0, Top + Height / 2.0, Angle);
    auto x = NearestInt32(p.X), y = NearestInt32(p.Y);
    if (!x || !y) return false;
    X = *x;
    Y = *y;
    return true;
}

IntRect NormalRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

IntPoint CmToPixels(double X, double Y) { return PixelMapping()(X, Y); }

PixelMapping::PixelMapping() : perCmX_(Scales().PixelsPerCmX), perCmY_(Scales().PixelsPerCmY) {}

RealPoint PixelsToCm(int32_t PX, int32_t PY) { return {PX / Scales().PixelsPerCmX, PY / Scales().PixelsPerCmY}; }

bool InBetween(int32_t V, int32_t A, int32_t B) {
    const int64_t t = Scales().HandleWidth / 2;
    return int64_t{std::min(A, B)} - t <= V && V <= int64_t{std::max(A, B)} + t;
}

bool NearSegment(int32_t PX, int32_t PY, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    // In doubles the differences of int32 coordinates and their products cannot overflow.
    const double dx = static_cast<double>(X2) - X1, dy = static_cast<double>(Y2) - Y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return false;
    const double cross = std::fabs((static_cast<double>(PX) - X1) * dy - (static_cast<double>(PY) - Y1) * dx);
    return cross < Scales().HandleWidth * length && InBetween(PX, X1, X2) && InBetween(PY, Y1, Y2);
}

}  // namespace qv
