// Records of the shapes and groups: sizes, round trips and damaged input.
#include "drawing/BSSline.h"
#include "drawing/bskomplex.h"
#include "drawing/bspoly.h"
#include "drawing/bspunkt.h"
#include "shape_fixture.h"

namespace qv::testing {

namespace {

std::unique_ptr<TLine> SampleLine() {
    auto line = std::make_unique<TLine>();
    line->SetBounds(1.25, 2.5, -3.0, 0.75);
    line->Angle = 450;
    line->LineColour = MakeColour(10, 20, 30);
    line->LineStyle = 3;
    line->LineWidth = 0.7;
    line->ArrowAtEnd = true;
    line->ArrowLength = 0.4;
    line->ArrowStyle = 2;
    line->ArrowAngle = 60;
    return line;
}

std::unique_ptr<TPoly> SamplePoly(bool curve) {
    std::unique_ptr<TPoly> poly = curve ? std::make_unique<TBezier>() : std::make_unique<TPoly>();
    poly->SetBounds(1, 1, 4, 2);
    poly->Points = {{0, 0}, {4, 1}, {2, 2}};
    poly->Closed = true;
    poly->FillStyle = 5;
    poly->FillColour = MakeColour(0, 255, 0);
    poly->HatchBackground = 2;
    poly->Rounded = true;
    poly->CornerRatio = 0.5;
    return poly;
}

}  // namespace

TEST_F(ShapeTest, RecordsHaveTheirSizesAndReadBackUnchanged) {
    auto line = SampleLine();
    auto poly = SamplePoly(false);
    auto curve = SamplePoly(true);
    TPunkt point(3, 4);
    point.PointStyle = 2;
    TKomplex group;
    group.SetBounds(0.5, 0.5, 10, 10);

    EXPECT_EQ(RecordOf(*line).size(), 65u);
    EXPECT_EQ(RecordOf(point).size(), 51u);
    EXPECT_EQ(RecordOf(*poly).size(), 73u + 16 * 3);
    EXPECT_EQ(RecordOf(*curve).size(), 73u + 16 * 3);
    EXPECT_EQ(RecordOf(group).size(), 37u + 4);

    group.Add(SampleLine());
    group.Add(SamplePoly(true));
    EXPECT_EQ(RecordOf(group).size(), 41u + 65 + 121);

    for (const Tsimple* object : std::initializer_list<const Tsimple*>{line.get(), poly.get(), curve.get(), &point, &group}) {
        const auto bytes = RecordOf(*object);
        auto copy = ReadRecord(bytes);
        ASSERT_TRUE(copy);
        EXPECT_EQ(typeid(*copy), typeid(*object));
        EXPECT_EQ(copy->Tag, object->Tag);
        EXPECT_EQ(RecordOf(*copy), bytes);
        EXPECT_EQ(copy->PixX(), object->PixX());
        EXPECT_EQ(copy->PixHeight(), object->PixHeight());
        EXPECT_FALSE(copy->Selected());
    }

    auto copy = ReadRecord(RecordOf(*line));
    const auto& readLine = dynamic_cast<const TLine&>(*copy);
    EXPECT_EQ(readLine.Angle, 450);
    EXPECT_EQ(readLine.LineColour, MakeColour(10, 20, 30));
    EXPECT_DOUBLE_EQ(readLine.Width(), -3.0);
    EXPECT_TRUE(readLine.ArrowAtEnd);
    EXPECT_FALSE(readLine.ArrowAtStart);
    EXPECT_EQ(readLine.ArrowAngle, 60);
}

TEST_F(ShapeTest, FactoryTags) {
    TKomplex group;
    group.Tag = TagTemporaryGroup;
    auto bytes = RecordOf(group);
    EXPECT_EQ(bytes[0], TagTemporaryGroup);
    EXPECT_EQ(ReadRecord(bytes)->Tag, TagKomplex);

    TSeite page;
    EXPECT_EQ(RecordOf(page)[0], TagKomplex);
    EXPECT_DOUBLE_EQ(page.Width(), 21.0);

    bytes = RecordOf(TPunkt(1, 1));
    bytes[0] |= 0x80;
    EXPECT_NE(dynamic_cast<TPunkt*>(ReadRecord(bytes).get()), nullptr);

    for (uint8_t tag : {0, 1, 3, 10, 56, 99, 127}) {
        bytes[0] = tag;
        try {
            ReadRecord(bytes);
            ADD_FAILURE() << "tag " << int(tag) << " was read";
        } catch (const WrongObjectError& e) {
            EXPECT_STREQ(e.what(), "Falsches Objekt gelesen!");
        }
    }
}

TEST_F(ShapeTest, DamagedRecordsFailCleanly) {
    TKomplex group;
    group.Add(SampleLine());
    group.Add(SamplePoly(true));
    group.Add(std::make_unique<TPunkt>(2, 2));
    const auto bytes = RecordOf(group);
    for (std::size_t length = 1; length < bytes.size(); ++length) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(ReadRecord(cut), StreamError) << "cut at " << length;
    }

    // Counts claiming more children or vertices than bytes remain.
    auto claim = [](std::vector<uint8_t> record, std::size_t at, int32_t count) {
        for (int i = 0; i < 4; ++i) record[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(count >> (8 * i));
        return record;
    };
    EXPECT_THROW(ReadRecord(claim(bytes, 37, 1000000)), StreamError);
    EXPECT_THROW(ReadRecord(claim(RecordOf(*SamplePoly(false)), 68, 0x7FFFFFFF)), StreamError);
}

TEST_F(ShapeTest, DeeplyNestedGroupsAreRefused) {
    auto nested = [](int depth) {
        auto inner = std::make_unique<TKomplex>();
        for (int i = 1; i < depth; ++i) {
            auto outer = std::make_unique<TKomplex>();
            outer->Add(std::move(inner));
            inner = std::move(outer);
        }
        return RecordOf(*inner);
    };
    EXPECT_NO_THROW(ReadRecord(nested(MaxGroupNesting)));
    EXPECT_THROW(ReadRecord(nested(MaxGroupNesting + 1)), StreamError);
    // The refusal leaves nothing behind: the next document reads as before.
    EXPECT_NO_THROW(ReadRecord(nested(MaxGroupNesting)));

    // A hand-made record of 100000 nested groups must not exhaust the stack.
    std::vector<uint8_t> deep;
    for (int i = 0; i < 100000; ++i) {
        deep.push_back(TagKomplex);
        deep.insert(deep.end(), 36, 0);
        for (uint8_t b : {1, 0, 0, 0}) deep.push_back(b);
    }
    EXPECT_THROW(ReadRecord(deep), StreamError);
}

TEST_F(ShapeTest, CloneAndAssignCopyDeeply) {
    TKomplex group;
    group.SetBounds(1, 2, 5, 5);
    group.Add(SampleLine());
    group.Add(SamplePoly(true));
    auto clone = group.Clone();
    ASSERT_TRUE(clone);
    EXPECT_EQ(RecordOf(*clone), RecordOf(group));

    TKomplex target;
    target.Add(std::make_unique<TPunkt>(0, 0));
    target.Active = target.Children[0].get();
    target.Assign(group);
    EXPECT_EQ(RecordOf(target), RecordOf(group));
    EXPECT_EQ(target.Active, nullptr);
    EXPECT_NE(target.Children[0].get(), group.Children[0].get());

    TPunkt point(5, 5);
    point.PointStyle = 1;
    auto pointClone = point.Clone();
    EXPECT_EQ(RecordOf(*pointClone), RecordOf(point));
}

}  // namespace qv::testing
