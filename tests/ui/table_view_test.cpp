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

// A desktop as the export sees it: whether it has a spreadsheet program,
// whether that opens, and where the user keeps a workbook it could not.
struct FakeDesktop {
    bool hasApplication = true;
    bool opens = true;
    QString chosen;  // empty: the save dialog is cancelled
    QString opened;
    int asked = 0;

    SpreadsheetHandoff handoff() {
        return {[this] { return hasApplication; },
                [this](const QString& fileName) {
                    opened = fileName;
                    return opens;
                },
                [this](QWidget*) {
                    ++asked;
                    return chosen;
                }};
    }
};

bool IsWorkbook(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) && file.read(2) == QByteArray("PK");
}

TEST(TableView, ExportOpensTheWorkbookOrKeepsItWhereTheUserWants) {
    Formats().DecimalSeparator = ',';
    auto sims = Abc({1, 2}, {3, 4}, {5, 6});
    TTableView view;
    view.buildTable(sims, false);
    FakeDesktop desktop;
    view.setSpreadsheetHandoff(desktop.handoff());

    // The spreadsheet program gets a workbook from the temporary folder.
    ASSERT_TRUE(view.exportToSpreadsheet());
    EXPECT_TRUE(desktop.opened.endsWith(QStringLiteral(".xlsx")));
    EXPECT_TRUE(IsWorkbook(desktop.opened));
    EXPECT_EQ(desktop.asked, 0);
    QFile::remove(desktop.opened);

    // No program for workbooks, or one that does not start: the user is
    // asked where to keep it and told where it went; no workbook is left
    // behind in the temporary folder.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    desktop.chosen = folder.filePath(QStringLiteral("Tabelle.xlsx"));
    for (const bool hasApplication : {false, true}) {
        desktop.hasApplication = hasApplication;
        desktop.opens = false;
        desktop.opened.clear();
        AnswerBoxes boxes;
        EXPECT_TRUE(view.exportToSpreadsheet());
        EXPECT_EQ(desktop.opened.isEmpty(), !hasApplication);
        EXPECT_FALSE(!desktop.opened.isEmpty() && QFile::exists(desktop.opened));
        EXPECT_TRUE(IsWorkbook(desktop.chosen));
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.kinds[0], MessageKind::Information);
        EXPECT_TRUE(boxes.texts[0].startsWith(QStringLiteral("Excel konnte nicht gestartet werden!")));
        EXPECT_TRUE(boxes.texts[0].endsWith(QDir::toNativeSeparators(desktop.chosen)));
        QFile::remove(desktop.chosen);
    }
    EXPECT_EQ(desktop.asked, 2);

    // Cancelled, nothing is written and nothing said; a folder that cannot
    // be written is reported.
    desktop.hasApplication = false;
    desktop.chosen.clear();
    EXPECT_FALSE(view.exportToSpreadsheet());
    desktop.chosen = QStringLiteral("/nonexistent-folder/table.xlsx");
    AnswerBoxes boxes;
    EXPECT_FALSE(view.exportToSpreadsheet());
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.kinds[0], MessageKind::Error);
    EXPECT_TRUE(boxes.texts[0].endsWith(QStringLiteral("/nonexistent-folder/table.xlsx")));
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

TEST(TableView, NumberFormatsAndColumnWidthsGoToTheVariablesAndTheCells) {
    Formats().DecimalSeparator = ',';
    auto sims = Abc({1, 2}, {3, 4}, {5, 12345.678});
    sims.front()->Variables[2]->ColumnWidth = 20;  // room for two characters
    TTableView view;
    view.resize(400, 300);
    view.buildTable(sims, false);
    EXPECT_EQ(view.cellText(1, 2), QStringLiteral("1,2E0004"));
    QSignalSpy formatChanged(&view, &TTableView::formatChanged);
    // Every cell on screen is drawn again in the new format, not only those
    // the dialog covered.
    QSignalSpy redrawn(view.model(), &QAbstractItemModel::modelReset);

    // A click on a cell formats its column alone.
    OnNextModalDialog([](QDialog& dialog) {
        dialog.findChild<QCheckBox*>(QStringLiteral("normdarstellung"))->setChecked(true);
        dialog.accept();
    });
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(view.model()->index(0, 1)).center());
    EXPECT_TRUE(sims.front()->Variables[1]->Scientific);
    EXPECT_FALSE(sims.front()->Variables[2]->Scientific);
    EXPECT_EQ(formatChanged.count(), 1);
    EXPECT_GE(redrawn.count(), 1);

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
    EXPECT_EQ(view.cellText(0, 1), QStringLiteral("3,0"));

    // A column dragged wider holds more digits at once; a click on the
    // header that moves no border changes nothing.
    QSignalSpy widthsChanged(&view, &TTableView::columnWidthsChanged);
    view.horizontalHeader()->resizeSection(2, 150);
    QTest::mouseRelease(view.horizontalHeader()->viewport(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(sims.front()->Variables[2]->ColumnWidth, 150);
    EXPECT_EQ(widthsChanged.count(), 1);
    EXPECT_EQ(view.cellText(1, 2), QStringLiteral("12345,7"));
    QTest::mouseRelease(view.horizontalHeader()->viewport(), Qt::LeftButton);
    EXPECT_EQ(widthsChanged.count(), 1);
}

TEST(TableView, ColumnsShowWholeHeadingsAndExponentsOnOneLine) {
    Formats().DecimalSeparator = ',';
    auto sims = Abc({1, 2}, {0.25, 0.5}, {-1250, -2.5e-100});
    tsim& sim = *sims.front();
    sim.Variables[1]->Name = "INFIZIERTE";
    sim.Variables[1]->SimulationName = "SIR-Epidemie";
    sim.Variables[2]->Scientific = true;
    TTableView view;
    view.resize(600, 300);
    view.show();
    view.buildTable(sims, false);
    EXPECT_FALSE(view.wordWrap());
    const QString heading = view.model()->headerData(1, Qt::Horizontal).toString();
    EXPECT_GT(view.columnWidth(1), view.horizontalHeader()->fontMetrics().horizontalAdvance(heading));
    // The long heading widens the column, not the digits of its numbers.
    EXPECT_EQ(view.cellText(0, 1), QStringLiteral("0,2500"));
    EXPECT_EQ(sim.Variables[1]->ColumnChars, sim.Variables[0]->ColumnChars);
    for (int row = 0; row < 2; ++row) {
        const QString cell = view.cellText(row, 2);
        EXPECT_TRUE(cell.contains(QLatin1Char('E'))) << cell.toStdString();
        // Inside the style's text margins, three pixels on either side.
        EXPECT_LE(view.fontMetrics().horizontalAdvance(cell) + 6, view.visualRect(view.model()->index(row, 2)).width())
            << cell.toStdString();
    }
}

}  // namespace
}  // namespace qv
