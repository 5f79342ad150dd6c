// Cls15: picture files to textures. Sizes, rows copied without skew, files
// recognised by content but accepted by name, failures that leave the
// surface untextured, a failed scaling reported once, and one texture per
// file however often the picture is redrawn.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "platform/msgbox.h"
#include "scene/texture.h"
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

}  // namespace
