#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

// Creates a new, empty file beside target with the usual permissions (umask
// applies), or -1. O_EXCL: never opens a file someone else made.
int createTempBeside(const std::filesystem::path& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path dir = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                                 std::to_string(counter++) + ".tmp";
        tempPath = (dir / name).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The file a path finally names: symbolic links are followed (a relative one
// from its own folder), so a save through a link replaces the link's target
// and keeps the link. A link to nothing gives the path the file is to have.
std::filesystem::path followLinks(std::filesystem::path p) {
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(p, ec))) return p;
        const std::filesystem::path to = std::filesystem::read_symlink(p, ec);
        if (ec) return p;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;  // a loop of links: the rename fails with a clear reason
}

// Flushes the folder so the renamed entry is on the disk too. Some file
// systems cannot flush a folder; the data are in place all the same.
void syncFolder(const std::filesystem::path& file) {
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool writeAll(int fd, std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& reason) {
    if (path.empty()) {
        reason = "no file name";
        return false;
    }
    const std::filesystem::path target = followLinks(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A pipe, device or folder is never replaced by a file.
    if (exists && !S_ISREG(old.st_mode)) {
        reason = "it is not a regular file";
        return false;
    }
    std::string tempPath;
    const int fd = createTempBeside(target, tempPath);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    // A replaced file keeps its permissions, and its group where we may set
    // it (only the superuser may give a file to another owner).
    if (exists) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)!::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    }

    bool ok = writeAll(fd, data);
    int savedErrno = errno;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (ok) syncFolder(target);
    if (!ok) {
        ::unlink(tempPath.c_str());
        reason = savedErrno ? std::strerror(savedErrno) : "the file could not be written completely";
    }
    return ok;
}

}  // namespace platform
