// `TPunkt`: a marker for a measured value, centred in its box.
#pragma once

#include "drawing/BSSline.h"

namespace qv {

class TPunkt : public TSimpleLine {
public:
    // A marker of the default size and style centred on (x, y), cm.
    TPunkt(double x, double y);
    explicit TPunkt(InStream& in);

    uint8_t PointStyle = 0;  // 0 cross, 1 circle, 2 filled circle

    void SetCentreX(double x) { SetX(x - Width() / 2); }
    void SetCentreY(double y) { SetY(y - Height() / 2); }

    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    // Draw in two halves, so that many markers alike share one set-up: the
    // pen and brush, then the shape in the pixel box.
    void SetUpMarker(QPainter& painter) const;
    void DrawMarker(QPainter& painter, int dx, int dy) const;
    void ToggleHandles(QPainter& painter, int dx, int dy) override;
    std::unique_ptr<Tsimple> Clone() const override;
    bool SaveToStream(OutStream& out) const override;
    // 33 (move) within the box widened by half a handle, else 0.
    uint8_t HitTestHandles(int32_t x, int32_t y) const override;
    // Never snaps: a marker sits on its value.
    void MoveBy(double dx, double dy) override;
    void NotifySelected() override;
    void ApplyDefault(int kind) override;
};

}  // namespace qv
