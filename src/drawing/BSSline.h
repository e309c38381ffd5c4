// Objects with a pen: the line-attribute base `TSimpleLine` and the straight
// line `TLine` with its arrow heads.
#pragma once

#include <QPen>
#include <array>

#include "drawing/BSSimple.h"
#include "drawing/DrawStyles.h"

namespace qv {

// Attribute kinds of ApplyDefault: which default the user just changed.
enum DefaultKinds : int {
    KindLineWidth = 0,
    KindLineStyle = 1,
    KindLineColour = 2,
    KindFillColour = 3,
    KindFillStyle = 4,
    KindRounded = 5,
    KindHatchBackground = 6,
    KindArrowAtEnd = 7,
    KindArrowAtStart = 8,
    KindAll = 14,
    KindLineStyleAndWidth = 16,
    KindPointStyle = 19,
};

class TSimpleLine : public Tsimple {
public:
    // Takes the current line defaults.
    TSimpleLine();
    explicit TSimpleLine(InStream& in);

    uint32_t LineColour = 0;
    uint8_t LineStyle = 0;  // 0 solid … 5 none, 6 inside frame
    double LineWidth = 0.1;  // mm

    void TakeLineDefaults() override;
    void StoreLineDefaults() override;
    void CollectColours(std::vector<std::string>& list, bool toFront) const override;
    bool SaveToStream(OutStream& out) const override;
    // The pen grows and shrinks with the object.
    void SetBounds(double x, double y, double w, double h) override;
    // Selecting a line object makes its attributes the defaults for new ones.
    void NotifySelected() override;
    void ApplyDefault(int kind) override;

protected:
    QPen Pen(bool thinDashes = true) const { return LinePen(LineColour, LineStyle, LineWidth, thinDashes); }
};

// A line from (X, Y) to (X + Width, Y + Height); width and height are signed.
class TLine : public TSimpleLine {
public:
    TLine();
    explicit TLine(InStream& in);

    double ArrowLength = 0.25;  // cm
    int32_t ArrowAngle = 45;    // full opening, degrees
    uint8_t ArrowStyle = 1;     // 0 open, 1 filled triangle, 2 bar
    bool ArrowAtEnd = false;
    bool ArrowAtStart = false;

    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    void ToggleHandles(QPainter& painter, int dx, int dy) override;
    void TakeLineDefaults() override;
    void StoreLineDefaults() override;
    bool SaveToStream(OutStream& out) const override;
    bool HitTest(int32_t x, int32_t y) override;
    // 11 at the start point, 13 at the end point, 33 at the middle, else 1.
    uint8_t HitTestHandles(int32_t x, int32_t y) const override;
    void DragHandle(int shift, double x, double y) override;
    void SetBounds(double x, double y, double w, double h) override;
    void ApplyDefault(int kind) override;
    void Transform(int kind) override;

private:
    // Both end points in pixels, turned with the object.
    std::array<QPoint, 2> EndPoints() const;
    void DrawArrowHead(QPainter& painter, RealPoint tip, RealPoint other, int dx, int dy) const;
};

}  // namespace qv
