// Records of the chart classes: axes, legend entries and the chart in two
// and three dimensions read back to the same bytes.
#include <gtest/gtest.h>

#include "charts/QVLegend.h"
#include "charts/bsgraf3d.h"
#include "drawing/ObjectReader.h"
#include "engine/Tvariable.h"

namespace qv {
namespace {

std::vector<uint8_t> Save(const Tsimple& object) {
    OutStream out;
    EXPECT_TRUE(object.SaveToStream(out));
    return out.take();
}

std::unique_ptr<Tsimple> Read(const std::vector<uint8_t>& bytes) {
    InStream in(bytes);
    std::unique_ptr<Tsimple> object = ReadObject(in, in.readByte());
    EXPECT_TRUE(in.atEnd());
    return object;
}

TEST(ChartRecords, AxisFieldsInTheirPlaces) {
    Taxis3D axis;
    axis.minimum = -2.5;
    axis.maximum = 1e6;
    axis.logarithmic = true;
    axis.step = 10;
    axis.minorTicks = 8;
    axis.gridStyle = 2;
    axis.gridColor = 0x123456;
    axis.visible = false;
    axis.crossAt1 = 3;
    axis.crossAt2 = -1;
    axis.switches[2] = false;
    axis.count = 7;
    axis.value3 = 99;
    const std::vector<uint8_t> bytes = Save(axis);
    // The group record (37 + count 4), the plain-axis part (60), the chart-axis part (51).
    ASSERT_EQ(bytes.size(), 41u + 60u + 51u);
    EXPECT_EQ(bytes[0], 63);
    EXPECT_EQ(bytes[41], 1);            // orientation switch
    EXPECT_EQ(bytes[41 + 59], 1);       // gridLines, last of the plain-axis part
    EXPECT_EQ(bytes[41 + 60 + 32], 1);  // logarithmic

    std::unique_ptr<Tsimple> copy = Read(bytes);
    auto* back = dynamic_cast<Taxis3D*>(copy.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Tag, 63);
    EXPECT_EQ(back->minimum, -2.5);
    EXPECT_EQ(back->gridColor, 0x123456u);
    EXPECT_FALSE(back->visible);
    EXPECT_FALSE(back->switches[2]);
    EXPECT_EQ(back->value3, 99);
    EXPECT_EQ(Save(*back), bytes);

    // Built axes carry their ticks as children, which come back too.
    Tgraf3d chart;
    chart.buildAxes();
    const std::vector<uint8_t> built = Save(chart.horizontalAxis());
    EXPECT_EQ(Save(*Read(built)), built);
}

TEST(ChartRecords, LegendEntry) {
    Tvariable v("Beute");
    v.SimulationName = "R\xE4uber";
    v.LineColour = 0xFF;
    v.LineStyle = 2;
    v.LineWidth = 20;
    tlegend entry(v, nullptr, 10, 0);
    EXPECT_EQ(entry.Text, "Beute [R\xE4uber]");
    EXPECT_GT(entry.PixWidth(), static_cast<int32_t>(Scales().PixelsPerCmX));
    EXPECT_GT(entry.PixHeight(), 0);
    const std::vector<uint8_t> bytes = Save(entry);
    ASSERT_EQ(bytes.size(), 50u + 4u + entry.Text.size());
    EXPECT_EQ(bytes[0], 15);
    std::unique_ptr<Tsimple> copy = Read(bytes);
    auto* back = dynamic_cast<tlegend*>(copy.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Text, entry.Text);
    EXPECT_EQ(back->Curve, nullptr);
    EXPECT_EQ(back->LineStyle, 2);
    EXPECT_EQ(Save(*back), bytes);
}

TEST(ChartRecords, ChartInTwoAndThreeDimensions) {
    Tgraf3d chart;
    chart.depthAxis().minimum = -7;  // travels inline in two dimensions
    chart.chartColor = 0xFFFFFF;
    chart.labelFont.Name = "Times New Roman";
    chart.labelFont.Size = 10;
    chart.showLegend = false;
    chart.buildAxes();
    std::vector<uint8_t> bytes = Save(chart);
    EXPECT_EQ(bytes[0], 64);
    std::unique_ptr<Tsimple> copy = Read(bytes);
    auto* back = dynamic_cast<Tgraf3d*>(copy.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->depthAxis().minimum, -7);
    EXPECT_EQ(back->labelFont.Name, "Times New Roman");
    EXPECT_FALSE(back->showLegend);
    EXPECT_EQ(&back->horizontalAxis(), back->Children[back->Children.size() - 2].get());
    EXPECT_EQ(Save(*back), bytes);

    chart.threeD = true;
    chart.buildAxes();
    bytes = Save(chart);
    copy = Read(bytes);
    back = dynamic_cast<Tgraf3d*>(copy.get());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->threeD);
    EXPECT_EQ(back->depthAxis().minimum, -7);
    EXPECT_EQ(Save(*back), bytes);

    // A copy made through Assign keeps its axes apart from the source's.
    Tgraf3d assigned;
    assigned.Assign(chart);
    EXPECT_NE(&assigned.depthAxis(), &chart.depthAxis());
    EXPECT_EQ(Save(assigned), bytes);
}

TEST(ChartRecords, DamagedAxisReferences) {
    Tgraf3d chart;
    std::vector<uint8_t> bytes = Save(chart);
    // The vertical axis index is the last int32: point it at nothing, then
    // at the horizontal axis again.
    const std::size_t last = bytes.size() - 4;
    bytes[last] = 9;
    EXPECT_THROW(Read(bytes), StreamError);
    bytes[last] = 0;
    EXPECT_THROW(Read(bytes), StreamError);
    bytes.resize(last + 2);
    EXPECT_THROW(Read(bytes), StreamError);
}

}  // namespace
}  // namespace qv
