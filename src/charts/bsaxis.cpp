#include "charts/bsaxis.h"

#include <algorithm>
#include <cmath>

#include "drawing/BSSline.h"

namespace qv {

TAxis::TAxis() { Tag = TagAxis; }

TAxis::TAxis(InStream& in) : TKomplex(in) {
    ReadAxisFields(in, *this);
    Tag = TagAxis;
}

bool TAxis::SaveToStream(OutStream& out) const {
    if (!TKomplex::SaveToStream(out)) return false;
    WriteAxisFields(out, *this);
    return out.ok();
}

void TAxis::SetBounds(double x, double y, double w, double h) {
    // An axis of no width or height cannot say how much it grew; its lengths stay.
    auto scale = [](double& value, double now, double before) {
        const double scaled = value * now / before;
        if (std::isfinite(scaled)) value = scaled;
    };
    const double oldWidth = Width(), oldHeight = Height();
    if (orientation) {
        scale(unitLength, w, oldWidth);
        scale(largeTickLength, h, oldHeight);
        scale(smallTickLength, h, oldHeight);
    } else {
        scale(unitLength, h, oldHeight);
        scale(largeTickLength, w, oldWidth);
        scale(smallTickLength, w, oldWidth);
    }
    TKomplex::SetBounds(x, y, w, h);
}

void TAxis::ApplyDefault(int kind) {
    if (kind == KindArrowAtEnd || kind == KindArrowAtStart) {
        if (!Children.empty()) Children.front()->ApplyDefault(kind);
        return;
    }
    for (auto& child : Children) child->ApplyDefault(kind);
}

void TAxis::NotifySelected() {
    const std::size_t n = std::min<std::size_t>(2, Children.size());
    for (std::size_t i = 0; i < n; ++i) Children[i]->NotifySelected();
}

}  // namespace qv
