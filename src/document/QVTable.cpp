#include "document/QVTable.h"

#include <algorithm>

#include "util/NumberFormat.h"

namespace qv {

namespace {

// A variable whose name and values are already in a column adds nothing
// (two simulations sharing one time series show one time column).
void AddColumn(std::vector<Tvariable*>& columns, Tvariable* variable) {
    for (const Tvariable* existing : columns)
        if (existing->Name == variable->Name && existing->Values == variable->Values) return;
    columns.push_back(variable);
}

std::string CellText(const Tvariable& variable, double value) {
    if (variable.Scientific) return FormatReal(value, RealFormat::Exponent, variable.ColumnChars - 8, 4);
    return FormatReal(value, RealFormat::Fixed, variable.ColumnChars, variable.Decimals);
}

// Every exponent-format cell of a column has the same length; a negative
// value is the widest of them, with whichever exponent sign is wider.
constexpr double WidestExponentValues[] = {-8.888888888888888e-188, -8.888888888888888e188};

}  // namespace

std::string TableColumn::Cell(std::size_t row) const {
    if (!Variable || row >= CellCount || row >= Variable->Values.size()) return {};
    return CellText(*Variable, Variable->Values[row]);
}

TableContent buildTable(const std::vector<std::unique_ptr<tsim>>& simulations, bool threeD,
                        const TableMetrics& metrics) {
    std::vector<Tvariable*> columns;
    for (const auto& simulation : simulations) {
        auto addByName = [&](const std::string& name) {
            int index = simulation->IndexOfVariable(name);
            if (index >= 0) AddColumn(columns, simulation->Variables[static_cast<std::size_t>(index)].get());
        };
        addByName(simulation->XAxisName);
        if (threeD) addByName(simulation->YAxisName);
        for (const auto& variable : simulation->Variables)
            if (variable->Plotted) AddColumn(columns, variable.get());
    }

    TableContent table;
    for (Tvariable* variable : columns) {
        TableColumn column;
        column.Variable = variable;
        column.Header = variable->SimulationName.empty() ? variable->Name
                                                         : variable->Name + " [" + variable->SimulationName + "]";
        column.CellCount = variable->Values.size();
        table.RowCount = std::max(table.RowCount, column.CellCount + 1);
        table.Columns.push_back(std::move(column));
    }
    SizeColumns(table, metrics);
    return table;
}

void SizeColumns(TableContent& table, const TableMetrics& metrics) {
    for (TableColumn& column : table.Columns) {
        Tvariable& variable = *column.Variable;
        // The digits follow the width the user gave the column; widening it
        // for a long heading changes no number.
        variable.ColumnChars = std::max(2, variable.ColumnWidth / std::max(metrics.ZeroWidth, 1) - 1);
        column.Width = variable.ColumnWidth;
        if (metrics.HeaderWidth) column.Width = std::max(column.Width, metrics.HeaderWidth(column.Header));
        if (metrics.CellWidth && variable.Scientific)
            for (double value : WidestExponentValues)
                column.Width = std::max(column.Width, metrics.CellWidth(CellText(variable, value)));
    }
}

std::string TableText(const TableContent& table) {
    std::string text;
    for (std::size_t row = 0; row < table.RowCount; ++row) {
        for (std::size_t c = 0; c < table.Columns.size(); ++c) {
            if (c > 0) text += ';';
            const TableColumn& column = table.Columns[c];
            if (row == 0)
                text += column.Header;
            else
                text += column.Cell(row - 1);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace qv
