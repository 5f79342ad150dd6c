// Cls15: picture files to textures. Sizes, rows copied without skew, files
// recognised by content but accepted by name, failures that leave the
// surface untextured and say why once, large pictures read scaled down, a
// pipe that never blocks, and one texture per file however often the picture
// is redrawn.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/msgbox.h"
#include "scene/texture.h"
#include "scene/texture_file.h"
#include "support/gl_offscreen.h"

namespace {

using testsupport::OffscreenGL;

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.valid());
        ASSERT_TRUE(dir.isValid());
    }
    std::string save(const QImage& img, const QString& name, const char* format) {
        const QString path = dir.path() + "/" + name;
        EXPECT_TRUE(img.save(path, format));
        return path.toStdString();
    }
    static QImage filled(int w, int h, QColor c) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(c);
        return img;
    }
    // The bound texture's pixels, RGB rows packed, bottom row first.
    static std::vector<std::uint8_t> boundTexture(int& w, int& h) {
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        std::vector<std::uint8_t> px(static_cast<std::size_t>(w * h * 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, px.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        return px;
    }
    OffscreenGL gl{64, 64};
    QTemporaryDir dir;
    platform::MsgRecorder boxes;
};

TEST(TextureSides, SmallestPowerOfTwoUpToTheLimit) {
    struct Case {
        long side, limit, want;
    };
    for (const Case c : {Case{100, 256, 128}, {60, 256, 64}, {512, 256, 256}, {300, 256, 256}, {64, 256, 64},
                         {1, 256, 1}, {3, 256, 4}, {200, 128, 128}})
        EXPECT_EQ(TextureSide(c.side, c.limit), c.want) << c.side;
}

TEST_F(TextureTest, PicturesScaleToPowersOfTwo) {
    struct Case {
        int w, h;
        long W, H;
    };
    for (const Case c : {Case{100, 60, 128, 64}, {512, 512, 256, 256}, {64, 32, 64, 32}}) {
        Cls15 t;
        long W = 0, H = 0, components = 0, format = 0;
        std::vector<std::uint8_t> data;
        ASSERT_TRUE(t.FixPictureRGBA(filled(c.w, c.h, Qt::red), W, H, components, format, data));
        EXPECT_EQ(W, c.W);
        EXPECT_EQ(H, c.H);
        EXPECT_EQ(components, 3);
        EXPECT_EQ(format, GL_RGB);
        ASSERT_EQ(data.size(), static_cast<std::size_t>(c.W * c.H * 3));
        EXPECT_EQ(data[0], 255);
        EXPECT_EQ(data[1], 0);
        EXPECT_EQ(data[data.size() - 1], 0);  // still red at the far end
    }
}

TEST_F(TextureTest, NarrowPicturesAreCopiedRowByRowWithoutSkew) {
    // 3 pixels wide (rows of 9 bytes, padded to 12 in the picture): scaled to 4,
    // the end pixels of each row keep (nearly) their colours, bottom row first.
    QImage img(3, 2, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(255, 0, 0)), img.setPixel(1, 0, qRgb(0, 255, 0)), img.setPixel(2, 0, qRgb(0, 0, 255));
    img.setPixel(0, 1, qRgb(255, 255, 0)), img.setPixel(1, 1, qRgb(9, 9, 9)), img.setPixel(2, 1, qRgb(0, 0, 128));
    Cls15 t;
    long W = 0, H = 0, components = 0, format = 0;
    std::vector<std::uint8_t> d;
    ASSERT_TRUE(t.FixPictureRGBA(img, W, H, components, format, d));
    ASSERT_EQ(W, 4);
    ASSERT_EQ(H, 2);
    auto expectPixel = [&](int row, int col, int r, int g, int b) {
        const std::uint8_t* p = d.data() + (row * 4 + col) * 3;
        EXPECT_NEAR(p[0], r, 40) << row << "," << col;
        EXPECT_NEAR(p[1], g, 40) << row << "," << col;
        EXPECT_NEAR(p[2], b, 40) << row << "," << col;
    };
    expectPixel(0, 0, 255, 255, 0);  // bottom row first
    expectPixel(0, 3, 0, 0, 128);
    expectPixel(1, 0, 255, 0, 0);
    expectPixel(1, 3, 0, 0, 255);

    // One pixel wide needs no scaling: its rows of 3 bytes upload unpadded.
    QImage column(1, 4, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(10, 20, 30), qRgb(40, 50, 60), qRgb(70, 80, 90), qRgb(100, 110, 120)};
    for (int y = 0; y < 4; ++y) column.setPixel(0, y, colours[y]);
    const std::string file = save(column, "column.bmp", "BMP");
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    ASSERT_TRUE(Cls15().LoadGLTextures(file));
    int w = 0, h = 0;
    const auto tex = boundTexture(w, h);
    ASSERT_EQ(w, 1);
    ASSERT_EQ(h, 4);
    for (int row = 0; row < 4; ++row) {
        const QRgb c = colours[3 - row];
        EXPECT_EQ(tex[row * 3], qRed(c)) << row;
        EXPECT_EQ(tex[row * 3 + 2], qBlue(c)) << row;
    }
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
}

TEST_F(TextureTest, FilesByContentButAcceptedByName) {
    const QImage img = filled(8, 8, Qt::blue);
    struct Case {
        std::string file;
        bool textured;
    };
    const Case cases[] = {
        {save(img, "x.JPG", "BMP"), true},     // a BMP named .JPG: read by its content
        {save(img, "y.gif", "BMP"), true},
        {save(img, "z.bmp", "BMP"), true},
        {save(img, "p.png", "PNG"), false},    // a picture, but not a BMP, JPG or GIF name
        {save(img, "q.jpeg", "JPG"), false},   // the last three letters are "PEG"
        {"", false},
        {" ", false},
        {(dir.path() + "/missing.bmp").toStdString(), false},
    };
    for (const Case& c : cases) EXPECT_EQ(Cls15().LoadGLTextures(c.file), c.textured) << c.file;
    // A text file with a picture's name is no picture.
    QFile text(dir.path() + "/notes.bmp");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture\n");
    text.close();
    EXPECT_FALSE(Cls15().LoadGLTextures(text.fileName().toStdString()));
    EXPECT_TRUE(boxes.shown().empty());
    // After the drawing, each file that gives no texture says why (a blank name asks for none).
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts().size(), 4u);
}

