// Conversion between the program's 8-bit text (Windows-1252, as stored in
// every record) and UTF-8, for the command line and files from other tools.
#pragma once

#include <string>

namespace qv {

std::string Cp1252ToUtf8(const std::string& text);
// A character that Windows-1252 cannot hold becomes "?"; so does a byte
// sequence that is not valid UTF-8.
std::string Utf8ToCp1252(const std::string& text);

}  // namespace qv
