#pragma once
// The slice planes of a 4-D graph as plain geometry: where each slice lies
// along its axis, which nodes of the grid it covers, and the value of the
// fourth variable at each of its nodes. Cls9::DrawSlices (slices.cpp) draws
// them; nothing here calls OpenGL.
#include <array>
#include <optional>
#include <vector>

class Cls9;

// The node pair a slice lies between along its axis: lower and upper node
// numbers (equal when it lies on a node) and the fraction t of the way from
// the lower to the upper one.
struct SliceLevel {
    long lower = 0, upper = 0;
    double t = 0;
};

// Where a slice at position p lies on an axis of `intervals` steps of `step`
// from `min`. Within a tolerance of a node (0.0001 in data units, or a
// thousandth of the step when that is smaller) it lies on the node; between
// two nodes it lies between them; outside the axis (or with no interval) it
// lies nowhere.
std::optional<SliceLevel> FindSliceLevel(double p, double min, double step, long intervals);

// A slice's stored range (first and last node, counted from 1) cut to the
// nodes 1..nodes of its axis, as 0-based node numbers; nothing when no node
// of the range lies on the axis (also when first > last).
struct NodeRange {
    long first, last;
    long count() const { return last - first + 1; }
};
std::optional<NodeRange> ClampSliceRange(long first, long last, long nodes);

enum class SliceFamily { Z, X, Y };

// One slice, ready to draw: an m x n grid of points (a along its first range,
// b along its second; index a * n + b) in scene axis order and data units,
// all in the slice's plane, each with the value V there.
struct SlicePlane {
    SliceFamily family = SliceFamily::Z;
    double position = 0;
    long m = 0, n = 0;
    std::vector<std::array<double, 3>> point;  // scene X, Y, Z
    std::vector<double> value;
    std::vector<bool> defined;  // a value and finite coordinates
    std::array<double, 3> normal{};
    bool showColor = false, showContour = false;
    long contourLevel = 0, contourColor = 0;
    // The contour tracer's plane: node (a, b) counted from 1 lies at
    // (x0 + b dx, y0 + a dy); axisCode is gContourSliceAxis (1 Z, 2 X, 3 Y).
    double dx = 0, dy = 0, x0 = 0, y0 = 0;
    long axisCode = 1;

    std::size_t at(long a, long b) const { return static_cast<std::size_t>(a * n + b); }
    // Whether cell (a, b) has all four corners defined.
    bool cellDrawn(long a, long b) const {
        return defined[at(a, b)] && defined[at(a + 1, b)] && defined[at(a + 1, b + 1)] && defined[at(a, b + 1)];
    }
};

// Most slices drawn per family.
inline constexpr long kMaxSlicesPerFamily = 50;

// Whether the graph's grid has 1..30 intervals along each axis, so that its
// slices and isosurfaces can be drawn.
bool VolumeStepsUsable(const Cls9& g);

// The slices of a 4-D graph to draw, Z slices first, then X, then Y, at most
// 50 of each family. Node positions along a slice's axis come from the
// graph's GraphBox (refreshed by GetBox), node coordinates and values from
// its grids; a value between two node levels is interpolated linearly. A
// slice outside its axis or with no node in a range is left out; with steps
// outside 1..30 there is none.
std::vector<SlicePlane> BuildSlicePlanes(const Cls9& g);
