#include "app/graph_dialogs/surface_edit_model.h"

#include <cmath>

#include "app/dialog_kit/property_input.h"
#include "graph/graph.h"
#include "state/whole_number.h"

void PresetSurfaceDialog(const Cls9& g, SurfaceDialogValues& v) {
    v.colorName = g.ColorName;
    // A list's selection may also be none (-1), as for Material 0.
    if (g.Material >= 0 && g.Material <= kSurfaceMaterialCount) v.materialIndex = static_cast<int>(g.Material - 1);
    if (g.Smoothness >= 1 && g.Smoothness <= 3) v.smoothness = static_cast<int>(g.Smoothness);
    v.showColormap = g.ShowColormap;
    v.showContour = g.ShowContour;
    if (g.ShowContour) v.contourStep = std::to_string(g.ContourLevel);
    v.showData = g.ShowIrregData;
    v.showTex = g.ShowTex;
    v.texName = g.TexName;
    if (g.TexMode == 1 || g.TexMode == 2) v.texMode = static_cast<int>(g.TexMode);
    v.showTrans = g.ShowTrans;
    const double position = std::isfinite(g.TransAlpha) ? g.TransAlpha * kTransparencySteps : -1;
    if (position >= -0.5 && position <= kTransparencySteps + 0.5) {
        const long p = roundHalfEven(position);
        if (p >= 0 && p <= kTransparencySteps) v.transPosition = static_cast<int>(p);
    }
}

bool BuildSurfaceSettings(const SurfaceDialogValues& v, Cls9& g, std::string& message) {
    g.ColorName = v.colorName;
    g.ShowColormap = v.showColormap;
    g.ShowContour = v.showContour;
    if (v.showContour && !propertyinput::ReadPropertyLong(v.contourStep, g.ContourLevel)) {
        message = propertyinput::PropertyLongMessage("Step");
        return false;
    }
    g.ShowVector = false;  // no control offers the gradient arrows
    g.ShowIrregData = v.showData;
    g.StepU = 50;
    g.StepV = 50;
    g.NameS.clear();
    g.GraphType = graph_type::Surface3D;
    g.FillStyle = 5;
    g.FirstColor = 255;
    g.SecondColor = 0xFF0000;
    g.Material = v.materialIndex + 1;
    g.Show = 3;
    g.Smoothness = v.smoothness;
    g.ShowTex = v.showTex;
    // A blank name keeps the texture on without a file: the surface draws untextured.
    if (v.showTex) g.TexName = v.texName.empty() ? " " : v.texName;
    g.ShowTrans = v.showTrans;
    if (v.showTrans) g.TransAlpha = static_cast<double>(v.transPosition) / kTransparencySteps;
    g.TexMode = v.texMode;
    return true;
}
