// Our accumulation buffer: averages of passes, the GL state it must leave as
// it found it, and its GL objects over many resizes.
#include "platform/accum_buffer.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QOpenGLWidget>
#include <QTest>
#include <cmath>
#include <functional>

#include "support/gl_offscreen.h"
#include "support/waits.h"

using platform::AccumBuffer;

namespace {

constexpr int kSize = 64;

// The jitter table of the 3-D frame, in pixels.
constexpr double kJitter[3][2] = {{-0.373411, -0.250550}, {0.256263, 0.368119}, {0.117148, -0.117570}};

// A pixel-unit projection of the whole buffer, shifted by a sub-pixel offset.
void pixelProjection(double dx, double dy, int w = kSize, int h = kSize) {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-dx, w - dx, -dy, h - dy, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void clearTo(int r, int g, int b) {
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

int channelSpread(QRgb p, int r, int g, int b) {
    return std::max({std::abs(qRed(p) - r), std::abs(qGreen(p) - g), std::abs(qBlue(p) - b)});
}

// The frame's three jittered passes, each added with weight 1/3, returned and
// grabbed; a null image when a verb refuses.
QImage averageOfJitteredPasses(testsupport::OffscreenGL& gl, AccumBuffer& accum,
                               const std::function<void(double, double)>& pass) {
    if (!accum.clear()) return {};
    for (const auto& j : kJitter) {
        pass(j[0], j[1]);
        if (!accum.accumulate(1.0f / 3.0f)) return {};
    }
    if (!accum.returnTo(1.0f)) return {};
    return gl.grab();
}

// Pixels of a neutral grey between black and white: what smoothing adds.
int countGreys(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += (qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) > 20 && qRed(p) < 235) ? 1 : 0;
        }
    return n;
}

int liveNames(GLboolean (*isName)(GLuint)) {
    int n = 0;
    for (GLuint name = 1; name < 2000; ++name) n += isName(name) ? 1 : 0;
    return n;
}

GLboolean isTexture(GLuint n) { return glIsTexture(n); }
GLboolean isFramebuffer(GLuint n) {
    QOpenGLFunctions* f = QOpenGLContext::currentContext()->functions();
    return f->glIsFramebuffer(n);
}

class AccumBufferTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gl.valid()); }
    void TearDown() override {
        gl.makeCurrent();
        accum.release();
    }
    testsupport::OffscreenGL gl{kSize, kSize};
    AccumBuffer accum;
};

}  // namespace

TEST_F(AccumBufferTest, AverageOfThreeFlatColoursIsTheirMean) {
    struct Case {
        int c[3][3];
    };
    const std::vector<Case> cases = {
        {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}},
        {{{255, 255, 255}, {255, 255, 255}, {255, 255, 255}}},
        {{{10, 200, 37}, {101, 3, 250}, {77, 128, 1}}},
        {{{1, 2, 0}, {0, 0, 1}, {0, 1, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.c[2][0]);
        pixelProjection(0, 0);
        ASSERT_TRUE(accum.clear());
        for (const auto& colour : c.c) {
            clearTo(colour[0], colour[1], colour[2]);
            ASSERT_TRUE(accum.accumulate(1.0f / 3.0f));
        }
        clearTo(9, 9, 9);  // the return must replace this, not blend with it
        ASSERT_TRUE(accum.returnTo(1.0f));
        const QImage img = gl.grab();
        double mean[3];
        for (int k = 0; k < 3; ++k) mean[k] = (c.c[0][k] + c.c[1][k] + c.c[2][k]) / 3.0;
        int worst = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const QRgb p = img.pixel(x, y);
                const double got[3] = {double(qRed(p)), double(qGreen(p)), double(qBlue(p))};
                for (int k = 0; k < 3; ++k) worst = std::max(worst, int(std::ceil(std::abs(got[k] - mean[k]) - 1e-9)));
            }
        EXPECT_LE(worst, 1) << "within 1/255 of the mean";
    }
}

