// Cls3::Draw: the frame around the scene box, by document kind.
#include "state/globals.h"
#include "scene/axis.h"
#include "scene/axis_draw_state.h"
#include "state/kinds.h"

void Cls3::Draw(long, double sngMinX, double sngMaxX, double sngMinY, double sngMaxY, double sngMinZ,
                double sngMaxZ) const {
    // Any failure ends the drawing quietly, keeping what was drawn.
    axisdraw::FrameStateGuard guard;
    try {
        if (gPlotKind == plot_kind::ThreeD || gPlotKind == plot_kind::FourD) {
            if (AxisStyle == 1) DrawPanelBox(sngMinX, sngMaxX, sngMinY, sngMaxY, sngMinZ, sngMaxZ);
            else DrawAxisLines(sngMinX, sngMaxX, sngMinY, sngMaxY, sngMinZ, sngMaxZ);
        } else if (plot_kind::isTwoD(gPlotKind)) {
            Draw2DFrame(sngMinX, sngMaxX, sngMinY, sngMaxY, sngMinZ);
        }
        guard.done();
    } catch (...) {
    }
}
