#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "state/globals.h"
#include "platform/msgbox.h"
#include "scene/gltext.h"
#include "support/gl_offscreen.h"

using testsupport::countColor;
using testsupport::countNonWhite;
using testsupport::OffscreenGL;

namespace {

constexpr std::array<double, 4> kNoTurn{0, 0, 0, 1};

class GLText : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.valid());
        gl.clearWhite();
    }
    void TearDown() override {
        DeleteFontLists(font);
        DeleteFontLists(gBitmapFont);
    }
    std::array<double, 16> modelView() {
        std::array<double, 16> m{};
        glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
        return m;
    }
    OffscreenGL gl{256, 256};
    unsigned font = 0;
};

}  // namespace

TEST(ColourRoutines, SplitBBGGRRAndSetTheGLColour) {
    EXPECT_EQ(GetRed(0x00FF8040), 0x40);
    EXPECT_EQ(GetGreen(0x00FF8040), 0x80);
    EXPECT_EQ(GetBlue(0x00FF8040), 0xFF);
    OffscreenGL gl(8, 8);
    ASSERT_TRUE(gl.valid());
    for (auto [colour, r, g, b] : {std::tuple{0xFFFFFFL, 1.f, 1.f, 1.f}, {0xFF0000L, 0.f, 0.f, 1.f}, {0x000080L, 128 / 255.f, 0.f, 0.f}}) {
        SetGLColor(colour);
        std::array<float, 4> c{};
        glGetFloatv(GL_CURRENT_COLOR, c.data());
        EXPECT_FLOAT_EQ(c[0], r);
        EXPECT_FLOAT_EQ(c[1], g);
        EXPECT_FLOAT_EQ(c[2], b);
    }
}

TEST(ColourRoutines, StringToBytesEndsWithAZeroByte) {
    std::vector<unsigned char> bytes;
    StringToBytes(bytes, "AB");
    EXPECT_EQ(bytes, (std::vector<unsigned char>{'A', 'B', 0}));
    std::vector<unsigned char> untouched{7};
    StringToBytes(untouched, "");
    EXPECT_EQ(untouched, std::vector<unsigned char>{7});
}

