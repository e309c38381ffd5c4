#include "charts/AxisFields.h"

#include <algorithm>

namespace qv {

void WriteAxisFields(OutStream& out, const TAxisFields& axis) {
    out.writeBool(axis.orientation);
    for (bool s : axis.switches) out.writeBool(s);
    out.writeByte(axis.switch5);
    out.writeDouble(axis.unitLength);
    out.writeInt32(axis.count);
    out.writeDouble(axis.start);
    out.writeDouble(axis.end);
    out.writeByte(axis.digits);
    out.writeInt32(axis.value3);
    out.writeInt32(axis.value1);
    out.writeDouble(axis.largeTickLength);
    out.writeDouble(axis.smallTickLength);
    out.writeBool(axis.gridLines);
}

void ReadAxisFields(InStream& in, TAxisFields& axis) {
    axis.orientation = in.readBool();
    for (bool& s : axis.switches) s = in.readBool();
    axis.switch5 = in.readByte();
    axis.unitLength = in.readDouble();
    axis.count = in.readInt32();
    axis.start = in.readDouble();
    axis.end = in.readDouble();
    axis.digits = in.readByte();
    axis.value3 = in.readInt32();
    axis.value1 = in.readInt32();
    axis.largeTickLength = in.readDouble();
    axis.smallTickLength = in.readDouble();
    axis.gridLines = in.readBool();
}

void WriteAxis3DFields(OutStream& out, const Taxis3DFields& axis) {
    out.writeDouble(axis.crossAt1);
    out.writeDouble(axis.crossAt2);
    out.writeDouble(axis.minimum);
    out.writeDouble(axis.maximum);
    out.writeBool(axis.logarithmic);
    out.writeDouble(axis.step);
    out.writeInt32(axis.minorTicks);
    out.writeByte(axis.gridStyle);
    out.writeInt32(static_cast<int32_t>(axis.gridColor));
    out.writeBool(axis.visible);
}

void ReadAxis3DFields(InStream& in, Taxis3DFields& axis) {
    axis.crossAt1 = in.readDouble();
    axis.crossAt2 = in.readDouble();
    axis.minimum = in.readDouble();
    axis.maximum = in.readDouble();
    axis.logarithmic = in.readBool();
    axis.step = in.readDouble();
    axis.minorTicks = std::clamp(in.readInt32(), 0, MaxMinorTicks);
    axis.gridStyle = in.readByte();
    axis.gridColor = static_cast<uint32_t>(in.readInt32());
    axis.visible = in.readBool();
}

}  // namespace qv
