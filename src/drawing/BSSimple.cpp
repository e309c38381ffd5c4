#include "drawing/BSSimple.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "drawing/DrawStyles.h"
#include "drawing/ObjectReader.h"
#include "drawing/bskomplex.h"

namespace qv {

DrawingGlobals& Drawing() {
    static DrawingGlobals globals;
    return globals;
}

void ResetDrawing() { Drawing() = DrawingGlobals{}; }

ExportScalesGuard::ExportScalesGuard(double pixelsPerCmX, double pixelsPerCmY, Tsimple* object)
    : savedScales_(Scales()), savedExport_(Drawing().ExportInProgress), object_(object) {
    Scales().PixelsPerCmX = pixelsPerCmX;
    Scales().PixelsPerCmY = pixelsPerCmY;
    Drawing().ExportInProgress = true;
    if (object_) object_->UpdatePixels();
}

ExportScalesGuard::~ExportScalesGuard() {
    Scales() = savedScales_;
    Drawing().ExportInProgress = savedExport_;
    if (object_) object_->UpdatePixels();
}

void RegisterColour(std::vector<std::string>& list, uint32_t colour, bool toFront) {
    auto found = std::find_if(list.begin(), list.end(), [colour](const std::string& entry) {
        return entry.size() > 1 && entry[0] == '$' && std::strtoul(entry.c_str() + 1, nullptr, 16) == colour;
    });
    if (found == list.end()) {
        char text[16];
        std::snprintf(text, sizeof text, "$%06X", static_cast<unsigned>(colour));
        list.emplace_back(text);
        found = list.end() - 1;
    }
    if (toFront) std::rotate(list.begin(), found, found + 1);
}

QRect ToQRect(const IntRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

Tsimple::Tsimple() = default;

Tsimple::Tsimple(InStream& in) {
    const double x = in.readDouble();
    const double y = in.readDouble();
    const double w = in.readDouble();
    const double h = in.readDouble();
    SetBox(x, y, w, h);
    Angle = NormalAngle(in.readInt32());
}

void Tsimple::SetX(double value) {
    X_ = value;
    PixX_ = CmToPixels(value, 0).X;
}

void Tsimple::SetY(double value) {
    Y_ = value;
    PixY_ = CmToPixels(0, value).Y;
}

void Tsimple::SetWidth(double value) {
    Width_ = value;
    PixWidth_ = CmToPixels(value, 0).X;
}

void Tsimple::SetHeight(double value) {
    Height_ = value;
    PixHeight_ = CmToPixels(0, value).Y;
}

void Tsimple::SetPixX(int32_t value) {
    PixX_ = value;
    X_ = PixelsToCm(value, 0).X;
}

void Tsimple::SetPixY(int32_t value) {
    PixY_ = value;
    Y_ = PixelsToCm(0, value).Y;
}

void Tsimple::SetPixWidth(int32_t value) {
    PixWidth_ = value;
    Width_ = PixelsToCm(value, 0).X;
}

void Tsimple::SetPixHeight(int32_t value) {
    PixHeight_ = value;
    Height_ = PixelsToCm(0, value).Y;
}

void Tsimple::SetBox(double x, double y, double w, double h) {
    SetX(x);
    SetY(y);
    SetWidth(w);
    SetHeight(h);
}

void Tsimple::SetSelected(bool flag) {
    if (flag == Selected_) return;
    Selected_ = flag;
    if (Drawing().HandlesToggled) Drawing().HandlesToggled(*this);
    if (flag) NotifySelected();
}

IntRect Tsimple::PixelBox() const {
    const int64_t right = int64_t{PixX_} + PixWidth_, bottom = int64_t{PixY_} + PixHeight_;
    auto clamp32 = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return NormalRect(PixX_, PixY_, clamp32(right), clamp32(bottom));
}

IntRect Tsimple::BeginDrag(int /*shift*/) {
    Dragging = true;
    LastRect = PixWidth_ == 0 && PixHeight_ == 0 ? IntRect{} : PixelBox();
    return LastRect;
}

void Tsimple::EndDrag() {
    Dragging = false;
    const DrawingGlobals& g = Drawing();
    if (CentreX() > g.PageWidth)
        SetX(g.PageWidth - Width_ / 2);
    else if (CentreX() < 0)
        SetX(-Width_ / 2);
    if (CentreY() > g.PageHeight)
        SetY(g.PageHeight - Height_ / 2);
    else if (CentreY() < 0)
        SetY(-Height_ / 2);
}

bool Tsimple::DrawableAt(int dx, int dy) const {
    // Far beyond any page or paper, and small enough that a handful of
    // positions, sizes and offsets added up stays within an int.
    constexpr int64_t Limit = int64_t{1} << 28;
    const auto within = [](int64_t v) { return v >= -Limit && v <= Limit; };
    return within(int64_t{dx} + PixX()) && within(int64_t{dy} + PixY()) && within(PixWidth()) && within(PixHeight()) &&
           Scales().PixelsPerCmX <= Limit && Scales().PixelsPerCmY <= Limit;
}

bool Tsimple::IsInClip(int dx, int dy, const QRect* clip) const {
    if (!clip || dynamic_cast<const TSeite*>(this)) return true;
    const int hw = Scales().HandleWidth, hh = Drawing().HandleHeight;
    return ToQRect(PixelBox()).translated(dx, dy).adjusted(-hw, -hh, hw, hh).intersects(*clip);
}

QPolygon Tsimple::CornerPolygon(int dx, int dy) const {
    QPolygon corners;
    if (Angle == 0) {
        const int64_t l = int64_t{dx} + PixX_, t = int64_t{dy} + PixY_;
        corners << ClampedPoint(l, t) << ClampedPoint(l + PixWidth_, t) << ClampedPoint(l + PixWidth_, t + PixHeight_)
                << ClampedPoint(l, t + PixHeight_);
        return corners;
    }
    const std::array<RealPoint, 4> cm = {{{X_, Y_}, {X_ + Width_, Y_}, {X_ + Width_, Y_ + Height_}, {X_, Y_ + Height_}}};
    for (const RealPoint& c : cm) {
        const IntPoint p = RotatedPixel(c.X, c.Y);
        corners << ClampedPoint(int64_t{dx} + p.X, int64_t{dy} + p.Y);
    }
    return corners;
}

IntPoint Tsimple::RotatedPixel(double x, double y) const {
    if (Angle != 0) RotatePoint(x, y, CentreX(), CentreY(), Angle);
    return CmToPixels(x, y);
}

void Tsimple::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (!IsInClip(dx, dy, clip)) return;
    PainterStateKeeper keeper(painter);
    SetOutlineMode(painter);
    if (!Dragging) painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawPolygon(CornerPolygon(dx, dy));
}

void Tsimple::InvertHandle(QPainter& painter, QPoint centre) {
    const int hw = Scales().HandleWidth, hh = Drawing().HandleHeight;
    PainterStateKeeper keeper(painter);
    SetInvertMode(painter);
    painter.fillRect(QRect(centre.x() - hw / 2, centre.y() - hh / 2, hw, hh), Qt::black);
}

void Tsimple::ToggleHandles(QPainter& painter, int dx, int dy) {
    if (Drawing().ExportInProgress) return;
    const int64_t left = PixX_, right = int64_t{PixX_} + PixWidth_, top = PixY_, bottom = int64_t{PixY_} + PixHeight_;
    const int64_t centre = (left + right) / 2, middle = (top + bottom) / 2;
    const std::array<std::array<int64_t, 2>, 9> points = {{{left, top},
                                                            {right, bottom},
                                                            {right, top},
                                                            {left, bottom},
                                                            {left, middle},
                                                            {centre, top},
                                                            {right, middle},
                                                            {centre, bottom},
                                                            {centre, middle}}};
    for (const auto& p : points) {
        QPoint at = ClampedPoint(p[0], p[1]);
        if (Angle != 0) {
            const RealPoint cm = PixelsToCm(at.x(), at.y());
            at = ToQPoint(RotatedPixel(cm.X, cm.Y));
        }
        InvertHandle(painter, at + QPoint(dx, dy));
    }
}

void Tsimple::UpdatePixels() { SetBox(X_, Y_, Width_, Height_); }

void Tsimple::Assign(const Tsimple& source) {
    X_ = source.X_;
    Y_ = source.Y_;
    Width_ = source.Width_;
    Height_ = source.Height_;
    PixX_ = source.PixX_;
    PixY_ = source.PixY_;
    PixWidth_ = source.PixWidth_;
    PixHeight_ = source.PixHeight_;
    Angle = source.Angle;
    Selected_ = source.Selected_;
    Tag = source.Tag;
    Dragging = source.Dragging;
    LastRect = source.LastRect;
}

std::unique_ptr<Tsimple> Tsimple::Clone() const {
    OutStream out;
    if (!SaveToStream(out)) return nullptr;
    InStream in(out.bytes());
    const uint8_t tag = in.readByte();
    return ReadObject(in, tag);
}

void Tsimple::CollectColours(std::vector<std::string>& /*list*/, bool /*toFront*/) const {}

bool Tsimple::SaveToStream(OutStream& out) const {
    out.writeByte(Tag);
    out.writeDouble(X_);
    out.writeDouble(Y_);
    out.writeDouble(Width_);
    out.writeDouble(Height_);
    out.writeInt32(Angle);
    return out.ok();
}

bool Tsimple::HitTest(int32_t x, int32_t y) { return (HitTestHandles(x, y) & HitInside) != 0; }

bool Tsimple::UnrotatedPixel(int32_t& x, int32_t& y) const {
    return Angle == 0 || RotatePointInBox(x, y, PixX_, PixY_, PixWidth_, PixHeight_, 3600 - Angle);
}

void Tsimple::UnrotatedCm(double& x, double& y) const {
    if (Angle != 0) RotatePoint(x, y, CentreX(), CentreY(), 3600 - Angle);
}

uint8_t Tsimple::HitTestHandles(int32_t x, int32_t y) const {
    if (!UnrotatedPixel(x, y)) return 0;
    // In 64 bits nothing below can overflow, whatever a record held.
    const int64_t hw = Scales().HandleWidth, hh = Drawing().HandleHeight;
    int64_t left = std::min<int64_t>(PixX_, int64_t{PixX_} + PixWidth_);
    int64_t top = std::min<int64_t>(PixY_, int64_t{PixY_} + PixHeight_);
    int64_t w = std::llabs(PixWidth_), h = std::llabs(PixHeight_);
    if (w < 3 * hw) {
        left -= (3 * hw - w) / 2;
        w = 3 * hw;
    }
    if (h < 3 * hh) {
        top -= (3 * hh - h) / 2;
        h = 3 * hh;
    }
    if (x < left - hw || x > left + w + hw || y < top - hh || y > top + h + hh) return 0;

    enum class Column { None, Side, Centre } column = Column::None;
    uint8_t code = HitInside;
    if (x <= left + hw) {
        code |= HitLeft;
        column = Column::Side;
    } else if (x >= left + w - hw) {
        code |= HitRight;
        column = Column::Side;
    } else if (left + (w - hw) / 2 <= x && x <= left + (w + hw) / 2) {
        column = Column::Centre;
    }
    if (column == Column::None) return HitInside;
    if (y <= top + hh) return code | HitTop;
    if (y >= top + h - hh) return code | HitBottom;
    if (top + (h - hh) / 2 <= y && y <= top + (h + hh) / 2) return column == Column::Centre ? code | HitCentre : code;
    return HitInside;
}

void Tsimple::MoveBy(double dx, double dy) {
    SetX(X_ + dx);
    SetY(Y_ + dy);
    const DrawingGlobals& g = Drawing();
    if (!g.SnapToGrid) return;
    auto snap = [](double v, double origin, double step) {
        const double snapped = origin + step * std::nearbyint((v - origin) / step);
        return std::isfinite(snapped) ? snapped : v;
    };
    SetX(snap(X_, g.GridOriginX, g.GridStepX));
    SetY(snap(Y_, g.GridOriginY, g.GridStepY));
}

void Tsimple::ResizeEdges(double x, double y) {
    uint8_t& mode = Drawing().DragMode;
    // One axis at a time: the near edge, the far edge, and the pair of mode
    // bits to swap when the dragged edge passes the other.
    auto resize = [&mode](double& pos, double& size, double to, uint8_t nearBit, uint8_t farBit) {
        if (mode & nearBit) {
            if (size >= 0) {
                size = pos + size - to;
                pos = to;
                if (size < 0) mode = static_cast<uint8_t>((mode & ~nearBit) | farBit);
            } else {
                size = to - pos;
                if (size >= 0) mode = static_cast<uint8_t>((mode & ~nearBit) | farBit);
            }
        } else if (mode & farBit) {
            if (size >= 0) {
                size = to - pos;
                if (size < 0) mode = static_cast<uint8_t>((mode & ~farBit) | nearBit);
            } else {
                size = pos + size - to;
                pos = to;
                if (size >= 0) mode = static_cast<uint8_t>((mode & ~farBit) | nearBit);
            }
        }
    };
    double left = X_, top = Y_, w = Width_, h = Height_;
    resize(left, w, x, HitLeft, HitRight);
    resize(top, h, y, HitTop, HitBottom);
    SetBox(left, top, w, h);
}

void Tsimple::KeepProportions(double oldX, double oldY, double oldWidth, double oldHeight, bool restoreWhenTiny) {
    const uint8_t mode = Drawing().DragMode;
    const double rw = (int64_t{LastRect.Right} - LastRect.Left) / Scales().PixelsPerCmX;
    const double rh = (int64_t{LastRect.Bottom} - LastRect.Top) / Scales().PixelsPerCmY;
    double x = X_, y = Y_, w = Width_, h = Height_;
    if (w * rh != h * rw) {
        const bool horizontal = (mode & HitLeft) || ((mode & HitRight) && !(mode & (HitTop | HitBottom)));
        if (rw != 0 && horizontal) {
            h = w * rh / rw;
            if (mode & HitTop) y = (x - oldX) * rh / rw + oldY;
        } else if (rh != 0) {
            w = h * rw / rh;
            if (mode & HitBottom) x = (y - oldY) * rw / rh + oldX;
        }
    }
    SetBox(x, y, w, h);
    const bool failed = !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h);
    const bool tiny = std::llabs(PixWidth_) < Scales().HandleWidth || std::llabs(PixHeight_) < Drawing().HandleHeight;
    if (failed || (restoreWhenTiny && tiny))
        SetBox(oldX, oldY, oldWidth, oldHeight);
}

void Tsimple::DragHandle(int shift, double x, double y) {
    const double oldX = X_, oldY = Y_, oldWidth = Width_, oldHeight = Height_;
    UnrotatedCm(x, y);
    ResizeEdges(x, y);
    if (shift & ShiftKey) KeepProportions(oldX, oldY, oldWidth, oldHeight);
}

void Tsimple::SetBounds(double x, double y, double w, double h) { SetBox(x, y, w, h); }

void Tsimple::NotifySelected() {
    if (Drawing().SelectionChanged) Drawing().SelectionChanged(*this);
}

void Tsimple::Transform(int kind) {
    // Texts and axis labels keep their reading direction.
    if (Tag == TagText || Tag == 55 || Tag == 57 || Tag == 58) return;
    if (kind != 2 && kind != 3) return;
    const double cx = CentreX(), cy = CentreY(), w = Width_, h = Height_;
    SetBox(cx - h / 2, cy - w / 2, h, w);
}

}  // namespace qv
