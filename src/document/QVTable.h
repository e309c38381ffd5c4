// The table of results: one column per variable (the axis variables and the
// plotted ones of every simulation), with the cells formatted as the table
// view shows them, and the text the table's copy command produces. Cells are
// formatted when asked for, so a long run's table costs no text up front.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/QVSim.h"

namespace qv {

struct TableColumn {
    Tvariable* Variable = nullptr;  // owned by its simulation
    std::string Header;
    std::size_t CellCount = 0;  // one cell per recorded value
    // Pixels: the variable's ColumnWidth, widened where its heading or an
    // exponent-format cell would not fit on one line.
    int Width = 0;

    // The value of a row as the table shows it in the variable's number
    // format; empty below the column's values.
    std::string Cell(std::size_t row) const;
};

struct TableContent {
    std::vector<TableColumn> Columns;
    std::size_t RowCount = 1;  // the header row and one row per value of the longest column
};

// How the grid measures. ZeroWidth is the pixel width of "0" in the grid's
// font; with a column's ColumnWidth it decides how many characters the
// column's numbers get (ColumnChars, stored back). HeaderWidth and CellWidth
// give the pixels a heading or a cell needs to show a text on one line; left
// empty, columns keep their ColumnWidth.
struct TableMetrics {
    explicit TableMetrics(int zeroWidth = 1) : ZeroWidth(zeroWidth) {}
    int ZeroWidth;
    std::function<int(const std::string&)> HeaderWidth;
    std::function<int(const std::string&)> CellWidth;
};

// Builds and sizes the columns.
TableContent buildTable(const std::vector<std::unique_ptr<tsim>>& simulations, bool threeD,
                        const TableMetrics& metrics);

// Sizes the columns anew from their variables' widths and number formats.
void SizeColumns(TableContent& table, const TableMetrics& metrics);

// The text of the copy command: the cells of every row separated by ";",
// each row ended by CR LF; cells below a shorter column are empty.
std::string TableText(const TableContent& table);

}  // namespace qv
