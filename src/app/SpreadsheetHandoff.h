// Where an exported table goes: into the desktop's spreadsheet program, or,
// when the desktop has none for workbooks or it cannot be started, into a
// file the user chooses. Each step can be replaced (the window tests do).
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace qv {

struct SpreadsheetHandoff {
    // Whether the desktop names a program for .xlsx workbooks.
    std::function<bool()> HasApplication;
    // Opens a written workbook; false when nothing opens it.
    std::function<bool(const QString& fileName)> Open;
    // Asks where the workbook is to be kept; empty when the user cancelled.
    std::function<QString(QWidget* parent)> ChooseFile;
};

// The desktop's own: `xdg-mime query default` for the workbook type, the
// desktop's opener, and a save dialog starting in the user's folder.
SpreadsheetHandoff DesktopSpreadsheetHandoff();

}  // namespace qv
