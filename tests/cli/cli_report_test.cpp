// quorvel-cli report and the size of a rendered PDF page, read back with the
// poppler tools as a reader of the files would see them.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "CliProcess.h"

namespace {

std::string CommandOutput(const std::string& command) {
    std::string text;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return text;
    std::array<char, 4096> buffer;
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe.get())) text.append(buffer.data(), n);
    return text;
}

TEST(CliReport, PredatorPreyReportReadsBack) {
    const std::string out = WriteTempFile("bericht.pdf", "");
    auto r = RunCli({"report", QV_EXAMPLES_DIR "/raeuber-beute.prg", "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = CommandOutput("pdftotext -layout '" + out + "' -");
    for (const char* expected : {"Quorvel Programm: raeuber-beute.prg", "Programm:", "Wiederhole",
                                 "GEFRESSEN := 0.1 * HASEN * FUECHSE", "Startwerte:", "HASEN", " = "})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_NE(CommandOutput("pdfinfo '" + out + "'").find("A4"), std::string::npos);

    // Only the start values, and a margin of 5 cm: the title moves in.
    r = RunCli({"report", QV_EXAMPLES_DIR "/raeuber-beute.prg", "-o", out, "--sections", "starts", "--margins", "5"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string starts = CommandOutput("pdftotext -bbox '" + out + "' -");
    EXPECT_EQ(starts.find("Wiederhole"), std::string::npos);
    EXPECT_NE(starts.find("Startwerte:"), std::string::npos);
    EXPECT_NE(starts.find("xMin=\"141."), std::string::npos) << starts;  // 5 cm = 141.7 points
}

TEST(CliReport, WrongRequestsAreRefusedAndWriteNothing) {
    const std::string folder = std::filesystem::path(WriteTempFile("x", "")).parent_path().string();
    const std::string doc = QV_EXAMPLES_DIR "/raeuber-beute.prg";
    for (std::vector<std::string> args : {std::vector<std::string>{"--sections", "chart,bogus"},
                                          {"--sections", ""},
                                          {"--margins", "2,abc"},
                                          {"--scale-x", "viel"},
                                          {"--simulation", "Gibt es nicht"}}) {
        std::vector<std::string> call = {"report", doc, "-o", folder + "/nichts.pdf"};
        call.insert(call.end(), args.begin(), args.end());
        auto r = RunCli(call);
        EXPECT_EQ(r.exitCode, 1) << args[0] << " " << args[1];
        EXPECT_FALSE(r.err.empty());
        EXPECT_FALSE(std::filesystem::exists(folder + "/nichts.pdf")) << args[0];
    }
}

TEST(CliReport, RenderedPdfHasThePagesRealSize) {
    const std::string out = WriteTempFile("seite.pdf", "");
    auto r = RunCli({"render", QV_EXAMPLES_DIR "/sir.prg", "-o", out, "--width", "1600", "--height", "1200"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // 16 x 12 cm, not 1600 x 1200 screen pixels.
    EXPECT_NE(CommandOutput("pdfinfo '" + out + "'").find("454 x 340 pts"), std::string::npos)
        << CommandOutput("pdfinfo '" + out + "'");
}

}  // namespace
