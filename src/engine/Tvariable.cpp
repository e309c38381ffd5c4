#include "engine/Tvariable.h"

#include <algorithm>
#include <array>

namespace qv {

Tvariable::Tvariable(InStream& in) {
    Name = in.readString();
    SimulationName = in.readString();
    IsInput = in.readBool();
    StartValue = in.readDouble();
    Plotted = in.readBool();
    Changed = in.readBool();
    Values.resize(in.readCount(sizeof(double)));
    for (double& v : Values) v = in.readDouble();
    CurveKind = in.readInt32();
    Splines = in.readBool();
    LineStyle = in.readByte();
    LineWidth = std::clamp(in.readInt32(), 0, MaxLineWidth);
    LineColour = in.readInt32();
    PointForm = in.readInt32();
    PointSize = std::clamp(in.readInt32(), MinPointSize, MaxPointSize);
    PointColour = in.readInt32();
    Animated = in.readBool();
    CurveCreation = in.readInt32();
    Picture = in.readString();
    AnimationType = in.readInt32();
    Backward = in.readBool();
    Scientific = in.readBool();
    ColumnChars = in.readInt32();
    Decimals = std::clamp(in.readInt32(), 0, MaxDecimals);
    ColumnWidth = std::clamp(in.readInt32(), 0, MaxColumnWidth);
}

bool Tvariable::save(OutStream& out) const {
    out.writeString(Name);
    out.writeString(SimulationName);
    out.writeBool(IsInput);
    out.writeDouble(StartValue);
    out.writeBool(Plotted);
    out.writeBool(Changed);
    out.writeCount(Values.size());
    for (double v : Values) out.writeDouble(v);
    out.writeInt32(CurveKind);
    out.writeBool(Splines);
    out.writeByte(LineStyle);
    out.writeInt32(LineWidth);
    out.writeInt32(LineColour);
    out.writeInt32(PointForm);
    out.writeInt32(PointSize);
    out.writeInt32(PointColour);
    out.writeBool(Animated);
    out.writeInt32(CurveCreation);
    out.writeString(Picture);
    out.writeInt32(AnimationType);
    out.writeBool(Backward);
    out.writeBool(Scientific);
    out.writeInt32(ColumnChars);
    out.writeInt32(Decimals);
    out.writeInt32(ColumnWidth);
    return out.ok();
}

bool Tvariable::GetRange(int32_t count, double& min, double& max) const {
    std::size_t n = std::min<std::size_t>(count > 0 ? static_cast<std::size_t>(count) : 0, Values.size());
    if (n == 0) return false;
    // Four running extremes, so that each comparison need not wait for the
    // one before (a long run's curves are fitted to their axes every
    // frame); a NaN after the first value is skipped by the comparisons.
    std::array<double, 4> low, high;
    low.fill(Values[0]);
    high.fill(Values[0]);
    std::size_t i = 1;
    for (; i + 4 <= n; i += 4)
        for (std::size_t k = 0; k < 4; ++k) {
            const double v = Values[i + k];
            low[k] = v < low[k] ? v : low[k];
            high[k] = v > high[k] ? v : high[k];
        }
    for (; i < n; ++i) {
        low[0] = Values[i] < low[0] ? Values[i] : low[0];
        high[0] = Values[i] > high[0] ? Values[i] : high[0];
    }
    min = low[0];
    max = high[0];
    for (std::size_t k = 1; k < 4; ++k) {
        if (low[k] < min) min = low[k];
        if (high[k] > max) max = high[k];
    }
    return true;
}

}  // namespace qv
