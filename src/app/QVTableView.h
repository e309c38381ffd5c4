// The table view of the main window: the computed values as columns, one per
// variable, with the header row; number formats, copying and the export to
// the spreadsheet program.
#pragma once

#include <QTableView>

#include <memory>
#include <vector>

#include "app/SpreadsheetHandoff.h"
#include "app/TablePicture.h"
#include "document/QVTable.h"

namespace qv {

class TTableModel;

class TTableView : public QTableView {
    Q_OBJECT
public:
    explicit TTableView(QWidget* parent = nullptr);

    // Rebuilds the columns and cells from the simulations' values. The
    // columns point into the simulations: build again (with an empty list if
    // need be) before a simulation is freed.
    void buildTable(const std::vector<std::unique_ptr<tsim>>& simulations, bool threeD);
    const TableContent& content() const { return content_; }
    // What a cell shows; empty beyond the values of its column.
    QString cellText(int row, int column) const;
    bool hasRows() const { return content_.RowCount > 1; }

    // "&Kopieren": text, bitmap and SVG picture on the clipboard together.
    void copyTable();
    // Writes a workbook into the temporary folder and opens it in the
    // desktop's spreadsheet program. Without one, or when it cannot be
    // started, the user chooses a file to keep the workbook in and is told
    // where it went. False when the workbook went nowhere.
    bool exportToSpreadsheet();
    // The number format dialog for one column's variable; true on OK.
    bool formatColumn(int column);
    // "&Format": the first column's format, copied to every column; true on OK.
    bool formatAllColumns();

    void setSpreadsheetHandoff(SpreadsheetHandoff handoff) { handoff_ = std::move(handoff); }
    TableLayout pictureLayout() const;

signals:
    // Before the table reacts to the mouse: the main window stops the
    // animation and closes the text editor.
    void aboutToChange();
    // A number format was confirmed: the document changed.
    void formatChanged();
    // The user resized columns; the widths are stored in the variables.
    void columnWidthsChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TableMetrics metrics() const;
    void showColumnWidths();
    // Sizes the columns again and has every cell formatted anew, so that no
    // cell keeps the old format on screen.
    void refresh();
    // The widths the user dragged become their variables'; false when none changed.
    bool storeColumnWidths();
    bool keepWorkbookAsFile();

    TableContent content_;
    TTableModel* model_;  // a child of the view
    SpreadsheetHandoff handoff_;
};

}  // namespace qv
