// Version-20 documents built byte by byte from their layout and converted.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "charts/bsgraf3d.h"
#include "document/QVDocument.h"
#include "drawing/BSSimple.h"
#include "drawing/bstext.h"
#include "model/GrafGeneration.h"
#include "util/Palette.h"

namespace qv {
namespace {

struct Curve20 {
    int16_t PenStyle = 0, Width = 1, Colour = 0;
    bool Smooth = false;
    int16_t PointShape = 2, PointSize = 5, PointColour = 0;
};

struct TextBox20 {
    double X = 0.25, Y = 0.5;
    int16_t Angle = 0, Style = 0, Colour = 0, Size = 12;
    std::string Text, Font = "Arial";
};

struct Remembered20 {
    std::vector<std::pair<double, double>> Points;
    Curve20 Curve;
};

struct Macro20 {
    std::string Name;
    std::vector<std::string> Lines;
};

class Writer20 {
public:
    void i16(int v) { out.writeInt16(static_cast<int16_t>(v)); }
    void real(double v) { out.writeDouble(v); }
    void byte(int v) { out.writeByte(static_cast<uint8_t>(v)); }
    void raw(const std::string& s) { out.writeBytes(s.data(), s.size()); }
    // Size, length byte, characters.
    void text(const std::string& s) {
        i16(static_cast<int>(s.size()));
        byte(static_cast<int>(s.size()));
        raw(s);
    }
    // Size, characters, zero.
    void zeroText(const std::string& s) {
        i16(static_cast<int>(s.size()));
        raw(s);
        byte(0);
    }
    void texts(const std::vector<std::string>& list) {
        i16(static_cast<int>(list.size()));
        for (const auto& s : list) text(s);
    }
    void indices(const std::vector<int>& list) {
        i16(static_cast<int>(list.size()));
        for (int i : list) i16(i);
    }
    void curve(const Curve20& c, bool padded) {
        i16(c.PenStyle), i16(c.Width), i16(c.Colour), byte(0x55), byte(c.Smooth);
        i16(c.PointShape), i16(c.PointSize), i16(-1), i16(c.PointColour), real(9.5), i16(-1);
        if (padded)
            for (int i = 0; i < 6; ++i) byte(0xAA);
    }
    OutStream out;
};

// The 18 items of a version-20 document, with a small working model.
struct File20 {
    int16_t PageColour = 15;
    double Left = 0.1, Right = 0.9, Top = 0.05, Bottom = 0.85;
    int16_t ChartColour = 7, GridX = 1, GridY = 0, GridStyle = 0x102, GridColour = 8;
    std::array<Curve20, 51> Curves{};
    std::array<std::array<uint8_t, 3>, 10> Formats{};
    bool AutoScale = false;
    int16_t LogX = 0, LogY = 1;
    std::array<double, 4> XAxis{0, 50, 1, 10}, YAxis{1, 1000, 0, 10};
    int16_t XMinor = 4, YMinor = 9;
    int16_t DiagramType = 3;
    bool Simplified = true;
    std::vector<std::string> Program{"zeit := zeit + 1", "B := B + K*B"};
    int16_t Steps = 30;
    int16_t XIndex = 0;
    std::vector<int> ChartList{2}, TableList;
    std::vector<std::pair<std::string, std::string>> StartValues{{"B", "2,5"}, {"k", "0.1"}};
    std::vector<Macro20> Macros;
    std::vector<TextBox20> TextBoxes;
    std::vector<Remembered20> Remembered;
    std::vector<std::string> Stocks, Rates;
    std::vector<std::array<std::string, 3>> Sentences;
    std::string Diagram = std::string(8, '\0');  // four empty int16 lists
    std::vector<std::string> Comments;

