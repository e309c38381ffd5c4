#include "charts/QVPlot.h"

#include <algorithm>
#include <cmath>

#include "charts/ChartLine.h"
#include "charts/CurveLine.h"
#include "charts/CurvePoints.h"
#include "charts/LegendLayout.h"
#include "charts/QVLegend.h"
#include "charts/bsgraf3d.h"
#include "drawing/bsbitmap.h"
#include "drawing/bspunkt.h"
#include "engine/QVSim.h"

namespace qv {

bool TPlot::SaveToStream(OutStream& out) const {
    if (!Tsimple::SaveToStream(out)) return false;
    // Point markers are written one by one, as they always were.
    std::size_t count = 0;
    for (const auto& child : Children) {
        const auto* points = dynamic_cast<const TCurvePoints*>(child.get());
        count += points ? points->MarkerCount() : 1;
    }
    out.writeCount(count);
    for (const auto& child : Children) {
        const auto* points = dynamic_cast<const TCurvePoints*>(child.get());
        if (!(points ? points->SaveMarkers(out) : child->SaveToStream(out))) return false;
    }
    return out.ok();
}

bool TPlot::HitTest(int32_t x, int32_t y) {
    const int32_t rx = x - PixX(), ry = y - PixY();
    return std::any_of(Children.begin(), Children.end(), [&](const auto& child) { return child->HitTest(rx, ry); });
}

namespace {

// Bars are built as boxes in an oblique view that the chart only has in
// three dimensions; the depth axis lends its range to the horizontal one
// for a while and gets its own back on every path out.
class BlockBarView {
public:
    explicit BlockBarView(Tgraf3d& chart)
        : chart_(chart), threeD_(chart.threeD), min_(chart.depthAxis().minimum), max_(chart.depthAxis().maximum) {
        chart.depthAxis().minimum = chart.horizontalAxis().minimum;
        chart.depthAxis().maximum = chart.horizontalAxis().maximum;
        chart.threeD = true;
    }
    ~BlockBarView() {
        chart_.threeD = threeD_;
        chart_.depthAxis().minimum = min_;
        chart_.depthAxis().maximum = max_;
    }
    BlockBarView(const BlockBarView&) = delete;
    BlockBarView& operator=(const BlockBarView&) = delete;

private:
    Tgraf3d& chart_;
    bool threeD_;
    double min_, max_;
};

class CurveBuilder {
public:
    CurveBuilder(tsim& simulation, Tgraf3d& chart, bool animating)
        : sim_(simulation), chart_(chart), projection_(chart.projection()), threeD_(chart.threeD), animating_(animating) {
        const int x = simulation.IndexOfVariable(simulation.XAxisName);
        const int y = simulation.IndexOfVariable(simulation.YAxisName);
        x_ = x >= 0 ? simulation.Variables[static_cast<std::size_t>(x)].get() : nullptr;
        y_ = y >= 0 ? simulation.Variables[static_cast<std::size_t>(y)].get() : nullptr;
        // Never more than any variable recorded, whatever the step count claims.
        std::size_t longest = 0;
        for (const auto& v : simulation.Variables) longest = std::max(longest, v->Values.size());
        std::size_t n = std::min(longest, sim_.StepCount > 0 ? static_cast<std::size_t>(sim_.StepCount) : 0);
        if (threeD_) {
            if (x_) n = std::min(n, x_->Values.size());
            if (y_) n = std::min(n, y_->Values.size());
        } else if (x_) {
            n = std::min(n, x_->Values.size());
        }
        // Every curve of the simulation shares the page positions across.
        pageX_.reserve(n);
        for (std::size_t i = 0; i < n; ++i) pageX_.push_back(projection_.pageX(horizontal(i), depth(i)));
    }

    // How many values of V can be drawn: never more than V and the axis
    // variables recorded, whatever the step count claims.
    std::size_t available(const Tvariable& v) const { return std::min(pageX_.size(), v.Values.size()); }

    // Without an axis variable the value index stands in for it. Block bars
    // make the chart three-dimensional for a while: which variable goes
    // where follows the chart's own dimension, taken before that.
    double horizontal(std::size_t i) const {
        const Tvariable* h = threeD_ ? y_ : x_;
        return h ? h->Values[i] : static_cast<double>(i);
    }
    double depth(std::size_t i) const {
        if (!threeD_) return 0;
        return x_ ? x_->Values[i] : static_cast<double>(i);
    }
    [[gnu::always_inline]] RealPoint at(const Tvariable& v, std::size_t i) const {
        return ChartProjection::Placed(pageX_[i], projection_.pageY(v.Values[i], depth(i)));
    }

