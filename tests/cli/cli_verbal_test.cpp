// quorvel-cli generate --from verbal on the growth example written as
// sentences, with the shipped predicates and with a file of one's own.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "CliProcess.h"

namespace {

const std::string Example = std::string(QV_EXAMPLES_DIR) + "/wachstum-sprachlich.prg";
const char* const GrowthLines = "Zuwachs := FZuwachs * Bestand\nBestand := Bestand + Zuwachs\nZEIT := ZEIT + 1\n";

TEST(CliVerbal, GenerateGivesTheAlgorithmOfTheStoredSentences) {
    auto r = RunCli({"generate", Example, "--from", "verbal"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, GrowthLines);
    EXPECT_EQ(r.err, "");

    // The roles go by line: with increase and decrease swapped in the file,
    // the stored "nimmt zu um" now decreases.
    auto swapped = WriteTempFile("Vertauscht.txt", "nimmt ab um\r\nnimmt zu um\r\nist\r\nist proportional zu\r\n");
    r = RunCli({"generate", "--predicates", swapped, Example, "--simulation", "Wachstum (sprachlich)", "--from",
                "verbal"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Zuwachs := FZuwachs * Bestand\nBestand := Bestand - Zuwachs\nZEIT := ZEIT + 1\n");
}

TEST(CliVerbal, MissingPredicatesAndFaultySentencesAreReported) {
    const std::string missing = "Die Datei Praedkt.txt fehlt oder enthält weniger als vier Prädikate.\n";
    for (const std::string& content : {std::string("nimmt zu um\nnimmt ab um\nist\n"), std::string()}) {
        auto file = WriteTempFile("Kurz.txt", content);
        auto r = RunCli({"generate", Example, "--from", "verbal", "--predicates", content.empty() ? file + "x" : file});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, missing);
    }

    // An object the compiler refuses: the lines are printed, the error goes to stderr.
    std::string bytes = Slurp(Example);
    auto at = bytes.rfind("Bestand");  // the object of the last sentence
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 7, "Besta)d");
    auto r = RunCli({"generate", WriteTempFile("kaputt.prg", bytes), "--from", "verbal"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Zuwachs := FZuwachs * Besta)d");
    EXPECT_EQ(r.err.rfind("Zeile 1, Spalte ", 0), 0u) << r.err;

    EXPECT_EQ(RunCli({"generate", Example, "--from", "graphical", "--predicates", "Praedkt.txt"}).exitCode, 1);
    EXPECT_EQ(RunCli({"generate", Example, "--from", "sprachlich"}).exitCode, 1);
}

}  // namespace
