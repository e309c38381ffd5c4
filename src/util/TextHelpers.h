// Small text and path helpers and the two folders fixed at start-up.
//
// Paths use the platform separator "/". Paths written on Windows ("C:\Daten\")
// still reach the program through old documents; a path whose second
// character is ":" counts as such a drive path, uses "\" (or "/") as its
// separator and keeps the old rule that its root "C:\" keeps the separator.
#pragma once

#include <string>

namespace qv {

inline constexpr char PathSeparator = '/';

// The part of a line between the N-th and the (N+1)-th "//"; N = 0 is
// everything before the first "//". Empty when the line has fewer fields.
std::string CommentField(const std::string& Text, int N);

// Removes leading and trailing spaces (code 32 only, not tabs).
std::string TrimBlanks(const std::string& Text);

// Appends the separator unless the path is empty or already ends with one.
std::string WithBackslash(const std::string& Path);

// Removes one trailing separator, except from a root: "/" and, for drive
// paths, anything of at most 3 characters ("C:\").
std::string WithoutBackslash(const std::string& Path);

// Deletes a file (not a folder); every failure is ignored.
void DeleteFileQuietly(const std::string& Name) noexcept;

// File-system names as the operating system gives them (UTF-8 on Linux), not
// Windows-1252 record text.
struct Folders {
    std::string ProgramFolder;  // with a trailing separator, set at start-up
    std::string UserFolder;     // set at start-up by FindUserFolder
};

Folders& AppFolders();

// A folder of data shipped with the program ("help", "ani"): beside the
// program, in the installed layout (bin/../share/quorvel/NAME) or, for a
// program run from its build folder, up to three levels above it. The first
// that exists, with a trailing "/"; ProgramFolder + NAME + "/" when none does.
std::string FindDataFolder(const std::string& name);
// A data file shipped with the program ("Praedkt.txt"), looked for in the same
// places; ProgramFolder + NAME when it is in none of them.
std::string FindDataFile(const std::string& name);

// Sets AppFolders().UserFolder, the starting folder of file dialogs: the
// user's profile folder ("USERPROFILE" on Windows; on Linux that variable is
// normally unset and the profile folder is "HOME"), when it names an existing
// folder; otherwise the current folder; when that fails too, ProgramFolder.
// Never throws.
void FindUserFolder() noexcept;

}  // namespace qv
