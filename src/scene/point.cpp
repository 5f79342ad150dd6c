// Cls2::Draw: the data marker, a flat symbol in 2-D documents and a sphere in
// 3-D and 4-D documents.
#include "scene/point.h"

#include <QObject>
#include <QOpenGLContext>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <array>
#include <map>

#include "state/globals.h"
#include "state/color.h"
#include "scene/gl_guards.h"
#include "scene/camera.h"
#include "scene/scene_scale.h"
#include "state/kinds.h"

namespace {

// Facets of the marker sphere by its size on the screen: a sphere a few
// pixels across looks round with far fewer facets, and thousands of them stay
// quick to draw on a software renderer; a large one gets the full 32 x 32.
struct SphereDetail {
    int slices, stacks;
    double maxPixelRadius;  // used below this radius on the screen
};
constexpr SphereDetail kSphereDetails[] = {{8, 6, 6.0}, {16, 12, 30.0}, {32, 32, 1e300}};
constexpr int kSphereLevels = 3;

// The unit sphere display lists (one per detail) of each context, compiled
// once and called by every marker under a scale.
using SphereLists = std::array<GLuint, kSphereLevels>;
std::map<QOpenGLContext*, SphereLists>& sphereLists() {
    static std::map<QOpenGLContext*, SphereLists> lists;
    return lists;
}

const SphereLists* currentSphereLists() {
    auto* ctx = QOpenGLContext::currentContext();
    if (!ctx) return nullptr;
    auto it = sphereLists().find(ctx);
    return it == sphereLists().end() ? nullptr : &it->second;
}

// The detail for a sphere of the given radius in scene units, from the
// camera's pixels per scene unit; the full detail without a camera.
int sphereLevel(double radius) {
    if (!gCamera || gCamera->VolWidth <= 0 || gCamera->ScreenWidth <= 0) return kSphereLevels - 1;
    const double pixels = radius * gCamera->ScreenWidth / gCamera->VolWidth;
    int level = 0;
    while (level < kSphereLevels - 1 && !(pixels < kSphereDetails[level].maxPixelRadius)) ++level;
    return level;
}

// The radii drawn since the record was cleared, with the detail each got.
// Markers of a graph share one size, so a few entries are the rule; past the
// cap the record gives up and any zoom counts as a change.
struct SphereDetailRecord {
    static constexpr std::size_t kCap = 64;
    std::map<double, int> levels;
    bool overflowed = false;
};

SphereDetailRecord& detailRecord() {
    static SphereDetailRecord record;
    return record;
}

int recordedSphereLevel(double radius) {
    const int level = sphereLevel(radius);
    SphereDetailRecord& r = detailRecord();
    // A radius that is not a number gets the full detail at every zoom.
    if (std::isfinite(radius) && !r.overflowed && !r.levels.count(radius)) {
        if (r.levels.size() < SphereDetailRecord::kCap) r.levels.emplace(radius, level);
        else r.overflowed = true;
    }
    return level;
}

void drawSphere(double radius) {
    if (!currentSphereLists()) PrepareMarkerLists();
    const int level = recordedSphereLevel(radius);
    if (const SphereLists* lists = currentSphereLists()) {
        glPushAttrib(GL_ENABLE_BIT | GL_TRANSFORM_BIT);
        glEnable(GL_NORMALIZE);  // the scale must not change the light
        glScaled(radius, radius, radius);
        glCallList((*lists)[level]);
        glPopAttrib();
        return;
    }
    GLUquadric* q = gluNewQuadric();
    if (!q) return;
    gluSphere(q, radius, kSphereDetails[level].slices, kSphereDetails[level].stacks);
    gluDeleteQuadric(q);
}

// Rim of the circle markers: 21 points at steps of 0.31416 rad, so the last
// lies a hair past the first and the rim closes.
struct Rim {
    double x[21];
    double y[21];
};

// The rim's directions, computed once: thousands of markers share them.
const Rim& unitRim() {
    static const Rim unit = [] {
        Rim r{};
        for (int i = 0; i <= 20; ++i) {
            const double a = i * 31416.0 / 100000.0;
            r.x[i] = std::cos(a);
            r.y[i] = std::sin(a);
        }
        return r;
    }();
    return unit;
}

Rim rimAround(double cx, double cy, double radius) {
    const Rim& unit = unitRim();
    Rim rim{};
    for (int i = 0; i <= 20; ++i) {
        rim.x[i] = radius * unit.x[i] + cx;
        rim.y[i] = radius * unit.y[i] + cy;
    }
    return rim;
}

}  // namespace

void ClearSphereDetailRecord() { detailRecord() = SphereDetailRecord{}; }

bool SphereDetailsStillHold() {
    const SphereDetailRecord& r = detailRecord();
    if (r.overflowed) return false;
    for (const auto& [radius, level] : r.levels)
        if (sphereLevel(radius) != level) return false;
    return true;
}

