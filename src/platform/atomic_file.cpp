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
    const std::filesystem::path target(path);
    std::string tempPath;
    const int fd = createTempBeside(target, tempPath);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);

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
    if (ok && ::rename(tempPath.c_str(), path.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        reason = savedErrno ? std::strerror(savedErrno) : "the file could not be written completely";
    }
    return ok;
}

}  // namespace platform
