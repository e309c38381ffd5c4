// Geometry helpers of the worksheet page: the scale between page
// centimetres and screen pixels, rotation in tenths of a degree, and the hit
// tolerance of the mouse.
#pragma once

#include <cmath>

#include <cstdint>
#include <limits>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv {

struct IntPoint {
    int32_t X = 0, Y = 0;
    friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

struct IntRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const IntRect&, const IntRect&) = default;
};

struct RealPoint {
    double X = 0, Y = 0;
};

// Process-wide; the main window sets the scales from its drawing area, and
// rendering for the clipboard or the printer changes them for a while.
// The defaults are those of a 96 dpi screen (96 / 2.54 ≈ 37.795 px/cm).
struct PageScales {
    double PixelsPerCmX = 96.0 / 2.54;
    double PixelsPerCmY = 96.0 / 2.54;
    int HandleWidth = 7;  // pixels; also the hit tolerance
};

PageScales& Scales();

// Where a page of the given size in centimetres sits in a drawing area of
// Width × Height pixels: one scale for both directions, the largest at which
// the whole page shows, and the page centred in the area.
struct PageFit {
    double PixelsPerCm = 0;
    IntRect Page;  // in the area's pixels
};

PageFit FitPage(int32_t width, int32_t height, double pageWidth, double pageHeight);

// Pixel value given for a centimetre value whose product overflows an int32.
inline constexpr int32_t PixelOverflowValue = 1610612733;

// German text the caller shows when a rotation fails (Windows-1252).
inline constexpr const char* RotationErrorText = "Fehler beim Berechnen einer Rotation";

// Turns (X, Y) about the centre by Angle tenths of a degree; a positive angle
// turns counter-clockwise on the screen (y growing downwards). Quarter turns
// are exact. On an arithmetic failure (a result that is not finite) the point
// is left unchanged and the result is false.
bool RotatePoint(double& X, double& Y, double CentreX, double CentreY, int Angle);

// The same about the centre of the box, rounding halves to even; false (point
// unchanged) when a result does not fit an int32.
bool RotatePointInBox(int32_t& X, int32_t& Y, int32_t Left, int32_t Top, int32_t Width, int32_t Height, int Angle);

constexpr int Sign(int64_t N) { return N > 0 ? 1 : N < 0 ? -1 : 0; }

IntRect NormalRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);

// std::nearbyint without the library call, for results that become whole
// numbers of pixels: below 2^51, adding and taking away 1.5 * 2^52 leaves
// the integral value the rounding mode gives (a zero loses its sign).
constexpr double RoundingShift = 6755399441055744.0;
inline double RoundToWhole(double value) {
    constexpr double Exact = 2251799813685248.0;
    return std::fabs(value) < Exact ? (value + RoundingShift) - RoundingShift : std::nearbyint(value);
}

// Nearest int32, halves to even; nothing when it does not fit.
inline std::optional<int32_t> NearestInt32(double value) {
    const double rounded = RoundToWhole(value);
    if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return static_cast<int32_t>(rounded);
}

// Rounds halves to even; a product that does not fit an int32 becomes
// ±PixelOverflowValue, by the sign of the centimetre value.
inline int32_t ToPixels(double cm, double pixelsPerCm) {
    return NearestInt32(cm * pixelsPerCm).value_or(cm > 0 ? PixelOverflowValue : -PixelOverflowValue);
}

// The same at the page scales.
IntPoint CmToPixels(double X, double Y);

// CmToPixels at the page scales of the moment it is made, for loops over
// many points.
class PixelMapping {
public:
    PixelMapping();
    IntPoint operator()(double x, double y) const {
#if defined(__SSE2__)
        // Both coordinates at once by the same steps as ToPixels (a long
        // curve is mapped vertex by vertex on every new display); a product
        // that is NaN or reaches the int32 limits takes the single path.
        const __m128d product = _mm_mul_pd(_mm_set_pd(y, x), _mm_set_pd(perCmY_, perCmX_));
        const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), product);
        if (_mm_movemask_pd(_mm_cmplt_pd(magnitude, _mm_set1_pd(std::numeric_limits<int32_t>::max()))) == 3) {
            const __m128d shift = _mm_set1_pd(RoundingShift);
            const __m128i whole = _mm_cvtpd_epi32(_mm_sub_pd(_mm_add_pd(product, shift), shift));
            return {_mm_cvtsi128_si32(whole), _mm_cvtsi128_si32(_mm_shuffle_epi32(whole, 1))};
        }
#endif
        return {ToPixels(x, perCmX_), ToPixels(y, perCmY_)};
    }

private:
    double perCmX_, perCmY_;
};
RealPoint PixelsToCm(int32_t PX, int32_t PY);

// min(A, B) - t <= V <= max(A, B) + t with t = HandleWidth / 2.
bool InBetween(int32_t V, int32_t A, int32_t B);

// The pixel point lies within HandleWidth of the segment's line and inside
// its box widened by half of that. A segment of zero length is never near.
bool NearSegment(int32_t PX, int32_t PY, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);

}  // namespace qv
