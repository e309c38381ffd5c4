#include "util/Cp1252.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Cp1252, ToUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("abc"), "abc");
    EXPECT_EQ(Cp1252ToUtf8("\xE4\xF6\xFC\xC4\xD6\xDC\xDF"), "äöüÄÖÜß");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "€");
    EXPECT_EQ(Cp1252ToUtf8("\x84\x93\x96\x99"), "„“–™");
    EXPECT_EQ(Cp1252ToUtf8("\xB0\xFF"), "°ÿ");
    // The five gaps of Windows-1252 keep their C1 control code points.
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1252, FromUtf8) {
    EXPECT_EQ(Utf8ToCp1252("Größe"), "Gr\xF6\xDF" "e");
    EXPECT_EQ(Utf8ToCp1252("5 €"), "5 \x80");
    EXPECT_EQ(Utf8ToCp1252("„x“ — ‰"), "\x84x\x93 \x97 \x89");
    // Characters that Windows-1252 cannot hold.
    EXPECT_EQ(Utf8ToCp1252("α→😀"), "???");
}

TEST(Cp1252, InvalidUtf8BecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("a\xFF" "b"), "a?b");       // not a lead byte
    EXPECT_EQ(Utf8ToCp1252("a\x80" "b"), "a?b");       // stray continuation
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");            // cut off at the end
    EXPECT_EQ(Utf8ToCp1252("\xC3" "a"), "?a");         // continuation missing
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "??");         // three-byte form cut off
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "?");          // overlong "/"
    EXPECT_EQ(Utf8ToCp1252("\xE0\x80\x80"), "?");      // overlong NUL
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "?");      // surrogate half
}

TEST(Cp1252, RoundTripOfEveryByte) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

}  // namespace
}  // namespace qv
