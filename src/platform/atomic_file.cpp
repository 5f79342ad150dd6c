#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/save_temporary.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

// Creates a new, empty file with the usual permissions (umask applies), or -1.
// O_EXCL: never opens a file someone else made.
int createNamedTemp(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = TemporaryNameFor(target);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A file in the target's folder that has no name yet, or -1 where the system
// or the file system has none.
int createUnnamedTemp(const std::string& target) {
#ifdef O_TMPFILE
    return ::open(TemporaryFolderFor(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)target;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

// Gives the unnamed file a unique temporary name beside the target.
bool nameUnnamed(int fd, const std::string& target, std::string& tempPath) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = TemporaryNameFor(target);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempPath.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        // Without /proc, the direct way (which may need more privileges).
        if (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, tempPath.c_str(), AT_EMPTY_PATH) == 0) return true;
        if (errno != EEXIST) break;
    }
    tempPath.clear();
    return false;
}

// The file a path finally names: symbolic links are followed (a relative one
// from its own folder), so a save through a link replaces the link's target
// and keeps the link. A link to nothing gives the path the file is to have.
// Gives 0, or the system's error: ELOOP for a loop of links (or a longer chain
// than the system itself follows), which is refused rather than replacing a
// link of the loop by a file.
int followLinks(fs::path& p) {
    constexpr int kMaxLinks = 40;  // as many as the system follows in one path
    for (int links = 0;; ++links) {
        struct stat st {};
        // A path that cannot be looked at is left to the steps after, which say why.
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
        if (links == kMaxLinks) return ELOOP;
        std::error_code ec;
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) return ec.value();
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
}

// Flushes the folder so the renamed entry is on the disk too. Some file
// systems cannot flush a folder; the data are in place all the same.
void syncFolder(const std::string& file) {
    const int fd = ::open(TemporaryFolderFor(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool IsReadOnlyFile(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
    if ((st.st_mode & 0222) == 0) return true;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && (errno == EACCES || errno == EROFS);
}

AtomicFileWriter::AtomicFileWriter(const std::string& path, Temporary temporary) {
    if (path.empty()) {
        reason_ = "no file name";
        return;
    }
    fs::path target = path;
    if (const int error = followLinks(target); error != 0) {
        reason_ = std::strerror(error);
        return;
    }
    target_ = target.string();
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {  // a folder on the way that is no folder, closed to us or a loop
        reason_ = std::strerror(errno);
        return;
    }
    // A pipe, device or folder is never replaced by a file; a file the user
    // may not write is not replaced either, though the folder would allow it.
    if (exists && !S_ISREG(old.st_mode)) {
        reason_ = "it is not a regular file";
        return;
    }
    if (exists && IsReadOnlyFile(target_)) {
        reason_ = "it is read-only";
        return;
    }
    RemoveAbandonedTemporaries(target_);
    if (temporary == Temporary::Unnamed) fd_ = createUnnamedTemp(target_);
    if (fd_ < 0) fd_ = createNamedTemp(target_, tempPath_);
    if (fd_ < 0) {
        reason_ = std::strerror(errno);
        return;
    }
    // A replaced file keeps its permissions, and its group where we may set
    // it (only the superuser may give a file to another owner).
    if (exists) {
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0) (void)!::fchown(fd_, static_cast<uid_t>(-1), old.st_gid);
        ::fchmod(fd_, old.st_mode & 07777);
    }
}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

void AtomicFileWriter::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

bool AtomicFileWriter::fail(int error) {
    if (reason_.empty()) reason_ = error ? std::strerror(error) : "the file could not be written completely";
    discard();
    return false;
}

bool AtomicFileWriter::Write(std::string_view data) {
    if (!Ok()) return false;
    while (!data.empty()) {
        const ssize_t n = ::write(fd_, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail(n == 0 ? EIO : errno);
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (!Ok()) return false;
    if (::fsync(fd_) != 0) return fail(errno);
    if (tempPath_.empty() && !nameUnnamed(fd_, target_, tempPath_)) return fail(errno);
    if (::close(fd_) != 0) {
        fd_ = -1;
        return fail(errno);
    }
    fd_ = -1;
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) return fail(errno);
    tempPath_.clear();
    syncFolder(target_);
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& reason) {
    AtomicFileWriter file(path);
    if (file.Write(data) && file.Commit()) return true;
    reason = file.Reason();
    return false;
}

}  // namespace platform
