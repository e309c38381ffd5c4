// The program's file choosers. They are Qt's own dialog rather than the
// desktop's, so that they speak German whatever language the desktop speaks.
#pragma once

#include <QString>

class QWidget;

namespace qv {

enum class FileChoice { Open, Save };

// The chosen file, or an empty text when the user cancelled. To open, the
// file must exist; to save, a name typed without an extension gets
// defaultSuffix before the dialog asks whether an existing file is replaced.
QString ChooseFile(QWidget* parent, FileChoice choice, const QString& caption, const QString& folder,
                   const QString& filter, const QString& defaultSuffix = {});

}  // namespace qv
