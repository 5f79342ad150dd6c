// Cls15 and the textures of the pictures, one per file and context.
#include "scene/texture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QOpenGLContext>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <utility>

#include "platform/msgbox.h"
#include "scene/texture_file.h"

namespace {

ImageScaler& scaler() {
    static ImageScaler s = nullptr;
    return s;
}

int gluScaler(unsigned format, int wIn, int hIn, unsigned typeIn, const void* in, int wOut, int hOut, unsigned typeOut,
              void* out) {
    return gluScaleImage(format, wIn, hIn, typeIn, in, wOut, hOut, typeOut, out);
}

bool isBlank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); });
}

// Largest side of a texture: 256, or less where OpenGL allows less.
constexpr long kMaxTextureSide = 256;

// Whether the name ends in BMP, JPG or GIF (any case).
bool hasPictureName(const std::string& filename) {
    if (filename.size() < 3) return false;
    std::string ending = filename.substr(filename.size() - 3);
    for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ending == "BMP" || ending == "JPG" || ending == "GIF";
}

bool compilingList() {
    GLint list = 0;
    glGetIntegerv(GL_LIST_INDEX, &list);
    return list != 0;
}

// Pixel alignment 1 for reading and writing packed rows, restored afterwards.
class PackedRows {
public:
    PackedRows() {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack_);
        glGetIntegerv(GL_PACK_ALIGNMENT, &pack_);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }
    ~PackedRows() {
        glPixelStorei(GL_UNPACK_ALIGNMENT, unpack_);
        glPixelStorei(GL_PACK_ALIGNMENT, pack_);
    }
    PackedRows(const PackedRows&) = delete;
    PackedRows& operator=(const PackedRows&) = delete;

private:
    GLint unpack_ = 4, pack_ = 4;
};

struct FileStamp {
    qint64 modified = -1, size = -1;
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const std::string& name) {
    const QFileInfo info(QString::fromStdString(name));
    if (!info.exists()) return {};
    return {info.lastModified().toMSecsSinceEpoch(), info.size()};
}

struct Entry {
    GLuint name = 0;  // 0: the file gives no texture
    FileStamp stamp;
    unsigned long used = 0;  // the picture that used it last
};
struct Retired {
    GLuint name;
    unsigned long at;
};
struct Cache {
    std::map<std::string, Entry> files;
    std::vector<Retired> retired;
    unsigned long picture = 1;
};

std::map<QOpenGLContext*, Cache>& caches() {
    static std::map<QOpenGLContext*, Cache> c;
    return c;
}

Cache* currentCache() {
    auto* ctx = QOpenGLContext::currentContext();
    if (!ctx) return nullptr;
    auto [it, added] = caches().try_emplace(ctx);
    // The context frees its textures itself.
    if (added) QObject::connect(ctx, &QOpenGLContext::aboutToBeDestroyed, [ctx] { caches().erase(ctx); });
    return &it->second;
}

// Why a texture file gives no texture, once per file and reason and after the
// drawing: a modal box must not run while the picture is being compiled.
void reportOnce(const std::string& file, const std::string& message) {
    static std::set<std::pair<std::string, std::string>> reported;
    if (!reported.insert({file, message}).second) return;
    auto* app = QCoreApplication::instance();
    if (!app) return;
    QMetaObject::invokeMethod(app, [message] { platform::MsgBox(message); }, Qt::QueuedConnection);
}

long maxTextureSide() {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    return maxSize > 0 ? std::min<long>(kMaxTextureSide, maxSize) : kMaxTextureSide;
}

GLuint upload(long width, long height, const std::vector<std::uint8_t>& rgb) {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    PackedRows packed;  // rows of 1 or 2 pixels are not padded to 4 bytes
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, GL_RGB,
                 GL_UNSIGNED_BYTE, rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    return name;
}

// Uploads the file when it is new or has changed since its upload.
Entry& refresh(Cache& cache, const std::string& file) {
    const FileStamp stamp = stampOf(file);
    auto it = cache.files.find(file);
    if (it != cache.files.end() && it->second.stamp == stamp) {
        it->second.used = cache.picture;
        return it->second;
    }
    if (it != cache.files.end() && it->second.name) cache.retired.push_back({it->second.name, cache.picture});
    Entry fresh{0, stamp, cache.picture};
    if (!hasPictureName(file)) {
        reportOnce(file, TextureProblemMessage(file, "its name does not end in BMP, JPG or GIF"));
        return cache.files[file] = fresh;
    }
    const TexturePicture picture = ReadTexturePicture(file, maxTextureSide());
    if (!picture.problem.empty()) {
        reportOnce(file, TextureProblemMessage(file, picture.problem));
        return cache.files[file] = fresh;
    }
    Cls15 loader;
    std::vector<std::uint8_t> bytes;
    long height = 0, width = 0;
    if (loader.LoadBMP(file, picture.image, bytes, height, width))
        fresh.name = upload(width, height, bytes);
    else if (loader.scaleFailed())
        reportOnce(file, "ValidateTextureSize : gluScaleImage failure");
    return cache.files[file] = fresh;
}

}  // namespace

