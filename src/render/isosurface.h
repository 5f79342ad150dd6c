#pragma once
// The isosurface extractor: marching cubes over a regular grid of nodes, plain
// C++ without OpenGL. A grid and a level go in; triangles with their normals,
// in data order, come out. DrawIsoSurface (isosurface_draw.h) sends them to
// OpenGL.
//
// Cell (i, j, k) has the corners (offsets from node (i, j, k) along i, j, k)
//   0 (0,0,0)  1 (1,0,0)  2 (1,0,1)  3 (0,0,1)
//   4 (0,1,0)  5 (1,1,0)  6 (1,1,1)  7 (0,1,1)
// and the edges 0 (0,1), 1 (1,2), 2 (2,3), 3 (3,0), 4 (4,5), 5 (5,6),
// 6 (6,7), 7 (7,4), 8 (0,4), 9 (1,5), 10 (2,6), 11 (3,7).
//
// Values and positions are taken as floats. A corner is below the level when
// the level (as a float) is greater than its value; a corner equal to the
// level is not below it. A vertex is interpolated along its edge from the
// edge's lower node (the one with the smaller indexes), so that the cells
// sharing an edge compute the same vertex to the bit. Normals are value
// differences along the grid (central inside, one-sided on every border),
// pointing towards falling values; each triangle turns the same way as its
// normals (counter-clockwise seen from the side they point to, in data axes
// and equally in scene axes). A cell with a corner value at UndefinedValue or
// not finite, or a corner position not finite, draws nothing.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "state/color.h"

namespace iso {
inline constexpr int kCornerOffset[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1},
                                            {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}};
inline constexpr int kEdgeCorners[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                            {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
}  // namespace iso

// A regular grid of nodes (i, j, k), i = 0..U, j = 0..V, k = 0..H: the nodes'
// data coordinates and values.
struct IsoGrid {
    long U = 0, V = 0, H = 0;
    std::vector<double> X, Y, Z, W;

    // U x V x H intervals, every node at 0. Negative counts throw
    // std::invalid_argument.
    void resize(long u, long v, long h);
    // The position of node (i, j, k) in X, Y, Z and W; an index outside the
    // grid throws std::out_of_range.
    std::size_t at(long i, long j, long k) const;
    std::size_t nodes() const { return X.size(); }
};

using Float3 = std::array<float, 3>;

struct IsoVertex {
    Float3 p;  // data x, y, z
    Float3 n;  // unit normal, data order
};
struct IsoTriangle {
    IsoVertex v[3];
};

// The point on the edge pa..pb where the level is reached: pa when the level
// equals va, pb when it equals vb, pa when va equals vb, else the linear
// interpolation (in floats). The comparisons are exact.
Float3 InterpolateEdgeVertex(const Float3& pa, const Float3& pb, float va, float vb, double level);

// The triangles of cell (i, j, k) at the level into out; returns how many
// (0..5). A cell outside the grid throws std::out_of_range.
int PolygoniseCell(const IsoGrid& grid, long i, long j, long k, double level, IsoTriangle out[5]);

// Appends the triangles of every cell, cell by cell (i, then j, then k
// innermost); returns the number of cells visited. A grid whose arrays do not
// hold its nodes throws std::invalid_argument.
std::size_t ExtractIsoSurface(const IsoGrid& grid, double level, std::vector<IsoTriangle>& out);

namespace isoSurface {
// The colour of a value on the isosurface module's own colour map over
// min..min+range: an empty name becomes "Rainbow" (written back), the preset
// of the name is loaded (the Chinese names and "@" forms too; any other name
// keeps the map loaded before), a range of 0 gives blue.
Rgb MapValueToColor(std::string& colorName, double value, double min, double range);
}  // namespace isoSurface