    std::unique_ptr<TPlot> curve(Tvariable& v) {
        const std::size_t total = available(v);
        std::size_t n = total;
        if (animating_ && v.Animated && v.CurveCreation == 2)
            n = std::min(total, static_cast<std::size_t>(std::max(0, v.Frame) + 1));
        auto plot = std::make_unique<TPlot>();
        if (v.CurveKind == 0 || v.CurveKind == 2) plot->Add(line(v, n));
        if (v.CurveKind == 1 || v.CurveKind == 2) plot->Add(points(v, n));
        if (v.CurveKind == 3) bars(*plot, v, n);
        return plot;
    }

    std::unique_ptr<Tsimple> picture(const Tvariable& v, const Picture& source) const {
        const std::size_t total = available(v);
        if (total == 0) return nullptr;
        const std::size_t a = std::min(total - 1, static_cast<std::size_t>(std::max(0, v.Frame)));
        auto bild = std::make_unique<TBild>(PictureHolder(source));
        QSize size = bild->Picture.PixelSize();
        if (size.isEmpty()) size = {32, 32};
        bild->SetPixWidth(size.width());
        bild->SetPixHeight(size.height());
        const RealPoint p = at(v, a);
        bild->SetX(p.X - bild->Width() / 2);
        bild->SetY(p.Y - bild->Height() / 2);
        return bild;
    }

private:
    std::unique_ptr<Tsimple> line(const Tvariable& v, std::size_t n) const {
        std::unique_ptr<TPoly> poly;
        if (v.Splines)
            poly = std::make_unique<TCurveBezier>();
        else
            poly = std::make_unique<TCurvePoly>();
        poly->Closed = false;
        poly->FillStyle = FillClear;
        poly->LineColour = static_cast<uint32_t>(v.LineColour);
        poly->LineWidth = v.LineWidth / Scales().PixelsPerCmX;
        poly->LineStyle = v.LineStyle;
        // Built in one pass that also finds the box around the vertices, so
        // that hit tests and redraws find the line.
        poly->Points.reserve(n);
        RealPoint low{INFINITY, INFINITY}, high{-INFINITY, -INFINITY};
        for (std::size_t i = 0; i < n; ++i) {
            const RealPoint p = at(v, i);
            low = {std::min(low.X, p.X), std::min(low.Y, p.Y)};
            high = {std::max(high.X, p.X), std::max(high.Y, p.Y)};
            poly->Points.push_back(p);
        }
        if (n > 0) poly->FitPoints(low, high);
        poly->GeometryChanged();
        return poly;
    }

    std::unique_ptr<Tsimple> points(const Tvariable& v, std::size_t n) const {
        const RealPoint first = n > 0 ? at(v, 0) : RealPoint{0, 0};
        auto marker = std::make_unique<TPunkt>(first.X, first.Y);
        marker->SetPixWidth(v.PointSize);
        marker->SetPixHeight(v.PointSize);
        marker->PointStyle = static_cast<uint8_t>(std::clamp(v.PointForm, 0, 2));
        marker->LineColour = static_cast<uint32_t>(v.PointColour);
        marker->LineStyle = PenSolid;
        marker->LineWidth = 0;
        return std::make_unique<TCurvePoints>(std::move(marker), n, [&](std::size_t i) { return at(v, i); });
    }

    std::unique_ptr<Tsimple> face(const Tvariable& v, std::initializer_list<RealPoint> corners) const {
        auto poly = std::make_unique<TPoly>();
        poly->Closed = true;
        poly->LineWidth = 0;
        poly->LineColour = 0;
        poly->LineStyle = v.LineStyle;
        poly->FillColour = static_cast<uint32_t>(v.LineColour);
        poly->FillStyle = 0;
        poly->Points.assign(corners.begin(), corners.end());
        poly->FitPoints();  // a filled face is hit anywhere in its box
        return poly;
    }

