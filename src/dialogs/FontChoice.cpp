#include "dialogs/FontChoice.h"

#include <QFontDialog>

#include <cmath>

#include "util/Cp1252.h"

namespace qv {

namespace {

FontHandler& Handler() {
    static FontHandler handler;
    return handler;
}

QString FromCp1252(const std::string& text) { return QString::fromStdString(Cp1252ToUtf8(text)); }

}  // namespace

void SetFontHandler(FontHandler handler) { Handler() = std::move(handler); }

std::optional<FontChoice> ChooseFont(QWidget* parent, const QString& title, const FontChoice& current) {
    if (Handler()) return Handler()(title, current);
    QFont font(FromCp1252(current.Name));
    font.setPointSize(std::max(1, current.Size));
    font.setBold(current.Style & 1);
    font.setItalic(current.Style & 2);
    font.setUnderline(current.Style & 4);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent, title);
    if (!ok) return std::nullopt;
    FontChoice choice;
    choice.Name = Utf8ToCp1252(chosen.family().toStdString());
    choice.Size = chosen.pointSize() > 0 ? chosen.pointSize() : static_cast<int>(std::lround(chosen.pointSizeF()));
    choice.Style = static_cast<uint8_t>((chosen.bold() ? 1 : 0) | (chosen.italic() ? 2 : 0) | (chosen.underline() ? 4 : 0));
    return choice;
}

}  // namespace qv
