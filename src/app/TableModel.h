// The table view's cells as an item model over the built table: a long
// run's hundred thousands of rows cost no widget items, and only the rows on
// screen are ever turned into text.
#pragma once

#include <QAbstractTableModel>

#include "document/QVTable.h"

namespace qv {

class TTableModel : public QAbstractTableModel {
public:
    explicit TTableModel(QObject* parent = nullptr);

    // Shows table, which must live until the next call (or null for none).
    void setContent(const TableContent* table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TableContent* table_ = nullptr;
};

}  // namespace qv
