// Qt's own texts (buttons of standard dialogs, the file dialog's side bar,
// tool tips and columns, the text fields' context menus) in German.
#pragma once

class QCoreApplication;

namespace qv {

// Loads Qt's German translation for the application's whole run; false when
// it is not installed, and Qt's texts stay English.
bool InstallQtGermanTexts(QCoreApplication& app);

}  // namespace qv
