#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/QVCompile.h"
#include "engine/QVSim.h"
#include "modeleditors/PredicateList.h"
#include "modeleditors/SentenceDrags.h"
#include "modeleditors/SentenceTranslation.h"
#include "modeleditors/WorkingSentences.h"

namespace qv {
namespace {

using Lines = std::vector<std::string>;

const PredicateList Predicates({"nimmt zu um", "nimmt ab um", "ist", "ist proportional zu", "frisst"});
const std::string Up = "nimmt zu um";
const std::string UpTimesStep = "nimmt zu um            ZEITSCHRITT *";
const std::string Down = "nimmt ab um";

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(PredicateFile, ReadsUtf8LinesIntoTheProgramsCharacters) {
    Lines lines = ReadPredicateFile(WriteFile("praedikate.txt", "\xEF\xBB\xBFnimmt zu um\r\nnimmt ab um\r\nist\r\n"
                                                                "ist proportional zu\r\nh\xC3\xA4ngt ab von\r\n\r\n"));
    EXPECT_EQ(lines, (Lines{"nimmt zu um", "nimmt ab um", "ist", "ist proportional zu", "h\xE4ngt ab von"}));
    EXPECT_TRUE(PredicateList(lines).Complete());

    EXPECT_TRUE(ReadPredicateFile(::testing::TempDir() + "fehlt/Praedkt.txt").empty());
    EXPECT_TRUE(ReadPredicateFile(::testing::TempDir()).empty()) << "a folder is no predicate file";
    EXPECT_FALSE(PredicateList({"nimmt zu um", "nimmt ab um", "ist"}).Complete());
    EXPECT_FALSE(PredicateList({"nimmt zu um", "", "ist", "ist proportional zu"}).Complete());
    EXPECT_EQ(PredicateList({"a", "b"}).Shown(false), (Lines{"a", "b"}));  // no roles, no time-step forms
}

TEST(PredicateFile, TimeStepFormsFollowTheOptionBothWaysWithoutLoss) {
    EXPECT_EQ(Predicates.Shown(false)[0], UpTimesStep);
    EXPECT_EQ(Predicates.Shown(false)[2], "ist");
    EXPECT_EQ(Predicates.Shown(true)[0], Up);

    const std::vector<TSentence> typed{{"B", Up, "Z"},           {"B", Down, "A"}, {"Z", "ist", "5"},
                                       {"B", "frisst", "Gras"}, {"", "", ""},     {"C", "nimmt zu", "1"}};
    std::vector<TSentence> rows = typed;
    Predicates.MatchForms(rows, false);
    EXPECT_EQ(rows[0].Predicate, UpTimesStep);
    EXPECT_EQ(rows[1].Predicate, Predicates.Shown(false)[1]);
    EXPECT_EQ(rows[2].Predicate, "ist");
    Predicates.MatchForms(rows, false);  // already in that form
    EXPECT_EQ(rows[0].Predicate, UpTimesStep);
    Predicates.MatchForms(rows, true);
    EXPECT_EQ(rows, typed);
}

TEST(WorkingSentences, StoresEmptyRowsInBetweenAndLoadsEverything) {
    WorkingSentences model;
    model.Stocks[0] = "Hasen";
    model.Stocks[2] = "F\xFC" "chse";
    model.Sentences[0] = {"Hasen", Up, "Geburten"};
    model.Sentences[2] = {"", Down, "Tode"};  // not finished yet, kept all the same
    model.SimplifiedModel = false;
    tsim sim;
    model.StoreInto(sim);
    EXPECT_EQ(sim.StockNames, (Lines{"Hasen", "", "F\xFC" "chse"}));
    EXPECT_TRUE(sim.RateNames.empty());
    EXPECT_EQ(sim.Sentences, (Lines{"Hasen", Up, "Geburten", "", "", "", "", Down, "Tode"}));
    EXPECT_FALSE(sim.SimplifiedModel);

    // More than the grids show: they grow, nothing is dropped.
    for (int i = 0; i < 60; ++i) sim.Sentences.insert(sim.Sentences.end(), {"S" + std::to_string(i), "ist", "1"});
    sim.RateNames.assign(25, "R");
    WorkingSentences loaded;
    loaded.Stocks.assign(NameRows, "alt");
    loaded.LoadFrom(sim);
    EXPECT_EQ(loaded.Stocks.size(), NameRows);
    EXPECT_EQ(loaded.Stocks[3], "");
    EXPECT_EQ(loaded.Rates.size(), 25u);
    ASSERT_EQ(loaded.Sentences.size(), 63u);
    EXPECT_EQ(loaded.Sentences[62], (TSentence{"S59", "ist", "1"}));
    tsim again;
    loaded.StoreInto(again);
    EXPECT_EQ(again.Sentences, sim.Sentences);

    EXPECT_EQ(model.CopyText(), "Sprachliches Modell:\r\nHasen nimmt zu um Geburten\r\n");
    model.Clear();
    EXPECT_EQ(model.Stocks, Lines(NameRows));
    EXPECT_EQ(model.Sentences, std::vector<TSentence>(SentenceRows));
    EXPECT_FALSE(model.SimplifiedModel) << "the option is the editor's, not the simulation's contents";
}

TEST(WorkingSentences, TravelWithTheAlgorithmEditor) {
    tsim sim;
    sim.Program = {"ZEIT := ZEIT + 1"};
    sim.StockNames = {"Hasen"};
    sim.Sentences = {"Hasen", Up, "Geburten"};
    sim.SimplifiedModel = false;
    AlgoEditorState editor;
    editor.LoadFrom(sim);
    EXPECT_EQ(editor.Verbal.Sentences[0], (TSentence{"Hasen", Up, "Geburten"}));
    EXPECT_FALSE(editor.Verbal.SimplifiedModel);
    editor.Verbal.Rates[1] = "Geburten";
    tsim stored;
    editor.StoreInto(stored);
    EXPECT_EQ(stored.Sentences, sim.Sentences);
    EXPECT_EQ(stored.RateNames, (Lines{"", "Geburten"}));
    EXPECT_FALSE(stored.SimplifiedModel);
    editor.Reset();  // "Neue Simulation"
    EXPECT_EQ(editor.Verbal.Sentences[0], TSentence{});
    EXPECT_EQ(editor.Verbal.Stocks[0], "");
}

class SentenceDrag : public ::testing::Test {
protected:
    void SetUp() override {
        model.Stocks[0] = "Hasen";
        model.Stocks[1] = "F\xFC" "chse";
        model.Stocks[2] = "Gras";
        model.Rates[0] = "Geburten";
    }
    bool accepts(GridCell from, GridCell onto) const { return AcceptsDrop(model, shown, from, onto); }
    void drop(GridCell from, GridCell onto) { Drop(model, shown, from, onto); }

