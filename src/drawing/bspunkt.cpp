#include "drawing/bspunkt.h"

#include <QPainter>

#include "drawing/DrawStyles.h"
#include "drawing/QtColour.h"

namespace qv {

TPunkt::TPunkt(double x, double y) {
    Tag = TagPunkt;
    const DrawingGlobals& g = Drawing();
    PointStyle = g.DefaultPointStyle;
    SetBox(x - g.DefaultPointWidth / 2, y - g.DefaultPointHeight / 2, g.DefaultPointWidth, g.DefaultPointHeight);
}

TPunkt::TPunkt(InStream& in) : TSimpleLine(in) {
    Tag = TagPunkt;
    PointStyle = in.readByte();
}

void TPunkt::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (!IsInClip(dx, dy, clip)) return;
    PainterStateKeeper keeper(painter);
    SetUpMarker(painter);
    DrawMarker(painter, dx, dy);
}

void TPunkt::SetUpMarker(QPainter& painter) const {
    const DrawingGlobals& g = Drawing();
    if (Dragging) {
        SetOutlineMode(painter);
    } else if (LineStyle == PenNone && !g.ExportInProgress) {
        // Invisible points stay findable while editing.
        painter.setPen(QPen(ToQColor(g.InvisiblePenColour), 1, QtPenStyle(g.InvisiblePenStyle)));
    } else {
        const bool thin = g.ExportInProgress ? g.ThinDashesOnOutput : g.ThinDashesOnScreen;
        QPen pen(ToQColor(LineColour), PenWidthPixels(LineWidth, LineStyle, thin), Qt::SolidLine);
        painter.setPen(LineStyle == PenNone ? QPen(Qt::NoPen) : pen);
    }
    if (PointStyle != 0 && !Dragging) painter.setBrush(PointStyle == 2 ? QBrush(ToQColor(LineColour)) : QBrush(Qt::NoBrush));
}

void TPunkt::DrawMarker(QPainter& painter, int dx, int dy) const {
    const QRect box = ToQRect(PixelBox()).translated(dx, dy);
    if (PointStyle == 0) {
        painter.drawLine(box.topLeft(), box.topLeft() + QPoint(box.width(), box.height()));
        painter.drawLine(box.topLeft() + QPoint(box.width(), 0), box.topLeft() + QPoint(0, box.height()));
        return;
    }
    painter.drawEllipse(box);
}

void TPunkt::ToggleHandles(QPainter& painter, int dx, int dy) {
    if (Drawing().ExportInProgress) return;
    const int64_t cx = (int64_t{PixX()} * 2 + PixWidth()) / 2, cy = (int64_t{PixY()} * 2 + PixHeight()) / 2;
    InvertHandle(painter, ClampedPoint(cx + dx, cy + dy));
}

std::unique_ptr<Tsimple> TPunkt::Clone() const {
    OutStream out;
    if (!SaveToStream(out)) return nullptr;
    InStream in(out.bytes());
    in.readByte();
    return std::make_unique<TPunkt>(in);
}

bool TPunkt::SaveToStream(OutStream& out) const {
    if (!TSimpleLine::SaveToStream(out)) return false;
    out.writeByte(PointStyle);
    return out.ok();
}

uint8_t TPunkt::HitTestHandles(int32_t x, int32_t y) const {
    const IntRect box = PixelBox();
    const int64_t half = Scales().HandleWidth / 2;
    const bool inside = box.Left - half <= x && x <= box.Right + half && box.Top - half <= y && y <= box.Bottom + half;
    return inside ? HitInside | HitCentre : 0;
}

void TPunkt::MoveBy(double dx, double dy) {
    SetX(X() + dx);
    SetY(Y() + dy);
}

void TPunkt::NotifySelected() {
    DrawingGlobals& g = Drawing();
    g.DefaultPointStyle = PointStyle;
    g.DefaultPointWidth = Width();
    g.DefaultPointHeight = Height();
    TSimpleLine::NotifySelected();
}

void TPunkt::ApplyDefault(int kind) {
    TSimpleLine::ApplyDefault(kind);
    if (kind != KindPointStyle && kind != KindAll) return;
    const DrawingGlobals& g = Drawing();
    PointStyle = g.DefaultPointStyle;
    const double cx = CentreX(), cy = CentreY();
    SetBox(cx - g.DefaultPointWidth / 2, cy - g.DefaultPointHeight / 2, g.DefaultPointWidth, g.DefaultPointHeight);
}

}  // namespace qv