int failingScaler(unsigned, int, int, unsigned, const void*, int, int, unsigned, void*) { return GLU_OUT_OF_MEMORY; }

TEST_F(TextureTest, FailedScalingDrawsUntexturedAndSaysSoOncePerFile) {
    const std::string file = save(filled(100, 60, Qt::green), "odd.bmp", "BMP");
    SetImageScaler(failingScaler);
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_FALSE(Cls15().LoadGLTextures(file));
        PrepareTextures({file});
    }
    SetImageScaler(nullptr);
    EXPECT_TRUE(boxes.shown().empty());  // never while drawing
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.texts(), std::vector<std::string>{"ValidateTextureSize : gluScaleImage failure"});
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::None);
}

TEST_F(TextureTest, RedrawsKeepOneTexturePerFile) {
    std::string file = save(filled(16, 16, Qt::red), "skin.bmp", "BMP");
    auto redraw = [&] {
        // As the frame does: prepare, then bind inside the picture's list.
        PrepareTextures({file});
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        EXPECT_TRUE(Cls15().LoadGLTextures(file));
        glEndList();
        glCallList(list);
        glDeleteLists(list, 1);
    };
    for (int i = 0; i < 100; ++i) redraw();
    EXPECT_EQ(LiveTextureCount(), 1u);
    GLuint probe = 0;
    glGenTextures(1, &probe);
    EXPECT_LT(probe, 10u);  // no names were used up on the way
    glDeleteTextures(1, &probe);

    // A changed file gets a new texture; the old one lives one picture more.
    save(filled(32, 16, Qt::blue), "skin.bmp", "BMP");
    redraw();
    EXPECT_EQ(LiveTextureCount(), 2u);
    redraw();
    redraw();
    EXPECT_EQ(LiveTextureCount(), 1u);
    // A file no graph uses any more is released too.
    PrepareTextures({});
    PrepareTextures({});
    EXPECT_EQ(LiveTextureCount(), 0u);
    // Inside a list nothing unprepared is uploaded.
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    EXPECT_FALSE(Cls15().LoadGLTextures(file));
    glEndList();
    glDeleteLists(list, 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// A picture of w x h pixels that costs little to make: a small grey JPG whose
// frame header claims the larger size (the decoder fills what the data lack).
QByteArray claimedJpeg(int w, int h) {
    QImage small(64, 64, QImage::Format_Grayscale8);
    small.fill(200);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    small.save(&buffer, "JPG");
    const int sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0) return {};
    bytes[sof + 5] = static_cast<char>(h >> 8);
    bytes[sof + 6] = static_cast<char>(h & 0xFF);
    bytes[sof + 7] = static_cast<char>(w >> 8);
    bytes[sof + 8] = static_cast<char>(w & 0xFF);
    return bytes;
}

std::string writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path.toStdString();
}

