// The document file: what is written, what reads back, what is refused, and
// that a failed save never damages the file that was there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "document/QVDocument.h"
#include "drawing/bstext.h"

namespace qv {
namespace {

std::vector<uint8_t> Bytes(const TDocument& document) {
    OutStream out;
    EXPECT_TRUE(saveDocument(document, out));
    return out.take();
}

TDocument GrowthDocument() {
    TDocument document = TDocument::CreateNew();
    AcceptedAlgorithm algorithm;
    algorithm.Name = "Wachstum";
    algorithm.Program = {"B := B + 0,1*B*ZEITSCHRITT", "ZEIT := ZEIT + ZEITSCHRITT"};
    algorithm.StepCount = 20;
    algorithm.StartValues = {{"B", 10}, {"ZEITSCHRITT", 1}};
    EXPECT_FALSE(AddNewSimulation(document, algorithm));
    MarkPlotted(document, *document.SelectedSimulation(), {"B"});
    auto text = std::make_unique<ttext>(1, 1);
    text->SetText("Aufgabe:\rBeschreibe die Kurve.");
    document.Page->Add(std::move(text));
    ComputeDocument(document, nullptr);
    BuildChart(document);
    return document;
}

TEST(DocumentFile, EmptyDocumentLayout) {
    TDocument document = TDocument::CreateNew();
    auto bytes = Bytes(document);
    ASSERT_GT(bytes.size(), 11u + 2 + 4);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 9), "QUORVEL30");
    EXPECT_EQ(bytes[9], 0);
    EXPECT_EQ(bytes[10], 0);
    EXPECT_EQ(bytes[11], 0);  // table not shown
    EXPECT_EQ(bytes[12], 1);  // chart shown
    EXPECT_EQ(bytes[17], TagKomplex);  // the page, written as a group
    // The end: separate charts, chart index 0, no simulations, nothing selected.
    InStream tail(bytes.data() + bytes.size() - 13, 13);
    EXPECT_FALSE(tail.readBool());
    EXPECT_EQ(tail.readInt32(), 0);
    EXPECT_EQ(tail.readInt32(), 0);
    EXPECT_EQ(tail.readInt32(), -1);

    TDocument read = loadDocument(bytes);
    EXPECT_EQ(read.Selected, -1);
    EXPECT_TRUE(read.Simulations.empty());
    ASSERT_NE(read.Chart, nullptr);
    EXPECT_EQ(read.ChartIndex(), 0);
}

TEST(DocumentFile, ReadingAndWritingAgainGivesTheSameBytes) {
    TDocument document = GrowthDocument();
    auto bytes = Bytes(document);
    TDocument read = loadDocument(bytes);
    EXPECT_EQ(Bytes(read), bytes);
    ASSERT_EQ(read.Simulations.size(), 1u);
    EXPECT_EQ(read.Simulations[0]->Name, "Wachstum");
    EXPECT_EQ(read.Selected, 0);
    EXPECT_EQ(read.Page->Children.size(), document.Page->Children.size());
    const ttext* text = nullptr;
    for (const auto& child : read.Page->Children)
        if (!text) text = dynamic_cast<const ttext*>(child.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text(), "Aufgabe:\rBeschreibe die Kurve.");
}

TEST(DocumentFile, ReadingKeepsSizesToWhatCanBeShown) {
    // Each of these sizes a loop or an allocation when the chart or the
    // table is built; a file may hold any number.
    TDocument document = GrowthDocument();
    document.Chart->verticalAxis().minorTicks = INT32_MAX;
    document.Chart->horizontalAxis().minorTicks = -5;
    Tvariable& b = *document.SelectedSimulation()->Variables[0];
    b.LineWidth = INT32_MAX;
    b.PointSize = INT32_MIN;
    b.Decimals = INT32_MAX;
    b.ColumnWidth = INT32_MAX;
    TDocument read = loadDocument(Bytes(document));
    EXPECT_EQ(read.Chart->verticalAxis().minorTicks, 100);
    EXPECT_EQ(read.Chart->horizontalAxis().minorTicks, 0);
    const Tvariable& readB = *read.SelectedSimulation()->Variables[0];
    EXPECT_EQ(readB.LineWidth, 20);
    EXPECT_EQ(readB.PointSize, 1);
    EXPECT_EQ(readB.Decimals, 18);
    EXPECT_EQ(readB.ColumnWidth, 2000);
}

