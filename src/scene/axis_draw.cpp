// Cls3::Draw: the frame around the scene box, by document kind.
#include "state/globals.h"
#include "scene/axis.h"
#include "scene/axis_draw_state.h"

void Cls3::Draw(long, double sngMinX, double sngMaxX, double sngMinY, double sngMaxY, double sngMinZ,
                double sngMaxZ) const {
    // Any failure ends the drawing quietly, keeping what was drawn.
    axisdraw::FrameStateGuard guard;
    try {
        if (gPlotKind == 3 || gPlotKind == 11) {
            if (AxisStyle == 1) DrawPanelBox(sngMinX, sngMaxX, sngMinY, sngMaxY, sngMinZ, sngMaxZ);
            else DrawAxisLines(sngMinX, sngMaxX, sngMinY, sngMaxY, sngMinZ, sngMaxZ);
        } else if (gPlotKind == 1 || gPlotKind == 4) {
            Draw2DFrame(sngMinX, sngMaxX, sngMinY, sngMaxY, sngMinZ);
        }
        guard.done();
    } catch (...) {
    }
}
