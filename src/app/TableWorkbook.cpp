#include "app/TableWorkbook.h"

#include <xlsxwriter.h>

#include <memory>

#include "drawing/QtText.h"

namespace qv {

namespace {

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

}  // namespace

bool WriteWorkbook(const TableContent& table, const QString& fileName) {
    const QByteArray path = fileName.toLocal8Bit();
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new(path.constData()));
    if (!workbook) return false;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), nullptr);
    if (!sheet) return false;
    bool written = true;
    for (std::size_t c = 0; c < table.Columns.size(); ++c) {
        const TableColumn& column = table.Columns[c];
        const auto col = static_cast<lxw_col_t>(c);
        if (column.Variable) worksheet_set_column(sheet, col, col, column.Variable->ColumnChars + 1, nullptr);
        // The numbers go over as the formatted texts the table shows.
        written &= worksheet_write_string(sheet, 0, col, ToQString(column.Header).toUtf8().constData(), nullptr) ==
                   LXW_NO_ERROR;
        for (std::size_t r = 0; r < column.Cells.size(); ++r)
            written &= worksheet_write_string(sheet, static_cast<lxw_row_t>(r + 1), col,
                                              ToQString(column.Cells[r]).toUtf8().constData(),
                                              nullptr) == LXW_NO_ERROR;
    }
    return workbook_close(workbook.release()) == LXW_NO_ERROR && written;
}

}  // namespace qv
