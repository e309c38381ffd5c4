#include "util/TextHelpers.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace qv {

namespace {

bool IsDrivePath(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

bool EndsWithSeparator(const std::string& path) {
    if (path.empty()) return false;
    char last = path.back();
    return last == PathSeparator || (IsDrivePath(path) && last == '\\');
}

bool IsExistingFolder(const char* name) {
    std::error_code error;
    return name != nullptr && *name != '\0' && std::filesystem::is_directory(name, error);
}

}  // namespace

std::string CommentField(const std::string& Text, int N) {
    if (N < 0) return {};
    std::size_t start = 0;
    for (int i = 0; i < N; ++i) {
        std::size_t mark = Text.find("//", start);
        if (mark == std::string::npos) return {};
        start = mark + 2;
    }
    std::size_t end = Text.find("//", start);
    return Text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string TrimBlanks(const std::string& Text) {
    std::size_t first = Text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return Text.substr(first, Text.find_last_not_of(' ') - first + 1);
}

std::string WithBackslash(const std::string& Path) {
    if (Path.empty() || EndsWithSeparator(Path)) return Path;
    return Path + (IsDrivePath(Path) ? '\\' : PathSeparator);
}

std::string WithoutBackslash(const std::string& Path) {
    const std::size_t rootLength = IsDrivePath(Path) ? 3 : 1;
    if (Path.size() <= rootLength || !EndsWithSeparator(Path)) return Path;
    return Path.substr(0, Path.size() - 1);
}

void DeleteFileQuietly(const std::string& Name) noexcept {
    std::error_code error;
    if (!std::filesystem::is_directory(Name, error)) std::filesystem::remove(Name, error);
}

Folders& AppFolders() {
    static Folders folders;
    return folders;
}

namespace {

// The first place where something shipped with the program exists, or the
// program's own folder when it is nowhere.
std::string FindShipped(const std::string& name, bool isFolder) {
    const std::string program = WithBackslash(AppFolders().ProgramFolder);
    for (const char* above : {"", "../share/quorvel/", "../", "../../", "../../../"}) {
        const std::string path = program + above + name;
        std::error_code error;
        if (isFolder ? std::filesystem::is_directory(path, error) : std::filesystem::is_regular_file(path, error))
            return std::filesystem::path(path).lexically_normal().string();
    }
    return program + name;
}

}  // namespace

std::string FindDataFolder(const std::string& name) { return FindShipped(name, true) + "/"; }

std::string FindDataFile(const std::string& name) { return FindShipped(name, false); }

void FindUserFolder() noexcept {
    Folders& folders = AppFolders();
    try {
        for (const char* variable : {"USERPROFILE", "HOME"}) {
            const char* value = std::getenv(variable);
            if (IsExistingFolder(value)) {
                folders.UserFolder = value;
                return;
            }
        }
        std::error_code error;
        auto current = std::filesystem::current_path(error);
        if (!error) {
            folders.UserFolder = current.string();
            return;
        }
        folders.UserFolder = folders.ProgramFolder;
    } catch (...) {
        // Out of memory while copying a name: the program's folder still serves.
        folders.UserFolder = folders.ProgramFolder;
    }
}

}  // namespace qv
