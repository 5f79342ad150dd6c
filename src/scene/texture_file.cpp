#include "scene/texture_file.h"

#include <QFile>
#include <QImageReader>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/bmp_read.h"
#include "scene/texture.h"

namespace {

// Why a file of this kind is no picture file; empty for a regular file.
std::string kindProblem(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "it is a folder, not a picture file";
    if (S_ISFIFO(mode)) return "it is a pipe, not a picture file";
    if (S_ISSOCK(mode)) return "it is a socket, not a picture file";
    return "it is a device, not a picture file";
}

// The reader's own words, when it has any.
std::string detail(const QImageReader& reader) {
    if (reader.error() == QImageReader::UnknownError) return {};
    return " (" + reader.errorString().toStdString() + ")";
}

TexturePicture refused(std::string problem) { return {QImage(), std::move(problem)}; }

// Reads from a file descriptor at an offset, without moving its position.
platform::BmpReadAt readerOf(int fd) {
    return [fd](std::int64_t offset, std::uint8_t* dst, std::size_t n) {
        while (n > 0) {
            const ssize_t got = ::pread(fd, dst, n, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            dst += got;
            offset += got;
            n -= static_cast<std::size_t>(got);
        }
        return true;
    };
}

TexturePicture unreadable(const std::string& why) { return refused("its picture cannot be read (" + why + ")"); }

// An uncompressed BMP read at width x height by sampling its rows, never whole.
TexturePicture sampledBmp(const platform::BmpReadAt& readAt, const platform::BmpLayout& layout, int width,
                          int height) {
    std::string why;
    const std::vector<std::uint32_t> pixels = platform::sampleBmp(readAt, layout, width, height, why);
    if (pixels.empty()) return unreadable(why);
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return unreadable("out of memory");
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), pixels.data() + static_cast<std::size_t>(y) * width,
                    static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    return {std::move(image), {}};
}

}  // namespace

std::string TextureProblemMessage(const std::string& filename, const std::string& problem) {
    return "The texture " + filename + " cannot be used: " + problem + ".";
}

TexturePicture ReadTexturePicture(const std::string& filename, long maxSide) {
    // The kind is known before opening (opening a device can act on it); what is
    // opened is checked again, without waiting on a pipe swapped in meanwhile.
    struct stat st {};
    if (::stat(filename.c_str(), &st) != 0) return refused(std::strerror(errno));
    if (std::string why = kindProblem(st.st_mode); !why.empty()) return refused(why);
    const int fd = ::open(filename.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return refused(std::strerror(errno));
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refused("it cannot be opened");
    }
    if (::fstat(fd, &st) != 0) return refused(std::strerror(errno));
    if (std::string why = kindProblem(st.st_mode); !why.empty()) return refused(why);
    if (st.st_size == 0) return refused("the file is empty");

    // An uncompressed BMP larger than the texture is sampled row by row; one
    // whose header the file cannot back is refused with the reason.
    const platform::BmpReadAt readAt = readerOf(fd);
    platform::BmpLayout layout;
    std::string why;
    switch (platform::readBmpLayout(readAt, st.st_size, layout, why)) {
        case platform::BmpLayoutResult::Broken: return unreadable(why);
        case platform::BmpLayoutResult::Ok:
            if (layout.width > maxSide || layout.height > maxSide)
                return sampledBmp(readAt, layout, static_cast<int>(TextureSide(layout.width, maxSide)),
                                  static_cast<int>(TextureSide(layout.height, maxSide)));
            break;
        case platform::BmpLayoutResult::Other: break;
    }

    QImageReader reader(&file);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.isEmpty())
        return refused(reader.error() == QImageReader::UnsupportedFormatError
                           ? "it is not a BMP, JPG or GIF picture"
                           : "its picture cannot be read" + detail(reader));
    // JPG decodes at the smaller size directly; a picture that can only be
    // decoded whole stays within Qt's allocation limit or is refused.
    if (size.width() > maxSide || size.height() > maxSide)
        reader.setScaledSize(QSize(static_cast<int>(TextureSide(size.width(), maxSide)),
                                   static_cast<int>(TextureSide(size.height(), maxSide))));
    QImage image = reader.read();
    if (image.isNull())
        return refused("its picture of " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
                       " pixels cannot be read" + detail(reader));
    return {std::move(image), {}};
}
