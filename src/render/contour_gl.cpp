// CContour's drawing: the traced lines as OpenGL line segments in the scene.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "render/contour.h"
#include "scene/light.h"
#include "state/globals.h"
#include "state/kinds.h"

namespace {

// Line state for the time the lines draw: unlit, smoothed and blended; at the
// end lighting is on (while the scene light is) and smoothing and blending
// off, also when tracing fails.
class LineState {
public:
    explicit LineState(long lineWidth) {
        glDisable(GL_LIGHTING);
        glEnable(GL_LINE_SMOOTH);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
        // OpenGL refuses widths below 1; a width of 0 draws 1-pixel lines.
        glLineWidth(static_cast<float>(std::max(1L, lineWidth)));
    }
    ~LineState() {
        RestoreLighting();
        glDisable(GL_LINE_SMOOTH);
        glDisable(GL_BLEND);
    }
    LineState(const LineState&) = delete;
    LineState& operator=(const LineState&) = delete;
};

void setColor(const Rgb& c) { glColor3d(c.r, c.g, c.b); }

bool finite(const ScenePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Sends each level's segments as one group of separate lines in its colour.
class GlLineSink : public ContourLineSink {
public:
    GlLineSink(CContour& tracer, long fill, long second, const std::string& name, const ContourLevels& levels,
               double Z)
        : tracer_(tracer), fill_(fill), second_(second), name_(name),
          lowest_(levels.first), highest_(levels.at(levels.count - 1)), Z_(Z) {}

    void level(double value) override {
        setColor(tracer_.LevelColor(fill_, second_, name_, value, lowest_, highest_));
    }
    void line(std::span<const PlanePoint> points, bool) override {
        const long kind = gPlotKind, axis = gContourSliceAxis;
        if (!PlaceContourPoint(points[0], Z_, kind, axis)) return;
        glBegin(GL_LINES);
        for (std::size_t k = 1; k < points.size(); ++k) {
            const ScenePoint a = *PlaceContourPoint(points[k - 1], Z_, kind, axis);
            const ScenePoint b = *PlaceContourPoint(points[k], Z_, kind, axis);
            if (!finite(a) || !finite(b)) continue;
            glVertex3d(a.x, a.y, a.z);
            glVertex3d(b.x, b.y, b.z);
        }
        glEnd();
    }

private:
    CContour& tracer_;
    long fill_, second_;
    const std::string& name_;
    double lowest_, highest_, Z_;
};

}  // namespace

void CContour::Contour(long m, long n, double dx, double dy, ContourGrid& S0, double x0, double y0, double Z,
                       long lngLevel, long fstFillStyle, long /*lngFirstColor*/, long lngSecondColor,
                       long lngLineWidth, const std::string& strColorName) {
    // Only 3-D and 4-D documents have a level step.
    if (gPlotKind != plot_kind::ThreeD && gPlotKind != plot_kind::FourD) return;
    LineState state(lngLineWidth);
    double min = 0, max = 0;
    if (!ContourExtremes(m, n, S0, min, max)) return;
    const ContourLevels levels = ChooseContourLevels(min, max, static_cast<double>(lngLevel));
    if (levels.count <= 0) return;
    GlLineSink sink(*this, fstFillStyle, lngSecondColor, strColorName, levels, Z);
    TraceContourLevels(m, n, dx, dy, S0, x0, y0, levels, sink);
}

void CContour::Contour3D(long m, long n, double /*dx*/, double /*dy*/, double /*Z*/, ContourGrid& S0,
                         double /*x0*/, double /*y0*/, long lngLevel, long fstFillStyle, long /*lngFirstColor*/,
                         long lngSecondColor, long lngLineWidth, const std::string& strColorName) {
    LineState state(lngLineWidth);
    double min = 0, max = 0;
    if (!ContourExtremes(m, n, S0, min, max)) return;
    // lngLevel intervals between the extremes; equal extremes have none.
    if (lngLevel < 1 || !(max > min)) return;
    const long intervals = std::min(lngLevel, kMaxContourLevels - 1);
    const ContourLevels levels{min, (max - min) / static_cast<double>(intervals), intervals + 1};
    RaiseValuesNearLevels(m, n, S0, levels);
    for (long k = 0; k < levels.count; ++k)
        setColor(LevelColor(fstFillStyle, lngSecondColor, strColorName, levels.at(k), min, max));
}
