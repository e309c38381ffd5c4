// The table as a spreadsheet workbook: one sheet whose first row holds the
// headers and whose cells hold what the table shows.
#pragma once

#include <QString>

#include <string>

#include "document/QVTable.h"

namespace qv {

// How one cell text goes into the workbook. A text that reads as a number in
// the user's format becomes that number, shown with as many decimals as the
// table shows (so the spreadsheet can compute with it, as it does with
// numbers typed into it); anything else stays text.
struct WorkbookCell {
    bool IsNumber = false;
    double Value = 0;
    std::string NumberFormat;  // spreadsheet format code, "." as separator
};

WorkbookCell CellForText(const std::string& text);

// False when the file cannot be written; error, when given, then receives
// the reason (Windows-1252). Written through WriteFileSafely.
bool WriteWorkbook(const TableContent& table, const QString& fileName, std::string* error = nullptr);

}  // namespace qv
