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

}  // namespace

std::string TableColumn::Cell(std::size_t row) const {
    if (!Variable || row >= CellCount || row >= Variable->Values.size()) return {};
    return CellText(*Variable, Variable->Values[row]);
}

TableContent buildTable(const std::vector<std::unique_ptr<tsim>>& simulations, bool threeD, int zeroWidth) {
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
        variable->ColumnChars = std::max(2, variable->ColumnWidth / std::max(zeroWidth, 1) - 1);
        column.CellCount = variable->Values.size();
        table.RowCount = std::max(table.RowCount, column.CellCount + 1);
        table.Columns.push_back(std::move(column));
    }
    return table;
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
