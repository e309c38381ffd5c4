// Curves and legend entries built from results, the completion of the
// automatic scaling, finding the variable of a curve, and drawing.
#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <QPainter>

#include "charts/CurveLine.h"
#include "charts/CurvePoints.h"
#include "charts/LegendLayout.h"
#include "charts/QVLegend.h"
#include "charts/QVPlot.h"
#include "charts/bsaxis3d.h"
#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "drawing/ObjectReader.h"
#include "drawing/bstext.h"
#include "drawing/bsbitmap.h"
#include "drawing/bspunkt.h"
#include "engine/QVSim.h"
#include "util/BmpCodec.h"

namespace qv {
namespace {

// A simulation with ZEIT = 1 … n on the x axis and one plotted variable B.
std::unique_ptr<tsim> Results(int n, int curveKind = 0) {
    auto sim = std::make_unique<tsim>();
    sim->StepCount = n;
    sim->XAxisName = "ZEIT";
    auto time = std::make_unique<Tvariable>("ZEIT");
    auto b = std::make_unique<Tvariable>("B");
    for (int i = 0; i < n; ++i) {
        time->Values.push_back(i + 1);
        b->Values.push_back((i + 1) * (i + 1));
    }
    b->Plotted = true;
    b->CurveKind = curveKind;
    sim->Variables.push_back(std::move(time));
    sim->Variables.push_back(std::move(b));
    return sim;
}

Tvariable& B(tsim& sim) { return *sim.Variables[1]; }

struct Display {
    Tgraf3d chart;
    TSeite page;
    Display() {
        chart.horizontalAxis().maximum = 10;
        chart.verticalAxis().maximum = 100;
        chart.placePlotArea(16, 12);
        chart.buildAxes();
    }
    TPlot* build(tsim& sim, bool animating = false) {
        chart.removeCurves();
        removeLegends(page);
        buildCurves(sim, chart, page, animating);
        return static_cast<TPlot*>(B(sim).CurveObject);
    }
    std::size_t legends() const {
        return std::count_if(page.Children.begin(), page.Children.end(),
                             [](const auto& c) { return dynamic_cast<const tlegend*>(c.get()); });
    }
};

template <class T>
std::size_t CountOf(const TKomplex& group) {
    return std::count_if(group.Children.begin(), group.Children.end(),
                         [](const auto& c) { return dynamic_cast<const T*>(c.get()) != nullptr; });
}

TEST(BuildCurves, LinesPointsAndLegends) {
    Display d;
    auto sim = Results(5, 2);
    TPlot* plot = d.build(*sim);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(d.chart.Children.back().get(), plot);
    ASSERT_EQ(CountOf<TPoly>(*plot), 1u);
    auto* line = dynamic_cast<TPoly*>(plot->Children[0].get());
    ASSERT_EQ(line->Points.size(), 5u);
    // The last value (10, 25) on the page: 1/10 and 1/4 of the plot area.
    const RealPoint p = d.chart.project(25, 5, 0);
    EXPECT_NEAR(plot->X() + line->X() + line->Points[4].X, p.X, 1e-9);
    EXPECT_NEAR(plot->Y() + line->Y() + line->Points[4].Y, p.Y, 1e-9);
    ASSERT_EQ(CountOf<TCurvePoints>(*plot), 1u);
    EXPECT_EQ(dynamic_cast<TCurvePoints&>(*plot->Children[1]).MarkerCount(), 5u);
    // The markers are written as the TPunkts of the plot's group, one per
    // value, centred on it, so that other versions read the curve as before;
    // a click on a marker hits it.
    OutStream out;
    ASSERT_TRUE(plot->SaveToStream(out));
    InStream in(out.bytes());
    const uint8_t tag = in.readByte();
    auto read = ReadObject(in, tag);
    auto& group = dynamic_cast<TKomplex&>(*read);
    ASSERT_EQ(CountOf<TPunkt>(group), 5u);
    const auto& marker = dynamic_cast<const TPunkt&>(*group.Children[5]);  // after the line: the last value, p
    EXPECT_NEAR(plot->X() + marker.CentreX(), p.X, 1e-9);
    EXPECT_NEAR(plot->Y() + marker.CentreY(), p.Y, 1e-9);
    const IntRect box = marker.PixelBox();
    Tsimple& markers = *plot->Children[1];
    EXPECT_TRUE(markers.HitTest(box.Left + 1, box.Top + 1));
    EXPECT_FALSE(markers.HitTest(box.Left + 1, box.Top - 40));
    EXPECT_EQ(d.legends(), 1u);
    EXPECT_EQ(dynamic_cast<tlegend&>(*d.page.Children.back()).Curve, plot);

    // A second display frees the old curve and legend before it builds.
    d.build(*sim);
    EXPECT_EQ(CountOf<TPlot>(d.chart), 1u);
    EXPECT_EQ(d.legends(), 1u);

    // Splines make a smooth curve; bars a thin line per value at this width.
    B(*sim).CurveKind = 0;
    B(*sim).Splines = true;
    EXPECT_EQ(CountOf<TBezier>(*d.build(*sim)), 1u);
    B(*sim).CurveKind = 3;
    EXPECT_EQ(CountOf<TLine>(*d.build(*sim)), 5u);
    // Two wide values become boxes of three faces each.
    auto wide = Results(2, 3);
    d.chart.horizontalAxis().maximum = 2;
    plot = d.build(*wide);
    EXPECT_EQ(CountOf<TPoly>(*plot), 6u);
    EXPECT_FALSE(d.chart.threeD);  // the borrowed depth view is given back
    EXPECT_EQ(d.chart.depthAxis().maximum, 5);

    // No legend without showLegend or for remembered results.
    d.chart.showLegend = false;
    d.build(*sim);
    EXPECT_EQ(d.legends(), 0u);
    d.chart.showLegend = true;
    sim->StoredResults = true;
    d.build(*sim);
    EXPECT_EQ(d.legends(), 0u);
}

// Block bars are built in a borrowed three-dimensional view, but in a
// two-dimensional chart they stand on the x variable's values, side by side
// on one base line, not one behind the other.
TEST(BuildCurves, BlockBarsStandOnTheXVariable) {
    Display d;
    d.chart.horizontalAxis().maximum = 2;
    auto sim = Results(2, 3);  // ZEIT 1, 2; B 1, 4
    TPlot* plot = d.build(*sim);
    ASSERT_EQ(CountOf<TPoly>(*plot), 6u);
    auto corner = [&](std::size_t face, std::size_t point) {
        const auto& poly = dynamic_cast<const TPoly&>(*plot->Children[face]);
        return RealPoint{plot->X() + poly.X() + poly.Points[point].X, plot->Y() + poly.Y() + poly.Points[point].Y};
    };
    // The front faces' lower left corners: value 0 at ZEIT - w, w = 2 / 8 / 2.
    const RealPoint first = corner(0, 0), second = corner(3, 0);
    EXPECT_NEAR(first.X, 7.008, 0.005);
    EXPECT_NEAR(first.Y, 11.195, 0.005);
    EXPECT_NEAR(second.Y, first.Y, 1e-9);
    EXPECT_GT(second.X, first.X + 1);
}

TEST(BuildCurves, EmptyShortAndAnimatedResults) {
    Display d;
    auto empty = Results(0);
    TPlot* plot = d.build(*empty);
    ASSERT_NE(plot, nullptr);
    EXPECT_TRUE(dynamic_cast<TPoly&>(*plot->Children[0]).Points.empty());

    // A step count beyond the recorded values draws what there is.
    auto sim = Results(4);
    sim->StepCount = 1000;
    plot = d.build(*sim);
    EXPECT_EQ(dynamic_cast<TPoly&>(*plot->Children[0]).Points.size(), 4u);
    // Also where the value index stands in for a missing x variable.
    sim->XAxisName = "FEHLT";
    sim->StepCount = INT32_MAX;
    plot = d.build(*sim);
    EXPECT_EQ(dynamic_cast<TPoly&>(*plot->Children[0]).Points.size(), 4u);
    sim->XAxisName = "ZEIT";
    sim->StepCount = 4;

    // "animiert zeichnen" grows with the frame; "unsichtbar" shows no curve.
    Tvariable& b = B(*sim);
    b.Animated = true;
    b.CurveCreation = 2;
    b.Frame = 0;
    plot = d.build(*sim, true);
    EXPECT_EQ(dynamic_cast<TPoly&>(*plot->Children[0]).Points.size(), 1u);
    b.Frame = 2;
    plot = d.build(*sim, true);
    EXPECT_EQ(dynamic_cast<TPoly&>(*plot->Children[0]).Points.size(), 3u);
    EXPECT_EQ(dynamic_cast<TPoly&>(*d.build(*sim, false)->Children[0]).Points.size(), 4u);
    b.CurveCreation = 0;
    EXPECT_EQ(d.build(*sim, true), nullptr);

    // The picture rides on the value of the frame, even without a curve.
    Picture pixels;
    pixels.Width = 4;
    pixels.Height = 2;
    pixels.Pixels.assign(8, 0xFF0000FF);
    sim->AnimationPictures.push_back(std::move(pixels));
    b.PictureIndex = 0;
    plot = d.build(*sim, true);
    ASSERT_NE(plot, nullptr);
    ASSERT_EQ(plot->Children.size(), 1u);
    auto& bild = dynamic_cast<TBild&>(*plot->Children[0]);
    EXPECT_EQ(bild.PixWidth(), 4);
    const RealPoint at = d.chart.project(9, 3, 0);
    EXPECT_NEAR(plot->X() + bild.X() + bild.Width() / 2, at.X, 1e-9);
    // A picture index past the loaded pictures is left out.
    b.PictureIndex = 3;
    EXPECT_EQ(d.build(*sim, true), nullptr);
}

// Two simulations with long names and several curves each: the legend takes
// more than a line, and none of its entries covers another or a number on
// an axis.
TEST(BuildChart, LegendEntriesKeepClearOfEachOtherAndOfTheAxisNumbers) {
    const PageScales saved = Scales();
    Scales().PixelsPerCmX = Scales().PixelsPerCmY = 37.5;
    TDocument document = TDocument::CreateNew();
    for (std::string simulation : {"Variante A", "Variante B"}) {
        auto sim = Results(3);
        for (std::string name : {"INFIZIERTE_PERSONEN", "ANSTECKUNGSRATE", "RAUM"}) {
            auto v = std::make_unique<Tvariable>(name);
            v->Values = {10, 50, 90};
            v->Plotted = true;
            sim->Variables.push_back(std::move(v));
        }
        for (auto& v : sim->Variables) v->SimulationName = simulation;
        document.Simulations.push_back(std::move(sim));
    }
    document.Selected = 0;
    Tgraf3d& chart = *document.Chart;
    chart.horizontalAxis().maximum = 10;
    chart.horizontalAxis().step = 2;
    chart.verticalAxis().maximum = 100;
    chart.verticalAxis().step = 10;
    ASSERT_FALSE(BuildChart(document));
    document.Page->UpdatePixels();

    auto pixelRect = [](double x, double y, double w, double h) {
        const IntPoint a = CmToPixels(x, y), b = CmToPixels(x + w, y + h);
        return QRect(QPoint(a.X, a.Y), QPoint(b.X - 1, b.Y - 1));
    };
    std::vector<QRect> numbers;
    for (const auto& child : chart.Children)
        if (auto* axis = dynamic_cast<const Taxis3D*>(child.get()))
            for (const auto& n : axis->Children)
                if (dynamic_cast<const ttext*>(n.get()))
                    numbers.push_back(pixelRect(chart.X() + axis->X() + n->X(), chart.Y() + axis->Y() + n->Y(),
                                                n->Width(), n->Height()));
    ASSERT_GT(numbers.size(), 8u);
    std::vector<QRect> entries;
    for (const auto& child : document.Page->Children)
        if (dynamic_cast<const tlegend*>(child.get()))
            entries.push_back(QRect(child->PixX(), child->PixY(), child->PixWidth(), child->PixHeight()));
    ASSERT_EQ(entries.size(), 8u);  // B and three more in each simulation
    EXPECT_EQ(entries.front().topLeft(), QPoint(FirstLegendX, FirstLegendY));
    std::set<int> rows;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        rows.insert(entries[i].top());
        EXPECT_LE(entries[i].right(), CmToPixels(document.Page->Width(), 0).X) << i;
        for (std::size_t j = i + 1; j < entries.size(); ++j) EXPECT_FALSE(entries[i].intersects(entries[j])) << i << ", " << j;
        for (const QRect& number : numbers) EXPECT_FALSE(entries[i].intersects(number)) << i;
    }
    EXPECT_GT(rows.size(), 1u);
    Scales() = saved;
}

// Laid out on a 100 px/cm view and printed at 600 dpi: each entry's line
// stands clear of its own name, and the next entry's line clear of that name.
TEST(BuildChart, LegendEntriesStayApartWhenPrintedLarger) {
    const PageScales saved = Scales();
    Scales().PixelsPerCmX = Scales().PixelsPerCmY = 100;
    TDocument document = TDocument::CreateNew();
    auto sim = Results(3);
    auto foxes = std::make_unique<Tvariable>("FUECHSE");
    foxes->Values = {4, 5, 6};
    foxes->Plotted = true;
    sim->Variables[1]->Name = "HASEN";
    sim->Variables.push_back(std::move(foxes));
    document.Simulations.push_back(std::move(sim));
    document.Selected = 0;
    ASSERT_FALSE(BuildChart(document));

    const double printScale = 600 / 2.54;
    std::vector<int> gaps;
    {
        ExportScalesGuard scales(printScale, printScale, document.Page.get());
        const tlegend* first = nullptr;
        for (const auto& child : document.Page->Children)
            if (!first) first = dynamic_cast<const tlegend*>(child.get());
        ASSERT_TRUE(first);
        QImage image(document.Page->PixWidth(), first->PixHeight(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            document.Page->Draw(painter, 0, 0, nullptr);
        }
        // Blank stretches between inked columns: after HASEN's line, after its
        // name, after FUECHSE's line (letters lie closer together than 0,09 cm).
        int lastInk = -1;
        for (int x = 0; x < image.width(); ++x) {
            bool ink = false;
            for (int y = 0; y < image.height() && !ink; ++y) ink = image.pixel(x, y) != qRgb(255, 255, 255);
            if (!ink) continue;
            if (lastInk >= 0 && x - lastInk - 1 >= 0.09 * printScale) gaps.push_back(x - lastInk - 1);
            lastInk = x;
        }
    }
    Scales() = saved;
    ASSERT_EQ(gaps.size(), 3u) << ::testing::PrintToString(gaps);
    EXPECT_GE(gaps[0], 0.1 * printScale);
    EXPECT_GE(gaps[1], 0.25 * printScale);
    EXPECT_GE(gaps[2], 0.1 * printScale);
}

TEST(FinishVerticalRange, RoundsAndCrosses) {
    Tgraf3d chart;
    chart.verticalAxis().minimum = -3;
    chart.verticalAxis().maximum = 7;
    chart.horizontalAxis().minimum = 2;
    chart.horizontalAxis().maximum = 9;
    finishVerticalRange(chart);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().minimum, -4);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().maximum, 8);
    EXPECT_DOUBLE_EQ(chart.verticalAxis().step, 2);
    EXPECT_EQ(chart.horizontalAxis().crossAt2, 0);
    EXPECT_EQ(chart.verticalAxis().crossAt2, 2);  // the horizontal range lacks 0

