// quorvel-cli generate and diagram on the predator-prey example drawn as a
// diagram, on a document without a diagram, and on broken input.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliProcess.h"

namespace {

const std::string Example = std::string(QV_EXAMPLES_DIR) + "/raeuber-beute-grafisch.prg";

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const std::string& png) {
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    return png.size() < 24 ? std::pair{0, 0} : std::pair{be32(16), be32(20)};
}

const char* const PredatorPreyLines =
    "Hasengeburten:=Vermehrung*Hasen\n"
    "Hasen := Hasen + Hasengeburten*ZEITSCHRITT\n"
    "Hasenverluste:=Fressrate*Hasen*Füchse\n"
    "Hasen := Hasen - Hasenverluste*ZEITSCHRITT\n"
    "Fuchsgeburten:=Umwandlung*Hasen*Füchse\n"
    "Füchse := Füchse + Fuchsgeburten*ZEITSCHRITT\n"
    "Fuchstod:=Sterberate*Füchse\n"
    "Füchse := Füchse - Fuchstod*ZEITSCHRITT\n"
    "ZEIT := ZEIT + ZEITSCHRITT\n";

TEST(CliDiagram, GenerateGivesTheAlgorithmOfTheStoredDiagram) {
    auto r = RunCli({"generate", Example, "--from", "graphical"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, PredatorPreyLines);
    EXPECT_EQ(r.err, "");
    r = RunCli({"generate", "--simulation", "Räuber und Beute (grafisch)", Example, "--from", "graphical"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, PredatorPreyLines);

    // A formula the compiler refuses: the lines are still printed, the
    // error goes to stderr as the editor shows it.
    std::string bytes = Slurp(Example);
    const std::string formula = "Hasengeburten:=Vermehrung*Hasen";
    auto at = bytes.rfind(formula);  // the rate's definition in the diagram, after the program
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, formula.size(), "Hasengeburten:=Vermehrung*(Hase");
    auto broken = WriteTempFile("broken-formula.prg", bytes);
    r = RunCli({"generate", broken, "--from", "graphical"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Hasengeburten:=Vermehrung*(Hase");
    EXPECT_EQ(r.err.rfind("Zeile 1, Spalte ", 0), 0u) << r.err;
}

TEST(CliDiagram, DiagramDrawsThePictureCutToTheDiagram) {
    auto png = WriteTempFile("diagram.png", "");
    auto r = RunCli({"diagram", Example, "-o", png});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto [width, height] = PngSize(Slurp(png));
    // The drawing spans about 570 by 340 pixels of the editor's image.
    EXPECT_GT(width, 500);
    EXPECT_LT(width, 700);
    EXPECT_GT(height, 300);
    EXPECT_LT(height, 400);

    auto svg = WriteTempFile("diagram.svg", "");
    r = RunCli({"diagram", Example, "--simulation", "Räuber und Beute (grafisch)", "-o", svg});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string text = Slurp(svg);
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("Hasengeburten"), std::string::npos);
}

// alt-grafisch.prg is a version-20 document (the older layout, int16
// records) whose diagram holds a rate Z := 3 flowing into a stock B.
TEST(CliDiagram, OlderDocuments) {
    const std::string old = std::string(QV_CLI_TEST_DIR) + "/alt-grafisch.prg";
    auto r = RunCli({"generate", old, "--from", "graphical"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Z := 3\nB := B + Z\nZEIT := ZEIT + 1\n");
    auto png = WriteTempFile("old.png", "");
    r = RunCli({"diagram", old, "-o", png});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Z's box from 20 to 60 with its tip at 75, B's from 80 to 120; both 30
    // high; 10 pixels around.
    EXPECT_EQ(PngSize(Slurp(png)), std::make_pair(121, 51));
}

TEST(CliDiagram, EmptyDiagramsAndWrongInput) {
    auto program = WriteTempFile("plain.txt", "B := B + 1\nZEIT := ZEIT + 1\n");
    auto plain = WriteTempFile("plain.prg", "");
    ASSERT_EQ(RunCli({"new", "-o", plain, "--program", program, "--name", "Ohne Diagramm"}).exitCode, 0);
    auto r = RunCli({"generate", plain, "--from", "graphical"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    auto png = WriteTempFile("empty.png", "");
    r = RunCli({"diagram", plain, "-o", png});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(PngSize(Slurp(png)), std::make_pair(21, 21));

    r = RunCli({"generate", Example, "--from", "graphical", "--simulation", "Wachstum"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Unbekannte Simulation: Wachstum\n");
    EXPECT_EQ(RunCli({"diagram", Example, "--simulation", "Wachstum", "-o", png}).exitCode, 1);
    EXPECT_EQ(RunCli({"generate", Example}).exitCode, 1);
    EXPECT_EQ(RunCli({"generate", Example, "--from", "text"}).exitCode, 1);
    EXPECT_EQ(RunCli({"diagram", Example, "-o", "diagram.pdf"}).exitCode, 1);
    EXPECT_EQ(RunCli({"diagram", Example}).exitCode, 1);

    auto junk = WriteTempFile("junk.prg", "Das ist kein Dokument, nur Text.");
    r = RunCli({"generate", junk, "--from", "graphical"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Dies ist keine Quorvel-Datei, oder Datei defekt.\n");
    EXPECT_EQ(RunCli({"diagram", "/nonexistent/x.prg", "-o", png}).exitCode, 2);

    // A write-protected picture is kept as it was, with the reason.
    auto kept = WriteTempFile("kept.svg", "alt");
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
    r = RunCli({"diagram", Example, "-o", kept});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Die Datei " + kept + " ist schreibgeschützt.\n");
    EXPECT_EQ(Slurp(kept), "alt");
}

}  // namespace
