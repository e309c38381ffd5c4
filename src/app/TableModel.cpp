#include "app/TableModel.h"

#include <limits>

#include "drawing/QtText.h"

namespace qv {

TTableModel::TTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TTableModel::setContent(const TableContent* table) {
    beginResetModel();
    table_ = table;
    endResetModel();
}

int TTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !table_ || table_->RowCount < 2) return 0;
    // Qt counts rows in an int; more values than that cannot be shown.
    return static_cast<int>(std::min<std::size_t>(table_->RowCount - 1, std::numeric_limits<int>::max()));
}

int TTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_ ? 0 : static_cast<int>(table_->Columns.size());
}

QVariant TTableModel::data(const QModelIndex& index, int role) const {
    if (!table_ || !index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const TableColumn& column = table_->Columns[static_cast<std::size_t>(index.column())];
    return ToQString(column.Cell(static_cast<std::size_t>(index.row())));
}

QVariant TTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!table_ || role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount())
        return {};
    return ToQString(table_->Columns[static_cast<std::size_t>(section)].Header);
}

}  // namespace qv
