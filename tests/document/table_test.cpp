// The table: which columns appear, how cells are formatted, and the text the
// copy command produces.
#include <gtest/gtest.h>

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
    TableContent table = buildTable(sims, false, 6);
    ASSERT_EQ(table.Columns.size(), 3u);  // one ZEIT column serves both
    EXPECT_EQ(table.Columns[1].Header, "B [A]");
    EXPECT_EQ(table.RowCount, 3u);
    EXPECT_EQ(sims[0]->Variables[0]->ColumnChars, 9);  // 64 / 6 - 1
    EXPECT_EQ(TableText(table), "ZEIT;B [A];B [B]\r\n1,0000;10,0000;0,5000\r\n2,0000;20,0000;1,2500\r\n");

    sims[1]->Variables[0]->Values = {1, 3};  // another time series: its own column
    sims[0]->Variables[0]->ColumnWidth = 20;
    sims[1]->Variables[1]->Scientific = true;
    sims[1]->Variables[1]->ColumnWidth = 120;
    table = buildTable(sims, false, 6);
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
    TableContent table = buildTable(sims, false, 6);
    std::string text = TableText(table);
    EXPECT_EQ(text.substr(text.rfind("\r\n", text.size() - 3) + 2), "3,0000;3,0000;;\r\n");
}

}  // namespace
}  // namespace qv
