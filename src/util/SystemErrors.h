// The operating system's error numbers in the program's own language, for
// messages such as "Die Datei … kann nicht geschrieben werden: …". The C
// library's texts are English (or whatever locale the process has), and a
// message half German, half English reads as a fault of its own.
#pragma once

#include <string>

namespace qv {

// A short German sentence without a final full stop, in Windows-1252.
// Numbers without a text of their own give "Systemfehler N".
std::string SystemErrorText(int errorNumber);

}  // namespace qv
