// The font commands' dialog: Qt's font dialog on a name, a size in points
// and the style bits (1 bold, 2 italic, 4 underlined), replaceable by tests
// as the message boxes are.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace qv {

struct FontChoice {
    std::string Name;  // Windows-1252
    int Size = 12;     // points
    uint8_t Style = 0;
};

// Nothing when the user cancelled.
std::optional<FontChoice> ChooseFont(QWidget* parent, const QString& title, const FontChoice& current);

using FontHandler = std::function<std::optional<FontChoice>(const QString& title, const FontChoice& current)>;
void SetFontHandler(FontHandler handler);

}  // namespace qv
