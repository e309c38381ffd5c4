#include "charts/bsgraf3d.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "charts/QVPlot.h"
#include "drawing/DrawStyles.h"
#include "drawing/QtColour.h"

namespace qv {

namespace {

constexpr const char* BadAxisReferenceText = "Verweis auf eine Achse des Schaubilds fehlt.";

}  // namespace

Tgraf3d::Tgraf3d() {
    Tag = TagGraf3d;
    auto horizontal = std::make_unique<Taxis3D>();
    auto vertical = std::make_unique<Taxis3D>();
    spareDepth_ = std::make_unique<Taxis3D>();
    depth_ = spareDepth_.get();
    horizontal_ = horizontal.get();
    vertical_ = vertical.get();
    Add(std::move(horizontal));
    Add(std::move(vertical));
}

Tgraf3d::Tgraf3d(InStream& in) : TKomplex(in) {
    ReadChartFields(in, *this);
    readAxisReferences(in);
    Tag = TagGraf3d;
}

void Tgraf3d::readAxisReferences(InStream& in) {
    if (threeD) {
        depth_ = axisAt(in.readInt32());
    } else {
        if ((in.readByte() & 0x7F) != TagAxis3D) throw StreamError(BadAxisReferenceText);
        spareDepth_ = std::make_unique<Taxis3D>(in);
        depth_ = spareDepth_.get();
    }
    horizontal_ = axisAt(in.readInt32());
    vertical_ = axisAt(in.readInt32());
    // One axis in two roles would be freed twice by the next build.
    if (horizontal_ == vertical_ || depth_ == horizontal_ || depth_ == vertical_)
        throw StreamError(BadAxisReferenceText);
}

Taxis3D* Tgraf3d::axisAt(int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Children.size()) throw StreamError(BadAxisReferenceText);
    auto* axis = dynamic_cast<Taxis3D*>(Children[static_cast<std::size_t>(index)].get());
    if (!axis) throw StreamError(BadAxisReferenceText);
    return axis;
}

int32_t Tgraf3d::childIndex(const Tsimple* child) const {
    for (std::size_t i = 0; i < Children.size(); ++i)
        if (Children[i].get() == child) return static_cast<int32_t>(i);
    return -1;
}

RealPoint Tgraf3d::project(double vertical, double horizontal, double depth) const {
    return ProjectOnChart(*this, *vertical_, *horizontal_, *depth_, vertical, horizontal, depth);
}

std::unique_ptr<Taxis3D> Tgraf3d::detach(Taxis3D* axis) {
    if (spareDepth_.get() == axis) return std::move(spareDepth_);
    const int32_t i = childIndex(axis);
    if (i < 0) return nullptr;
    std::unique_ptr<Tsimple> owned = std::move(Children[static_cast<std::size_t>(i)]);
    Children.erase(Children.begin() + i);
    return std::unique_ptr<Taxis3D>(static_cast<Taxis3D*>(owned.release()));
}

void Tgraf3d::resetChildren(std::vector<std::unique_ptr<Tsimple>> gridLines) {
    std::unique_ptr<Taxis3D> depth = detach(depth_);
    std::unique_ptr<Taxis3D> horizontal = detach(horizontal_);
    std::unique_ptr<Taxis3D> vertical = detach(vertical_);
    Active = nullptr;
    Children = std::move(gridLines);
    if (threeD)
        Add(std::move(depth));
    else
        spareDepth_ = std::move(depth);
    Add(std::move(horizontal));
    Add(std::move(vertical));
}

void Tgraf3d::removeCurves() {
    if (Active && dynamic_cast<TPlot*>(Active)) Active = nullptr;
    std::erase_if(Children, [](const std::unique_ptr<Tsimple>& child) { return dynamic_cast<TPlot*>(child.get()); });
}