    std::vector<uint8_t> bytes() const {
        Writer20 w;
        w.byte(9), w.raw("QUORVEL20"), w.byte(0);
        w.i16(PageColour);
        w.real(Left), w.real(Right), w.real(Top), w.real(Bottom);
        w.i16(ChartColour), w.i16(GridX), w.i16(GridY), w.i16(GridStyle), w.i16(GridColour);
        for (const Curve20& c : Curves) w.curve(c, true);
        for (const auto& f : Formats) w.byte(f[0]), w.byte(f[1]), w.byte(f[2]);
        w.byte(AutoScale), w.i16(LogX), w.i16(LogY);
        for (double v : XAxis) w.real(v);
        w.i16(XMinor), w.i16(0);
        for (double v : YAxis) w.real(v);
        w.i16(YMinor), w.i16(0);
        w.real(1), w.real(2), w.i16(DiagramType), w.i16(0), w.byte(Simplified);
        w.texts(Program);
        w.i16(Steps);
        w.i16(XIndex), w.indices(ChartList), w.indices(TableList);
        w.i16(static_cast<int>(StartValues.size()) - 1);
        for (const auto& [name, value] : StartValues) w.text(name), w.text(value);
        w.i16(static_cast<int>(Macros.size()));
        for (const Macro20& m : Macros) w.text(m.Name), w.texts(m.Lines);
        w.i16(static_cast<int>(TextBoxes.size()));
        for (const TextBox20& t : TextBoxes) {
            w.real(t.X), w.real(t.Y), w.i16(t.Angle), w.i16(t.Style), w.i16(t.Colour), w.i16(t.Size);
            w.zeroText(t.Text), w.zeroText(t.Font);
        }
        w.i16(static_cast<int>(Remembered.size()));
        for (const Remembered20& r : Remembered) {
            w.i16(static_cast<int>(r.Points.size()));
            for (auto [x, y] : r.Points) w.real(x), w.real(y);
            w.curve(r.Curve, false);
        }
        w.texts(Stocks), w.texts(Rates);
        w.i16(static_cast<int>(Sentences.size()));
        for (const auto& s : Sentences) w.text(s[0]), w.text(s[1]), w.text(s[2]);
        w.raw(Diagram);
        w.texts(Comments);
        return w.out.take();
    }
};

TDocument Load(const File20& file) {
    const std::vector<uint8_t> bytes = file.bytes();
    return loadDocument(bytes);
}

uint32_t Colour(const char* name) {
    for (const auto& entry : Farbtabelle)
        if (std::string(entry.Name) == name) return entry.Colour;
    return 0xFFFFFFFF;
}

const Tvariable& Var(const tsim& sim, const std::string& name) {
    const int i = sim.IndexOfVariable(name);
    EXPECT_GE(i, 0) << name;
    return *sim.Variables.at(static_cast<std::size_t>(i < 0 ? 0 : i));
}

class Document20Test : public ::testing::Test {
protected:
    void SetUp() override { ResetDrawing(); }
    void TearDown() override { ResetDrawing(); }
};

TEST_F(Document20Test, SignatureNeedsTheShiftPastItsLengthByte) {
    std::vector<uint8_t> bytes = File20{}.bytes();
    InStream signature(bytes);
    EXPECT_EQ(readSignature(signature), 20);
    EXPECT_EQ(loadDocument(bytes).Version, 20);

    // One byte more in front and the name is out of reach of the shift.
    bytes.insert(bytes.begin(), 9);
    InStream shifted(bytes);
    EXPECT_EQ(readSignature(shifted), 0);
    EXPECT_THROW(loadDocument(bytes), DocumentError);
}

TEST_F(Document20Test, ChartPageAndAxesTakeTheStoredSettings) {
    File20 file;
    file.PageColour = 17;   // 17 mod 16: the second colour
    file.ChartColour = -1;  // 0xFFFF mod 16: the last
    file.XMinor = 500;
    const TDocument doc = Load(file);
    EXPECT_EQ(Drawing().PageColour, Colour("dunkelblau"));
    const Tgraf3d& chart = *doc.Chart;
    EXPECT_EQ(chart.chartColor, Colour("wei\xDF"));
    EXPECT_EQ(chart.plotPercent.Left, 10);
    EXPECT_EQ(chart.plotPercent.Top, 5);
    EXPECT_EQ(chart.plotPercent.Width, 80);
    EXPECT_EQ(chart.plotPercent.Height, 80);
    EXPECT_FALSE(chart.autoScale);

    const Taxis3D& x = chart.horizontalAxis();
    const Taxis3D& y = chart.verticalAxis();
    EXPECT_TRUE(x.gridLines);
    EXPECT_FALSE(y.gridLines);
    EXPECT_EQ(x.gridStyle, 2);
    EXPECT_EQ(y.gridStyle, 2);
    EXPECT_EQ(x.gridColor, Colour("grau"));
    EXPECT_EQ(y.gridColor, Colour("grau"));
    EXPECT_FALSE(x.logarithmic);
    EXPECT_TRUE(y.logarithmic);
    EXPECT_DOUBLE_EQ(x.maximum, 50);
    EXPECT_DOUBLE_EQ(x.crossAt2, 1);
    EXPECT_DOUBLE_EQ(x.step, 10);
    EXPECT_DOUBLE_EQ(y.minimum, 1);
    EXPECT_DOUBLE_EQ(y.maximum, 1000);
    EXPECT_EQ(x.minorTicks, 100);  // beyond what the axis dialog admits
    EXPECT_EQ(y.minorTicks, 9);

    // A plot rectangle that is no number keeps a usable chart.
    file.Left = std::numeric_limits<double>::quiet_NaN();
    file.Right = 5;
    const TDocument odd = Load(file);
    EXPECT_EQ(odd.Chart->plotPercent.Left, 0);
    EXPECT_EQ(odd.Chart->plotPercent.Width, 1);
}

TEST_F(Document20Test, ModelBecomesTheSelectedSimulationQuorvel20) {
    File20 file;
    file.Steps = 0;
    file.Comments = {"Wachstum", " zweite Zeile"};
    file.Macros = {{"SCHRITT", {"ZEIT := ZEIT + 1"}}};
    file.Program = {"SCHRITT", "B := B + K*B"};
    file.Stocks = {"B"};
    file.Rates = {"Z"};
    file.Sentences = {{"B", "nimmt zu um", "Z*zeitSchritt"}, {"ZeitSchritt", "ist", "zeitschritt+1"}};
    const TDocument doc = Load(file);
    ASSERT_EQ(doc.Simulations.size(), 1u);
    EXPECT_EQ(doc.Selected, 0);
    const tsim& sim = *doc.SelectedSimulation();
    EXPECT_EQ(sim.Name, "Quorvel20");
    EXPECT_EQ(sim.StepCount, 1);
    EXPECT_TRUE(sim.SimplifiedModel);
    EXPECT_FALSE(sim.StoredResults);
    EXPECT_EQ(sim.Program, (std::vector<std::string>{"SCHRITT", "B := B + K*B", "//Wachstum", "// zweite Zeile"}));
    ASSERT_EQ(sim.Macros.size(), 1u);
    EXPECT_EQ(sim.Macros[0].Name, "SCHRITT");
    EXPECT_EQ(sim.Macros[0].Lines, std::vector<std::string>{"ZEIT := ZEIT + 1"});

    // The macro's variable is compiled in: the model knows ZEIT.
    EXPECT_GE(sim.IndexOfVariable("ZEIT"), 0);
    EXPECT_DOUBLE_EQ(Var(sim, "B").StartValue, 2.5);
    EXPECT_DOUBLE_EQ(Var(sim, "K").StartValue, 0.1);  // named in lower case in the file
    EXPECT_TRUE(Var(sim, "K").IsInput);
    EXPECT_TRUE(Var(sim, "B").SimulationName.empty());

    EXPECT_EQ(sim.StockNames, std::vector<std::string>{"B"});
    EXPECT_EQ(sim.RateNames, std::vector<std::string>{"Z"});
    EXPECT_EQ(sim.Sentences, (std::vector<std::string>{"B", "nimmt zu um", "Z*ZEITSCHRITT", "ZEITSCHRITT", "ist",
                                                      "ZEITSCHRITT+1"}));
    EXPECT_TRUE(doc.ChartShown);
    EXPECT_FALSE(doc.TableShown);
}

TEST_F(Document20Test, MarkedVariablesTakeCurveRecordsFormatsAndDiagramType) {
    File20 file;
    file.Program = {"ZEIT := ZEIT + 1", "A := 2*ZEIT", "C := A + 1", "D := C - 1"};
    // Compiler order: ZEIT 0, A 1, C 2, D 3.
    file.XIndex = 0;
    file.ChartList = {3, 1, 99, -4};  // out of range indices are left out
    file.TableList = {0, 2};          // ZEIT is the x axis: tabled, not plotted
    file.Curves[0] = {1, 3, 17, true, 4, 7, 12};
    file.Curves[1] = {2, 4, 12, false, 1, 9, 9};
    file.Curves[2] = {3, -5, 9, false, 0, 300, 2};  // beyond what the curve dialog admits
    file.Formats[0] = {8, 2, 1};
    file.Formats[1] = {12, 6, 0};
    file.DiagramType = 4;
    const TDocument doc = Load(file);
    const tsim& sim = *doc.Simulations.at(0);
    ASSERT_EQ(sim.Variables.size(), 4u);
    EXPECT_EQ(sim.XAxisName, "ZEIT");
    EXPECT_TRUE(doc.TableShown);

    const Tvariable &zeit = Var(sim, "ZEIT"), &a = Var(sim, "A"), &c = Var(sim, "C"), &d = Var(sim, "D");
    EXPECT_FALSE(zeit.Plotted);
    EXPECT_FALSE(zeit.Changed);
    EXPECT_TRUE(a.Plotted && c.Plotted && d.Plotted);

    // Records go to the marked variables in list order: A, C, D.
    EXPECT_EQ(a.LineStyle, 1);
    EXPECT_EQ(a.LineWidth, 3);
    EXPECT_EQ(static_cast<uint32_t>(a.LineColour), Colour("dunkelblau"));
    EXPECT_TRUE(a.Splines);
    EXPECT_EQ(a.PointForm, 1);  // shape 4 mod 3
    EXPECT_EQ(a.PointSize, 7);
    EXPECT_EQ(static_cast<uint32_t>(a.PointColour), Colour("rot"));
    EXPECT_TRUE(a.Changed);
    EXPECT_EQ(static_cast<uint32_t>(c.LineColour), Colour("rot"));
    EXPECT_EQ(c.LineWidth, 4);
    EXPECT_EQ(static_cast<uint32_t>(d.LineColour), Colour("blau"));
    EXPECT_EQ(d.LineStyle, 3);
    EXPECT_EQ(d.LineWidth, 0);
    EXPECT_EQ(d.PointSize, 15);

    // Table formats by position in the table list.
    EXPECT_EQ(zeit.ColumnChars, 8);
    EXPECT_EQ(zeit.Decimals, 2);
    EXPECT_TRUE(zeit.Scientific);
    EXPECT_EQ(c.ColumnChars, 12);
    EXPECT_EQ(c.Decimals, 6);
    EXPECT_FALSE(c.Scientific);
    EXPECT_EQ(a.ColumnChars, 10);

    for (const auto& v : sim.Variables) EXPECT_EQ(v->CurveKind, 2) << v->Name;  // line and points
}

TEST_F(Document20Test, VariablesBeyondTheFiftyFirstShareTheLastRecord) {
    File20 file;
    file.Program.clear();
    file.ChartList.clear();
    for (int i = 0; i < 53; ++i) {
        file.Program.push_back("V" + std::to_string(i) + " := " + std::to_string(i));
        file.ChartList.push_back(i);
    }
    for (int i = 0; i < 51; ++i) file.Curves[static_cast<std::size_t>(i)].Width = static_cast<int16_t>(100 + i);
    file.DiagramType = 8;
    const TDocument doc = Load(file);
    const tsim& sim = *doc.Simulations.at(0);
    ASSERT_EQ(sim.Variables.size(), 53u);
    EXPECT_EQ(sim.Variables[0]->LineWidth, 100);
    EXPECT_EQ(sim.Variables[49]->LineWidth, 149);
    for (std::size_t i = 50; i < 53; ++i) {
        EXPECT_EQ(sim.Variables[i]->LineWidth, 150);
        EXPECT_TRUE(sim.Variables[i]->Changed);
    }
    EXPECT_EQ(sim.Variables[7]->CurveKind, 3);  // bars
}

TEST_F(Document20Test, TextBoxesBecomeRichTextsOnThePage) {
    File20 file;
    file.TextBoxes = {{0.25, 0.5, 900, 1 | 4, 12 + 16, 14, "Hallo\r\nWelt", "Times New Roman"},
                      {2.0, -1.0, -10, 2, 0, 0, "zweiter", ""}};
    const TDocument doc = Load(file);
    const auto& children = doc.Page->Children;
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0].get(), doc.Chart);
    const auto* first = dynamic_cast<const ttext*>(children[1].get());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Text(), "Hallo\rWelt");
    EXPECT_EQ(first->FontName, "Times New Roman");
    EXPECT_DOUBLE_EQ(first->TextSize, 14);
    EXPECT_EQ(first->FontStyle, StyleBold | StyleUnderline);
    EXPECT_EQ(first->LineColour, Colour("rot"));
    EXPECT_EQ(first->Angle, 900);
    EXPECT_DOUBLE_EQ(first->X(), 0.25 * NewPageWidth);
    EXPECT_DOUBLE_EQ(first->Y(), 0.5 * NewPageHeight);
    EXPECT_GT(first->Width(), 0.5);  // sized to its text
    EXPECT_DOUBLE_EQ(first->Chars.front().Size, 14);

    // Without a size or font the defaults stay; off-page positions are pulled in.
    const auto* second = dynamic_cast<const ttext*>(children[2].get());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Text(), "zweiter");
    EXPECT_FALSE(second->FontName.empty());
    EXPECT_GT(second->TextSize, 0);
    EXPECT_EQ(second->FontStyle, StyleItalic);
    EXPECT_EQ(second->Angle, 3590);
    EXPECT_DOUBLE_EQ(second->X(), NewPageWidth);
    EXPECT_DOUBLE_EQ(second->Y(), 0);
}

