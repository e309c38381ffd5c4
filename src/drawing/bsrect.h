// `TRechteck`: a box with pen and brush, the base of polygons and curves.
#pragma once

#include "drawing/BSSline.h"

namespace qv {

class TRechteck : public TSimpleLine {
public:
    // Takes the current line and fill defaults.
    TRechteck();
    explicit TRechteck(InStream& in);

    uint8_t FillStyle = 1;          // 0 solid, 1 clear, 2..7 hatches
    uint32_t FillColour = 0;
    int32_t HatchBackground = 1;    // 1 transparent, 2 opaque
    bool Rounded = false;
    double CornerRatio = 0.25;      // corner ellipse as a share of the box

    // With Ctrl the box first becomes a square.
    IntRect BeginDrag(int shift) override;
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    void TakeFillDefaults() override;
    void StoreFillDefaults() override;
    void CollectColours(std::vector<std::string>& list, bool toFront) const override;
    bool SaveToStream(OutStream& out) const override;
    // An unfilled box is hit on its border only.
    bool HitTest(int32_t x, int32_t y) override;
    // Ctrl keeps the proportions as Shift does.
    void DragHandle(int shift, double x, double y) override;
    void NotifySelected() override;
    void ApplyDefault(int kind) override;
    // Hatches turn with the box.
    void Transform(int kind) override;

protected:
    // Pen, brush and background for the outline and filling.
    void SetUpPainter(QPainter& painter, bool thinDashes) const;
};

}  // namespace qv
