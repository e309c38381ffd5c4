// The stream records of simulations, variables and macros: byte layouts,
// reading back what was written, and damaged records.
#include <gtest/gtest.h>

#include "engine/QVSim.h"

namespace qv {
namespace {

std::vector<uint8_t> Int32(int32_t v) {
    OutStream out;
    out.writeInt32(v);
    return out.take();
}

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& more) { to.insert(to.end(), more.begin(), more.end()); }

std::vector<uint8_t> Save(const tsim& sim) {
    OutStream out;
    EXPECT_TRUE(sim.save(out));
    return out.take();
}

TEST(SimulationRecord, NewSimulationHasTheDocumentedBytes) {
    std::vector<uint8_t> expected = Int32(6);
    for (char c : std::string("NoName")) expected.push_back(static_cast<uint8_t>(c));
    for (int i = 0; i < 3; ++i) Append(expected, Int32(0));  // program, macros, variables
    for (int i = 0; i < 2; ++i) Append(expected, Int32(0));  // axis names
    Append(expected, Int32(0));                               // StepCount
    expected.push_back(0);                                    // CaseSensitive
    for (int i = 0; i < 3; ++i) Append(expected, Int32(0));  // verbal model
    for (int i = 0; i < 4; ++i) Append(expected, Int32(0));  // diagram
    for (int i = 0; i < 3; ++i) expected.push_back(0);       // StoredResults, SimplifiedModel, ExtendedSyntax
    EXPECT_EQ(Save(tsim()), expected);
    EXPECT_EQ(expected.size(), 66u);
}

TEST(SimulationRecord, VariableLayoutAndDefaults) {
    Tvariable v("B");
    for (int i = 0; i < 100; ++i) v.Values.push_back(i * 0.5);
    OutStream out;
    ASSERT_TRUE(v.save(out));
    const auto& bytes = out.bytes();
    // Name (4+1), SimulationName (4), IsInput (1), StartValue (8), Plotted, Changed (2)
    std::size_t valuesAt = 5 + 4 + 1 + 8 + 2;
    InStream in(bytes);
    in.seek(valuesAt);
    EXPECT_EQ(in.readInt32(), 100);
    in.seek(valuesAt + 4 + 99 * 8);
    EXPECT_EQ(in.readDouble(), 49.5);
    // After the values: 11 int32, 4 booleans, the line style byte, an empty picture.
    EXPECT_EQ(bytes.size(), valuesAt + 4 + 800 + 11 * 4 + 4 + 1 + 4);

    InStream back(bytes);
    Tvariable read(back);
    EXPECT_TRUE(back.atEnd());
    EXPECT_EQ(read.Values, v.Values);
    EXPECT_EQ(read.PointForm, 2);
    EXPECT_EQ(read.PointSize, 5);
    EXPECT_EQ(read.ColumnChars, 10);
    EXPECT_EQ(read.Decimals, 4);
    EXPECT_EQ(read.ColumnWidth, 64);
    EXPECT_EQ(read.PictureIndex, -1);
    EXPECT_EQ(read.Frame, 0);
}

tsim FilledSimulation() {
    tsim sim;
    sim.Name = "R\xE4uber";
    sim.Program = {"X := X + 1", "ZEIT := ZEIT + ZEITSCHRITT"};
    TListeninhalt macro("WACHSE");
    macro.Lines = {"Y := Y * 2"};
    sim.Macros.push_back(macro);
    auto x = std::make_unique<Tvariable>("X");
    x->IsInput = true;
    x->StartValue = -2.5;
    x->Plotted = true;
    x->Values = {1, 2, 3};
    x->LineColour = 0x0000FF;
    x->Picture = "424D";
    x->AnimationType = 2;
    x->Backward = true;
    sim.Variables.push_back(std::move(x));
    sim.Variables.push_back(std::make_unique<Tvariable>("ZEIT"));
    sim.XAxisName = "ZEIT";
    sim.YAxisName = "X";
    sim.StepCount = 250;
    sim.CaseSensitive = true;
    sim.StockNames = {"Hasen"};
    sim.RateNames = {"Geburten"};
    sim.Sentences = {"Hasen", "vermehren sich", "Geburten"};
    sim.StoredResults = true;
    sim.ExtendedSyntax = true;
    return sim;
}

TEST(SimulationRecord, ReadingGivesBackWhatWasWritten) {
    tsim sim = FilledSimulation();
    auto bytes = Save(sim);
    InStream in(bytes);
    tsim read(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(read.Name, sim.Name);
    EXPECT_EQ(read.Program, sim.Program);
    EXPECT_EQ(read.Macros, sim.Macros);
    ASSERT_EQ(read.Variables.size(), 2u);
    EXPECT_EQ(read.Variables[0]->Values, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(read.Variables[0]->StartValue, -2.5);
    EXPECT_TRUE(read.Variables[0]->Backward);
    EXPECT_EQ(read.YAxisName, "X");
    EXPECT_EQ(read.StepCount, 250);
    EXPECT_TRUE(read.CaseSensitive);
    EXPECT_EQ(read.Sentences, sim.Sentences);
    EXPECT_TRUE(read.StoredResults);
    EXPECT_FALSE(read.SimplifiedModel);
    EXPECT_TRUE(read.ExtendedSyntax);
    EXPECT_EQ(Save(read), bytes);  // byte for byte
}

TEST(SimulationRecord, DamagedRecordsFailCleanly) {
    auto bytes = Save(FilledSimulation());
    // Every truncation is an error, never a read past the end.
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        InStream in(bytes.data(), cut);
        EXPECT_THROW(tsim{in}, StreamError) << "cut at " << cut;
    }
    // A huge value count must not be allocated.
    Tvariable v("X");
    OutStream out;
    v.save(out);
    auto variable = out.take();
    std::size_t countAt = 5 + 4 + 1 + 8 + 2;
    variable[countAt + 3] = 0x7F;
    InStream in(variable);
    EXPECT_THROW(Tvariable{in}, StreamError);
}

}  // namespace
}  // namespace qv