    WorkingSentences model;
    const Lines shown = Predicates.Shown(false);
};

TEST_F(SentenceDrag, NamesMoveBetweenTheNameGrids) {
    drop({VerbalGrid::Stocks, 1, 0}, {VerbalGrid::Rates, 1, 0});  // onto a name: it moves down
    EXPECT_EQ(Lines(model.Stocks.begin(), model.Stocks.begin() + 3), (Lines{"F\xFC" "chse", "Gras", ""}));
    EXPECT_EQ(Lines(model.Rates.begin(), model.Rates.begin() + 2), (Lines{"Hasen", "Geburten"}));
    drop({VerbalGrid::Stocks, 1, 0}, {VerbalGrid::Stocks, 2, 0});  // within a grid
    EXPECT_EQ(Lines(model.Stocks.begin(), model.Stocks.begin() + 3), (Lines{"Gras", "F\xFC" "chse", ""}));

    EXPECT_FALSE(accepts({VerbalGrid::Stocks, 1, 0}, {VerbalGrid::Stocks, 0, 0})) << "the heading";
    EXPECT_FALSE(accepts({VerbalGrid::Predicates, 1, 0}, {VerbalGrid::Stocks, 1, 0}));
    EXPECT_FALSE(accepts({VerbalGrid::Model, 1, 0}, {VerbalGrid::Rates, 1, 0}));

    // A full grid grows instead of losing its last name.
    model.Rates.assign(NameRows, "R");
    drop({VerbalGrid::Stocks, 1, 0}, {VerbalGrid::Rates, 1, 0});
    ASSERT_EQ(model.Rates.size(), NameRows + 1);
    EXPECT_EQ(model.Rates.front(), "Gras");
    EXPECT_EQ(model.Rates.back(), "R");
}

TEST_F(SentenceDrag, SentencesAreBuiltAndMovedWhole) {
    EXPECT_FALSE(accepts({VerbalGrid::Stocks, 1, 0}, {VerbalGrid::Model, 1, PredicateColumn}));
    EXPECT_FALSE(accepts({VerbalGrid::Predicates, 1, 0}, {VerbalGrid::Model, 1, SubjectColumn}));
    EXPECT_FALSE(accepts({VerbalGrid::Predicates, 9, 0}, {VerbalGrid::Model, 1, PredicateColumn})) << "no such row";
    drop({VerbalGrid::Stocks, 1, 0}, {VerbalGrid::Model, 1, SubjectColumn});
    drop({VerbalGrid::Predicates, 1, 0}, {VerbalGrid::Model, 1, PredicateColumn});
    drop({VerbalGrid::Rates, 1, 0}, {VerbalGrid::Model, 1, ObjectColumn});
    drop({VerbalGrid::Stocks, 2, 0}, {VerbalGrid::Model, 2, SubjectColumn});
    EXPECT_EQ(model.Sentences[0], (TSentence{"Hasen", UpTimesStep, "Geburten"}));
    EXPECT_EQ(model.Stocks[0], "Hasen") << "copied, not moved";

    EXPECT_FALSE(accepts({VerbalGrid::Model, 1, 1}, {VerbalGrid::Model, 1, 0}));
    drop({VerbalGrid::Model, 1, PredicateColumn}, {VerbalGrid::Model, 3, SubjectColumn});
    EXPECT_EQ(model.Sentences[0].Subject, "F\xFC" "chse");
    EXPECT_EQ(model.Sentences[1], TSentence{});
    EXPECT_EQ(model.Sentences[2], (TSentence{"Hasen", UpTimesStep, "Geburten"}));
    EXPECT_EQ(model.Sentences.size(), SentenceRows);
}

TEST_F(SentenceDrag, TheWasteBinEmptiesWithoutMovingRows) {
    EXPECT_FALSE(accepts({VerbalGrid::Predicates, 1, 0}, {VerbalGrid::WasteBin, 0, 0}));
    drop({VerbalGrid::Stocks, 1, 0}, {VerbalGrid::WasteBin, 0, 0});
    EXPECT_EQ(Lines(model.Stocks.begin(), model.Stocks.begin() + 3), (Lines{"", "F\xFC" "chse", "Gras"}));
    model.Sentences[0] = {"Hasen", Up, "Geburten"};
    model.Sentences[1] = {"Gras", "ist", "5"};
    drop({VerbalGrid::Model, 1, ObjectColumn}, {VerbalGrid::WasteBin, 0, 0});
    EXPECT_EQ(model.Sentences[0], TSentence{});
    EXPECT_EQ(model.Sentences[1], (TSentence{"Gras", "ist", "5"}));
}

TEST(SentenceTranslation, ReplacesTheProgramOrPointsAtTheFaultySentence) {
    AlgoEditorState editor;
    editor.Program = {"X := 1", "ZEIT := ZEIT + 1"};  // typed by hand
    editor.Verbal.SimplifiedModel = false;
    editor.Verbal.Sentences[0] = {"B", Up, "Z-K"};  // stored before the option was switched off
    editor.Verbal.Sentences[1] = {"A", "ist proportional zu", "B"};
    ASSERT_FALSE(TranslateSentences(editor, Predicates));
    EXPECT_EQ(editor.Program, (Lines{"A := FA * B", "B := B + (Z-K)*ZEITSCHRITT", "ZEIT := ZEIT + ZEITSCHRITT"}));
    EXPECT_EQ(editor.Verbal.Sentences[0], (TSentence{"B", UpTimesStep, "(Z-K)"}));
    std::vector<std::string> inputs;
    for (const auto& row : editor.StartValues)
        if (!row.Name.empty()) inputs.push_back(row.Name);
    EXPECT_EQ(inputs, (Lines{"FA", "B", "Z", "K", "ZEITSCHRITT", "ZEIT"}));

    // The faulty sentence is in row 4, its line the program's second.
    const Lines good = editor.Program;
    editor.Verbal.Sentences[3] = {"C", "ist", "*5"};
    std::optional<SentenceError> error = TranslateSentences(editor, Predicates);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Row, 4);
    EXPECT_FALSE(error->Message.empty());
    EXPECT_EQ(editor.Program, good);

    // Without predicates only the time line replaces the program.
    ASSERT_FALSE(TranslateSentences(editor, PredicateList()));
    EXPECT_EQ(editor.Program, Lines{"ZEIT := ZEIT + ZEITSCHRITT"});
}

}  // namespace
}  // namespace qv
