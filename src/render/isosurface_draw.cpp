#include "render/isosurface_draw.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

#include "state/globals.h"
#include "graph/graph.h"
#include "render/isosurface.h"
#include "render/slice_plane.h"
#include "scene/gl_guards.h"
#include "scene/scene_scale.h"

void DrawIsoSurface(const IsoGrid& grid, double level, std::string& colorName, double vmin, double vmax) {
    const Rgb c = isoSurface::MapValueToColor(colorName, level, vmin, vmax - vmin);
    // The triangles are made before anything is sent, so no error can leave a
    // begin open; the buffer is kept for the next surface.
    static std::vector<IsoTriangle> triangles;
    triangles.clear();
    ExtractIsoSurface(grid, level, triangles);

    const double sx = usableScale(gSceneScaleX), sy = usableScale(gSceneScaleY), sz = usableScale(gSceneScaleZ);
    MatrixGuard matrix;
    glColor3d(c.r, c.g, c.b);
    if (triangles.empty()) return;
    glBegin(GL_TRIANGLES);
    for (const IsoTriangle& t : triangles)
        for (const IsoVertex& v : t.v) {
            glNormal3d(v.n[1], v.n[2], v.n[0]);
            glVertex3f(static_cast<float>(v.p[1] / sx - gSceneCenterX), static_cast<float>(v.p[2] / sy - gSceneCenterY),
                       static_cast<float>(v.p[0] / sz - gSceneCenterZ));
        }
    glEnd();
}

void DrawGraphIsoSurfaces(Cls9& g) {
    const long levels = std::min(g.IsoSurfaceNum, g.IsoSurValue.upper());
    if (levels < 1 || !VolumeStepsUsable(g)) return;
    // One copy of the graph's grids serves every level.
    IsoGrid grid;
    grid.resize(g.StepU, g.StepV, g.StepH);
    for (long i = 0; i <= g.StepU; ++i)
        for (long j = 0; j <= g.StepV; ++j)
            for (long k = 0; k <= g.StepH; ++k) {
                const std::size_t at = grid.at(i, j, k);
                grid.X[at] = g.Reg4DX(i, j, k);
                grid.Y[at] = g.Reg4DY(i, j, k);
                grid.Z[at] = g.Reg4DZ(i, j, k);
                grid.W[at] = g.Reg4DV(i, j, k);
            }
    for (long n = 1; n <= levels; ++n) DrawIsoSurface(grid, g.IsoSurValue(n), g.ColorName, g.MinW, g.MaxW);
}