    void bars(TPlot& plot, const Tvariable& v, std::size_t n) {
        if (n == 0) return;
        const Taxis3D& h = chart_.horizontalAxis();
        const double w = (h.maximum - h.minimum) / 8 / static_cast<double>(n);
        if (chart_.project(0, w, 0).X >= 2) {
            BlockBarView view(chart_);
            for (std::size_t i = 0; i < n; ++i) {
                const double val = v.Values[i], x = horizontal(i), z = depth(i), t = val >= 0 ? val : 0;
                auto p = [&](double vv, double xx, double zz) { return chart_.project(vv, xx, zz); };
                plot.Add(face(v, {p(0, x - w, z + w), p(val, x - w, z + w), p(val, x + w, z + w), p(0, x + w, z + w)}));
                plot.Add(face(v, {p(0, x + w, z + w), p(val, x + w, z + w), p(val, x + w, z - w), p(0, x + w, z - w)}));
                plot.Add(face(v, {p(t, x - w, z + w), p(t, x + w, z + w), p(t, x + w, z - w), p(t, x - w, z - w)}));
            }
            return;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const double x = horizontal(i), z = depth(i);
            const RealPoint top = chart_.project(v.Values[i], x, z), bottom = chart_.project(0, x, z);
            auto bar = MakeChartLine(top, bottom, static_cast<uint32_t>(v.LineColour), v.LineWidth / Scales().PixelsPerCmX,
                                     v.LineStyle);
            plot.Add(std::move(bar));
        }
    }

    tsim& sim_;
    Tgraf3d& chart_;
    const ChartProjection projection_;  // of the chart as it was before block bars borrowed its view
    const bool threeD_;
    bool animating_;
    const Tvariable* x_ = nullptr;
    const Tvariable* y_ = nullptr;
    std::vector<double> pageX_;  // of value i, for every curve
};

// Where a chart's axis is crossed by the others: at 0 when its range holds 0.
double CrossingValue(const Taxis3D& axis) { return axis.minimum <= 0 && 0 < axis.maximum ? 0 : axis.minimum; }

}  // namespace

void buildCurves(tsim& simulation, Tgraf3d& chart, TKomplex& page, bool animating) {
    const std::vector<Picture>& animationPictures = simulation.AnimationPictures;
    CurveBuilder builder(simulation, chart, animating);
    for (auto& owned : simulation.Variables) {
        Tvariable& v = *owned;
        v.CurveObject = nullptr;
        std::unique_ptr<TPlot> plot;
        if (v.Plotted && (!animating || !v.Animated || v.CurveCreation != 0)) {
            plot = builder.curve(v);
            if (chart.showLegend && !simulation.StoredResults) {
                page.Add(std::make_unique<tlegend>(v, plot.get(), FirstLegendX, FirstLegendY));
            }
        }
        if (animating && v.Plotted && v.Animated && v.PictureIndex >= 0 &&
            static_cast<std::size_t>(v.PictureIndex) < animationPictures.size()) {
            if (auto picture = builder.picture(v, animationPictures[static_cast<std::size_t>(v.PictureIndex)])) {
                if (!plot) plot = std::make_unique<TPlot>();
                plot->Add(std::move(picture));
            }
        }
        if (plot) {
            plot->FitToChildren();
            v.CurveObject = plot.get();
            chart.Add(std::move(plot));
        }
    }
}

void removeLegends(TKomplex& page) {
    if (dynamic_cast<tlegend*>(page.Active)) page.Active = nullptr;
    std::erase_if(page.Children, [](const std::unique_ptr<Tsimple>& child) { return dynamic_cast<tlegend*>(child.get()); });
}

void finishVerticalRange(Tgraf3d& chart) {
    if (!chart.autoScale) return;
    Taxis3D& v = chart.verticalAxis();
    Taxis3D& h = chart.horizontalAxis();
    Taxis3D& d = chart.depthAxis();
    v.step = niceScale(v.minimum, v.maximum);
    h.crossAt2 = CrossingValue(v);
    v.crossAt2 = CrossingValue(h);
    if (chart.threeD) {
        d.crossAt1 = CrossingValue(h);
        d.crossAt2 = CrossingValue(v);
        h.crossAt1 = v.crossAt1 = CrossingValue(d);
    }
}

std::vector<Tvariable*> findVariableOfCurve(std::span<const std::unique_ptr<tsim>> simulations, const TPlot* curve) {
    std::vector<Tvariable*> found;
    if (!curve) return found;
    for (const auto& sim : simulations)
        for (const auto& v : sim->Variables)
            if (v->CurveObject == curve) found.push_back(v.get());
    return found;
}

}  // namespace qv
