// Shared set-up of the shape tests: fresh drawing globals and a scale of
// 10 pixels per centimetre, so pixel values are easy to reckon.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "drawing/BSSimple.h"
#include "drawing/ObjectReader.h"

namespace qv::testing {

class ShapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawing();
        Scales() = PageScales{};
        Scales().PixelsPerCmX = 10;
        Scales().PixelsPerCmY = 10;
    }
    void TearDown() override {
        ResetDrawing();
        Scales() = PageScales{};
    }
};

inline std::vector<uint8_t> RecordOf(const Tsimple& object) {
    OutStream out;
    EXPECT_TRUE(object.SaveToStream(out));
    return out.take();
}

inline std::unique_ptr<Tsimple> ReadRecord(const std::vector<uint8_t>& bytes) {
    InStream in(bytes);
    const uint8_t tag = in.readByte();
    auto object = ReadObject(in, tag);
    EXPECT_TRUE(in.atEnd());
    return object;
}

}  // namespace qv::testing