    // Wholly above 0: crossed at the rounded minimum.
    chart.verticalAxis().minimum = 20;
    chart.verticalAxis().maximum = 50;
    chart.threeD = true;
    chart.depthAxis().minimum = -1;
    finishVerticalRange(chart);
    EXPECT_EQ(chart.horizontalAxis().crossAt2, chart.verticalAxis().minimum);
    EXPECT_EQ(chart.depthAxis().crossAt2, chart.verticalAxis().minimum);
    EXPECT_EQ(chart.depthAxis().crossAt1, 2);
    EXPECT_EQ(chart.horizontalAxis().crossAt1, 0);

    // Manual scaling leaves everything alone.
    chart.autoScale = false;
    chart.verticalAxis().maximum = 51;
    finishVerticalRange(chart);
    EXPECT_EQ(chart.verticalAxis().maximum, 51);
}

TEST(FindVariableOfCurve, SearchesEverySimulation) {
    Display d;
    std::vector<std::unique_ptr<tsim>> sims;
    sims.push_back(Results(3));
    sims.push_back(Results(3));
    d.build(*sims[0]);
    buildCurves(*sims[1], d.chart, d.page, false);
    auto* second = static_cast<TPlot*>(B(*sims[1]).CurveObject);
    EXPECT_EQ(findVariableOfCurve(sims, second), std::vector<Tvariable*>{&B(*sims[1])});
    EXPECT_TRUE(findVariableOfCurve(sims, nullptr).empty());
    // A click on the curve's line hits the curve, a click beside it does not.
    const IntPoint on = CmToPixels(d.chart.project(4, 2, 0).X, d.chart.project(4, 2, 0).Y);
    EXPECT_TRUE(second->HitTest(on.X, on.Y));
    EXPECT_FALSE(second->HitTest(on.X, on.Y - 40));
}

