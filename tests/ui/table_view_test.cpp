// The table view: cells as the program formats them, the clipboard's three
// forms, the workbook export, number formats and stored column widths.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "UiTestSupport.h"
#include "app/QVTableView.h"
#include "app/TableWorkbook.h"
#include "util/NumberFormat.h"

namespace qv {
namespace {

using test::AnswerBoxes;
using test::OnNextModalDialog;

Tvariable& AddVariable(tsim& sim, const std::string& name, std::vector<double> values, bool plotted) {
    auto variable = std::make_unique<Tvariable>(name);
    variable->Values = std::move(values);
    variable->Plotted = plotted;
    sim.Variables.push_back(std::move(variable));
    return *sim.Variables.back();
}

// One simulation: the x variable "a" and the plotted "b" and "c".
std::vector<std::unique_ptr<tsim>> Abc(std::vector<double> a, std::vector<double> b, std::vector<double> c) {
    std::vector<std::unique_ptr<tsim>> sims;
    sims.push_back(std::make_unique<tsim>());
    tsim& sim = *sims.back();
    AddVariable(sim, "a", std::move(a), false);
    AddVariable(sim, "b", std::move(b), true);
    AddVariable(sim, "c", std::move(c), true);
    sim.XAxisName = "a";
    return sims;
}

void SetDecimals(std::vector<std::unique_ptr<tsim>>& sims, int32_t decimals) {
    for (auto& variable : sims.front()->Variables) variable->Decimals = decimals;
}

TEST(TableView, CellsHeadersAndClipboard) {
    Formats().DecimalSeparator = ',';
    auto sims = Abc({0, 0.5, 1}, {1.25, 2.5, 3.75}, {7, 8, 9});
    sims.front()->Variables[1]->SimulationName = "Wachstum";
    TTableView view;
    view.buildTable(sims, false);
    ASSERT_EQ(view.model()->columnCount(), 3);
    ASSERT_EQ(view.model()->rowCount(), 3);
    EXPECT_EQ(view.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("a"));
    EXPECT_EQ(view.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("b [Wachstum]"));
    EXPECT_EQ(view.cellText(1, 0), QStringLiteral("0,5000"));
    EXPECT_EQ(view.cellText(2, 1), QStringLiteral("3,7500"));
    EXPECT_EQ(view.columnWidth(0), 64);

    auto small = Abc({1}, {2}, {3});
    SetDecimals(small, 0);
    view.buildTable(small, false);
    EXPECT_EQ(view.model()->rowCount(), 1);
    view.copyTable();
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->text(), QStringLiteral("a;b;c\r\n1;2;3\r\n"));
    EXPECT_TRUE(mime->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    EXPECT_EQ(image.width(), 3 * 64);
    EXPECT_EQ(image.height(), 2 * view.verticalHeader()->defaultSectionSize());
}

TEST(TableView, LongRunsScrollToTheirLastValue) {
    Formats().DecimalSeparator = ',';
    constexpr std::size_t n = 300'000;
    std::vector<double> time(n), growing(n), shorter(n / 2);
    for (std::size_t i = 0; i < n; ++i) time[i] = growing[i] = static_cast<double>(i + 1);
    auto sims = Abc(time, growing, shorter);
    SetDecimals(sims, 0);
    TTableView view;
    view.resize(400, 300);
    view.show();
    view.buildTable(sims, false);
    ASSERT_EQ(view.model()->rowCount(), static_cast<int>(n));
    view.scrollToBottom();
    QApplication::processEvents();
    const QModelIndex last = view.indexAt(QPoint(5, view.viewport()->height() - 3));
    EXPECT_EQ(last.row(), static_cast<int>(n) - 1);
    EXPECT_EQ(view.cellText(last.row(), 1), QStringLiteral("300000"));
    EXPECT_EQ(view.cellText(last.row(), 2), QString()) << "a shorter column ends with its values";

    view.buildTable({}, false);  // the simulations may now be freed
    EXPECT_EQ(view.model()->rowCount(), 0);
    EXPECT_EQ(view.model()->columnCount(), 0);
}

TEST(TableView, ExportWritesAWorkbookAndReportsFailure) {
    Formats().DecimalSeparator = ',';
    auto sims = Abc({1, 2}, {3, 4}, {5, 6});
    TTableView view;
    view.buildTable(sims, false);

    QString opened;
    view.setFileOpener([&opened](const QString& fileName) {
        opened = fileName;
        return true;
    });
    ASSERT_TRUE(view.exportToSpreadsheet());
    ASSERT_TRUE(opened.endsWith(QStringLiteral(".xlsx")));
    QFile workbook(opened);
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_EQ(workbook.read(2), QByteArray("PK"));
    workbook.close();
    QFile::remove(opened);

    view.setFileOpener([&opened](const QString& fileName) {
        opened = fileName;
        return false;
    });
    AnswerBoxes boxes;
    EXPECT_FALSE(view.exportToSpreadsheet());
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.kinds[0], MessageKind::Error);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("Excel konnte nicht gestartet werden!"));
    EXPECT_FALSE(QFile::exists(opened));  // no workbook left behind in the temporary folder
    EXPECT_FALSE(WriteWorkbook(view.content(), QStringLiteral("/nonexistent-folder/table.xlsx")));
}