long TextureSide(long side, long limit) {
    const long target = std::min(side, limit);
    long p = 1;
    while (p < target) p *= 2;
    return p;
}

QImage ReadPicture(const std::string& filename) {
    if (isBlank(filename)) return {};
    return ReadTexturePicture(filename, kMaxTextureSide).image;
}

bool Cls15::ScaleImg(long& ImgWidth, long& ImgHeight, long ImgFormat, long Components,
                     std::vector<std::uint8_t>& Data) {
    if (!QOpenGLContext::currentContext()) return false;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (maxSize <= 0) return false;
    const long limit = Min<long>(kMaxTextureSide, maxSize);
    const long width = TextureSide(ImgWidth, limit), height = TextureSide(ImgHeight, limit);
    if (width == ImgWidth && height == ImgHeight) return true;
    std::vector<std::uint8_t> scaled(static_cast<std::size_t>(width * height * Components));
    int failed = 0;
    {
        PackedRows packed;
        failed = (scaler() ? scaler() : gluScaler)(static_cast<unsigned>(ImgFormat), static_cast<int>(ImgWidth),
                                                   static_cast<int>(ImgHeight), GL_UNSIGNED_BYTE, Data.data(),
                                                   static_cast<int>(width), static_cast<int>(height),
                                                   GL_UNSIGNED_BYTE, scaled.data());
    }
    if (failed != 0) {
        scaleFailed_ = true;
        return false;
    }
    ImgWidth = width;
    ImgHeight = height;
    Data = std::move(scaled);
    return true;
}

bool Cls15::FixPictureRGBA(const QImage& Pic, long& W, long& h, long& Components, long& GLFormat,
                           std::vector<std::uint8_t>& Data) {
    if (Pic.isNull()) return false;
    Components = 3;
    GLFormat = GL_RGB;
    const QImage rgb = Pic.convertToFormat(QImage::Format_RGB888);
    W = rgb.width();
    h = rgb.height();
    const std::size_t row = static_cast<std::size_t>(W) * 3;
    Data.assign(row * static_cast<std::size_t>(h), 0);
    // QImage rows are padded to 4 bytes and run top down: copy each row's
    // pixels, bottom row first.
    for (long i = 0; i < h; ++i) std::memcpy(Data.data() + row * i, rgb.constScanLine(static_cast<int>(h - 1 - i)), row);
    return ScaleImg(W, h, GLFormat, Components, Data);
}

void Cls15::CreateMapImage(const QImage& Pic, std::vector<std::uint8_t>& TextureImg, long& Height, long& Width) {
    long components = 3, format = GL_RGB;
    if (!FixPictureRGBA(Pic, Width, Height, components, format, TextureImg)) TextureImg.clear();
}

bool Cls15::LoadBMP(const std::string& filename, const QImage& Pic, std::vector<std::uint8_t>& Texture1,
                    long& Height, long& Width) {
    if (isBlank(filename) || !hasPictureName(filename)) return false;
    CreateMapImage(Pic, Texture1, Height, Width);
    return !Texture1.empty();
}

bool Cls15::LoadGLTextures(const std::string& filename) {
    Cache* cache = currentCache();
    if (!cache || isBlank(filename)) return false;
    const Entry* entry = nullptr;
    if (!compilingList()) {
        entry = &refresh(*cache, filename);
    } else {
        const auto it = cache->files.find(filename);
        if (it != cache->files.end()) entry = &it->second;
    }
    if (!entry || entry->name == 0) return false;
    texture_ = entry->name;
    glBindTexture(GL_TEXTURE_2D, texture_);
    return true;
}

void PrepareTextures(const std::vector<std::string>& fileNames) {
    Cache* cache = currentCache();
    if (!cache || compilingList()) return;
    ++cache->picture;
    for (const std::string& file : fileNames)
        if (!isBlank(file)) refresh(*cache, file);
    // Lists of the previous picture may still bind what this one dropped.
    const unsigned long keepFrom = cache->picture - 1;
    for (auto it = cache->files.begin(); it != cache->files.end();) {
        if (it->second.used < keepFrom) {
            if (it->second.name) glDeleteTextures(1, &it->second.name);
            it = cache->files.erase(it);
        } else {
            ++it;
        }
    }
    std::erase_if(cache->retired, [&](const Retired& r) {
        if (r.at >= keepFrom) return false;
        glDeleteTextures(1, &r.name);
        return true;
    });
}

std::size_t LiveTextureCount() {
    Cache* cache = currentCache();
    if (!cache) return 0;
    std::size_t n = cache->retired.size();
    for (const auto& [file, entry] : cache->files) n += entry.name != 0;
    return n;
}

void SetImageScaler(ImageScaler s) { scaler() = s; }
