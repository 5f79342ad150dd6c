#pragma once
// The floor contour lines of a surface as the contour tracer takes them: the
// surface's value grid Reg3DC copied (the graph keeps its values), spread
// evenly over the graph's box with scene X along the grid's second index and
// scene Z along its first, on the floor 3 scene units below the surface.
#include <optional>
#include <string>

#include "render/contour.h"

class Cls9;

struct FloorContourCall {
    long m, n;
    double dx, dy;
    ContourGrid S0;
    double x0, y0, Z;
    long lngLevel, fstFillStyle, lngFirstColor, lngSecondColor, lngLineWidth;
    std::string strColorName;
};

// The call for a graph whose box the drawing entry has left (MinY the
// surface's own lowest height); nothing when StepU or StepV lies outside
// 1..60, the nodes of Reg3DC.
std::optional<FloorContourCall> FloorContourArguments(const Cls9& g);
