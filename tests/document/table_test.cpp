// The table: which columns appear, how cells are formatted, and the text the
// copy command produces.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/QVTable.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

std::unique_ptr<tsim> Simulation(const std::string& name, std::vector<double> time, std::vector<double> b) {
    auto sim = std::make_unique<tsim>();
    sim->Name = name;
    auto t = std::make_unique<Tvariable>("ZEIT");
    t->Values = std::move(time);
    auto v = std::make_unique<Tvariable>("B");
    v->Values = std::move(b);
    v->Plotted = true;
    v->SimulationName = name;
    sim->Variables.push_back(std::move(t));
    sim->Variables.push_back(std::move(v));
    sim->XAxisName = "ZEIT";
    return sim;
}

TEST(Table, SharedTimeColumnHeadersAndText) {
    Formats().DecimalSeparator = ',';
    std::vector<std::unique_ptr<tsim>> sims;
    sims.push_back(Simulation("A", {1, 2}, {10, 20}));
    sims.push_back(Simulation("B", {1, 2}, {0.5, 1.25}));
    TableContent table = buildTable(sims, false, TableMetrics(6));
    ASSERT_EQ(table.Columns.size(), 3u);  // one ZEIT column serves both
    EXPECT_EQ(table.Columns[1].Header, "B [A]");
    EXPECT_EQ(table.RowCount, 3u);
    EXPECT_EQ(sims[0]->Variables[0]->ColumnChars, 9);  // 64 / 6 - 1
    EXPECT_EQ(TableText(table), "ZEIT;B [A];B [B]\r\n1,0000;10,0000;0,5000\r\n2,0000;20,0000;1,2500\r\n");

    sims[1]->Variables[0]->Values = {1, 3};  // another time series: its own column
    sims[0]->Variables[0]->ColumnWidth = 20;
    sims[1]->Variables[1]->Scientific = true;
    sims[1]->Variables[1]->ColumnWidth = 120;
    table = buildTable(sims, false, TableMetrics(6));
    ASSERT_EQ(table.Columns.size(), 4u);
    EXPECT_EQ(sims[0]->Variables[0]->ColumnChars, 2);  // 20 / 6 - 1, the edge of the narrowest column
    EXPECT_EQ(table.Columns[3].Cell(0), "5,0000000000E-0001"  /* 19 characters: precision 11 */);
}

TEST(Table, ShorterColumnsLeaveEmptyCells) {
    std::vector<std::unique_ptr<tsim>> sims;
    sims.push_back(Simulation("A", {1, 2, 3}, {1, 2, 3}));
    sims.push_back(Simulation("B", {1}, {7}));
    sims[0]->Variables[1]->SimulationName.clear();
    sims[1]->Variables[1]->SimulationName.clear();
    TableContent table = buildTable(sims, false, TableMetrics(6));
    std::string text = TableText(table);
    EXPECT_EQ(text.substr(text.rfind("\r\n", text.size() - 3) + 2), "3,0000;3,0000;;\r\n");
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// A grid whose headings need 7 pixels a character and whose cells 6, plus margins.
TableMetrics Measured() {
    TableMetrics metrics(6);
    metrics.HeaderWidth = [](const std::string& text) { return static_cast<int>(text.size()) * 7 + 10; };
    metrics.CellWidth = [](const std::string& text) { return static_cast<int>(text.size()) * 6 + 7; };
    return metrics;
}

TEST(Table, ColumnsWidenForHeadingsAndExponentCellsOnly) {
    Formats().DecimalSeparator = ',';
    std::vector<std::unique_ptr<tsim>> sims;
    sims.push_back(Simulation("SIR-Epidemie", {1, 2}, {-1250.5, 2.5e-100}));
    Tvariable& infected = *sims[0]->Variables[1];
    infected.Name = "INFIZIERTE";
    const TableMetrics metrics = Measured();
    TableContent table = buildTable(sims, false, metrics);
    ASSERT_EQ(table.Columns.size(), 2u);
    EXPECT_EQ(table.Columns[0].Width, 64);  // "ZEIT" fits the default width
    EXPECT_EQ(table.Columns[1].Width, metrics.HeaderWidth("INFIZIERTE [SIR-Epidemie]"));
    // The heading widens the column, not the digits of its numbers.
    EXPECT_EQ(infected.ColumnChars, 9);
    EXPECT_EQ(table.Columns[1].Cell(0), "-1250,5000");

    // Exponent cells all have one length, the sign aside: the column holds
    // the longest, at the digits its width asked for.
    for (int width : {64, 20, 200}) {
        Tvariable& time = *sims[0]->Variables[0];
        time.Values = {-1.5e-300, 12345.678};
        time.Scientific = true;
        time.ColumnWidth = width;
        SizeColumns(table, metrics);
        for (std::size_t row = 0; row < 2; ++row) {
            const std::string cell = table.Columns[0].Cell(row);
            EXPECT_LE(metrics.CellWidth(cell), table.Columns[0].Width) << cell;
        }
        EXPECT_EQ(table.Columns[0].Cell(1).size(), static_cast<std::size_t>(std::clamp(time.ColumnChars - 8, 2, 18) + 7));
    }
    // Back in fixed format the column is as wide as the user made it.
    sims[0]->Variables[0]->Scientific = false;
    SizeColumns(table, metrics);
    EXPECT_EQ(table.Columns[0].Width, 200);
}

}  // namespace
}  // namespace qv
