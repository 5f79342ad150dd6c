#include "scene/gltext.h"

#include "state/color.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <deque>

#include "state/globals.h"
#include "platform/glyphs.h"
#include "platform/msgbox.h"

namespace {

constexpr const char* kFontFailed = "Unable to create font";
constexpr double kExtrusion = 0.1;

// Only codes 0..127 have lists; every byte of a UTF-8 sequence is above 127,
// so dropping those drops whole non-ASCII characters.
std::vector<unsigned char> asciiCodes(const std::string& text) {
    std::vector<unsigned char> codes;
    codes.reserve(text.size());
    for (char ch : text)
        if (static_cast<unsigned char>(ch) < 128) codes.push_back(static_cast<unsigned char>(ch));
    return codes;
}

void fontFailed(const std::string& message, unsigned& listBase) {
    platform::MsgBox(message, platform::MsgButtons::Ok, platform::MsgIcon::Critical);
    DeleteFontLists(listBase);
}

// Collects the GLU tessellator's output as plain triangles.
struct Tessellation {
    std::vector<std::array<double, 2>> triangles;  // three points per triangle
    std::deque<std::array<double, 3>> extra;        // combine vertices, stable addresses
};

void GLAPIENTRY onVertex(void* vertex, void* data) {
    auto* v = static_cast<const double*>(vertex);
    static_cast<Tessellation*>(data)->triangles.push_back({v[0], v[1]});
}
void GLAPIENTRY onEdgeFlag(GLboolean, void*) {}  // its presence makes GLU emit plain triangles
void GLAPIENTRY onCombine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* data) {
    auto& t = *static_cast<Tessellation*>(data);
    t.extra.push_back({coords[0], coords[1], coords[2]});
    *out = t.extra.back().data();
}

std::vector<std::array<double, 2>> tessellate(const platform::GlyphOutline& g) {
    Tessellation t;
    GLUtesselator* tess = gluNewTess();
    if (!tess) return {};
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(&onVertex));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(&onEdgeFlag));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(&onCombine));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);  // triangles counter-clockwise seen from +z
    // The tessellator keeps pointers to the vertices until the polygon ends.
    std::vector<std::vector<std::array<double, 3>>> points;
    for (const auto& contour : g.contours) {
        auto& p = points.emplace_back();
        for (const auto& pt : contour) p.push_back({pt.x, pt.y, 0.0});
    }
    gluTessBeginPolygon(tess, &t);
    for (auto& contour : points) {
        gluTessBeginContour(tess);
        for (auto& p : contour) gluTessVertex(tess, p.data(), p.data());
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    return std::move(t.triangles);
}

double signedArea(const std::vector<platform::GlyphPoint>& c) {
    double a = 0;
    for (std::size_t i = 0, n = c.size(); i < n; ++i) {
        const auto& p = c[i];
        const auto& q = c[(i + 1) % n];
        a += p.x * q.y - q.x * p.y;
    }
    return a / 2;
}

// Front face at z 0, back face at -extrusion, and the sides between them.
void emitGlyph(const platform::GlyphOutline& g) {
    const auto tris = tessellate(g);
    glBegin(GL_TRIANGLES);
    glNormal3d(0, 0, 1);
    for (const auto& p : tris) glVertex3d(p[0], p[1], 0);
    glNormal3d(0, 0, -1);
    for (std::size_t i = tris.size(); i-- > 0;) glVertex3d(tris[i][0], tris[i][1], -kExtrusion);
    glEnd();
    // The solid lies on the same side of every contour's direction: on the
    // right when the outlines run clockwise overall (TrueType), else the left.
    double total = 0;
    for (const auto& c : g.contours) total += signedArea(c);
    const double side = total < 0 ? 1.0 : -1.0;
    glBegin(GL_QUADS);
    for (const auto& c : g.contours) {
        for (std::size_t i = 0, n = c.size(); i < n; ++i) {
            const auto& p = c[i];
            const auto& q = c[(i + 1) % n];
            double nx = -(q.y - p.y) * side, ny = (q.x - p.x) * side;
            double len = std::hypot(nx, ny);
            if (len == 0) continue;
            glNormal3d(nx / len, ny / len, 0);
            glVertex3d(p.x, p.y, 0);
            glVertex3d(p.x, p.y, -kExtrusion);
            glVertex3d(q.x, q.y, -kExtrusion);
            glVertex3d(q.x, q.y, 0);
        }
    }
    glEnd();
}

}  // namespace

