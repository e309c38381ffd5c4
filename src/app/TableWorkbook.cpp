#include "app/TableWorkbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <xlsxwriter.h>

#include <map>
#include <memory>

#include "drawing/QtBytes.h"
#include "drawing/QtText.h"
#include "util/NumberFormat.h"
#include "util/WholeFile.h"

namespace qv {

namespace {

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

WorkbookCell CellForText(const std::string& text) {
    WorkbookCell cell;
    const std::string number = Trimmed(text);
    if (number.empty() || !TextToReal(number, cell.Value)) return cell;
    cell.IsNumber = true;
    const std::size_t exponent = number.find_first_of("Ee");
    const std::string mantissa = number.substr(0, exponent);
    const std::size_t separator = mantissa.find(Formats().DecimalSeparator);
    const std::size_t decimals = separator == std::string::npos ? 0 : mantissa.size() - separator - 1;
    cell.NumberFormat = decimals == 0 ? "0" : "0." + std::string(decimals, '0');
    if (exponent != std::string::npos) cell.NumberFormat += "E+00";
    return cell;
}

namespace {

bool WriteWorkbookFile(const TableContent& table, const QString& fileName) {
    const QByteArray path = fileName.toLocal8Bit();
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new(path.constData()));
    if (!workbook) return false;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), nullptr);
    if (!sheet) return false;
    // The workbook owns its formats; one per format code.
    std::map<std::string, lxw_format*> formats;
    auto formatFor = [&](const std::string& code) {
        lxw_format*& format = formats[code];
        if (!format) {
            format = workbook_add_format(workbook.get());
            if (format) format_set_num_format(format, code.c_str());
        }
        return format;
    };
    bool written = true;
    for (std::size_t c = 0; c < table.Columns.size(); ++c) {
        const TableColumn& column = table.Columns[c];
        const auto col = static_cast<lxw_col_t>(c);
        if (column.Variable) worksheet_set_column(sheet, col, col, column.Variable->ColumnChars + 1, nullptr);
        written &= worksheet_write_string(sheet, 0, col, ToQString(column.Header).toUtf8().constData(), nullptr) ==
                   LXW_NO_ERROR;
        for (std::size_t r = 0; r < column.CellCount; ++r) {
            const auto row = static_cast<lxw_row_t>(r + 1);
            const std::string text = column.Cell(r);
            const WorkbookCell cell = CellForText(text);
            written &= (cell.IsNumber ? worksheet_write_number(sheet, row, col, cell.Value, formatFor(cell.NumberFormat))
                                      : worksheet_write_string(sheet, row, col,
                                                               ToQString(text).toUtf8().constData(), nullptr)) ==
                       LXW_NO_ERROR;
        }
    }
    return workbook_close(workbook.release()) == LXW_NO_ERROR && written;
}

}  // namespace

bool WriteWorkbook(const TableContent& table, const QString& fileName, std::string* error) {
    // The library writes its file itself, under the name it is given; it is
    // made in a folder of our own and only then saved like every other file.
    std::string failure = "Die Datei " + FromQString(fileName) + " kann nicht geschrieben werden.";
    QTemporaryDir folder;
    QFile draft(folder.filePath(QStringLiteral("Tabelle.xlsx")));
    bool saved = folder.isValid() && WriteWorkbookFile(table, draft.fileName()) && draft.open(QIODevice::ReadOnly);
    if (saved) {
        const QByteArray bytes = draft.readAll();
        saved = WriteFileSafely(fileName.toStdString(), ByteSpan(bytes), failure);
    }
    if (!saved && error) *error = failure;
    return saved;
}

}  // namespace qv