// A black half plane below a diagonal, drawn three times with the frame's
// jitter: the average has grey steps along the edge that no single pass has.
TEST_F(AccumBufferTest, JitteredPassesGiveIntermediateShadesAlongADiagonal) {
    auto drawPass = [&](double dx, double dy) {
        clearTo(255, 255, 255);
        pixelProjection(dx, dy);
        glColor3f(0, 0, 0);
        glBegin(GL_TRIANGLES);
        glVertex2d(0, 0);
        glVertex2d(kSize, 0);
        glVertex2d(kSize, kSize * 0.8);  // not 45 degrees: every pixel centre sees a different distance
        glEnd();
    };
    drawPass(0, 0);
    EXPECT_EQ(countGreys(gl.grab()), 0) << "a single pass is black and white only";

    const QImage img = averageOfJitteredPasses(gl, accum, drawPass);
    ASSERT_FALSE(img.isNull());
    gl.savePng("accum_buffer_diagonal");
    EXPECT_GE(countGreys(img), kSize / 3) << "grey steps along the edge";
    // Far from the edge the picture keeps its colours.
    EXPECT_EQ(qRed(img.pixel(kSize - 2, kSize - 2)), 0);  // inside the triangle (top row first)
    EXPECT_EQ(qRed(img.pixel(2, 2)), 255);
    // Each grey is one of the shades a 3-pass average can give: k/3 of white.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const int v = qRed(img.pixel(x, y));
            const int nearest = int(std::nearbyint(v * 3.0 / 255.0)) * 255 / 3;
            ASSERT_LE(std::abs(v - nearest), 1) << x << "," << y;
        }
}

TEST_F(AccumBufferTest, LeavesFramebufferAndDrawingStateAsFound) {
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    ASSERT_NE(bound, 0) << "the test buffer is an FBO, as a QOpenGLWidget's is";
    pixelProjection(0, 0);
    glViewport(3, 4, 50, 40);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    GLfloat before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);

    ASSERT_TRUE(accum.clear());
    ASSERT_TRUE(accum.accumulate(0.5f));
    ASSERT_TRUE(accum.returnTo(1.0f));

    GLint fb = 0, draw = 0, read = 0, vp[4], mode = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &fb);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    EXPECT_EQ(fb, bound);
    EXPECT_EQ(draw, bound);
    EXPECT_EQ(read, bound);
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ(vp[0], 3);
    EXPECT_EQ(vp[2], 50);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat clear[4], colour[4], after[16];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_FLOAT_EQ(clear[2], 0.75f);
    EXPECT_FLOAT_EQ(colour[3], 0.4f);
    EXPECT_EQ(mode, GL_MODELVIEW);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after[i], before[i]);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(accum.width(), 50);
    EXPECT_EQ(accum.height(), 40);
}

