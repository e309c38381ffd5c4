// One variable of a simulation: its start value, the values of the last run,
// and how it is drawn, tabled and animated.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "util/StreamIO.h"

namespace qv {

// What the dialogs admit for the attributes that size what is drawn or
// tabled; a file may hold any number, so reading keeps them to these.
inline constexpr int32_t MaxLineWidth = 20;
inline constexpr int32_t MinPointSize = 1, MaxPointSize = 15;
inline constexpr int32_t MaxDecimals = 18;
inline constexpr int32_t MaxColumnWidth = 2000;  // pixels, wider than any screen's table

struct Tvariable {
    std::string Name;
    std::string SimulationName;
    bool IsInput = false;
    double StartValue = 0;
    bool Plotted = false;
    bool Changed = false;
    std::vector<double> Values;  // entry j = value after pass j+1
    void* CurveObject = nullptr;  // the chart group last built for it; not owned, not stored
    int32_t CurveKind = 0;        // 0 line, 1 points, 2 points and line, 3 bars
    bool Splines = false;
    uint8_t LineStyle = 0;
    int32_t LineWidth = 0;
    int32_t LineColour = 0;
    int32_t PointForm = 2;
    int32_t PointSize = 5;
    int32_t PointColour = 0;
    bool Animated = false;
    int32_t CurveCreation = 0;
    std::string Picture;
    int32_t PictureIndex = -1;  // not stored
    int32_t Frame = 0;          // not stored
    int32_t AnimationType = 0;
    bool Backward = false;
    bool Scientific = false;
    int32_t ColumnChars = 10;
    int32_t Decimals = 4;
    int32_t ColumnWidth = 64;

    Tvariable() = default;
    explicit Tvariable(std::string name) : Name(std::move(name)) {}
    explicit Tvariable(InStream& in);

    bool save(OutStream& out) const;

    // Minimum and maximum of the first count values; false when count <= 0
    // or nothing was recorded.
    bool GetRange(int32_t count, double& min, double& max) const;
};

}  // namespace qv
