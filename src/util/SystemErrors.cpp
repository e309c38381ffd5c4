#include "util/SystemErrors.h"

#include <cerrno>

namespace qv {

std::string SystemErrorText(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
            return "Die Datei oder der Ordner existiert nicht";
        case EACCES:
        case EPERM:
            return "Zugriff verweigert";
        case EISDIR:
            return "Das ist ein Ordner";
        case ENOTDIR:
            return "Ein Teil des Pfades ist kein Ordner";
        case ENOSPC:
            return "Auf dem Datentr\xE4ger ist kein Platz mehr frei";
        case EDQUOT:
            return "Der zugeteilte Speicherplatz ist ersch\xF6pft";
        case EFBIG:
            return "Die Datei w\xE4re zu gro\xDF";
        case EROFS:
            return "Der Datentr\xE4ger ist schreibgesch\xFCtzt";
        case EIO:
            return "Ein-/Ausgabefehler des Datentr\xE4gers";
        case ENAMETOOLONG:
            return "Der Name ist zu lang";
        case ELOOP:
            return "Zu viele symbolische Verkn\xFCpfungen";
        case EMFILE:
        case ENFILE:
            return "Zu viele ge\xF6" "ffnete Dateien";
        case ENOMEM:
            return "Nicht gen\xFCgend Speicher";
        case EBUSY:
        case ETXTBSY:
            return "Die Datei wird gerade benutzt";
        case EXDEV:
            return "Die Datei liegt auf einem anderen Datentr\xE4ger";
        case EINVAL:
            return "Ung\xFCltiger Name oder Zugriff";
        default:
            return "Systemfehler " + std::to_string(errorNumber);
    }
}

}  // namespace qv