// Framebuffer binds cannot be compiled into a list: inside one the verbs
// refuse and nothing is recorded or bound.
TEST_F(AccumBufferTest, RefusesWhileADisplayListIsCompiled) {
    pixelProjection(0, 0);
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    EXPECT_FALSE(accum.clear());
    EXPECT_FALSE(accum.accumulate(1.0f));
    EXPECT_FALSE(accum.returnTo(1.0f));
    glEndList();
    glDeleteLists(list, 1);
    GLint fb = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &fb);
    EXPECT_EQ(fb, bound);
    EXPECT_FALSE(accum.allocated());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(AccumBufferTest, ResizesWithTheViewportWithoutLeakingAndFreesItsObjects) {
    const int texturesBefore = liveNames(isTexture);
    const int framebuffersBefore = liveNames(isFramebuffer);
    for (int i = 0; i < 200; ++i) {
        const int w = 1 + (i * 37) % kSize, h = 1 + (i * 11) % kSize;
        pixelProjection(0, 0, w, h);
        ASSERT_TRUE(accum.clear());
        ASSERT_TRUE(accum.accumulate(1.0f));
        ASSERT_EQ(accum.width(), w);
        ASSERT_EQ(accum.height(), h);
    }
    EXPECT_EQ(liveNames(isTexture), texturesBefore + 2);
    EXPECT_EQ(liveNames(isFramebuffer), framebuffersBefore + 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // A smaller viewport after a larger one starts from a zero sum.
    pixelProjection(0, 0, 8, 8);
    clearTo(200, 200, 200);
    ASSERT_TRUE(accum.accumulate(0.5f));
    ASSERT_TRUE(accum.returnTo(1.0f));
    EXPECT_LE(channelSpread(gl.grab().pixel(1, kSize - 2), 100, 100, 100), 1);

    accum.release();
    EXPECT_FALSE(accum.allocated());
    EXPECT_EQ(liveNames(isTexture), texturesBefore);
    EXPECT_EQ(liveNames(isFramebuffer), framebuffersBefore);
}

// A lit sphere inside a line box, as the 3-D frame draws it: three jittered
// perspective passes averaged. Saved for a person to look at.
TEST(AccumBufferPicture, JitteredSphereAndBox) {
    constexpr int w = 320, h = 240;
    testsupport::OffscreenGL gl(w, h);
    ASSERT_TRUE(gl.valid());
    AccumBuffer accum;
    GLUquadric* quadric = gluNewQuadric();
    auto pass = [&](double dx, double dy) {
        glViewport(0, 0, w, h);
        clearTo(255, 255, 255);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glTranslated(2.0 * dx / w, 2.0 * dy / h, 0);  // a sub-pixel shift of the whole picture
        gluPerspective(30, double(w) / h, 1, 20);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(4, 3, 6, 0, 0, 0, 0, 1, 0);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_COLOR_MATERIAL);
        const GLfloat light[4] = {3, 5, 4, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, light);
        glColor3f(0.2f, 0.45f, 0.9f);
        gluSphere(quadric, 0.8, 32, 24);
        glDisable(GL_LIGHTING);
        glColor3f(0, 0, 0);
        glBegin(GL_LINES);
        for (int a = 0; a < 3; ++a)
            for (int s1 : {-1, 1})
                for (int s2 : {-1, 1}) {
                    double p[3], q[3];
                    p[a] = -1;
                    q[a] = 1;
                    p[(a + 1) % 3] = q[(a + 1) % 3] = s1;
                    p[(a + 2) % 3] = q[(a + 2) % 3] = s2;
                    glVertex3dv(p);
                    glVertex3dv(q);
                }
        glEnd();
    };
    pass(0, 0);
    const int sharpGreys = countGreys(gl.grab());
    const QImage img = averageOfJitteredPasses(gl, accum, pass);
    ASSERT_FALSE(img.isNull());
    gl.savePng("accum_buffer_sphere_box");
    gluDeleteQuadric(quadric);
    accum.release();
    EXPECT_GT(countGreys(img), sharpGreys + 200) << "the box lines are smoothed into grey";
    EXPECT_LE(channelSpread(img.pixel(w / 2, h / 2), 0, 0, 0), 254) << "the sphere is drawn";
    EXPECT_EQ(img.pixel(2, 2), qRgb(255, 255, 255));
}

namespace {

// The drawing area's own kind of context: a QOpenGLWidget renders into a
// framebuffer object of its own that the buffer must return to.
class AveragingWidget : public QOpenGLWidget {
public:
    ~AveragingWidget() override {
        makeCurrent();
        accum.release();
        doneCurrent();
    }
    AccumBuffer accum;
    bool ok = false;

protected:
    void paintGL() override {
        const float colours[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        ok = accum.clear();
        for (const auto& c : colours) {
            glClearColor(c[0], c[1], c[2], 1);
            glClear(GL_COLOR_BUFFER_BIT);
            ok = accum.accumulate(1.0f / 3.0f) && ok;
        }
        ok = accum.returnTo(1.0f) && ok;
    }
};

}  // namespace

TEST(AccumBufferWidget, AveragesInsideAnOpenGLWidgetAcrossResizes) {
    AveragingWidget widget;
    widget.resize(60, 40);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget, testsupport::kLongWaitMs));
    for (QSize size : {QSize(60, 40), QSize(90, 70), QSize(30, 20)}) {
        widget.resize(size);
        const QImage img = widget.grabFramebuffer();
        ASSERT_TRUE(widget.ok);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(widget.accum.width(), img.width());
        EXPECT_LE(channelSpread(img.pixel(img.width() / 2, img.height() / 2), 85, 85, 85), 1);
        EXPECT_LE(channelSpread(img.pixel(0, 0), 85, 85, 85), 1);
    }
}
