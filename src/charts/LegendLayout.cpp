#include "charts/LegendLayout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "charts/QVLegend.h"
#include "charts/bsaxis3d.h"
#include "charts/bsgraf3d.h"

namespace qv {

namespace {

// Room between two entries, and between an entry and a number it gives way to:
// a page distance, so that the entries stay as far apart when the page is
// printed or drawn larger than it was laid out; at least 10 pixels on a small view.
int64_t Gap() { return std::max<int64_t>(10, std::llround(0.3 * Scales().PixelsPerCmX)); }

struct Box {
    int64_t Left, Top, Right, Bottom;
    // An empty box covers nothing, so an entry without a size never has to move.
    bool covers(const Box& o) const {
        return Left < Right && Top < Bottom && Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
    }
};

// Children's places are relative to their group, so a number's page place
// adds up the chart's, the axis's and its own.
std::vector<Box> AxisNumberBoxes(const Tgraf3d& chart) {
    std::vector<Box> boxes;
    for (const auto& child : chart.Children) {
        const auto* axis = dynamic_cast<const Taxis3D*>(child.get());
        if (!axis || !axis->visible) continue;
        for (const auto& number : axis->Children) {
            if (number->Tag != TagText) continue;
            const double x = chart.X() + axis->X() + number->X(), y = chart.Y() + axis->Y() + number->Y();
            const IntPoint a = CmToPixels(x, y), b = CmToPixels(x + number->Width(), y + number->Height());
            boxes.push_back({a.X, a.Y, b.X, b.Y});
        }
    }
    return boxes;
}

}  // namespace

void placeLegends(TKomplex& page, const Tgraf3d& chart) {
    const std::vector<Box> numbers = AxisNumberBoxes(chart);
    const int64_t lineEnd = int64_t{CmToPixels(page.X() + page.Width(), 0).X} - FirstLegendX;
    const int64_t gap = Gap();
    int64_t x = FirstLegendX, y = FirstLegendY, lineHeight = 0;
    for (auto& child : page.Children) {
        auto* entry = dynamic_cast<tlegend*>(child.get());
        if (!entry) continue;
        const int64_t w = entry->PixWidth(), h = entry->PixHeight();
        // Every pass moves the entry right or down, past a number or onto a
        // new line, so it ends below the lowest number at the latest.
        for (;;) {
            if (x > FirstLegendX && x + w > lineEnd) {
                x = FirstLegendX;
                y += std::max(lineHeight, h);
                lineHeight = 0;
            }
            const Box box{x, y, x + w, y + h};
            auto covered = std::find_if(numbers.begin(), numbers.end(), [&](const Box& n) { return box.covers(n); });
            if (covered == numbers.end()) break;
            x = covered->Right + gap;
        }
        entry->SetPixX(static_cast<int32_t>(x));
        entry->SetPixY(static_cast<int32_t>(y));
        x += w + gap;
        lineHeight = std::max(lineHeight, h);
    }
}

}  // namespace qv
