#include "scene/bmp_writer.h"

#include <GL/gl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

constexpr std::int64_t kHeaderBytes = 54;

void putU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void putU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    putU16(out, at, v & 0xFFFF);
    putU16(out, at + 2, v >> 16);
}

bool sizeInRange(long width, long height) {
    return width >= 1 && height >= 1 && width <= kMaxBitmapSide && height <= kMaxBitmapSide;
}

void setError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

// Creates a new, empty file beside target with the usual permissions (umask
// applies), or -1.
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

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::int64_t bmpRowLength(std::int64_t width) {
    const std::int64_t bytes = 3 * width;
    return bytes % 4 == 0 ? bytes : bytes + (4 - bytes % 4);
}

std::vector<std::uint8_t> readViewportRGB(int width, int height) {
    if (!sizeInRange(width, height)) return {};
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(bmpRowLength(width) * height), 0);
    while (glGetError() != GL_NO_ERROR) {
    }
    // The default pack state gives rows padded to 4 bytes; another module may
    // have changed it, so set it for this read and put it back after.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_PACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_PACK_LSB_FIRST, GL_FALSE);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    glPopClientAttrib();
    if (glGetError() != GL_NO_ERROR) return {};
    return rows;
}

std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<std::uint8_t>& rgbRows) {
    if (!sizeInRange(width, height)) return {};
    const std::int64_t rowLength = bmpRowLength(width);
    const std::int64_t imageSize = rowLength * height;
    if (static_cast<std::int64_t>(rgbRows.size()) != imageSize) return {};

    std::vector<std::uint8_t> out(static_cast<std::size_t>(kHeaderBytes + imageSize), 0);
    out[0] = 'B';
    out[1] = 'M';
    putU32(out, 2, static_cast<std::uint32_t>(kHeaderBytes + imageSize));
    putU32(out, 10, static_cast<std::uint32_t>(kHeaderBytes));
    putU32(out, 14, 40);
    putU32(out, 18, static_cast<std::uint32_t>(width));
    putU32(out, 22, static_cast<std::uint32_t>(height));  // positive: bottom row first
    putU16(out, 26, 1);
    putU16(out, 28, 24);
    putU32(out, 34, static_cast<std::uint32_t>(imageSize));
    // Compression, resolution and colour counts stay 0.

    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* src = rgbRows.data() + y * rowLength;
        std::uint8_t* dst = out.data() + kHeaderBytes + y * rowLength;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
        // Fill bytes at the row end stay 0 whatever the source held.
    }
    return out;
}

bool writeFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* error) {
    if (path.empty()) {
        setError(error, "no file name");
        return false;
    }
    const std::filesystem::path target(path);
    std::string tempPath;
    const int fd = createTempBeside(target, tempPath);
    if (fd < 0) {
        setError(error, std::strerror(errno));
        return false;
    }
    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);

    bool ok = writeAll(fd, bytes);
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
        setError(error, savedErrno ? std::strerror(savedErrno) : "the file could not be written completely");
    }
    return ok;
}

bool SaveViewportBitmap(const std::string& fileName, long lastColumn, long height, std::string* error) {
    if (lastColumn < 0 || lastColumn >= kMaxBitmapSide || !sizeInRange(lastColumn + 1, height)) {
        setError(error, "the picture size is out of range");
        return false;
    }
    const long width = lastColumn + 1;
    const auto rows = readViewportRGB(static_cast<int>(width), static_cast<int>(height));
    if (rows.empty()) {
        setError(error, "the picture could not be read");
        return false;
    }
    return writeFileReplacing(fileName, encodeBmp24(static_cast<int>(width), static_cast<int>(height), rows), error);
}
