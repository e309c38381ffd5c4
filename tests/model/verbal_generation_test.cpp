#include "model/VerbalGeneration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using Lines = std::vector<std::string>;

const RolePredicates Roles{"nimmt zu um", "nimmt ab um", "ist", "ist proportional zu"};

TEST(VerbalGeneration, DefinitionsFirstThenStockUpdatesThenTime) {
    std::vector<TSentence> rows{{"B", Roles[Increase], "Z"},
                                {"Z", Roles[Assignment], "5"},
                                {"A", Roles[Proportionality], "B"},
                                {"B", Roles[Decrease], "A"},
                                {"B", "frisst", "Gras"},               // no role: nothing
                                {"C", "Nimmt zu um", "1"},             // case matters
                                {"D", Roles[Proportionality], "C"}};  // after the one in row 3
    VerbalProgram program = GenerateFromSentences(rows, Roles, false);
    EXPECT_EQ(program.Lines, (Lines{"Z := 5", "A := FA * B", "D := FD * C", "B := B + Z*ZEITSCHRITT",
                                    "B := B - A*ZEITSCHRITT", "ZEIT := ZEIT + ZEITSCHRITT"}));
    // Each line knows its sentence, so a compile error can be shown there.
    EXPECT_EQ(program.SentenceOfLine, (std::vector<std::optional<std::size_t>>{1, 2, 6, 0, 3, std::nullopt}));

    EXPECT_EQ(GenerateFromSentences(rows, Roles, true).Lines.back(), "ZEIT := ZEIT + 1");
    EXPECT_EQ(GenerateFromSentences(rows, Roles, true).Lines[3], "B := B + Z");
}

TEST(VerbalGeneration, ObjectsWithSignsAreParenthesisedAndWrittenBack) {
    std::vector<TSentence> rows{{"B", Roles[Increase], "Z-K"},
                                {"B", Roles[Increase], "-1"},
                                {"B", Roles[Decrease], "(a+b)*c-d"},  // "B - (a+b)*c-d" would add d
                                {"B", Roles[Decrease], "(Z-K)"},
                                {"A", Roles[Proportionality], "(a)+(b)"},
                                {"Z", Roles[Assignment], "x+1"},
                                {"A", Roles[Proportionality], "a*b"}};
    VerbalProgram program = GenerateFromSentences(rows, Roles, false);
    EXPECT_EQ(program.Lines,
              (Lines{"A := FA * ((a)+(b))", "Z := x+1", "A := FA * a*b", "B := B + (Z-K)*ZEITSCHRITT",
                     "B := B + (-1)*ZEITSCHRITT", "B := B - ((a+b)*c-d)*ZEITSCHRITT", "B := B - (Z-K)*ZEITSCHRITT",
                     "ZEIT := ZEIT + ZEITSCHRITT"}));
    EXPECT_EQ(rows[0].Object, "(Z-K)");
    EXPECT_EQ(rows[2].Object, "((a+b)*c-d)");
    EXPECT_EQ(rows[3].Object, "(Z-K)");
    EXPECT_EQ(rows[5].Object, "x+1");  // an assignment is taken as it is

    // Generating again does not add another pair.
    EXPECT_EQ(GenerateFromSentences(rows, Roles, false).Lines, program.Lines);
}

TEST(VerbalGeneration, WithoutPredicatesOnlyTheTimeLine) {
    // An empty predicate would otherwise match every sentence still without one.
    std::vector<TSentence> rows{{"B", "", "Z"}, {"B", "nimmt zu um", "Z-K"}};
    VerbalProgram program = GenerateFromSentences(rows, std::nullopt, true);
    EXPECT_EQ(program.Lines, Lines{"ZEIT := ZEIT + 1"});
    EXPECT_EQ(rows[1].Object, "Z-K");
}

}  // namespace
}  // namespace qv