void PrepareMarkerLists() {
    auto* ctx = QOpenGLContext::currentContext();
    if (!ctx || currentSphereLists()) return;
    GLint compiling = 0;
    glGetIntegerv(GL_LIST_INDEX, &compiling);
    if (compiling != 0) return;  // lists cannot nest
    GLUquadric* q = gluNewQuadric();
    if (!q) return;
    const GLuint base = glGenLists(kSphereLevels);
    if (base != 0) {
        SphereLists lists{};
        for (int level = 0; level < kSphereLevels; ++level) {
            lists[level] = base + level;
            glNewList(lists[level], GL_COMPILE);
            gluSphere(q, 1.0, kSphereDetails[level].slices, kSphereDetails[level].stacks);
            glEndList();
        }
        sphereLists()[ctx] = lists;
        QObject::connect(ctx, &QOpenGLContext::aboutToBeDestroyed, [ctx] { sphereLists().erase(ctx); });
    }
    gluDeleteQuadric(q);
}

void Cls2::Draw() const {
    const Rgb c = SplitColor(Color);
    const double scaleX = usableScale(gSceneScaleX), scaleY = usableScale(gSceneScaleY),
                 scaleZ = usableScale(gSceneScaleZ);
    const double sx = X / scaleX - gSceneCenterX;
    const double sy = Y / scaleY - gSceneCenterY;
    const double sz = Z / scaleZ - gSceneCenterZ;
    MatrixGuard matrix;

    if (!plot_kind::isTwoD(gPlotKind)) {
        glColor3f(static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b));
        glTranslatef(static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(sz));
        drawSphere(Size * 5 / 100 + 5.0 / 100);
        return;
    }

    const double x0 = sx, y0 = sy;
    const double rc = Size * 5 / 100 + 5.0 / 100;  // circles
    const double h = Size * 7 / 100;               // square, diamond, cross-hair
    const double t = Size * 8 / 100;               // triangle
    auto colour = [&] { glColor3d(c.r, c.g, c.b); };

    switch (Symbol) {
    case 1: {  // solid circle
        const Rim rim = rimAround(X / scaleX, Y / scaleY, rc);
        colour();
        // The 20 triangles around the centre go as one fan (and below the 20
        // rim segments as one strip): the same triangles with a fraction of
        // the driver's work, which thousands of markers need.
        glBegin(GL_TRIANGLE_FAN);
        glVertex3d(x0, y0, Z - gSceneCenterZ);
        for (int j = 0; j <= 20; ++j)
            glVertex3d(rim.x[j] - gSceneCenterX, rim.y[j] - gSceneCenterY, -gSceneCenterZ);
        glEnd();
        break;
    }
    case 2: {  // hollow circle: a white disc with a rim in the colour
        const Rim rim = rimAround(x0, y0, rc);
        glColor3d(1.0, 1.0, 1.0);
        glBegin(GL_TRIANGLE_FAN);
        glVertex3d(x0, y0, 0.0);
        for (int j = 0; j <= 20; ++j) glVertex3d(rim.x[j], rim.y[j], 0.0);
        glEnd();
        glLineWidth(1.0f);
        colour();
        glBegin(GL_LINE_STRIP);
        for (int j = 0; j <= 20; ++j) glVertex3d(rim.x[j], rim.y[j], 0.0);
        glEnd();
        break;
    }
    case 3:  // solid rectangle (a square)
        colour();
        glBegin(GL_QUADS);
        glVertex3d(x0 - h, y0 + h, 0.0);
        glVertex3d(x0 - h, y0 - h, 0.0);
        glVertex3d(x0 + h, y0 - h, 0.0);
        glVertex3d(x0 + h, y0 + h, 0.0);
        glEnd();
        break;
    case 4:  // solid triangle
        colour();
        glBegin(GL_TRIANGLES);
        glVertex3d(x0, y0 + t, 0.0);
        glVertex3d(x0 - t, y0 - t, 0.0);
        glVertex3d(x0 + t, y0 - t, 0.0);
        glEnd();
        break;
    case 5:  // diamond
        colour();
        glBegin(GL_QUADS);
        glVertex3d(x0, y0 + h, 0.0);
        glVertex3d(x0 - h, y0, 0.0);
        glVertex3d(x0, y0 - h, 0.0);
        glVertex3d(x0 + h, y0, 0.0);
        glEnd();
        break;
    case 6:  // cross-hair; its line width stays set
        colour();
        // A width of 0 or less is refused by OpenGL; the old width stays.
        if (Size > 0) glLineWidth(static_cast<float>(Size));
        glBegin(GL_LINES);
        glVertex3d(x0, y0 + h, 0.0);
        glVertex3d(x0, y0 - h, 0.0);
        glEnd();
        glBegin(GL_LINES);
        glVertex3d(x0 - h, y0, 0.0);
        glVertex3d(x0 + h, y0, 0.0);
        glEnd();
        break;
    default:
        break;  // no shape, no colour
    }
}
