// The boundary between the program's Windows-1252 text (as every record
// keeps it) and Qt's Unicode strings.
#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <string>

namespace qv {

QString ToQString(const std::string& cp1252);
// A character that Windows-1252 cannot hold becomes "?".
std::string FromQString(const QString& text);
// One Windows-1252 byte as the Unicode character it stands for.
QChar ToQChar(uint8_t cp1252);

}  // namespace qv
