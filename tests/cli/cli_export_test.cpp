// quorvel-cli export: the file written, what it leaves out on stderr, and
// wrong calls.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "CliProcess.h"

namespace {

}  // namespace

TEST(CliExport, WritesTheModelAndNamesWhatItLeavesOut) {
    const std::string example = std::string(QV_EXAMPLES_DIR) + "/raeuber-beute-grafisch.prg";
    auto xmile = WriteTempFile("rb.xmile", "");
    auto r = RunCli({"export", example, "--simulation", "Räuber und Beute (grafisch)", "-o", xmile});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string text = Slurp(xmile);
    EXPECT_NE(text.find("<stock name=\"Füchse\">"), std::string::npos);
    EXPECT_NE(text.find("<connector"), std::string::npos);

    // An algorithm with a loop: the rest is written, the line named.
    auto program =
        WriteTempFile("bedingt.txt", "WHILE B > 5 DO B := B - 1\nB := B + 1*ZEITSCHRITT\nZEIT := ZEIT + ZEITSCHRITT\n");
    auto document = WriteTempFile("bedingt.prg", "");
    r = RunCli({"new", "-o", document, "--program", program, "--start", "ZEITSCHRITT=1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = RunCli({"export", document, "-o", xmile});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "Nicht nach XMILE übertragen (keine Entsprechung): Zeile 1.\n");
    EXPECT_NE(Slurp(xmile).find("<stock name=\"B\">"), std::string::npos);

    EXPECT_EQ(RunCli({"export", example}).exitCode, 1);
    EXPECT_EQ(RunCli({"export", example, "--simulation", "Gibt es nicht", "-o", xmile}).exitCode, 1);
}