TEST_F(GLText, OutlineFontDrawsFilledGlyphsAndAdvances) {
    BuildOutlineFont(font, "Arial", -6, 400, 0, 0);
    ASSERT_NE(font, 0u);
    for (unsigned code = 0; code < 128; ++code) EXPECT_TRUE(glIsList(font + code)) << code;
    // Each list ends by moving on by its glyph's advance (Arial "A": 0.667 em).
    glPushMatrix();
    glLoadIdentity();
    glCallList(font + 'A');
    EXPECT_NEAR(modelView()[12], 0.667, 0.01);
    glPopMatrix();
    gl.clearWhite();

    const auto before = modelView();
    DrawOutlineText(font, "8O", -0.9, -0.3, 0, kNoTurn, 0xFF0000L);  // blue
    EXPECT_EQ(modelView(), before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    QImage img = gl.grab();
    gl.savePng("gltext_outline");
    EXPECT_GT(countColor(img, 0, 0, 255), 2000);
    // The "O" keeps its hole: the middle of its bowl stays white.
    const double oLeft = -0.9 + 0.9 * 0.556, oWidth = 0.9 * 0.778;  // advance of "8", width of "O"
    const int px = static_cast<int>((oLeft + oWidth / 2 + 1) / 2 * 256);
    const int py = static_cast<int>((1 - (-0.3 + 0.9 * 0.35)) / 2 * 256);
    EXPECT_EQ(gl.pixel(px, py), qRgb(255, 255, 255));
}

TEST_F(GLText, BoldOutlineFontIsHeavier) {
    unsigned bold = 0;
    BuildOutlineFont(font, "Arial", -6, 400, 0, 0);
    BuildOutlineFont(bold, "Arial", -8, 700, 0, 0);
    DrawOutlineText(font, "l", -0.5, -0.3, 0, kNoTurn, 0L);
    const int regular = countNonWhite(gl.grab());
    gl.clearWhite();
    DrawOutlineText(bold, "l", -0.5, -0.3, 0, kNoTurn, 0L);
    EXPECT_GT(countNonWhite(gl.grab()), regular * 5 / 4);
    DeleteFontLists(bold);
}

TEST_F(GLText, TextOutsideAsciiAndEmptyTextDrawNothing) {
    BuildOutlineFont(font, "Arial", -6, 400, 0, 0);
    BuildBitmapFont();
    // A list made after the fonts, painting everything red: an unchecked code
    // above 127 would land in lists like it.
    GLuint trap = glGenLists(256);
    for (GLuint i = 0; i < 256; ++i) {
        glNewList(trap + i, GL_COMPILE);
        glColor3f(1, 0, 0);
        glRectf(-1, -1, 1, 1);
        glEndList();
    }
    const auto before = modelView();
    DrawOutlineText(font, "\xC3\xA9\xC2\xB0", 0, 0, 0, kNoTurn);  // "é°"
    DrawOutlineText(font, "", 0, 0, 0, kNoTurn);
    DrawBitmapText(0, 0, 0, "\xE6\xB8\xA9");
    DrawBitmapText(0, 0, 0, "");
    EXPECT_EQ(modelView(), before);
    EXPECT_EQ(countNonWhite(gl.grab()), 0);
    // DrawBitmapText still sets black before the raster position.
    std::array<float, 4> c{};
    glGetFloatv(GL_CURRENT_RASTER_COLOR, c.data());
    EXPECT_EQ(c[0] + c[1] + c[2], 0.f);
    glDeleteLists(trap, 256);
}

TEST_F(GLText, BitmapTextDrawsBlackAtTheRasterPositionInDataOrder) {
    while (glGetError() != GL_NO_ERROR) {
    }
    BuildBitmapFont();
    ASSERT_NE(gBitmapFont, 0u);
    // Blank glyphs must not leave an error for later code to trip over.
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glColor3f(1, 0, 0);
    // Data (x, y, z) = (0, -0.8, 0.5): the raster position (y, z, x) is the
    // left of the upper half.
    DrawBitmapText(0, -0.8, 0.5, "Hello 123");
    QImage img = gl.grab();
    gl.savePng("gltext_bitmap");
    const int black = countColor(img, 0, 0, 0, 60);
    EXPECT_GT(black, 60);
    EXPECT_EQ(black, countNonWhite(img, 60)) << "only black text";
    const QRect box = [&] {
        QRect r;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) < 128) r |= QRect(x, y, 1, 1);
        return r;
    }();
    EXPECT_NEAR(box.left(), 0.1 * 256, 3);            // x = -0.8
    EXPECT_NEAR(box.bottom(), 0.25 * 256 - 1, 4);      // baseline at y = 0.5 (descender-free text)
    EXPECT_GT(box.width(), 50);                        // the raster moved on by each advance
    EXPECT_LE(box.height(), 13);
}

TEST_F(GLText, MissingFontFileReportsAndTextDrawsNothing) {
    platform::MsgRecorder msgs;
    BuildOutlineFontFile(font, "/nonexistent/font.ttf", 0, 0);
    EXPECT_EQ(font, 0u);
    BuildBitmapFontFile("/nonexistent/font.ttf", 12);
    EXPECT_EQ(gBitmapFont, 0u);
    ASSERT_EQ(msgs.shown().size(), 2u);
    EXPECT_NE(msgs.shown()[0].text.find("Unable to create font"), std::string::npos);
    EXPECT_NE(msgs.shown()[0].text.find("/nonexistent/font.ttf"), std::string::npos);
    EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Critical);
    DrawOutlineText(font, "ABC", 0, 0, 0, kNoTurn);
    DrawBitmapText(0, 0, 0, "ABC");
    EXPECT_EQ(countNonWhite(gl.grab()), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
