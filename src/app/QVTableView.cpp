#include "app/QVTableView.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QSvgGenerator>
#include <QTemporaryFile>

#include "app/TableModel.h"
#include "app/TableWorkbook.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/QVFormatdlg.h"
#include "drawing/QtText.h"

namespace qv {

namespace {

QByteArray SvgOfTable(const TableContent& table, const TableLayout& layout) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    const QSize size = TablePictureSize(table, layout);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    {
        QPainter painter(&generator);
        PaintTable(painter, table, layout);
    }
    return bytes;
}

// A null image for a table too large to hold as pixels; the clipboard then
// gets the text and the vector picture only.
QImage ImageOfTable(const TableContent& table, const TableLayout& layout) {
    QImage image(TablePictureSize(table, layout), QImage::Format_RGB32);
    if (image.isNull()) return image;
    QPainter painter(&image);
    PaintTable(painter, table, layout);
    return image;
}

}  // namespace

TTableView::TTableView(QWidget* parent)
    : QTableView(parent), model_(new TTableModel(this)), handoff_(DesktopSpreadsheetHandoff()) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is as high as the font: the view need not measure millions.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    // A number broken over two lines reads as two numbers.
    setWordWrap(false);
    horizontalHeader()->viewport()->installEventFilter(this);
}

TableMetrics TTableView::metrics() const {
    TableMetrics metrics(fontMetrics().horizontalAdvance(QLatin1Char('0')));
    // The style's text margin on both sides and the grid line.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
    metrics.CellWidth = [font = fontMetrics(), margin](const std::string& text) {
        return font.horizontalAdvance(ToQString(text)) + margin;
    };
    metrics.HeaderWidth = [header = horizontalHeader()](const std::string& text) {
        QStyleOptionHeader option;
        option.initFrom(header);
        option.orientation = Qt::Horizontal;
        option.text = ToQString(text);
        return header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width();
    };
    return metrics;
}

void TTableView::showColumnWidths() {
    for (std::size_t c = 0; c < content_.Columns.size(); ++c)
        setColumnWidth(static_cast<int>(c), content_.Columns[c].Width);
}

void TTableView::buildTable(const std::vector<std::unique_ptr<tsim>>& simulations, bool threeD) {
    model_->setContent(nullptr);
    content_ = qv::buildTable(simulations, threeD, metrics());
    model_->setContent(&content_);
    showColumnWidths();
}

void TTableView::refresh() {
    model_->setContent(nullptr);
    SizeColumns(content_, metrics());
    model_->setContent(&content_);
    showColumnWidths();
}

QString TTableView::cellText(int row, int column) const {
    return model_->data(model_->index(row, column), Qt::DisplayRole).toString();
}

TableLayout TTableView::pictureLayout() const {
    TableLayout layout;
    for (int c = 0; c < model_->columnCount(); ++c) layout.ColumnWidths.push_back(columnWidth(c));
    layout.RowHeight = verticalHeader()->defaultSectionSize();
    layout.Font = font();
    return layout;
}

void TTableView::copyTable() {
    if (!hasRows()) return;
    const TableLayout layout = pictureLayout();
    auto mime = std::make_unique<QMimeData>();
    mime->setData(QStringLiteral("image/svg+xml"), SvgOfTable(content_, layout));
    if (QImage image = ImageOfTable(content_, layout); !image.isNull()) mime->setImageData(image);
    mime->setText(ToQString(TableText(content_)));
    QApplication::clipboard()->setMimeData(mime.release());  // the clipboard takes it
}

bool TTableView::exportToSpreadsheet() {
    if (handoff_.HasApplication()) {
        QTemporaryFile file(QDir::temp().filePath(QStringLiteral("Quorvel-Tabelle-XXXXXX.xlsx")));
        // The spreadsheet program reads the workbook after we return: keep it.
        file.setAutoRemove(false);
        const bool reserved = file.open();
        const QString fileName = file.fileName();
        file.close();
        if (reserved && WriteWorkbook(content_, fileName) && handoff_.Open(fileName)) return true;
        if (reserved) QFile::remove(fileName);
    }
    return keepWorkbookAsFile();
}

// A workbook left in the temporary folder with nothing to show it would be
// lost to the user: it goes where the user wants it instead.
bool TTableView::keepWorkbookAsFile() {
    const QString fileName = handoff_.ChooseFile(this);
    if (fileName.isEmpty()) return false;
    const QString shown = QDir::toNativeSeparators(fileName);
    if (!WriteWorkbook(content_, fileName)) {
        ShowMessage(this, MessageKind::Error, QStringLiteral("Die Tabelle konnte nicht gespeichert werden:\n") + shown);
        return false;
    }
    ShowMessage(this, MessageKind::Information,
                QStringLiteral("Excel konnte nicht gestartet werden!\nDie Tabelle wurde gespeichert unter:\n") + shown);
    return true;
}

bool TTableView::formatColumn(int column) {
    if (column < 0 || column >= static_cast<int>(content_.Columns.size())) return false;
    if (!EditNumberFormat(this, *content_.Columns[static_cast<std::size_t>(column)].Variable)) return false;
    refresh();
    emit formatChanged();
    return true;
}

bool TTableView::formatAllColumns() {
    if (content_.Columns.empty()) return false;
    Tvariable& first = *content_.Columns.front().Variable;
    if (!EditNumberFormat(this, first)) return false;
    for (const TableColumn& column : content_.Columns) {
        column.Variable->Decimals = first.Decimals;
        column.Variable->Scientific = first.Scientific;
    }
    refresh();
    emit formatChanged();
    return true;
}

bool TTableView::storeColumnWidths() {
    bool changed = false;
    for (int c = 0; c < model_->columnCount(); ++c) {
        TableColumn& column = content_.Columns[static_cast<std::size_t>(c)];
        // A column shown wider than its variable's width for its heading
        // keeps that width until the user drags it.
        if (columnWidth(c) == column.Width) continue;
        column.Variable->ColumnWidth = columnWidth(c);
        changed = true;
    }
    return changed;
}

void TTableView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return;
    emit aboutToChange();
    formatColumn(index.column());
}

bool TTableView::eventFilter(QObject* watched, QEvent* event) {
    // A column is resized by dragging a header border; on release the widths
    // become the variables' and the table is sized and formatted again with
    // them, once the header has finished with the release.
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) {
        emit aboutToChange();
        if (storeColumnWidths()) {
            QMetaObject::invokeMethod(this, [this] { refresh(); }, Qt::QueuedConnection);
            emit columnWidthsChanged();
        }
    }
    return QTableView::eventFilter(watched, event);
}

void TTableView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Kopieren"), this, [this] { copyTable(); });
    copy->setEnabled(hasRows());
    menu.addAction(QStringLiteral("&Format"), this, [this] { formatAllColumns(); });
    QAction* excel = menu.addAction(QStringLiteral("&Nach Excel exportieren"), this, [this] { exportToSpreadsheet(); });
    excel->setEnabled(hasRows());
    menu.exec(event->globalPos());
}

}  // namespace qv
