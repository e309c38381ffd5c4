// Windows that later work fills in (verbal and graphical model editors,
// formula input, special characters, rotation, printing, text and picture
// commands): until then a small dialog says that they are not available.
#pragma once

#include <QString>

class QWidget;

namespace qv {

// Opens a modal dialog captioned title saying that what it names is not
// available yet.
void ShowNotAvailable(QWidget* parent, const QString& title);

}  // namespace qv
