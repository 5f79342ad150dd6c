#pragma once
// Normals of a surface grid, plain C++: one unit normal per cell (from the
// cross product of its diagonals) and one per node (the normalised sum of the
// cell normals around it). Grids whose first and last rows or columns of
// nodes coincide (a cylinder, a closed band) sum across that seam, so smooth
// shading shows no crease there. Positions are data units, before the scene
// transform.
#include <vector>

namespace surface {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// Positions or normals of the nodes (i, j), i = 0..U, j = 0..V.
class NodeGrid {
public:
    NodeGrid() = default;
    NodeGrid(long U, long V) : U_(U), V_(V), v_(static_cast<std::size_t>(U + 1) * static_cast<std::size_t>(V + 1)) {}
    long U() const { return U_; }
    long V() const { return V_; }
    Vec3& operator()(long i, long j) { return v_[index(i, j)]; }
    const Vec3& operator()(long i, long j) const { return v_[index(i, j)]; }

private:
    std::size_t index(long i, long j) const;
    long U_ = 0, V_ = 0;
    std::vector<Vec3> v_;
};

// How close the end nodes of a row or column must lie to count as one point:
// 8/10 of the box's width per StepU, height per StepV and depth per the
// larger step (each test a strict "less than").
struct SeamTolerance {
    double x, y, z;
};
SeamTolerance SeamTolerances(double widthRange, double heightRange, double depthRange, long U, long V);

// The unit normal of the cell with corners p00, p10, p11, p01 (in that order):
// the cross product of the diagonals p00 - p11 and p10 - p01, its Z clamped to
// +-(sqrt(3) / 2) 10^19 (and then X and Y too). A cell whose corners coincide
// has (0, 0, 0); so does one with a corner that is not finite.
Vec3 FaceNormal(const Vec3& p00, const Vec3& p10, const Vec3& p11, const Vec3& p01);

struct Normals {
    NodeGrid face;    // cell (i, j) for i < U, j < V; row U and column V stay 0
    NodeGrid vertex;  // node (i, j): unit length, or 0 where the cell normals cancel
};

// The normals of a grid of at least one cell (U, V >= 1). The vertex normals
// take the cells around each node: one at a corner, two along an edge, four
// inside; across a closed seam the cells of both sides. A grid closed both
// ways (a torus) gets at its four corner nodes the two cells of the seam
// across i only.
Normals ComputeNormals(const NodeGrid& nodes, const SeamTolerance& tol);

}  // namespace surface
