// The table drawn as a picture (for the clipboard's bitmap and SVG): a grid
// with the header row, every column as wide as in the table view.
#pragma once

#include <QFont>
#include <QSize>

#include <vector>

#include "document/QVTable.h"

class QPainter;

namespace qv {

struct TableLayout {
    std::vector<int> ColumnWidths;  // pixels
    int RowHeight = 20;
    QFont Font;
};

QSize TablePictureSize(const TableContent& table, const TableLayout& layout);

void PaintTable(QPainter& painter, const TableContent& table, const TableLayout& layout);

}  // namespace qv
