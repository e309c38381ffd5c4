#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/QVCompile.h"
#include "modeleditors/QVAlgo.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

class AlgoStartValues : public ::testing::Test {
protected:
    void SetUp() override { Formats().DecimalSeparator = ','; }

    // Types the program, as the text field's change would.
    std::optional<std::string> Type(std::vector<std::string> program) {
        state.Program = std::move(program);
        return state.ProgramChanged();
    }

    std::vector<StartValueRow> Named() const {
        std::vector<StartValueRow> rows;
        for (const auto& row : state.StartValues)
            if (!row.Name.empty() || !row.Value.empty()) rows.push_back(row);
        return rows;
    }

    StartValueRow& Row(const std::string& name) {
        for (auto& row : state.StartValues)
            if (row.Name == name) return row;
        throw std::runtime_error("no row " + name);
    }

    static double ValueOf(const std::string& name) {
        const CompilerState& c = Compiler();
        for (int i = 0; i <= c.VariableCount; ++i)
            if (c.VariableNames[static_cast<std::size_t>(i)] == name) return c.VariableValues[static_cast<std::size_t>(i)];
        throw std::runtime_error("no variable " + name);
    }

    AlgoEditorState state;
};

TEST_F(AlgoStartValues, FollowTheProgramThroughEdits) {
    EXPECT_FALSE(Type({"Y := Y + R"}));
    EXPECT_EQ(Named(), (std::vector<StartValueRow>{{"Y", "0"}, {"R", "0"}}));
    EXPECT_EQ(state.StartValues.size(), StartValueRows);

    Row("Y").Value = "2,5";
    EXPECT_FALSE(Type({"Y := Y + R * K"}));
    EXPECT_EQ(Named(), (std::vector<StartValueRow>{{"Y", "2,5"}, {"R", "0"}, {"K", "0"}}));
    EXPECT_DOUBLE_EQ(ValueOf("Y"), 2.5);

    // The last use of R goes, and so does its row; Y survives every compile.
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(Type({"Y := Y + K"}));
    EXPECT_EQ(Named(), (std::vector<StartValueRow>{{"Y", "2,5"}, {"K", "0"}}));
    EXPECT_EQ(state.StartValues.size(), StartValueRows);

    // A name that went away comes back with 0, not with its old value.
    EXPECT_FALSE(Type({"K := 1"}));
    EXPECT_TRUE(Named().empty());
    EXPECT_FALSE(Type({"Y := Y + K"}));
    EXPECT_EQ(Row("Y").Value, "0");

    // An assigned variable needs no start value.
    Row("Y").Value = "4";
    EXPECT_FALSE(Type({"Y := 1", "K := Y"}));
    EXPECT_TRUE(Named().empty());
}

TEST_F(AlgoStartValues, CompileErrorsAndTheSuspendFlagLeaveTheTableAlone) {
    Type({"Y := Y + R"});
    Row("R").Value = "3";
    const auto before = state.StartValues;

    EXPECT_FALSE(Type({"Y := Y + R +"}));  // silent while typing
    EXPECT_EQ(state.StartValues, before);

    state.Suspended = true;
    EXPECT_FALSE(Type({"Z := Z"}));
    EXPECT_EQ(state.StartValues, before);
    state.Suspended = false;
    EXPECT_FALSE(state.ProgramChanged());
    EXPECT_EQ(Named(), (std::vector<StartValueRow>{{"Z", "0"}}));
}

TEST_F(AlgoStartValues, CaseSensitiveNamesKeepSeparateValues) {
    state.CaseSensitive = true;
    Type({"z := a + A"});
    Row("a").Value = "1";
    Row("A").Value = "2";
    EXPECT_FALSE(state.ProgramChanged());
    EXPECT_EQ(Named(), (std::vector<StartValueRow>{{"a", "1"}, {"A", "2"}}));
    EXPECT_DOUBLE_EQ(ValueOf("a"), 1);
    EXPECT_DOUBLE_EQ(ValueOf("A"), 2);

    // Switching case off merges both names into one, which matches neither row.
    state.CaseSensitive = false;
    EXPECT_FALSE(state.ProgramChanged());
    EXPECT_EQ(Named(), (std::vector<StartValueRow>{{"A", "2"}}));
}

TEST_F(AlgoStartValues, EveryInputKeepsItsValueBeyondFiftyRows) {
    // 100 inputs and one assigned variable: everything the compiler admits.
    std::string sum = "V0";
    for (int i = 1; i < 100; ++i) sum += " + V" + std::to_string(i);
    EXPECT_FALSE(Type({"S := " + sum}));
    ASSERT_EQ(state.StartValues.size(), 100u);
    EXPECT_EQ(state.StartValues[99].Name, "V99");

    Row("V60").Value = "7";
    Row("V99").Value = "-1,5E3";
    EXPECT_FALSE(Type({"S := " + sum}));
    EXPECT_EQ(Row("V60").Value, "7");
    EXPECT_DOUBLE_EQ(ValueOf("V99"), -1500);

    // Fewer inputs shrink the table again, never below its 50 rows.
    EXPECT_FALSE(Type({"S := V60"}));
    EXPECT_EQ(state.StartValues.size(), StartValueRows);
    EXPECT_EQ(Named(), (std::vector<StartValueRow>{{"V60", "7"}}));
}

TEST_F(AlgoStartValues, ValuesThatAreNoNumbers) {
    Type({"Y := A + B + C + D"});
    Row("A").Value = "abc";
    Row("B").Value = "2.5";  // a point where the user writes a comma
    Row("C").Value = "";
    Row("D").Value = "1," + std::string(60, '5');
    const auto message = state.ProgramChanged();
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, "Der Startwert von A ist keine Zahl: abc");
    // The faulty texts stay for the user to correct; their variables get 0.
    EXPECT_EQ(Row("A").Value, "abc");
    EXPECT_EQ(Row("B").Value, "2.5");
    EXPECT_DOUBLE_EQ(ValueOf("A"), 0);
    EXPECT_DOUBLE_EQ(ValueOf("B"), 0);
    EXPECT_EQ(Row("C").Value, "0");
    EXPECT_EQ(Row("D").Value.size(), StartValueChars);
    EXPECT_NEAR(ValueOf("D"), 1.5555, 1e-3);

    Row("A").Value = "1";
    Row("B").Value = "2,5";
    EXPECT_FALSE(state.ProgramChanged());
    EXPECT_DOUBLE_EQ(ValueOf("B"), 2.5);
}

TEST_F(AlgoStartValues, ResetGivesNamedRowsZero) {
    Type({"Y := A + B"});
    Row("A").Value = "5";
    state.ResetStartValues();
    EXPECT_EQ(Named(), (std::vector<StartValueRow>{{"A", "0"}, {"B", "0"}}));
}

}  // namespace
}  // namespace qv