void Tgraf3d::layout() {
    double left = INFINITY, top = INFINITY;
    auto corners = [](const Tsimple& axis, auto&& visit) {
        const double cx = axis.CentreX(), cy = axis.CentreY();
        for (RealPoint p : {RealPoint{axis.X(), axis.Y()}, RealPoint{axis.X() + axis.Width(), axis.Y() + axis.Height()}}) {
            if (axis.Angle != 0) RotatePoint(p.X, p.Y, cx, cy, axis.Angle);
            visit(p);
        }
    };
    for (const auto& child : Children)
        if (child->Tag == TagAxis3D)
            corners(*child, [&](RealPoint p) {
                left = std::min(left, p.X);
                top = std::min(top, p.Y);
            });
    if (!std::isfinite(left) || !std::isfinite(top)) return;
    MoveChildren(-left, -top);
    SetX(X() + left);
    SetY(Y() + top);
    double right = 0, bottom = 0;
    for (const auto& child : Children)
        if (child->Tag == TagAxis3D)
            corners(*child, [&](RealPoint p) {
                right = std::max(right, p.X);
                bottom = std::max(bottom, p.Y);
            });
    SetWidth(right);
    SetHeight(bottom);
}

void Tgraf3d::placePlotArea(double pageWidth, double pageHeight) {
    plotRect = PercentRect(plotPercent, pageWidth, pageHeight);
}

void Tgraf3d::fitToPage(double pageWidth, double pageHeight) {
    const ChartRect r = PercentRect(plotPercent, pageWidth, pageHeight);
    // Resizing scales the axes' tick lengths; on every display the chart
    // shrinks by the room its numbers take, so kept scaled they would wither
    // away display by display (an animation redraws twenty times a second).
    const TAxisFields h = *horizontal_, v = *vertical_, d = *depth_;
    SetBounds(r.Left, r.Top, r.Width, r.Height);
    static_cast<TAxisFields&>(*horizontal_) = h;
    static_cast<TAxisFields&>(*vertical_) = v;
    static_cast<TAxisFields&>(*depth_) = d;
    plotRect = {horizontal_->X(), vertical_->Y(), horizontal_->Width(), vertical_->Height()};
    if (plotRect.Height < 0) {
        plotRect.Top += plotRect.Height;
        plotRect.Height = -plotRect.Height;
    }
}

void Tgraf3d::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Dragging || !IsInClip(dx, dy, clip)) {
        TKomplex::Draw(painter, dx, dy, clip);
        return;
    }
    PainterStateKeeper keep(painter);
    const QRect box = ToQRect(PixelBox()).translated(dx, dy);
    painter.fillRect(box, ToQColor(chartColor));
    painter.setClipRect(box, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    TKomplex::Draw(painter, dx, dy, clip);
}

void Tgraf3d::Assign(const Tsimple& source) {
    TKomplex::Assign(source);
    const auto* chart = dynamic_cast<const Tgraf3d*>(&source);
    if (!chart) return;
    static_cast<ChartFields&>(*this) = *chart;
    horizontal_ = axisAt(chart->childIndex(chart->horizontal_));
    vertical_ = axisAt(chart->childIndex(chart->vertical_));
    if (chart->spareDepth_) {
        std::unique_ptr<Tsimple> copy = chart->spareDepth_->Clone();
        spareDepth_ = dynamic_cast<Taxis3D*>(copy.get()) ? std::unique_ptr<Taxis3D>(static_cast<Taxis3D*>(copy.release()))
                                                         : std::make_unique<Taxis3D>();
        depth_ = spareDepth_.get();
    } else {
        spareDepth_.reset();
        depth_ = axisAt(chart->childIndex(chart->depth_));
    }
}

bool Tgraf3d::SaveToStream(OutStream& out) const {
    if (!TKomplex::SaveToStream(out)) return false;
    // The record tells by threeD whether the depth axis is a child; the
    // byte follows where the axis really is.
    ChartFields fields = *this;
    const int32_t depthIndex = childIndex(depth_);
    fields.threeD = depthIndex >= 0;
    WriteChartFields(out, fields);
    if (depthIndex >= 0)
        out.writeInt32(depthIndex);
    else if (!depth_->SaveToStream(out))
        return false;
    out.writeInt32(childIndex(horizontal_));
    out.writeInt32(childIndex(vertical_));
    return out.ok();
}

}  // namespace qv
