// quorvel-cli new, info, table, render and convert: a document made as a user
// would make it, read back, tabled, drawn and converted.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliProcess.h"
#include "util/PngCodec.h"
#include "FileSizeLimit.h"

namespace {

std::string GrowthDocument(const std::string& name, std::vector<std::string> extra = {}) {
    auto program = WriteTempFile(name + ".txt", "B := B + 0,1*B*ZEITSCHRITT\nZEIT := ZEIT + ZEITSCHRITT\n");
    auto document = WriteTempFile(name + ".prg", "");
    std::vector<std::string> args = {"new", "-o", document, "--program", program, "--name", "Wachstum",
                                     "--steps", "3", "--start", "b=100", "--start", "Zeitschritt=1", "--plot", "B"};
    args.insert(args.end(), extra.begin(), extra.end());
    auto r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return document;
}

TEST(CliDocument, NewThenInfoDescribesTheDocument) {
    auto document = GrowthDocument("info", {"--both"});
    auto r = RunCli({"info", document});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string& json = r.out;
    EXPECT_NE(json.find("\"Version\":30"), std::string::npos);
    EXPECT_NE(json.find("\"TableShown\":true,\"ChartShown\":true"), std::string::npos);
    EXPECT_NE(json.find("\"Name\":\"Wachstum\""), std::string::npos);
    EXPECT_NE(json.find("\"XAxisName\":\"ZEIT\""), std::string::npos);
    EXPECT_NE(json.find("\"StepCount\":3"), std::string::npos);
    EXPECT_NE(json.find("\"Name\":\"B\",\"SimulationName\":\"\",\"IsInput\":true,\"StartValue\":100,\"Plotted\":true"),
              std::string::npos);
    EXPECT_NE(json.find("\"ValueCount\":3,\"LastValue\":133.1"), std::string::npos) << json;
    EXPECT_NE(json.find("\"Class\":\"Tgraf3d\""), std::string::npos);
    EXPECT_NE(json.find("\"Class\":\"tlegend\""), std::string::npos);
    EXPECT_NE(json.find("\"Class\":\"Taxis3D\""), std::string::npos);
    EXPECT_NE(json.find("\"Selected\":0"), std::string::npos);
}

TEST(CliDocument, TableShowsTheCellsWithADecimalComma) {
    auto document = GrowthDocument("table");
    auto r = RunCli({"table", document});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")), "ZEIT;B");
    EXPECT_NE(r.out.find(";133,1"), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 4);
}

TEST(CliDocument, RenderWritesPictures) {
    auto document = GrowthDocument("render");
    for (std::string ext : {"png", "svg", "pdf"}) {
        auto out = WriteTempFile("page." + ext, "");
        auto r = RunCli({"render", document, "-o", out, "--width", "400", "--height", "300"});
        EXPECT_EQ(r.exitCode, 0) << ext << ": " << r.err;
        std::string bytes = Slurp(out);
        ASSERT_GT(bytes.size(), 100u) << ext;
        if (ext == "png") {
            EXPECT_EQ(bytes.substr(1, 3), "PNG");
        } else if (ext == "svg") {
            EXPECT_NE(bytes.find("<svg"), std::string::npos);
        } else {
            EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
        }
    }
    EXPECT_EQ(RunCli({"render", document, "-o", "page.gif"}).exitCode, 1);
}

qv::Picture RenderedPng(const std::string& document, int width, int height) {
    auto out = WriteTempFile("page" + std::to_string(width) + "x" + std::to_string(height) + ".png", "");
    auto r = RunCli({"render", document, "-o", out, "--width", std::to_string(width), "--height", std::to_string(height)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = Slurp(out);
    auto picture = qv::DecodePng(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_TRUE(picture) << out;
    return picture ? *picture : qv::Picture{};
}

// A picture that is not shaped like the page shows the page as a picture of
// its shape would, centred, with its letters neither stretched nor squeezed.
TEST(CliDocument, RenderKeepsThePageShape) {
    const std::string document = QV_EXAMPLES_DIR "/sir.prg";
    const qv::Picture page = RenderedPng(document, 600, 450);
    ASSERT_EQ(page.Width, 600);
    for (auto [width, height, left, top] : {std::array{1200, 450, 300, 0}, std::array{600, 700, 0, 125}}) {
        const qv::Picture framed = RenderedPng(document, width, height);
        ASSERT_EQ(framed.Width, width);
        ASSERT_EQ(framed.Height, height);
        int differing = 0;
        for (int y = 0; y < page.Height; ++y)
            for (int x = 0; x < page.Width; ++x)
                differing += page.Pixels[y * page.Width + x] != framed.Pixels[(y + top) * width + x + left];
        EXPECT_EQ(differing, 0) << width << " x " << height;
        // Around the page one plain colour, unlike the page's own white.
        const uint32_t corner = framed.Pixels[0];
        EXPECT_NE(corner, page.Pixels[0]);
        EXPECT_EQ(framed.Pixels.back(), corner);
    }
}

TEST(CliDocument, RenderWritesAWholePictureOrNoneAndSaysWhy) {
    auto document = GrowthDocument("full");
    for (std::string ext : {"png", "svg", "pdf"}) {
        auto out = WriteTempFile("earlier." + ext, "alt");
        CliResult r;
        {
            FileSizeLimit full(1024);  // every page picture is larger
            r = RunCli({"render", document, "-o", out, "--width", "400", "--height", "300"});
        }
        EXPECT_EQ(r.exitCode, 1) << ext;
        EXPECT_EQ(r.err, "Die Datei " + out + " kann nicht geschrieben werden: Die Datei wäre zu groß.\n") << ext;
        EXPECT_EQ(Slurp(out), "alt") << ext;
    }

    const std::string folder = std::filesystem::path(document).parent_path().string();
    auto r = RunCli({"render", document, "-o", folder + "/huge.png", "--width", "8200", "--height", "8200"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Das PNG-Bild wäre mit 8200 × 8200 Bildpunkten zu groß: erlaubt sind höchstens 64 Mio. "
                     "Bildpunkte (etwa 8192 × 8192).\n");
    EXPECT_FALSE(std::filesystem::exists(folder + "/huge.png"));

    // A folder where the picture should go: a German reason, no painter warnings.
    std::filesystem::create_directory(folder + "/ordner.svg");
    r = RunCli({"render", document, "-o", folder + "/ordner.svg"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Die Datei " + folder + "/ordner.svg kann nicht geschrieben werden: Das ist ein Ordner.\n");
}

TEST(CliDocument, ConvertOfACurrentDocumentKeepsEveryByte) {
    auto document = GrowthDocument("convert");
    auto copy = WriteTempFile("converted.prg", "");
    auto r = RunCli({"convert", document, "-o", copy});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Slurp(copy), Slurp(document));
}

TEST(CliDocument, UnreadableDocumentsAndWrongUsage) {
    auto junk = WriteTempFile("junk.prg", "Das ist kein Dokument, nur Text.");
    auto r = RunCli({"info", junk});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Dies ist keine Quorvel-Datei, oder Datei defekt.\n");
    auto future = WriteTempFile("future.prg", std::string("\x09QUORVEL31", 10) + std::string(20, '\0'));
    r = RunCli({"table", future});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Falsche QUORVEL-Version!\n");
    EXPECT_EQ(RunCli({"info", "/nonexistent/x.prg"}).exitCode, 2);
    EXPECT_EQ(RunCli({"info"}).exitCode, 1);
    EXPECT_EQ(RunCli({"convert", junk}).exitCode, 1);

    auto program = WriteTempFile("bad.txt", "X := (1\n");
    auto out = WriteTempFile("bad.prg", "");
    r = RunCli({"new", "-o", out, "--program", program});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Zeile 1, Spalte 8: ) erwartet.\n");
    auto good = WriteTempFile("good.txt", "X := X + 1\n");
    EXPECT_EQ(RunCli({"new", "-o", out, "--program", good, "--plot", "Q"}).exitCode, 1);
    EXPECT_EQ(RunCli({"new", "--program", good}).exitCode, 1);
    EXPECT_EQ(RunCli({"new", "-o", out, "--program", good, "--y", "X"}).exitCode, 1);
    r = RunCli({"new", "-o", out, "--program", good, "--start", "Y=1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Unbekannte Eingangsgröße: Y\n");
}

}  // namespace
