// quorvel-cli run: the CSV it prints and its error conventions.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliProcess.h"

TEST(CliRun, PrintsEveryVariableAfterEveryPass) {
    auto program = WriteTempFile("decay.txt", "B := B - 0.5*B*ZEITSCHRITT\r\nZEIT := ZEIT + ZEITSCHRITT\r\n");
    auto r = RunCli({"run", program, "--steps", "3", "--start", "B=100", "--start", "ZEITSCHRITT=1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "step,B,ZEITSCHRITT,ZEIT\n"
              "1,50,1,1\n"
              "2,25,1,2\n"
              "3,12.5,1,3\n");
}

TEST(CliRun, NumbersReadBackExactlyAndSpecialValuesAreSpelledOut) {
    auto program = WriteTempFile("special.txt", "A := 0.1 + 0.2\nC := 1 / 3\n");
    auto r = RunCli({"run", program, "--steps", "1"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "step,A,C\n1,0.30000000000000004,0.3333333333333333\n");
}

TEST(CliRun, StartValuesWithDecimalCommaAndUmlautNames) {
    auto program = WriteTempFile("umlaut.txt", "Größe := Größe * 2\n");
    auto r = RunCli({"run", program, "--steps", "2", "--start", "GRÖßE=1,5", "--decimal-comma"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "step,GRÖßE\n1,3\n2,6\n");

    auto dotted = RunCli({"run", program, "--steps", "1", "--start", "GRÖßE=1,5"});
    EXPECT_EQ(dotted.exitCode, 1);
    EXPECT_EQ(dotted.out, "");
}

TEST(CliRun, MacrosAndCaseSensitivity) {
    auto program = WriteTempFile("macro.txt", "WACHSE\nx := x + 1\n");
    auto body = WriteTempFile("wachse.txt", "X := X + 10\n");
    auto r = RunCli({"run", program, "--steps", "1", "--macro", "WACHSE=" + body});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "step,X\n1,11\n");

    auto sensitive = RunCli({"run", program, "--steps", "1", "--macro", "WACHSE=" + body, "--case-sensitive"});
    EXPECT_EQ(sensitive.exitCode, 0) << sensitive.err;
    EXPECT_EQ(sensitive.out, "step,X,x\n1,10,1\n");
}

TEST(CliRun, CompileErrorGivesLineColumnAndNoOutput) {
    auto program = WriteTempFile("bad.txt", "X := 1\nY := (X\n");
    auto r = RunCli({"run", program});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("Zeile 2, Spalte ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(": ) erwartet.\n"), std::string::npos) << r.err;
}

TEST(CliRun, ArithmeticFaultKeepsCompletedPasses) {
    auto program = WriteTempFile("fault.txt", "N := N - 1\nQ := 1 / N\n");
    auto r = RunCli({"run", program, "--steps", "5", "--start", "N=3"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "step,N,Q\n1,2,0.5\n2,1,1\n");
    EXPECT_EQ(r.err,
              "In Ihrem Algorithmus wird an einer Stelle durch Null dividiert.\n"
              "Häufig liegt es an einem Startwert 0.\n"
              "Sie könnten diesen z.B. auf 0,0001 setzen.\n");

    auto invalid = WriteTempFile("invalid.txt", "X := LN(-1)\n");
    auto r2 = RunCli({"run", invalid});
    EXPECT_EQ(r2.exitCode, 3);
    EXPECT_EQ(r2.out, "step,X\n");
    EXPECT_EQ(r2.err, "Ungültige Gleitkommaoperation\n");

    auto overflow = WriteTempFile("overflow.txt", "X := EXP(X)\n");
    auto r3 = RunCli({"run", overflow, "--start", "X=1000"});
    EXPECT_EQ(r3.exitCode, 3);
    EXPECT_EQ(r3.err.rfind("Gleitkommaüberlauf:\n", 0), 0u) << r3.err;
}

TEST(CliRun, WrongUsageAndUnreadableFiles) {
    EXPECT_EQ(RunCli({}).exitCode, 1);
    EXPECT_EQ(RunCli({"fly"}).exitCode, 1);
    EXPECT_EQ(RunCli({"run"}).exitCode, 1);
    auto program = WriteTempFile("ok.txt", "X := 1\n");
    EXPECT_EQ(RunCli({"run", program, "--steps"}).exitCode, 1);
    EXPECT_EQ(RunCli({"run", program, "--steps", "zehn"}).exitCode, 1);
    EXPECT_EQ(RunCli({"run", program, "--start", "X"}).exitCode, 1);
    EXPECT_EQ(RunCli({"run", program, "--bogus"}).exitCode, 1);
    auto missing = RunCli({"run", "/nonexistent/program.txt"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.empty());
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(RunCli({"run", program, "--macro", "M=/nonexistent/m.txt"}).exitCode, 1);
}

TEST(CliRun, StartNamesFollowTheCaseRuleAndMustNameAnInput) {
    auto program = WriteTempFile("tea.txt", "TEA := TEA - 1\n");
    auto folded = RunCli({"run", program, "--steps", "1", "--start", "Tea=180"});
    EXPECT_EQ(folded.exitCode, 0) << folded.err;
    EXPECT_EQ(folded.out, "step,TEA\n1,179\n");

    // A value that would be lost is refused before anything runs.
    for (const std::vector<std::string>& extra : {std::vector<std::string>{"--start", "MILK=1"},
                                                  {"--start", "Tea=180", "--case-sensitive"}}) {
        std::vector<std::string> args{"run", program, "--steps", "1"};
        args.insert(args.end(), extra.begin(), extra.end());
        auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << extra[1];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Unbekannte Eingangsgröße: " + extra[1].substr(0, extra[1].find('=')) + "\n");
    }
    for (const char* value : {"TEA=inf", "TEA=-inf", "TEA=nan"}) {
        auto r = RunCli({"run", program, "--steps", "1", "--start", value});
        EXPECT_EQ(r.exitCode, 1) << value;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(std::string("Ungültiger Startwert: ") + value + "\n", 0), 0u) << r.err;
    }
}

TEST(CliRun, ProgramFilesThatAreNoTextFilesAreRefused) {
    // An endless device is not read until the memory runs out.
    auto endless = RunCli({"run", "/dev/zero"});
    EXPECT_EQ(endless.exitCode, 1);
    EXPECT_EQ(endless.err, "Die Datei /dev/zero ist zu groß: erlaubt sind höchstens 16 MB.\n");
    // A folder is no empty program.
    auto program = WriteTempFile("folder-check.txt", "X := 1\n");
    const std::string folder = std::filesystem::path(program).parent_path().string();
    const std::string isFolder = "Die Datei " + folder + " kann nicht gelesen werden: Das ist ein Ordner.\n";
    auto r = RunCli({"run", folder});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, isFolder);
    EXPECT_EQ(r.out, "");
    r = RunCli({"run", program, "--macro", "M=" + folder});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, isFolder);
}