// A 24-bit BMP header claiming w x h pixels, with a few bytes of pixels.
QByteArray claimedBmp(int w, int h) {
    QByteArray b(54 + 64, '\0');
    auto put32 = [&](int at, qint64 v) {
        for (int k = 0; k < 4; ++k) b[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, b.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    b[26] = 1;
    b[28] = 24;
    return b;
}

TEST_F(TextureTest, APipeNeverBlocksAndIsNamedAsOne) {
    const std::string fifo = (dir.path() + "/pipe.bmp").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return ReadTexturePicture(fifo, 256); });
    if (reading.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
        // Let the blocked open go before failing.
        const int w = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (w >= 0) ::close(w);
        FAIL() << "reading the pipe blocked";
    }
    const TexturePicture got = reading.get();
    EXPECT_TRUE(got.image.isNull());
    EXPECT_EQ(got.problem, "it is a pipe, not a picture file");

    EXPECT_FALSE(Cls15().LoadGLTextures(fifo));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts(),
              std::vector<std::string>{"The texture " + fifo + " cannot be used: it is a pipe, not a picture file."});
}

TEST_F(TextureTest, UnusableFilesSaySoOnceAfterTheDrawing) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));
    const QString d = dir.path() + "/";
    struct Case {
        std::string file, reason;
    };
    const Case cases[] = {
        {(d + "missing.bmp").toStdString(), "No such file or directory"},
        {(d + "folder.bmp").toStdString(), "it is a folder, not a picture file"},
        {writeFile(d + "empty.jpg", {}), "the file is empty"},
        {writeFile(d + "notes.gif", "not a picture\n"), "it is not a BMP, JPG or GIF picture"},
        {writeFile(d + "liar.bmp", claimedBmp(100000, 100000)), "its picture cannot be read"},
        {save(filled(8, 8, Qt::blue), "p.png", "PNG"), "its name does not end in BMP, JPG or GIF"},
    };
    for (int pass = 0; pass < 3; ++pass)
        for (const Case& c : cases) {
            PrepareTextures({c.file});
            EXPECT_FALSE(Cls15().LoadGLTextures(c.file)) << c.file;
        }
    EXPECT_TRUE(boxes.shown().empty());  // never while drawing
    QCoreApplication::processEvents();
    const std::vector<std::string> texts = boxes.texts();
    ASSERT_EQ(texts.size(), std::size(cases));
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const std::string start = "The texture " + cases[k].file + " cannot be used: " + cases[k].reason;
        EXPECT_EQ(texts[k].substr(0, start.size()), start);
        EXPECT_EQ(texts[k].back(), '.');
    }
    // A device is refused before it is opened.
    EXPECT_EQ(ReadTexturePicture("/dev/zero", 256).problem, "it is a device, not a picture file");
}

TEST_F(TextureTest, LargePicturesAreReadAtTheTextureSize) {
    QImage wide(7000, 300, QImage::Format_RGB888);
    wide.fill(QColor(10, 200, 30));
    struct Case {
        std::string file;
        int w, h;
    };
    const Case cases[] = {
        {save(wide, "wide.jpg", "JPG"), 256, 256},
        {writeFile(dir.path() + "/big.jpg", claimedJpeg(7000, 7000)), 256, 256},
        {writeFile(dir.path() + "/huge.jpg", claimedJpeg(20000, 20000)), 256, 256},
        {writeFile(dir.path() + "/tall.jpg", claimedJpeg(100, 20000)), 128, 256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const TexturePicture pic = ReadTexturePicture(c.file, 256);
        EXPECT_EQ(pic.problem, "");
        EXPECT_EQ(pic.image.width(), c.w);
        EXPECT_EQ(pic.image.height(), c.h);
        PrepareTextures({c.file});
        ASSERT_TRUE(Cls15().LoadGLTextures(c.file));
        int w = 0, h = 0;
        const std::vector<std::uint8_t> px = boundTexture(w, h);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
        if (&c == &cases[0]) {
            EXPECT_NEAR(px[px.size() / 2 / 3 * 3 + 1], 200, 12);  // the green of the middle
        }
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(boxes.shown().empty());
}

}  // namespace