TEST(TableView, AWorkbookIsSavedLikeEveryOtherFile) {
    auto sims = Abc({1, 2}, {3, 4}, {5, 6});
    TTableView view;
    view.buildTable(sims, false);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Tabelle.xlsx"));
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("alt");
    earlier.close();
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    std::string error;
    EXPECT_FALSE(WriteWorkbook(view.content(), path, &error));
    EXPECT_EQ(error, "Die Datei " + path.toStdString() + " ist schreibgesch\xFCtzt.");
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("alt"));
    earlier.close();

    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(WriteWorkbook(view.content(), path, &error)) << error;
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.read(2), QByteArray("PK"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(TableView, WorkbookCellsAreNumbersWhereTheTableShowsNumbers) {
    Formats().DecimalSeparator = ',';
    WorkbookCell fixed = CellForText(" 10,5000");
    EXPECT_TRUE(fixed.IsNumber);
    EXPECT_DOUBLE_EQ(fixed.Value, 10.5);
    EXPECT_EQ(fixed.NumberFormat, "0.0000");
    WorkbookCell whole = CellForText("-42");
    EXPECT_TRUE(whole.IsNumber);
    EXPECT_EQ(whole.NumberFormat, "0");
    WorkbookCell scientific = CellForText("1,50E-05");
    EXPECT_TRUE(scientific.IsNumber);
    EXPECT_DOUBLE_EQ(scientific.Value, 1.5e-5);
    EXPECT_EQ(scientific.NumberFormat, "0.00E+00");
    // Not numbers in the user's format: stay text.
    EXPECT_FALSE(CellForText("10.5").IsNumber);
    EXPECT_FALSE(CellForText("INF").IsNumber);
    EXPECT_FALSE(CellForText("").IsNumber);
    EXPECT_FALSE(CellForText("ZEIT").IsNumber);
}

TEST(TableView, NumberFormatsAndColumnWidthsGoToTheVariables) {
    Formats().DecimalSeparator = ',';
    auto sims = Abc({1, 2}, {3, 4}, {5, 6});
    TTableView view;
    view.resize(400, 300);
    view.buildTable(sims, false);
    QSignalSpy formatChanged(&view, &TTableView::formatChanged);

    // A click on a cell formats its column alone.
    OnNextModalDialog([](QDialog& dialog) {
        dialog.findChild<QCheckBox*>(QStringLiteral("normdarstellung"))->setChecked(true);
        dialog.accept();
    });
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(view.model()->index(0, 1)).center());
    EXPECT_TRUE(sims.front()->Variables[1]->Scientific);
    EXPECT_FALSE(sims.front()->Variables[2]->Scientific);
    EXPECT_EQ(formatChanged.count(), 1);

    // "&Format" gives every column the first column's format.
    OnNextModalDialog([](QDialog& dialog) {
        dialog.findChild<QSpinBox*>(QStringLiteral("nachkommastellen"))->setValue(1);
        dialog.accept();
    });
    EXPECT_TRUE(view.formatAllColumns());
    for (const auto& variable : sims.front()->Variables) {
        EXPECT_EQ(variable->Decimals, 1);
        EXPECT_FALSE(variable->Scientific);
    }
    view.buildTable(sims, false);
    EXPECT_EQ(view.cellText(1, 2), QStringLiteral("6,0"));

    QSignalSpy widthsChanged(&view, &TTableView::columnWidthsChanged);
    view.horizontalHeader()->resizeSection(2, 150);
    QTest::mouseRelease(view.horizontalHeader()->viewport(), Qt::LeftButton);
    EXPECT_EQ(sims.front()->Variables[2]->ColumnWidth, 150);
    EXPECT_EQ(widthsChanged.count(), 1);
    // The wider column holds more characters.
    view.buildTable(sims, false);
    EXPECT_GT(sims.front()->Variables[2]->ColumnChars, sims.front()->Variables[0]->ColumnChars);
}

}  // namespace
}  // namespace qv