TEST(DocumentFile, SignaturesAndRefusals) {
    auto bytes = Bytes(TDocument::CreateNew());
    auto version = [](std::string signature) {
        signature.resize(11, '\0');
        InStream in(reinterpret_cast<const uint8_t*>(signature.data()), signature.size());
        return readSignature(in);
    };
    EXPECT_EQ(version("QUORVEL30"), 30);
    EXPECT_EQ(version("\x09QUORVEL20x"), 20);
    EXPECT_EQ(version("QUORVEL20"), 20);
    EXPECT_EQ(version("HALLO WELT"), 0);
    EXPECT_THROW(version("\x09QUORVEL31"), DocumentError);
    try {
        version("\x09QUORVEL31");
    } catch (const DocumentError& e) {
        EXPECT_STREQ(e.what(), "Falsche QUORVEL-Version!");
    }

    auto marked = bytes;
    marked[13] = 1;  // the marker after the view switches must be 0
    try {
        loadDocument(marked);
        ADD_FAILURE() << "a marker other than 0 was accepted";
    } catch (const DocumentError& e) {
        EXPECT_STREQ(e.what(), "Dies ist keine Quorvel-Datei, oder Datei defekt.");
    }

    auto wrongTag = bytes;
    wrongTag[17 + 1 + 36 + 4] = 99;  // the chart's tag inside the page
    try {
        loadDocument(wrongTag);
        ADD_FAILURE() << "an unknown tag was accepted";
    } catch (const StreamError& e) {
        EXPECT_STREQ(e.what(), "Falsches Objekt gelesen!");
    }

    for (std::size_t cut = 11; cut < bytes.size(); cut += 7)
        EXPECT_ANY_THROW(loadDocument(std::span<const uint8_t>(bytes.data(), cut))) << "cut at " << cut;
}

TEST(DocumentFile, SavingReplacesTheOldFileOnlyWhenItSucceeds) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("qvdoc-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::path file = folder / "Wachstum.prg";
    std::string error;
    TDocument document = GrowthDocument();
    ASSERT_TRUE(writeDocument(document, file.string(), error)) << error;
    TDocument read = readDocument(file.string());
    EXPECT_EQ(Bytes(read), Bytes(document));
    EXPECT_FALSE(fs::exists(folder / "Wachstum.prg.tmp~"));

    // A document that cannot be written (its page is gone) leaves the file alone.
    auto before = fs::file_size(file);
    TDocument broken;
    EXPECT_FALSE(writeDocument(broken, file.string(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(fs::file_size(file), before);
    // A folder that does not exist gives an error, not a crash.
    EXPECT_FALSE(writeDocument(document, (folder / "fehlt" / "x.prg").string(), error));
    EXPECT_THROW(readDocument((folder / "fehlt.prg").string()), DocumentError);
    fs::remove_all(folder);
}

TEST(DocumentActions, NewSimulationAxesAndPaletteColours) {
    TDocument document = TDocument::CreateNew();
    AcceptedAlgorithm algorithm;
    algorithm.Program = {"X := X + 1", "Y := 2 * X", "Z := Y - X", "ZEIT := ZEIT + 1"};
    ASSERT_FALSE(AddNewSimulation(document, algorithm));
    tsim& sim = *document.SelectedSimulation();
    EXPECT_EQ(sim.XAxisName, "ZEIT");  // a two-dimensional chart shows time across
    EXPECT_EQ(sim.YAxisName, "X");

    document.Chart->chartColor = Farbtabelle[0].Colour;  // black background: skip black
    MarkPlotted(document, sim, {"Z", "X", "Y"});
    EXPECT_EQ(sim.Variables[0]->LineColour, static_cast<int32_t>(Farbtabelle[1].Colour));
    EXPECT_EQ(sim.Variables[1]->LineColour, static_cast<int32_t>(Farbtabelle[2].Colour));
    EXPECT_EQ(sim.Variables[2]->LineColour, static_cast<int32_t>(Farbtabelle[3].Colour));
    EXPECT_TRUE(sim.Variables[2]->Changed);
    // A variable keeps its colour once it has one.
    MarkPlotted(document, sim, {"Y"});
    EXPECT_EQ(sim.Variables[1]->LineColour, static_cast<int32_t>(Farbtabelle[2].Colour));
    EXPECT_FALSE(sim.Variables[0]->Plotted);

    algorithm.Program = {"X := (1"};
    auto error = AddNewSimulation(document, algorithm);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "Zeile 1, Spalte 8: ) erwartet.");
    EXPECT_EQ(document.Simulations.size(), 1u);
}

}  // namespace
}  // namespace qv
