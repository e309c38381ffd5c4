// `TAxis`: a group of generated lines and numbers that keeps the settings
// of a scale. The chart's axes (Taxis3D) derive from it; a plain TAxis is
// never written to a document.
#pragma once

#include "charts/AxisFields.h"
#include "drawing/bskomplex.h"

namespace qv {

class TAxis : public TKomplex, public TAxisFields {
public:
    TAxis();
    explicit TAxis(InStream& in);

    bool SaveToStream(OutStream& out) const override;
    // The unit length and the tick lengths follow the new size (which
    // dimension scales which depends on the orientation switch), then the
    // children are resized.
    void SetBounds(double x, double y, double w, double h) override;
    // The arrow settings belong to the axis line (the first child) alone.
    void ApplyDefault(int kind) override;
    // Only the axis line and the first tick take over the line defaults.
    void NotifySelected() override;
};

}  // namespace qv
