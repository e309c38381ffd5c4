#include "model/QVGrafDiagram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using Bytes = std::vector<uint8_t>;

// Builds a record byte by byte, little-endian.
struct RecordBuilder {
    Bytes bytes;
    RecordBuilder& i32(int32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    RecordBuilder& i16(int16_t v) {
        bytes.push_back(static_cast<uint8_t>(v));
        bytes.push_back(static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8));
        return *this;
    }
    RecordBuilder& byte(uint8_t v) {
        bytes.push_back(v);
        return *this;
    }
    RecordBuilder& text(const std::string& s) {
        i32(static_cast<int32_t>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    // int16 size n, then a short string of n + 1 bytes whose first byte is used.
    RecordBuilder& legacyText(int16_t n, uint8_t used, const std::string& s) {
        i16(n);
        byte(used);
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    RecordBuilder& legacyText(const std::string& s) {
        return legacyText(static_cast<int16_t>(s.size()), static_cast<uint8_t>(s.size()), s);
    }
    RecordBuilder& legacyElement(int16_t x, int16_t y, const std::string& name) {
        i16(x).i16(y).i16(static_cast<int16_t>(x - 20)).i16(static_cast<int16_t>(y - 15));
        i16(static_cast<int16_t>(x + 20)).i16(static_cast<int16_t>(y + 15));
        return legacyText(name);
    }
};

TEST(GrafRecords, CurrentByteLayouts) {
    tzustand stock(100, -2);
    stock.Name = "B\xE4r";  // Windows-1252 bytes pass unchanged
    OutStream out;
    EXPECT_TRUE(stock.save(out));
    EXPECT_EQ(out.bytes(), RecordBuilder{}.i32(100).i32(-2).i32(80).i32(-17).i32(120).i32(13).text("B\xE4r").bytes);

    trate rate(10, 20);
    rate.Name = "r";
    rate.Definition = "r:=1";
    rate.TipX = 45;
    OutStream rateOut;
    EXPECT_TRUE(rate.save(rateOut));
    EXPECT_EQ(rateOut.bytes(),
              RecordBuilder{}.i32(10).i32(20).i32(-10).i32(5).i32(30).i32(35).text("r").text("r:=1").i32(45).bytes);

    tpfeil arrow(1, 2);
    arrow.AddPoint(1, 9);
    arrow.Sign = -1;
    arrow.SourceRateIndex = 3;
    arrow.TargetStockIndex = 4;
    OutStream arrowOut;
    EXPECT_TRUE(arrow.save(arrowOut));
    EXPECT_EQ(arrowOut.bytes(),
              RecordBuilder{}.i32(2).i32(1).i32(2).i32(1).i32(9).byte(0xFF).i32(-1).i32(-1).i32(3).i32(4).i32(-1).bytes);

    // Neither SavedBox, the label position, Unfinished nor the pointers are stored.
    InStream in(arrowOut.bytes());
    tpfeil back(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(back.PointCount, 2);
    EXPECT_EQ(back.Points[1], (IntPoint{1, 9}));
    EXPECT_EQ(back.Sign, -1);
    EXPECT_EQ(back.SourceRateIndex, 3);
    EXPECT_EQ(back.TargetStockIndex, 4);
    EXPECT_EQ(back.Source, nullptr);
    EXPECT_FALSE(back.Unfinished);

    // An empty name is stored with length 0, and a non-positive length reads as empty.
    Bytes noName = RecordBuilder{}.i32(1).i32(2).i32(3).i32(4).i32(5).i32(6).i32(-5).bytes;
    InStream empty(noName);
    EXPECT_EQ(tKonstante(empty).Name, "");
}

// Two stocks, a rate between them, a constant feeding the rate.
TDiagram SmallModel() {
    TDiagram d;
    d.Stocks.push_back(std::make_unique<tzustand>(100, 100));
    d.Stocks.push_back(std::make_unique<tzustand>(300, 100));
    d.Stocks[0]->Name = "Quelle";
    d.Stocks[1]->Name = "Senke";
    d.Rates.push_back(std::make_unique<trate>(200, 100));
    d.Rates[0]->Name = "Fluss";
    d.Rates[0]->Definition = "Fluss:=k*Quelle";
    d.Constants.push_back(std::make_unique<tKonstante>(200, 40));
    d.Constants[0]->Name = "k";
    auto connect = [&d](TGSimple& from, TGSimple& to, IntPoint start, IntPoint end, int8_t sign) {
        auto a = std::make_unique<tpfeil>(start.X, start.Y);
        a->AddPoint(end.X, end.Y);
        a->Source = &from;
        a->Target = &to;
        a->Sign = sign;
        d.RecordEndIndices(*a, from);
        d.RecordEndIndices(*a, to);
        d.Arrows.push_back(std::move(a));
    };
    connect(*d.Stocks[0], *d.Rates[0], {120, 100}, {180, 100}, 0);
    connect(*d.Rates[0], *d.Stocks[1], {235, 100}, {280, 100}, 1);
    connect(*d.Constants[0], *d.Rates[0], {210, 40}, {210, 85}, 0);
    return d;
}

void ExpectEnds(const tpfeil& a, const std::string& source, const std::string& target) {
    ASSERT_NE(a.Source, nullptr);
    ASSERT_NE(a.Target, nullptr);
    EXPECT_EQ(a.Source->Name, source);
    EXPECT_EQ(a.Target->Name, target);
}

TEST(GrafRecords, DiagramRoundTripResolvesEnds) {
    TDiagram d = SmallModel();
    EXPECT_EQ(d.Arrows[0]->SourceStockIndex, 0);
    EXPECT_EQ(d.Arrows[0]->SourceConstantIndex, -1);
    EXPECT_EQ(d.Arrows[0]->TargetRateIndex, 0);
    EXPECT_EQ(d.Arrows[1]->SourceRateIndex, 0);
    EXPECT_EQ(d.Arrows[1]->TargetStockIndex, 1);
    EXPECT_EQ(d.Arrows[2]->SourceConstantIndex, 0);

    OutStream out;
    ASSERT_TRUE(d.save(out));
    InStream in(out.bytes());
    TDiagram back = TDiagram::read(in);
    EXPECT_TRUE(in.atEnd());
    ASSERT_EQ(back.Stocks.size(), 2u);
    ASSERT_EQ(back.Rates.size(), 1u);
    ASSERT_EQ(back.Constants.size(), 1u);
    ASSERT_EQ(back.Arrows.size(), 3u);
    EXPECT_EQ(back.Rates[0]->Definition, "Fluss:=k*Quelle");
    EXPECT_EQ(back.Rates[0]->TipX, 200);
    EXPECT_EQ(back.Stocks[1]->Box, d.Stocks[1]->Box);
    ExpectEnds(*back.Arrows[0], "Quelle", "Fluss");
    ExpectEnds(*back.Arrows[1], "Fluss", "Senke");
    ExpectEnds(*back.Arrows[2], "k", "Fluss");
    EXPECT_EQ(back.Arrows[1]->Sign, 1);
    EXPECT_EQ(back.Arrows[2]->Last(), (IntPoint{210, 85}));
    EXPECT_EQ(back.Arrows[0]->Target, back.Rates[0].get());

    // Saving the read diagram gives the same bytes.
    OutStream again;
    ASSERT_TRUE(back.save(again));
    EXPECT_EQ(again.bytes(), out.bytes());

    OutStream none;
    EXPECT_TRUE(TDiagram{}.save(none));
    EXPECT_EQ(none.bytes(), Bytes(16, 0));
}

TEST(GrafRecords, CopyIsDeepAndReResolved) {
    TDiagram d = SmallModel();
    TDiagram copy(d);
    ASSERT_EQ(copy.Arrows.size(), 3u);
    EXPECT_NE(copy.Stocks[0].get(), d.Stocks[0].get());
    EXPECT_EQ(copy.Arrows[0]->Source, copy.Stocks[0].get());
    EXPECT_EQ(copy.Arrows[1]->Target, copy.Stocks[1].get());
    EXPECT_EQ(copy.Arrows[2]->Source, copy.Constants[0].get());
    EXPECT_EQ(copy.Rates[0]->Definition, "Fluss:=k*Quelle");

    copy.Stocks[0]->Name = "anders";
    EXPECT_EQ(d.Stocks[0]->Name, "Quelle");

    TDiagram other;
    other = d;
    other = other;  // assigning to itself keeps everything
    ASSERT_EQ(other.Arrows.size(), 3u);
    ExpectEnds(*other.Arrows[1], "Fluss", "Senke");
}

TEST(GrafRecords, DeletingAStockKeepsOtherArrowsAttached) {
    TDiagram d = SmallModel();
    // A third stock feeding the rate after the other two.
    d.Stocks.push_back(std::make_unique<tzustand>(200, 200));
    d.Stocks[2]->Name = "Dritte";
    auto a = std::make_unique<tpfeil>(200, 185);
    a->AddPoint(200, 115);
    a->Source = d.Stocks[2].get();
    a->Target = d.Rates[0].get();
    d.RecordEndIndices(*a, *a->Source);
    d.RecordEndIndices(*a, *a->Target);
    d.Arrows.push_back(std::move(a));

    // Delete the first stock and its arrow, as the editor does, then renumber.
    std::erase_if(d.Arrows, [&d](const auto& arrow) { return arrow->Source == d.Stocks[0].get(); });
    d.Stocks.erase(d.Stocks.begin());
    d.RenumberArrowEnds();
    EXPECT_EQ(d.Arrows[0]->TargetStockIndex, 0);
    EXPECT_EQ(d.Arrows[2]->SourceStockIndex, 1);

    OutStream out;
    ASSERT_TRUE(d.save(out));
    InStream in(out.bytes());
    TDiagram back = TDiagram::read(in);
    ASSERT_EQ(back.Arrows.size(), 3u);
    ExpectEnds(*back.Arrows[0], "Fluss", "Senke");
    ExpectEnds(*back.Arrows[1], "k", "Fluss");
    ExpectEnds(*back.Arrows[2], "Dritte", "Fluss");
}

TEST(GrafRecords, LegacyDiagram) {
    RecordBuilder b;
    b.i16(2).legacyElement(100, 100, "Z\xE4hler").legacyElement(-300, 50, "?");
    b.i16(1).legacyElement(200, 100, "r").legacyText("r:=k").i16(235);
    b.i16(1).legacyElement(200, 40, "k");
    b.i16(3);
    // From the rate (kind 2) to stock 1 (kind 1).
    b.i16(2).i16(235).i16(100).i16(280).i16(100).byte(1).i16(0).i16(2).i16(1).i16(1);
    // From the constant (kind 3) to the rate (kind 2), sign -1.
    b.i16(1).i16(210).i16(40).byte(0xFF).i16(0).i16(3).i16(0).i16(2);
    // Unknown kinds leave both ends unset.
    b.i16(0).byte(0).i16(0).i16(7).i16(0).i16(3);

    InStream in(b.bytes);
    TDiagram d = TDiagram::readLegacy(in);
    EXPECT_TRUE(in.atEnd());
    ASSERT_EQ(d.Stocks.size(), 2u);
    EXPECT_EQ(d.Stocks[0]->Name, "Z\xE4hler");
    EXPECT_EQ(d.Stocks[1]->CentreX, -300);  // sign-extended
    EXPECT_EQ(d.Stocks[1]->Box, (IntRect{-320, 35, -280, 65}));
    ASSERT_EQ(d.Rates.size(), 1u);
    EXPECT_EQ(d.Rates[0]->Definition, "r:=k");
    EXPECT_EQ(d.Rates[0]->TipX, 235);
    ASSERT_EQ(d.Arrows.size(), 3u);

    const tpfeil& flow = *d.Arrows[0];
    EXPECT_EQ(flow.PointCount, 2);
    EXPECT_EQ(flow.Points[1], (IntPoint{280, 100}));
    EXPECT_EQ(flow.Sign, 1);
    EXPECT_EQ(flow.SourceRateIndex, 0);
    EXPECT_EQ(flow.SourceStockIndex, -1);
    EXPECT_EQ(flow.SourceConstantIndex, -1);
    EXPECT_EQ(flow.TargetStockIndex, 1);
    EXPECT_EQ(flow.TargetRateIndex, -1);
    EXPECT_EQ(flow.Source, d.Rates[0].get());
    EXPECT_EQ(flow.Target, d.Stocks[1].get());

    EXPECT_EQ(d.Arrows[1]->Sign, -1);
    EXPECT_EQ(d.Arrows[1]->Source, d.Constants[0].get());
    EXPECT_EQ(d.Arrows[1]->Target, d.Rates[0].get());

    const tpfeil& loose = *d.Arrows[2];
    EXPECT_EQ(loose.PointCount, 0);
    EXPECT_EQ(loose.Source, nullptr);
    EXPECT_EQ(loose.Target, nullptr);
    EXPECT_EQ(loose.TargetStockIndex, -1);
    EXPECT_EQ(loose.TargetRateIndex, -1);
}

TEST(GrafRecords, LegacyShortStrings) {
    auto nameOf = [](const RecordBuilder& b) {
        InStream in(b.bytes);
        tzustand s(in, LegacyRecord{});
        EXPECT_TRUE(in.atEnd());
        return s.Name;
    };
    auto element = [] { return RecordBuilder{}.i16(0).i16(0).i16(0).i16(0).i16(0).i16(0); };
    EXPECT_EQ(nameOf(element().legacyText("abc")), "abc");
    EXPECT_EQ(nameOf(element().legacyText(0, 0, "")), "");
    // A buffer longer than the text it holds: the length byte decides.
    EXPECT_EQ(nameOf(element().legacyText(5, 2, std::string("ab\0\0\0", 5))), "ab");
    // A length byte that claims more than the buffer holds takes only the buffer.
    EXPECT_EQ(nameOf(element().legacyText(3, 200, "xyz")), "xyz");
    EXPECT_EQ(nameOf(element().legacyText(std::string(255, 'n'))), std::string(255, 'n'));
}

void ExpectRejected(const Bytes& bytes, bool legacy) {
    InStream in(bytes);
    EXPECT_THROW(legacy ? TDiagram::readLegacy(in) : TDiagram::read(in), StreamError);
}

TEST(GrafRecords, DamagedRecordsAreRejected) {
    auto arrowOnly = [](int32_t n) {
        RecordBuilder b;
        b.i32(0).i32(0).i32(0).i32(1).i32(n);
        for (int i = 0; i < 102; ++i) b.i32(i).i32(0);  // enough bytes for any of the counts
        b.byte(0).i32(-1).i32(-1).i32(-1).i32(-1).i32(-1);
        return b.bytes;
    };
    ExpectRejected(arrowOnly(102), false);
    ExpectRejected(arrowOnly(-1), false);
    Bytes full = arrowOnly(101);
    InStream fits(full);
    EXPECT_EQ(TDiagram::read(fits).Arrows[0]->PointCount, 101);

    auto legacyArrowOnly = [](int16_t n) {
        RecordBuilder b;
        b.i16(0).i16(0).i16(0).i16(1).i16(n);
        for (int i = 0; i < 102; ++i) b.i16(0).i16(0);
        b.byte(0).i16(0).i16(1).i16(0).i16(2);
        return b.bytes;
    };
    ExpectRejected(legacyArrowOnly(102), true);
    ExpectRejected(legacyArrowOnly(-3), true);

    auto legacyStock = [](int16_t n) {
        RecordBuilder b;
        b.i16(1).i16(0).i16(0).i16(0).i16(0).i16(0).i16(0);
        b.legacyText(n, 255, std::string(300, 'a'));
        b.i16(0).i16(0).i16(0);
        return b.bytes;
    };
    ExpectRejected(legacyStock(256), true);
    ExpectRejected(legacyStock(-1), true);
    {
        // A rate whose definition claims 300 characters.
        RecordBuilder b;
        b.i16(0).i16(1).legacyElement(0, 0, "r").legacyText(300, 255, std::string(301, 'd')).i16(0);
        b.i16(0).i16(0);
        ExpectRejected(b.bytes, true);
    }

    // Counts and lengths beyond the remaining bytes, and records cut short.
    ExpectRejected(RecordBuilder{}.i32(1000000).bytes, false);
    ExpectRejected(RecordBuilder{}.i16(30000).bytes, true);
    ExpectRejected(RecordBuilder{}.i32(1).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(1000).bytes, false);
    OutStream out;
    ASSERT_TRUE(SmallModel().save(out));
    Bytes cut = out.bytes();
    cut.pop_back();
    ExpectRejected(cut, false);
    ExpectRejected(Bytes{}, false);
}

TEST(GrafRecords, BadIndicesAndCountsAreHandled) {
    // Indices beyond their lists leave the ends unresolved instead of pointing nowhere.
    RecordBuilder b;
    b.i32(1).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).text("s");
    b.i32(0).i32(0).i32(1);
    b.i32(1).i32(0).i32(0).byte(0).i32(5).i32(-1).i32(-1).i32(-1).i32(1);
    InStream in(b.bytes);
    TDiagram d = TDiagram::read(in);
    ASSERT_EQ(d.Arrows.size(), 1u);
    EXPECT_EQ(d.Arrows[0]->Source, nullptr);
    EXPECT_EQ(d.Arrows[0]->Target, nullptr);

    // An arrow whose point count was damaged in memory is not written.
    TDiagram bad = SmallModel();
    bad.Arrows[1]->PointCount = 102;
    OutStream out;
    EXPECT_FALSE(bad.save(out));
    bad.Arrows[1]->PointCount = -1;
    OutStream out2;
    EXPECT_FALSE(bad.save(out2));
}

}  // namespace
}  // namespace qv
