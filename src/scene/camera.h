#pragma once
// Cls4: the camera: eye, reference point, up vector, view rectangle and the
// projection it loads into OpenGL, with pan, zoom and zoom to a box.
#include <functional>

#include "scene/box.h"
#include "scene/point.h"
#include "state/bounded_array.h"

class Cls4 {
public:
    Cls4();

    Cls2 EyePos;                   // only X, Y, Z are used
    Cls2 RefPos;
    BoundedArray<double, Bound{0, 2}> VecUp;
    double VolFar = 2000;
    double Volleft = 0, VolRight = 0, VolTop = 0, VolBottom = 0;  // set by Projection
    double VolNear = 0.001;
    double VolWidth = 40, VolHeight = 40;
    double ScreenWidth = 200, ScreenHeight = 200;
    long ProjectType = 1;          // 1 orthographic, 2 perspective
    // The union box of the shown graphs, which a perspective projection sizes
    // its near plane by. The document sets it: the camera sits below the scenes.
    std::function<Cls1()> SceneBox;

    void GetViewRect(double& Wide, double& Height) const;
    // The height is taken; the width follows the drawing area's aspect.
    void SetViewRect(double Wide, double Height);
    void SetVecup(double dx, double dy, double dz);
    void SetRef(double x, double y, double z);
    void SetEye(double x, double y, double z);
    // Sets the viewport; a height of 0 is stored (and handed back) as 1.
    void SetScreen(long& x, long& y);
    // Pans by fractions of the view rectangle.
    void MoveView(double dx, double dy);
    // Standard eye positions 1..10 around the reference point.
    void SetViewType(long TypeView);
    // Fits the view to a box in data units; the values are turned into scene
    // units in the caller's variables.
    void ZoomAll(double& x0, double& y0, double& z0, double& x1, double& y1, double& z1);
    // Turns the view direction about an axis through the eye.
    void RotateView(double angle, double sngX, double sngY, double sngZ);
    // Multiplies the view rectangle by scal when it is positive.
    void Zoom(double scal);
    void Selection(long, long) {}
    // Loads the projection shifted by a sub-pixel offset and the camera view.
    void Projection(double dblPixDx, double dblPixDy, double dblEyeDx = 0, double dblEyeDy = 0,
                    double dblFocus = 1.0);

private:
    void UpdateVecUp();
};
