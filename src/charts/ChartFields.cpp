#include "charts/ChartFields.h"

#include <cmath>
#include <numbers>

namespace qv {

void WriteChartFields(OutStream& out, const ChartFields& chart) {
    out.writeInt32(chart.viewAngle);
    out.writeDouble(chart.depthFactor);
    out.writeDouble(chart.plotRect.Left);
    out.writeDouble(chart.plotRect.Top);
    out.writeDouble(chart.plotRect.Width);
    out.writeDouble(chart.plotRect.Height);
    out.writeBool(chart.threeD);
    out.writeInt32(chart.plotPercent.Left);
    out.writeInt32(chart.plotPercent.Top);
    out.writeInt32(chart.plotPercent.Width);
    out.writeInt32(chart.plotPercent.Height);
    out.writeInt32(static_cast<int32_t>(chart.chartColor));
    out.writeBool(chart.autoScale);
    out.writeInt32(chart.animationInterval);
    out.writeBool(chart.showLegend);
    out.writeString(chart.labelFont.Name);
    out.writeInt32(chart.labelFont.Size);
    out.writeInt32(static_cast<int32_t>(chart.labelFont.Colour));
    out.writeByte(chart.labelFont.Style);
}

void ReadChartFields(InStream& in, ChartFields& chart) {
    chart.viewAngle = in.readInt32();
    chart.depthFactor = in.readDouble();
    chart.plotRect.Left = in.readDouble();
    chart.plotRect.Top = in.readDouble();
    chart.plotRect.Width = in.readDouble();
    chart.plotRect.Height = in.readDouble();
    chart.threeD = in.readBool();
    chart.plotPercent.Left = in.readInt32();
    chart.plotPercent.Top = in.readInt32();
    chart.plotPercent.Width = in.readInt32();
    chart.plotPercent.Height = in.readInt32();
    chart.chartColor = static_cast<uint32_t>(in.readInt32());
    chart.autoScale = in.readBool();
    chart.animationInterval = in.readInt32();
    chart.showLegend = in.readBool();
    chart.labelFont.Name = in.readString();
    chart.labelFont.Size = in.readInt32();
    chart.labelFont.Colour = static_cast<uint32_t>(in.readInt32());
    chart.labelFont.Style = in.readByte();
}

ChartRect PercentRect(const ChartPercent& percent, double pageWidth, double pageHeight) {
    return {percent.Left * pageWidth / 100, percent.Top * pageHeight / 100, percent.Width * pageWidth / 100,
            percent.Height * pageHeight / 100};
}

ChartProjection::AxisPlace::AxisPlace(const Taxis3DFields& axis)
    : minimum(axis.minimum),
      span(axis.logarithmic ? std::log(axis.maximum / axis.minimum) : axis.maximum - axis.minimum),
      logarithmic(axis.logarithmic),
      placeable(!axis.logarithmic || (axis.minimum > 0 && axis.maximum > 0)) {}

ChartProjection::ChartProjection(const ChartFields& chart, const Taxis3DFields& vertical,
                                 const Taxis3DFields& horizontal, const Taxis3DFields& depth)
    : vertical_(vertical),
      horizontal_(horizontal),
      depth_(depth),
      threeD_(chart.threeD),
      depthX_(std::cos(chart.viewAngle * std::numbers::pi / 1800) * chart.depthFactor),
      depthY_(std::sin(chart.viewAngle * std::numbers::pi / 1800) * chart.depthFactor),
      plot_(chart.plotRect) {}

RealPoint ProjectOnChart(const ChartFields& chart, const Taxis3DFields& vertical, const Taxis3DFields& horizontal,
                         const Taxis3DFields& depth, double v, double h, double d) {
    return ChartProjection(chart, vertical, horizontal, depth)(v, h, d);
}

}  // namespace qv
