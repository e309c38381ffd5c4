#include "drawing/QtText.h"

#include "util/Cp1252.h"

namespace qv {

QString ToQString(const std::string& cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

std::string FromQString(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QChar ToQChar(uint8_t cp1252) {
    QString s = ToQString(std::string(1, static_cast<char>(cp1252)));
    return s.isEmpty() ? QChar(u'?') : s.front();
}

}  // namespace qv
