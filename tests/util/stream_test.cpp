#include "util/StreamIO.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace qv {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(StreamIO, StringLayout) {
    OutStream out;
    out.writeString("");
    out.writeString("abc");
    out.writeString("\xE4\x80");  // "ä€" as Windows-1252 bytes pass unchanged
    EXPECT_EQ(out.bytes(), (Bytes{0, 0, 0, 0, 3, 0, 0, 0, 0x61, 0x62, 0x63, 2, 0, 0, 0, 0xE4, 0x80}));
    EXPECT_TRUE(out.ok());

    InStream in(out.bytes());
    EXPECT_EQ(in.readString(), "");
    EXPECT_EQ(in.readString(), "abc");
    EXPECT_EQ(in.readString(), "\xE4\x80");
    EXPECT_TRUE(in.atEnd());
}

TEST(StreamIO, NumbersAreLittleEndian) {
    OutStream out;
    out.writeInt32(-2);
    out.writeInt16(-300);
    out.writeDouble(1.0);
    out.writeBool(true);
    out.writeInt8(-1);
    EXPECT_EQ(out.bytes(), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0xD4, 0xFE, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 1, 0xFF}));

    InStream in(out.bytes());
    EXPECT_EQ(in.readInt32(), -2);
    EXPECT_EQ(in.readInt16(), -300);
    EXPECT_EQ(in.readDouble(), 1.0);
    EXPECT_TRUE(in.readBool());
    EXPECT_EQ(in.readInt8(), -1);
    EXPECT_TRUE(in.atEnd());
}

TEST(StreamIO, ValuesSurviveRoundTrip) {
    const double doubles[] = {-0.0, 0.1, -123456.789, 1e-310, std::numeric_limits<double>::max(),
                              -std::numeric_limits<double>::infinity()};
    const int32_t ints[] = {std::numeric_limits<int32_t>::min(), -1, 0, 0x12345678,
                            std::numeric_limits<int32_t>::max()};
    OutStream out;
    for (double d : doubles) out.writeDouble(d);
    for (int32_t i : ints) out.writeInt32(i);
    out.writeStringList({"eins", "", "drei"});

    InStream in(out.bytes());
    for (double d : doubles) {
        double read = in.readDouble();
        EXPECT_EQ(read, d);
        EXPECT_EQ(std::signbit(read), std::signbit(d));
    }
    for (int32_t i : ints) EXPECT_EQ(in.readInt32(), i);
    EXPECT_EQ(in.readStringList(), (std::vector<std::string>{"eins", "", "drei"}));
    EXPECT_TRUE(in.atEnd());

    const Bytes nan = {0, 0, 0, 0, 0, 0, 0xF8, 0x7F};
    EXPECT_TRUE(std::isnan(InStream(nan).readDouble()));
}

TEST(StreamIO, NegativeLengthReadsAsEmpty) {
    const Bytes bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 'x'};
    InStream in(bytes);
    EXPECT_EQ(in.readString(), "");
    EXPECT_EQ(in.position(), 4u);
    EXPECT_EQ(in.readString(), "");  // INT32_MIN
    EXPECT_EQ(in.readByte(), 'x');

    const Bytes negativeCount = {0xF6, 0xFF, 0xFF, 0xFF};
    InStream counts(negativeCount);
    EXPECT_EQ(counts.readCount(8), 0u);
}

TEST(StreamIO, DamagedRecordsThrowWithoutReadingPastTheEnd) {
    // A huge length must fail before anything is allocated for it.
    const Bytes huge = {0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'};
    EXPECT_THROW(InStream(huge).readString(), StreamError);

    const Bytes oneShort = {4, 0, 0, 0, 'a', 'b', 'c'};
    InStream in(oneShort);
    EXPECT_THROW(in.readString(), StreamError);

    const Bytes exact = {3, 0, 0, 0, 'a', 'b', 'c'};
    EXPECT_EQ(InStream(exact).readString(), "abc");

    EXPECT_THROW(InStream(Bytes{1, 2, 3}).readInt32(), StreamError);
    EXPECT_THROW(InStream(Bytes{1, 2, 3, 4, 5, 6, 7}).readDouble(), StreamError);
    EXPECT_THROW(InStream(Bytes{}).readByte(), StreamError);
    EXPECT_THROW(InStream(Bytes{5, 'a', 'b'}).readShortString(), StreamError);

    uint8_t target[4] = {};
    InStream bytes(Bytes{1, 2, 3});
    EXPECT_THROW(bytes.readBytes(target, 4), StreamError);
    EXPECT_THROW(bytes.seek(4), StreamError);
}

TEST(StreamIO, CountsAreCheckedAgainstRemainingBytes) {
    // Two doubles announced, sixteen bytes present: fine; three announced: damaged.
    Bytes two = {2, 0, 0, 0};
    two.resize(4 + 16);
    EXPECT_EQ(InStream(two).readCount(sizeof(double)), 2u);
    Bytes three = two;
    three[0] = 3;
    EXPECT_THROW(InStream(three).readCount(sizeof(double)), StreamError);

    // Even a caller that gives no item size cannot be made to trust two billion items.
    const Bytes huge = {0xFF, 0xFF, 0xFF, 0x7F, 0};
    EXPECT_THROW(InStream(huge).readCount(0), StreamError);
    EXPECT_THROW(InStream(huge).readStringList(), StreamError);

    const Bytes legacy = {0xFF, 0x7F, 0, 0};
    EXPECT_THROW(InStream(legacy).readCount16(1), StreamError);
}

}  // namespace
}  // namespace qv