TEST_F(Document20Test, RememberedCurvesBecomeStoredSimulations) {
    File20 file;
    file.DiagramType = 5;
    file.Remembered = {{{{0, 1}, {1, 4}, {2, 9}}, {2, 6, 9, true, 0, 4, 12}}, {{}, {}}};
    const TDocument doc = Load(file);
    ASSERT_EQ(doc.Simulations.size(), 3u);
    EXPECT_EQ(doc.Simulations[0]->Name, "Quorvel20");
    EXPECT_EQ(doc.Selected, 0);
    // With three simulations every variable names its own.
    EXPECT_EQ(Var(*doc.Simulations[0], "B").SimulationName, "Quorvel20");

    const tsim& first = *doc.Simulations[1];
    EXPECT_EQ(first.Name, "Gemerktes (1)");
    EXPECT_TRUE(first.StoredResults);
    EXPECT_EQ(first.StepCount, 3);
    EXPECT_EQ(first.XAxisName, "X");
    const Tvariable &x = Var(first, "X"), &y = Var(first, "Y");
    EXPECT_EQ(x.Values, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(y.Values, (std::vector<double>{1, 4, 9}));
    EXPECT_FALSE(x.Plotted);
    EXPECT_TRUE(y.Plotted);
    EXPECT_TRUE(y.Changed);
    EXPECT_EQ(y.LineWidth, 6);
    EXPECT_EQ(static_cast<uint32_t>(y.LineColour), Colour("blau"));
    EXPECT_EQ(static_cast<uint32_t>(y.PointColour), Colour("rot"));
    EXPECT_EQ(y.SimulationName, "Gemerktes (1)");
    EXPECT_EQ(y.CurveKind, 1);  // points, as every curve of the document

    EXPECT_EQ(doc.Simulations[2]->Name, "Gemerktes (2)");
    EXPECT_EQ(doc.Simulations[2]->StepCount, 0);
}

// A legacy diagram: a stock "B", a rate "Z" and an arrow from the rate to the stock.
std::string LegacyDiagram() {
    Writer20 w;
    w.i16(1);
    for (int v : {100, 100, 80, 90, 120, 110}) w.i16(v);
    w.text("B");
    w.i16(1);
    for (int v : {40, 100, 20, 90, 60, 110}) w.i16(v);
    w.text("Z"), w.text("Z := 3"), w.i16(40);
    w.i16(0);
    w.i16(1);
    w.i16(2), w.i16(60), w.i16(100), w.i16(80), w.i16(100);
    w.byte(1);
    w.i16(0), w.i16(2), w.i16(0), w.i16(1);
    const std::vector<uint8_t>& b = w.out.bytes();
    return std::string(b.begin(), b.end());
}

TEST_F(Document20Test, GraphicalModelIsReadInItsOldForm) {
    File20 file;
    file.Diagram = LegacyDiagram();
    file.Comments = {"Ende"};
    const TDocument doc = Load(file);
    const TDiagram& diagram = doc.Simulations.at(0)->Diagram;
    ASSERT_EQ(diagram.Stocks.size(), 1u);
    ASSERT_EQ(diagram.Rates.size(), 1u);
    EXPECT_TRUE(diagram.Constants.empty());
    ASSERT_EQ(diagram.Arrows.size(), 1u);
    EXPECT_EQ(diagram.Stocks[0]->Name, "B");
    EXPECT_EQ(diagram.Rates[0]->Definition, "Z := 3");
    EXPECT_EQ(diagram.Arrows[0]->Source, diagram.Rates[0].get());
    EXPECT_EQ(diagram.Arrows[0]->Target, diagram.Stocks[0].get());
    // What follows the diagram is still in step.
    EXPECT_EQ(doc.Simulations[0]->Program.back(), "//Ende");
}

TEST_F(Document20Test, OldDiagramsGenerateTheirAlgorithmAndSurviveBadIndices) {
    File20 file;
    file.Diagram = LegacyDiagram();
    EXPECT_EQ(GenerateAlgorithm(Load(file).Simulations.at(0)->Diagram, true),
              (std::vector<std::string>{"Z := 3", "B := B + Z", "ZEIT := ZEIT + 1"}));

    // The arrow's source names rate 5 of a list of one, its target stock 9.
    std::string damaged = LegacyDiagram();
    const std::size_t ends = damaged.size() - 8;
    damaged[ends] = 5;
    damaged[ends + 4] = 9;
    file.Diagram = damaged;
    const TDocument doc = Load(file);
    const TDiagram& diagram = doc.Simulations.at(0)->Diagram;
    ASSERT_EQ(diagram.Arrows.size(), 1u);
    EXPECT_EQ(diagram.Arrows[0]->Source, nullptr);
    EXPECT_EQ(diagram.Arrows[0]->Target, nullptr);
    EXPECT_EQ(GenerateAlgorithm(diagram, true), (std::vector<std::string>{"ZEIT := ZEIT + 1"}));
}

TEST_F(Document20Test, ConvertedDocumentSavesAsVersion30) {
    File20 file;
    file.TextBoxes = {{0.1, 0.1, 0, 0, 1, 10, "Notiz", "Arial"}};
    file.Remembered = {{{{0, 1}, {1, 2}}, {}}};
    const TDocument doc = Load(file);
    OutStream out;
    ASSERT_TRUE(saveDocument(doc, out));
    const TDocument again = loadDocument(out.bytes());
    EXPECT_EQ(again.Version, 30);
    EXPECT_EQ(again.Simulations.size(), 2u);
    EXPECT_EQ(again.Page->Children.size(), 2u);
    EXPECT_EQ(again.Chart->verticalAxis().maximum, 1000);
    EXPECT_EQ(Var(*again.Simulations[0], "B").StartValue, 2.5);
}

TEST_F(Document20Test, OddTextsAndModelsAreConvertedSafely) {
    File20 file;
    file.Program = {"B := (B + "};  // does not compile
    file.StartValues = {{"B", "zwei"}};
    file.ChartList = {0};
    const TDocument broken = Load(file);
    const tsim& sim = *broken.Simulations.at(0);
    EXPECT_TRUE(sim.Variables.empty());
    EXPECT_EQ(sim.Program, std::vector<std::string>{"B := (B + "});

    // A start value that is no number starts at 0; so do inputs not named.
    file.Program = {"B := B + K"};
    file.StartValues = {{"B", " zwei"}, {"K", " -1,5e1 "}};
    const TDocument values = Load(file);
    EXPECT_DOUBLE_EQ(Var(*values.Simulations[0], "B").StartValue, 0);
    EXPECT_DOUBLE_EQ(Var(*values.Simulations[0], "K").StartValue, -15);
    file.StartValues.clear();  // stored as -1
    EXPECT_DOUBLE_EQ(Var(*Load(file).Simulations[0], "K").StartValue, 0);

    // A length byte that claims more than the text holds takes what is there.
    std::vector<uint8_t> bytes = file.bytes();
    const std::size_t programAt = [&] {
        const std::string all(bytes.begin(), bytes.end());
        return all.find("B := B + K") - 3;
    }();
    bytes[programAt + 2] = 200;
    EXPECT_EQ(loadDocument(bytes).Simulations[0]->Program, std::vector<std::string>{"B := B + K"});
}

TEST_F(Document20Test, DamagedFilesThrowAndLeaveThePageColour) {
    File20 file;
    file.PageColour = 12;
    file.Macros = {{"M", {"A := 1"}}};
    file.TextBoxes = {{0.1, 0.1, 0, 0, 1, 10, "Notiz", "Arial"}};
    file.Remembered = {{{{0, 1}}, {}}};
    file.Stocks = {"B"};
    file.Sentences = {{"B", "ist", "1"}};
    file.Diagram = LegacyDiagram();
    file.Comments = {"x"};
    const std::vector<uint8_t> bytes = file.bytes();
    // Cutting the file anywhere after the signature is noticed.
    for (std::size_t size = 11; size < bytes.size(); ++size) {
        EXPECT_THROW(loadDocument(std::span(bytes.data(), size)), StreamError) << size;
        ASSERT_EQ(Drawing().PageColour, MakeColour(255, 255, 255));
    }
    EXPECT_NO_THROW(loadDocument(bytes));

    // Counts and sizes that no file can hold.
    File20 huge;
    huge.Comments = {"x"};
    std::vector<uint8_t> badCount = huge.bytes();
    badCount[badCount.size() - 6] = 0xFF;  // comment count 0x7FFF... high byte
    badCount[badCount.size() - 5] = 0x7F;
    EXPECT_THROW(loadDocument(badCount), StreamError);
    std::vector<uint8_t> badSize = huge.bytes();
    badSize[badSize.size() - 4] = 0x00;  // the comment's size becomes negative
    badSize[badSize.size() - 3] = 0x80;
    EXPECT_THROW(loadDocument(badSize), StreamError);
}

}  // namespace
}  // namespace qv
