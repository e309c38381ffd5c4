#include "app/TablePicture.h"

#include <QPainter>

#include <numeric>

#include "drawing/QtText.h"

namespace qv {

QSize TablePictureSize(const TableContent& table, const TableLayout& layout) {
    const int width = std::accumulate(layout.ColumnWidths.begin(), layout.ColumnWidths.end(), 0);
    return {width, static_cast<int>(table.RowCount) * layout.RowHeight};
}

void PaintTable(QPainter& painter, const TableContent& table, const TableLayout& layout) {
    const QSize size = TablePictureSize(table, layout);
    painter.save();
    painter.setFont(layout.Font);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.fillRect(QRect(0, 0, size.width(), layout.RowHeight), QColor(224, 224, 224));
    painter.setPen(QColor(160, 160, 160));
    int x = 0;
    for (std::size_t c = 0; c < table.Columns.size() && c < layout.ColumnWidths.size(); ++c) {
        const int width = layout.ColumnWidths[c];
        const TableColumn& column = table.Columns[c];
        painter.drawRect(QRect(x, 0, width - 1, size.height() - 1));
        painter.setPen(Qt::black);
        const int margin = 3;
        painter.drawText(QRect(x + margin, 0, width - 2 * margin, layout.RowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         ToQString(column.Header));
        for (std::size_t r = 0; r < column.CellCount; ++r)
            painter.drawText(QRect(x + margin, static_cast<int>(r + 1) * layout.RowHeight, width - 2 * margin,
                                   layout.RowHeight),
                             Qt::AlignVCenter | Qt::AlignRight, ToQString(column.Cell(r)));
        painter.setPen(QColor(160, 160, 160));
        x += width;
    }
    for (std::size_t r = 1; r < table.RowCount; ++r)
        painter.drawLine(0, static_cast<int>(r) * layout.RowHeight, size.width() - 1,
                         static_cast<int>(r) * layout.RowHeight);
    painter.restore();
}

}  // namespace qv
