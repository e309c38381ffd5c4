#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modeleditors/QVAlgoClipboard.h"

namespace qv {
namespace {

using Lines = std::vector<std::string>;

TEST(AlgoClipboard, SplitsLinesLikeATextField) {
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitLines("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(JoinLines({"a", "b"}, "\r\n"), "a\r\nb\r\n");
}

TEST(AlgoClipboard, ProgramTextTravelsWithoutItsHeader) {
    const std::string copied = ProgramCopyText("R\xE4uber", "X := X + 1\nY := X");
    EXPECT_EQ(copied, "PROGRAMM: (R\xE4uber)\r\nX := X + 1\r\nY := X\r\n");
    EXPECT_EQ(ProgramPasteText(copied), "X := X + 1\nY := X\n");
    EXPECT_EQ(ProgramCopyText("", ""), "PROGRAMM: ()\r\n");
    EXPECT_EQ(ProgramPasteText("PROGRAMM: (leer)"), "");

    // Only the exact header counts; other text goes in as it is.
    EXPECT_EQ(ProgramPasteText("Programm: (x)\r\nA := 1"), "Programm: (x)\r\nA := 1");
    EXPECT_EQ(ProgramPasteText("A := (1)\r\nB := 2"), "A := (1)\r\nB := 2");
    EXPECT_EQ(ProgramPasteText("PROGRAMM: ohne Klammer\nA := 1"), "PROGRAMM: ohne Klammer\nA := 1");
    EXPECT_EQ(ProgramPasteText(""), "");
    EXPECT_EQ(ProgramPasteText("\r\n"), "\r\n");
}

TEST(AlgoClipboard, StartValuesPastedIntoTheProgramBecomeComments) {
    const std::vector<StartValueRow> rows = {{"B", "0,5"}, {"", ""}, {"R", "3"}};
    const std::string copied = StartValuesCopyText("Wachstum", rows);
    EXPECT_EQ(copied, "Startwerte: (Wachstum)\r\nB;0,5\r\nR;3\r\n");
    EXPECT_EQ(ProgramPasteText(copied), "// Startwerte: (Wachstum)\n// B;0,5\n// R;3\n");
    EXPECT_EQ(ProgramPasteText("STARTWERTE: (x)\nA;1"), "// STARTWERTE: (x)\n// A;1\n");
}

TEST(AlgoClipboard, StartValuesRoundTripByName) {
    const std::vector<StartValueRow> source = {{"B", "0,5"}, {"R", "3"}, {"Fremd", "8"}, {"", ""}};
    std::vector<StartValueRow> rows = {{"R", "0"}, {"B", "0"}, {"b", "0"}, {"", ""}};
    EXPECT_FALSE(PasteStartValues(StartValuesCopyText("Quelle", source), rows));
    // Matched by exact name in any order; unknown names add no row.
    EXPECT_EQ(rows, (std::vector<StartValueRow>{{"R", "3"}, {"B", "0,5"}, {"b", "0"}, {"", ""}}));

    // The value is everything after the first ";", cut to 255 characters.
    EXPECT_FALSE(PasteStartValues("Startwerte: ()\nR;1;2\nB;" + std::string(300, '7'), rows));
    EXPECT_EQ(rows[0].Value, "1;2");
    EXPECT_EQ(rows[1].Value, std::string(PastedValueChars, '7'));

    // Lines without a name or a ";" are passed over; empty rows get nothing.
    EXPECT_FALSE(PasteStartValues("Startwerte: (x)\r\nR\r\n;5\r\n\r\n", rows));
    EXPECT_EQ(rows[0].Value, "1;2");
    EXPECT_EQ(rows[3], (StartValueRow{"", ""}));
}

TEST(AlgoClipboard, ForeignTextIsNoStartValues) {
    std::vector<StartValueRow> rows = {{"R", "2"}};
    const auto before = rows;
    for (const std::string& text : {std::string(), std::string("\r\n"), std::string("R;5"),
                                    std::string("STARTWERTE: (x)\nR;5"), std::string("PROGRAMM: (x)\nR;5"),
                                    std::string("Startwerte: x\nR;5"), std::string("\nStartwerte: (x)\nR;5"),
                                    std::string("\0\xFF(", 3)}) {
        EXPECT_EQ(PasteStartValues(text, rows), std::optional<std::string>(NoStartValuesText)) << text;
        EXPECT_EQ(rows, before);
    }
}

}  // namespace
}  // namespace qv