std::vector<QPoint> ThinOutColumns(const std::vector<QPoint>& points) {
    ColumnThinner thinner;
    for (const QPoint& p : points) thinner.Add(p);
    return thinner.Finish();
}

TEST(CurveDrawing, ThinningKeepsTheColumnExtremes) {
    const std::vector<QPoint> run = {{0, 5}, {0, 6}, {0, 9}, {0, 1}, {0, 4}, {1, 4}, {2, 7}, {2, 3}, {2, 8}};
    EXPECT_EQ(ThinOutColumns(run), (std::vector<QPoint>{{0, 5}, {0, 9}, {0, 1}, {0, 4}, {1, 4}, {2, 7}, {2, 3}, {2, 8}}));
    std::vector<QPoint> many;
    for (int i = 0; i < 1000; ++i) many.push_back({i / 100, (i * 37) % 50});
    EXPECT_LE(ThinOutColumns(many).size(), 40u);
    EXPECT_TRUE(ThinOutColumns({}).empty());

    // A long curve draws the same pixels thinned as a plain polyline does.
    auto draw = [](TPoly& poly) {
        QImage image(200, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        poly.Draw(painter, 0, 0, nullptr);
        return image;
    };
    TPoly plain;
    TCurvePoly thinned;
    for (TPoly* poly : {&plain, static_cast<TPoly*>(&thinned)}) {
        poly->LineStyle = 0;
        poly->LineWidth = 0;
        poly->FillStyle = 1;
        for (int i = 0; i < 5000; ++i) poly->Points.push_back({i * 0.001, 1.5 + std::sin(i * 0.05)});
    }
    EXPECT_EQ(draw(plain), draw(thinned));
    // Smooth curves, which skip whole segments: a gentle wave, a loop that
    // runs back over its columns, steep noise and one far-flung vertex.
    std::vector<std::vector<RealPoint>> shapes = {plain.Points, {}, {}, {}};
    for (int i = 0; i < 20000; ++i) {
        const double a = i * 0.0007;
        shapes[1].push_back({1 + std::cos(a) * (0.3 + a * 0.02), 0.6 + std::sin(a) * (0.5 - a * 0.02)});
        shapes[2].push_back({i * 0.0001, 0.6 + 0.4 * std::sin(i * 0.3) * std::sin(i * 0.0011)});
    }
    shapes[3] = shapes[2];
    shapes[3][7000] = {1e7, -1e7};
    for (const auto& shape : shapes) {
        TBezier smooth;
        TCurveBezier smoothThinned;
        for (TBezier* curve : {&smooth, static_cast<TBezier*>(&smoothThinned)}) {
            curve->Points = shape;
            curve->LineWidth = 0;
            curve->GeometryChanged();
        }
        EXPECT_EQ(draw(smooth), draw(smoothThinned));
    }
}

TEST(ChartDrawing, BackgroundAndClipping) {
    Tgraf3d chart;
    chart.chartColor = 0x00FFFF;  // yellow
    chart.placePlotArea(16, 12);
    chart.buildAxes();
    chart.layout();
    chart.fitToPage(16, 12);
    EXPECT_NEAR(chart.X(), 1.6, 1e-9);
    EXPECT_NEAR(chart.Width(), 12.8, 1e-9);
    EXPECT_GT(chart.plotRect.Width, 0);
    EXPECT_GT(chart.plotRect.Height, 0);
    // A 3-D chart reaches left of the page before the layout and fits the
    // same rectangle after it.
    Tgraf3d deep;
    deep.threeD = true;
    deep.placePlotArea(16, 12);
    deep.buildAxes();
    EXPECT_LT(deep.depthAxis().X(), 0);
    deep.layout();
    deep.fitToPage(16, 12);
    EXPECT_NEAR(deep.X(), 1.6, 1e-9);
    EXPECT_NEAR(deep.Y(), 1.2, 1e-9);
    EXPECT_NEAR(deep.Height(), 9.6, 1e-9);
    EXPECT_GE(deep.depthAxis().X(), 0);

    // The tick lengths survive the resize of every display.
    EXPECT_EQ(chart.horizontalAxis().largeTickLength, 0.3);

    QImage image(700, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        chart.Draw(painter, 0, 0, nullptr);
    }
    const IntRect box = chart.PixelBox();
    EXPECT_EQ(image.pixelColor(box.Left + 2, box.Top + 2), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(box.Right + 3, box.Bottom + 3), QColor(Qt::white));
    // The axis line is drawn in black somewhere along the bottom of the area.
    bool black = false;
    for (int y = box.Top; y < box.Bottom && !black; ++y)
        black = image.pixelColor(box.Left + (box.Right - box.Left) / 2, y) == QColor(Qt::black);
    EXPECT_TRUE(black);

    // An invisible axis leaves the background.
    chart.horizontalAxis().visible = chart.verticalAxis().visible = false;
    chart.horizontalAxis().gridLines = chart.verticalAxis().gridLines = false;
    chart.buildAxes();
    chart.layout();
    chart.fitToPage(16, 12);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        chart.Draw(painter, 0, 0, nullptr);
    }
    const IntRect inner = chart.PixelBox();
    for (int x = inner.Left; x < inner.Right; x += 7)
        for (int y = inner.Top; y < inner.Bottom; y += 7) ASSERT_EQ(image.pixelColor(x, y), QColor(255, 255, 0));
}

}  // namespace
}  // namespace qv
