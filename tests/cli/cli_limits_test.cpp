// quorvel-cli on runs that do not end by themselves: Ctrl+C, SIGTERM, the
// time limit and step counts whose values do not fit in memory.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "CliProcess.h"

namespace {

// Three passes complete; the fourth never ends.
std::string EndlessFourthPass() {
    return WriteTempFile("endless.txt", "N := N + 1\nIF N > 3 THEN WHILE 1 < 2 DO X := X + 1\n");
}

const std::string ThreePasses = "step,N,X\n1,1,0\n2,2,0\n3,3,0\n";

TEST(CliLimits, SignalsStopTheRunAndKeepTheCompletedPasses) {
    auto program = EndlessFourthPass();
    auto interrupted = RunCliAndSignal({"run", program, "--steps", "10"}, SIGINT);
    EXPECT_EQ(interrupted.exitCode, 130);
    EXPECT_EQ(interrupted.out, ThreePasses);
    EXPECT_EQ(interrupted.err, "Berechnung abgebrochen.\n");

    auto terminated = RunCliAndSignal({"run", program, "--steps", "10"}, SIGTERM);
    EXPECT_EQ(terminated.exitCode, 143);
    EXPECT_EQ(terminated.out, ThreePasses);
}

TEST(CliLimits, TimeLimitEndsTheRunLikeAFault) {
    auto program = EndlessFourthPass();
    auto run = RunCli({"run", program, "--steps", "10", "--time-limit", "0.2"});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, ThreePasses);
    EXPECT_EQ(run.err, "Zeitlimit überschritten.\n");
    EXPECT_EQ(RunCli({"run", program, "--time-limit", "0"}).exitCode, 1);
    EXPECT_EQ(RunCli({"run", program, "--time-limit", "nan"}).exitCode, 1);

    // The document is still written and drawn with what was computed.
    auto document = WriteTempFile("endless.prg", "");
    auto made = RunCli({"new", "-o", document, "--program", program, "--steps", "10", "--plot", "N",
                        "--time-limit", "0.2"});
    EXPECT_EQ(made.exitCode, 3);
    EXPECT_EQ(made.err, "Zeitlimit überschritten.\n");
    ASSERT_GT(std::filesystem::file_size(document), 0u);
    auto table = RunCli({"table", document, "--time-limit", "0.2"});
    EXPECT_EQ(table.exitCode, 3);
    EXPECT_FALSE(table.out.empty());
    auto picture = WriteTempFile("endless.png", "");
    EXPECT_EQ(RunCli({"render", document, "-o", picture, "--time-limit", "0.2"}).exitCode, 3);
    EXPECT_GT(std::filesystem::file_size(picture), 0u);

    // A signal writes nothing.
    auto stopped = RunCliAndSignal({"table", document}, SIGTERM);
    EXPECT_EQ(stopped.exitCode, 143);
    EXPECT_EQ(stopped.out, "");
    EXPECT_EQ(stopped.err, "Berechnung abgebrochen.\n");
}

TEST(CliLimits, AStepCountBeyondMemoryIsARunFaultForEveryCommand) {
    // Twenty recorded variables of 2^31 passes need 343 GB.
    std::string lines;
    for (char name = 'A'; name < 'A' + 20; ++name) lines += std::string(1, name) + " := 1\n";
    auto program = WriteTempFile("wide.txt", lines);
    auto run = RunCli({"run", program, "--steps", "2147483647"});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("Nicht genügend Speicher", 0), 0u) << run.err;

    auto document = WriteTempFile("wide.prg", "");
    auto made = RunCli({"new", "-o", document, "--program", program, "--steps", "2147483647", "--plot",
                        "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T"});
    EXPECT_EQ(made.exitCode, 3);
    EXPECT_EQ(made.err.rfind("Nicht genügend Speicher", 0), 0u) << made.err;
    EXPECT_EQ(RunCli({"table", document}).exitCode, 3);
}

}  // namespace
