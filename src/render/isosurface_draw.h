#pragma once
// Drawing one isosurface of a 4-D graph into OpenGL.
#include <string>

class Cls9;
struct IsoGrid;

// Extracts the surface of the level from the grid and sends its triangles in
// the level's colour (isoSurface::MapValueToColor over vmin..vmax; an empty
// colorName becomes "Rainbow"), each vertex with its normal, through the
// scene mapping: data x to scene Z, data y to scene X, data z to scene Y.
void DrawIsoSurface(const IsoGrid& grid, double level, std::string& colorName, double vmin, double vmax);

// The isosurfaces of a 4-D graph, one per level IsoSurValue(1 .. IsoSurfaceNum)
// (the first 100), coloured over MinW..MaxW by the graph's ColorName. A grid
// with steps outside 1..30 draws none.
void DrawGraphIsoSurfaces(Cls9& g);
