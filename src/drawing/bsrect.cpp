#include "drawing/bsrect.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <cstdlib>

#include "drawing/DrawStyles.h"
#include "drawing/QtColour.h"

namespace qv {

TRechteck::TRechteck() {
    Tag = TagRechteck;
    TakeFillDefaults();
    Rounded = Drawing().DefaultRounded;
    CornerRatio = Drawing().DefaultCornerRatio;
}

TRechteck::TRechteck(InStream& in) : TSimpleLine(in) {
    Tag = TagRechteck;
    FillStyle = in.readByte();
    FillColour = static_cast<uint32_t>(in.readInt32());
    HatchBackground = in.readInt32();
    Rounded = in.readBool();
    CornerRatio = in.readDouble();
}

IntRect TRechteck::BeginDrag(int shift) {
    if ((shift & CtrlKey) && !(Drawing().DragMode & HitCentre) && Width() != Height()) {
        const double side = (Width() + Height()) / 2;
        SetWidth(side);
        SetHeight(side);
        EndDrag();
    }
    return Tsimple::BeginDrag(shift);
}

void TRechteck::SetUpPainter(QPainter& painter, bool thinDashes) const {
    painter.setPen(Pen(thinDashes));
    painter.setBrush(QBrush(ToQColor(FillColour), QtBrushStyle(FillStyle)));
    painter.setBackground(ToQColor(Drawing().PageColour));
    painter.setBackgroundMode(HatchBackground == 2 ? Qt::OpaqueMode : Qt::TransparentMode);
}

void TRechteck::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Dragging) {
        Tsimple::Draw(painter, dx, dy, clip);
        return;
    }
    if (!IsInClip(dx, dy, clip)) return;
    PainterStateKeeper keeper(painter);
    SetUpPainter(painter, true);
    if (Angle != 0) {
        painter.drawPolygon(CornerPolygon(dx, dy));
        return;
    }
    const QRect box = ToQRect(PixelBox()).translated(dx, dy);
    if (Rounded) {
        const double rx = std::fabs(std::nearbyint(PixWidth() * CornerRatio)) / 2;
        const double ry = std::fabs(std::nearbyint(PixHeight() * CornerRatio)) / 2;
        painter.drawRoundedRect(box, rx, ry, Qt::AbsoluteSize);
    } else {
        painter.drawRect(box);
    }
}

void TRechteck::TakeFillDefaults() {
    const DrawingGlobals& g = Drawing();
    FillColour = g.DefaultFillColour;
    FillStyle = g.DefaultFillStyle;
    HatchBackground = g.DefaultHatchBackground;
}

void TRechteck::StoreFillDefaults() {
    DrawingGlobals& g = Drawing();
    g.DefaultFillColour = FillColour;
    g.DefaultFillStyle = FillStyle;
    g.DefaultHatchBackground = HatchBackground;
}

void TRechteck::CollectColours(std::vector<std::string>& list, bool toFront) const {
    TSimpleLine::CollectColours(list, toFront);
    RegisterColour(list, FillColour, toFront);
}

bool TRechteck::SaveToStream(OutStream& out) const {
    if (!TSimpleLine::SaveToStream(out)) return false;
    out.writeByte(FillStyle);
    out.writeInt32(static_cast<int32_t>(FillColour));
    out.writeInt32(HatchBackground);
    out.writeBool(Rounded);
    out.writeDouble(CornerRatio);
    return out.ok();
}

bool TRechteck::HitTest(int32_t x, int32_t y) {
    if (FillStyle != FillClear) return Tsimple::HitTest(x, y);
    if (!UnrotatedPixel(x, y)) return false;
    const IntRect box = PixelBox();
    const int64_t hw = Scales().HandleWidth, hh = Drawing().HandleHeight, widen = hw / 2;
    const bool acrossX = box.Left - widen <= x && x <= box.Right + widen;
    const bool acrossY = box.Top - widen <= y && y <= box.Bottom + widen;
    const bool nearTopOrBottom = std::llabs(int64_t{y} - box.Top) <= hh || std::llabs(int64_t{y} - box.Bottom) <= hh;
    const bool nearLeftOrRight = std::llabs(int64_t{x} - box.Left) <= hw || std::llabs(int64_t{x} - box.Right) <= hw;
    return (acrossX && nearTopOrBottom) || (acrossY && nearLeftOrRight);
}

void TRechteck::DragHandle(int shift, double x, double y) {
    Tsimple::DragHandle((shift & CtrlKey) ? shift | ShiftKey : shift, x, y);
}

void TRechteck::NotifySelected() {
    StoreFillDefaults();
    Drawing().DefaultRounded = Rounded;
    Drawing().DefaultCornerRatio = CornerRatio;
    TSimpleLine::NotifySelected();
}

void TRechteck::ApplyDefault(int kind) {
    TSimpleLine::ApplyDefault(kind);
    const DrawingGlobals& g = Drawing();
    const bool all = kind == KindAll;
    if (kind == KindFillColour || all) FillColour = g.DefaultFillColour;
    if (kind == KindFillStyle || all) FillStyle = g.DefaultFillStyle;
    if (kind == KindRounded || all) Rounded = g.DefaultRounded;
    if (kind == KindHatchBackground || all) HatchBackground = g.DefaultHatchBackground;
    if (all) CornerRatio = g.DefaultCornerRatio;
}

void TRechteck::Transform(int kind) {
    auto swapStyles = [this](uint8_t a, uint8_t b) {
        if (FillStyle == a)
            FillStyle = b;
        else if (FillStyle == b)
            FillStyle = a;
    };
    if (kind == 0 || kind == 1) swapStyles(4, 5);
    if (kind == 2 || kind == 3) swapStyles(2, 3);
    Tsimple::Transform(kind);
}

}  // namespace qv