void StringToBytes(std::vector<unsigned char>& bytes, const std::string& text) {
    if (text.empty()) return;
    bytes.resize(std::max(bytes.size(), text.size() + 1));
    for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<unsigned char>(text[i]);
    bytes[text.size()] = 0;
}

long GetRed(long color) { return color & 255; }
long GetGreen(long color) { return (color >> 8) & 255; }
long GetBlue(long color) { return (color >> 16) & 255; }

void SetGLColor(long color) {
    const Rgb c = SplitColor(color);
    glColor3f(static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b));
}

void BuildOutlineFont(unsigned& listBase, const std::string& faceName, long /*height*/, long weight, long italic,
                      long color) {
    BuildOutlineFontFile(listBase, platform::FontFileFor(faceName, static_cast<int>(weight)), italic, color);
}

void BuildOutlineFontFile(unsigned& listBase, const std::string& fontFile, long italic, long color) {
    SetGLColor(color);
    listBase = glGenLists(128);
    if (listBase == 0) return fontFailed(kFontFailed, listBase);
    std::array<platform::GlyphOutline, 128> glyphs;
    std::string error;
    if (!platform::ReadOutlineGlyphs(fontFile, italic != 0, glyphs, error)) return fontFailed(error, listBase);
    for (unsigned code = 0; code < 128; ++code) {
        glNewList(listBase + code, GL_COMPILE);
        emitGlyph(glyphs[code]);
        glTranslated(glyphs[code].advance, 0, 0);
        glEndList();
    }
}

void DrawOutlineText(unsigned listBase, const std::string& text, double x, double y, double z,
                     const std::array<double, 4>& rotation, std::optional<long> color) {
    glPushAttrib(GL_POLYGON_BIT | GL_LIST_BIT);
    glPushMatrix();
    glListBase(listBase);
    glTranslated(x, y, z);
    glScaled(0.9, 0.9, 0.9);
    glRotated(rotation[0], rotation[1], rotation[2], rotation[3]);
    if (color) SetGLColor(*color);
    const auto codes = asciiCodes(text);
    if (listBase != 0 && !codes.empty()) glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
    glPopMatrix();
    glPopAttrib();
}

void BuildBitmapFont() { BuildBitmapFontFile(platform::FontFileFor("Verdana", 400), 12); }

void BuildBitmapFontFile(const std::string& fontFile, int pixelHeight) {
    gBitmapFont = glGenLists(128);
    if (gBitmapFont == 0) return fontFailed(kFontFailed, gBitmapFont);
    std::array<platform::GlyphBitmap, 128> glyphs;
    std::string error;
    if (!platform::ReadBitmapGlyphs(fontFile, pixelHeight, glyphs, error)) return fontFailed(error, gBitmapFont);
    // glBitmap unpacks its bits when the list is compiled, with the alignment
    // in force then; the rows are byte-packed.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (unsigned code = 0; code < 128; ++code) {
        const auto& g = glyphs[code];
        glNewList(gBitmapFont + code, GL_COMPILE);
        if (g.width > 0 && g.height > 0 && !g.bits.empty()) {
            glBitmap(g.width, g.height, static_cast<GLfloat>(g.xorig), static_cast<GLfloat>(g.yorig),
                     static_cast<GLfloat>(g.advance), 0, g.bits.data());
        } else {
            // A glyph with no ink (a blank, a control code) still advances; an
            // empty bitmap in a list makes the driver flag an error, a single
            // clear bit does not.
            static const GLubyte kClearBit[1] = {0};
            glBitmap(1, 1, 0, 0, static_cast<GLfloat>(g.advance), 0, kClearBit);
        }
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void DrawBitmapText(double x, double y, double z, const std::string& text) {
    glColor3f(0, 0, 0);  // before the raster position, which takes the current colour
    glRasterPos3d(y, z, x);
    const auto codes = asciiCodes(text);
    if (codes.empty() || gBitmapFont == 0) return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(gBitmapFont);
    glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
    glPopAttrib();
}

void DeleteFontLists(unsigned& listBase) {
    if (listBase != 0) glDeleteLists(listBase, 128);
    listBase = 0;
}
