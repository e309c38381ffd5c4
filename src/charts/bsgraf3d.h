// `Tgraf3d`: the chart frame (tag 64). It owns the three axes, the
// auxiliary lines and the curves as children, projects value triples onto
// the page and lays itself out around its axes.
//
// In a two-dimensional chart the depth axis is kept outside the child list
// (it is neither drawn nor laid out) and its settings travel inline in the
// record; in three dimensions it is a child like the other two.
#pragma once

#include <memory>

#include "charts/ChartFields.h"
#include "charts/bsaxis3d.h"
#include "drawing/bskomplex.h"

namespace qv {

class Tgraf3d : public TKomplex, public ChartFields {
public:
    Tgraf3d();
    // Throws StreamError when the axis references do not name axes.
    explicit Tgraf3d(InStream& in);

    Taxis3D& depthAxis() { return *depth_; }
    Taxis3D& horizontalAxis() { return *horizontal_; }
    Taxis3D& verticalAxis() { return *vertical_; }
    const Taxis3D& depthAxis() const { return *depth_; }
    const Taxis3D& horizontalAxis() const { return *horizontal_; }
    const Taxis3D& verticalAxis() const { return *vertical_; }

    // Page position (cm) of a value triple; (-1, -1) when it cannot be placed.
    RealPoint project(double vertical, double horizontal, double depth) const;
    // The same for many triples, as the chart and its axes stand now.
    ChartProjection projection() const { return {*this, *vertical_, *horizontal_, *depth_}; }

    void buildAxes() { qv::buildAxes(*this); }
    // Frees every child except the axes and puts back, in drawing order, the
    // given auxiliary lines, the depth axis (3-D only), the horizontal and
    // the vertical axis.
    void resetChildren(std::vector<std::unique_ptr<Tsimple>> gridLines);
    // Frees the curves (TPlot children).
    void removeCurves();

    // The chart's position becomes the top-left corner of its axes and its
    // size their extent; the children keep their places on the page.
    void layout();
    // plotRect from plotPercent on a page of the given size (start of a display).
    void placePlotArea(double pageWidth, double pageHeight);
    // Resizes the laid-out chart into the plotPercent rectangle of the page
    // and takes plotRect from the axes, so that axes and numbers fit inside.
    void fitToPage(double pageWidth, double pageHeight);

    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    void Assign(const Tsimple& source) override;
    bool SaveToStream(OutStream& out) const override;

private:
    // The index of a child in the list, -1 when it is not there.
    int32_t childIndex(const Tsimple* child) const;
    // The axis at a stored index; throws StreamError when there is none.
    Taxis3D* axisAt(int32_t index) const;
    // Takes an axis out of the child list (or the spare place) for a while.
    std::unique_ptr<Taxis3D> detach(Taxis3D* axis);
    // The axis settings that follow the group record.
    void readAxisReferences(InStream& in);

    Taxis3D* depth_ = nullptr;
    Taxis3D* horizontal_ = nullptr;
    Taxis3D* vertical_ = nullptr;
    std::unique_ptr<Taxis3D> spareDepth_;  // the depth axis while it is not a child
};

}  // namespace qv
