#include "util/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "util/Cp1252.h"
#include "util/SystemErrors.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr int MaxLinkHops = 40;

std::string Named(const std::string& fileName) { return "Die Datei " + Utf8ToCp1252(fileName); }

std::string CannotWrite(const std::string& fileName, int errorNumber) {
    return Named(fileName) + " kann nicht geschrieben werden: " + SystemErrorText(errorNumber) + ".";
}

std::string CannotRead(const std::string& fileName, int errorNumber) {
    return Named(fileName) + " kann nicht gelesen werden: " + SystemErrorText(errorNumber) + ".";
}

// The file a chain of symbolic links ends at (the name itself when it is no
// link, or the last link's target when that does not exist yet); an error
// number on failure.
int FollowLinks(fs::path& path) {
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(status.st_mode)) return 0;
        std::error_code failure;
        const fs::path target = fs::read_symlink(path, failure);
        if (failure) return failure.value();
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return ELOOP;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A temporary file of our own beside the target; removed again unless it was
// renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& target) {
        // Leading dot: file managers do not show it while it is being written.
        // The name is cut so that the six random letters still fit a name.
        std::string pattern =
            (target.parent_path() / ("." + target.filename().string().substr(0, 200) + ".XXXXXX")).string();
        descriptor_ = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (descriptor_ >= 0) path_ = pattern;
    }
    ~TemporaryFile() {
        close();
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int descriptor() const { return descriptor_; }
    const std::string& path() const { return path_; }
    // Closes the file; an error number when the last writes failed.
    int close() {
        if (descriptor_ < 0) return 0;
        const int result = ::close(descriptor_);
        descriptor_ = -1;
        return result == 0 ? 0 : errno;
    }
    void renamed() { path_.clear(); }

private:
    int descriptor_ = -1;
    std::string path_;
};

int WriteAll(int descriptor, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

// The earlier file's owner, group and mode go to the new one. A user may not
// give a file away, but may keep its group if he belongs to it; both
// failures leave the new file his own, which is all he can do.
void TakeOverAttributes(int descriptor, const struct stat* earlier) {
    if (!earlier) {
        ::fchmod(descriptor, 0666 & ~CurrentUmask());
        return;
    }
    if (::fchown(descriptor, earlier->st_uid, earlier->st_gid) != 0)
        (void)!::fchown(descriptor, static_cast<uid_t>(-1), earlier->st_gid);
    ::fchmod(descriptor, earlier->st_mode & 07777);
}

// The rename is only durable once the folder's entry is on the disk too.
void SyncFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

}  // namespace

bool WriteFileSafely(const std::string& fileName, std::span<const uint8_t> bytes, std::string& error) {
    fs::path target(fileName);
    if (const int failure = FollowLinks(target)) {
        error = CannotWrite(fileName, failure);
        return false;
    }
    if (target.parent_path().empty()) target = fs::path(".") / target;

    struct stat earlier {};
    const bool exists = ::stat(target.c_str(), &earlier) == 0;
    if (exists) {
        if (S_ISDIR(earlier.st_mode)) {
            error = CannotWrite(fileName, EISDIR);
            return false;
        }
        if (!S_ISREG(earlier.st_mode)) {
            error = Named(fileName) + " ist keine gew\xF6hnliche Datei.";
            return false;
        }
        const bool writable = ::access(target.c_str(), W_OK) == 0;
        const int accessError = errno;
        if (!writable && accessError != EACCES) {
            error = CannotWrite(fileName, accessError);
            return false;
        }
        if (!writable || (earlier.st_mode & 0222) == 0) {
            error = Named(fileName) + " ist schreibgesch\xFCtzt.";
            return false;
        }
    }

    TemporaryFile temporary(target);
    int failure = temporary.descriptor() < 0 ? errno : 0;
    if (!failure) failure = WriteAll(temporary.descriptor(), bytes);
    if (!failure) {
        TakeOverAttributes(temporary.descriptor(), exists ? &earlier : nullptr);
        if (::fsync(temporary.descriptor()) != 0) failure = errno;
    }
    if (const int closing = temporary.close(); !failure) failure = closing;
    if (!failure && ::rename(temporary.path().c_str(), target.c_str()) != 0) failure = errno;
    if (failure) {
        error = CannotWrite(fileName, failure);
        return false;
    }
    temporary.renamed();
    SyncFolder(target.parent_path());
    return true;
}

std::optional<std::vector<uint8_t>> ReadFileBounded(const std::string& fileName, std::size_t maxMegabytes,
                                                     std::string& error) {
    const std::size_t maxBytes = maxMegabytes << 20;
    const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        error = CannotRead(fileName, errno);
        return std::nullopt;
    }
    struct Closer {
        int descriptor;
        ~Closer() { ::close(descriptor); }
    } closer{descriptor};
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        error = CannotRead(fileName, EISDIR);
        return std::nullopt;
    }
    const std::string tooLarge =
        Named(fileName) + " ist zu gro\xDF: erlaubt sind h\xF6" "chstens " + std::to_string(maxMegabytes) + " MB.";
    if (S_ISREG(status.st_mode) && static_cast<std::size_t>(status.st_size) > maxBytes) {
        error = tooLarge;
        return std::nullopt;
    }
    // Devices and pipes tell no size: read until the end or one byte past the bound.
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor, chunk, sizeof chunk);
        if (count < 0) {
            if (errno == EINTR) continue;
            error = CannotRead(fileName, errno);
            return std::nullopt;
        }
        if (count == 0) return bytes;
        if (bytes.size() + static_cast<std::size_t>(count) > maxBytes) {
            error = tooLarge;
            return std::nullopt;
        }
        bytes.insert(bytes.end(), chunk, chunk + count);
    }
}

}  // namespace qv
