#pragma once
// Helpers shared by the axis frame's drawing files.
#include <GL/gl.h>

#include "state/globals.h"
#include "state/color.h"
#include "scene/scene_scale.h"
#include "scene/light.h"

namespace axisdraw {

// A data value along a scene axis in scene units, with an offset (in scene
// units) applied after the division and before the centre.
inline double sceneX(double v, double off = 0) { return v / usableScale(gSceneScaleX) + off - gSceneCenterX; }
inline double sceneY(double v, double off = 0) { return v / usableScale(gSceneScaleY) + off - gSceneCenterY; }
inline double sceneZ(double v, double off = 0) { return v / usableScale(gSceneScaleZ) + off - gSceneCenterZ; }

inline void colour(long c) {
    const Rgb rgb = SplitColor(c);
    glColor3d(rgb.r, rgb.g, rgb.b);
}

// Antialiased lines with alpha blending, as the frame's lines are drawn.
inline void lineSmoothingOn() {
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
}

inline void lineSmoothingOff() {
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
}

// Should a drawing end early, the graphs drawn after it still find lighting
// on and line smoothing and blending off, as a completed drawing leaves them.
class FrameStateGuard {
public:
    ~FrameStateGuard() {
        if (done_) return;
        lineSmoothingOff();
        RestoreLighting();
    }
    void done() { done_ = true; }

private:
    bool done_ = false;
};

}  // namespace axisdraw
