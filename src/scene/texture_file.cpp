#include "scene/texture_file.h"

#include <QFile>
#include <QImageReader>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
