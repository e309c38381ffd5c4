// The table as a spreadsheet workbook: one sheet whose first row holds the
// headers and whose cells hold the texts the table shows.
#pragma once

#include <QString>

#include "document/QVTable.h"

namespace qv {

// False when the file cannot be written.
bool WriteWorkbook(const TableContent& table, const QString& fileName);

}  // namespace qv
