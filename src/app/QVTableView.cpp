#include "app/QVTableView.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>
#include <QTemporaryFile>
#include <QUrl>

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
    : QTableView(parent), model_(new TTableModel(this)), opener_([](const QString& fileName) {
          return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
      }) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is as high as the font: the view need not measure millions.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    horizontalHeader()->viewport()->installEventFilter(this);
}

void TTableView::buildTable(const std::vector<std::unique_ptr<tsim>>& simulations, bool threeD) {
    model_->setContent(nullptr);
    content_ = qv::buildTable(simulations, threeD, fontMetrics().horizontalAdvance(QLatin1Char('0')));
    model_->setContent(&content_);
    for (std::size_t c = 0; c < content_.Columns.size(); ++c)
        setColumnWidth(static_cast<int>(c), content_.Columns[c].Variable->ColumnWidth);
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
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("Quorvel-Tabelle-XXXXXX.xlsx")));
    // The spreadsheet program reads the workbook after we return: keep it.
    file.setAutoRemove(false);
    const bool reserved = file.open();
    const QString fileName = file.fileName();
    file.close();
    if (reserved && WriteWorkbook(content_, fileName) && opener_(fileName)) return true;
    if (reserved) QFile::remove(fileName);
    ShowMessage(this, MessageKind::Error, QStringLiteral("Excel konnte nicht gestartet werden!"));
    return false;
}

bool TTableView::formatColumn(int column) {
    if (column < 0 || column >= static_cast<int>(content_.Columns.size())) return false;
    if (!EditNumberFormat(this, *content_.Columns[static_cast<std::size_t>(column)].Variable)) return false;
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
    emit formatChanged();
    return true;
}

void TTableView::storeColumnWidths() {
    for (int c = 0; c < model_->columnCount(); ++c)
        content_.Columns[static_cast<std::size_t>(c)].Variable->ColumnWidth = columnWidth(c);
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
    // become the variables' and the table is built again with them.
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) {
        emit aboutToChange();
        storeColumnWidths();
        emit columnWidthsChanged();
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
