#pragma once
// The contour tracer CContour: the level lines of a regular grid of values,
// traced from crossing to crossing through the cells and drawn as straight
// segments in a plane of the scene. Surfaces draw them on their floor, 4-D
// slices on each slice plane.
//
// The tracing is plain C++ (TraceContourLevels into a ContourLineSink); only
// CContour::Contour and Contour3D talk to OpenGL (contour_gl.cpp).
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "render/colormap.h"
#include "state/color.h"

// The values of a contour grid: node (i, j), i = 1..m, j = 1..n. Every index
// is checked (std::out_of_range); a new grid holds zeros.
class ContourGrid {
public:
    ContourGrid() = default;
    ContourGrid(long m, long n);
    long rows() const { return m_; }
    long columns() const { return n_; }
    double& operator()(long i, long j) { return v_[offset(i, j)]; }
    double operator()(long i, long j) const { return v_[offset(i, j)]; }

private:
    std::size_t offset(long i, long j) const;
    long m_ = 0, n_ = 0;
    std::vector<double> v_;
};

// A position in the grid's plane: node (i, j) lies at (x0 + j dx, y0 + i dy).
struct PlanePoint {
    double x, y;
};

// Receives the traced lines, level by level from the lowest.
class ContourLineSink {
public:
    virtual ~ContourLineSink() = default;
    // The lines of this level follow.
    virtual void level(double value) { (void)value; }
    // One line: its crossings in order, at least two. A closed line comes back
    // to its start, so its last point repeats its first.
    virtual void line(std::span<const PlanePoint> points, bool closed) = 0;
};

// The levels first, first + step, .. (count of them).
struct ContourLevels {
    double first = 0, step = 0;
    long count = 0;
    double at(long k) const { return first + static_cast<double>(k) * step; }
};

// Most levels one drawing takes; an interval giving more is replaced.
inline constexpr long kMaxContourLevels = 1000;

// The extremes of the defined values of nodes 1..m x 1..n: samples at
// UndefinedValue and values that are not finite are left out. False when
// there is none (or the sizes exceed the grid).
bool ContourExtremes(long m, long n, const ContourGrid& S0, double& min, double& max);

// Levels every `interval` from the multiple at or below min to the multiple
// at or below max. An interval of 0 or less, or one giving more than
// kMaxContourLevels levels, is replaced by the colour legend's step over
// min..max. No level when min = max (then no line can cross a cell).
ContourLevels ChooseContourLevels(double min, double max, double interval);

// Raises every defined value within 0.0001 of a level by 0.00001, the levels
// taken in ascending order, so that no node lies on a level.
void RaiseValuesNearLevels(long m, long n, ContourGrid& S0, const ContourLevels& levels);

// Raises the values near the levels (in S0), then traces each level: first
// the lines that start on the grid's border (its first row, first column,
// last row, last column), then the closed lines inside. An edge crossed by a
// level is drawn once; an edge with an end at UndefinedValue has no crossing.
// A line ends at the border, back at its start, or where its cell has no
// further crossing; every walk ends. With m or n below 2 there are no cells
// and nothing is drawn.
void TraceContourLevels(long m, long n, double dx, double dy, ContourGrid& S0, double x0, double y0,
                        const ContourLevels& levels, ContourLineSink& sink);

// Where a plane position goes in the scene (scene units), by the document
// kind and the plane code gContourSliceAxis: 3-D documents lay every line 0.08
// scene units above the horizontal plane at height Z; 4-D documents lay it in
// the horizontal plane (axis 1), an X slice (2) or a Y slice (3) at Z. Nothing
// for another kind or plane code.
struct ScenePoint {
    double x, y, z;
};
std::optional<ScenePoint> PlaceContourPoint(PlanePoint p, double Z, long plotKind, long sliceAxis);

class CContour {
public:
    // Draws the contour lines of nodes 1..m x 1..n of S0 into OpenGL, every
    // `lngLevel` (see ChooseContourLevels) in a 3-D or 4-D document; a 2-D
    // document draws nothing. Lines of fill style 5 take the colour of their
    // level on the colour map strColorName between the lowest and the highest
    // level; any other fill style draws in lngSecondColor. Lighting is off
    // while the lines draw (line smoothing and blending on) and on afterwards.
    // S0 receives the raising of values near a level.
    void Contour(long m, long n, double dx, double dy, ContourGrid& S0, double x0, double y0, double Z,
                 long lngLevel, long fstFillStyle, long lngFirstColor, long lngSecondColor, long lngLineWidth,
                 const std::string& strColorName);

    // The variant that counts intervals: lngLevel intervals between the
    // extremes. It raises the values near its levels and sets the line state
    // and each level's colour, but draws no line.
    void Contour3D(long m, long n, double dx, double dy, double Z, ContourGrid& S0, double x0, double y0,
                   long lngLevel, long fstFillStyle, long lngFirstColor, long lngSecondColor, long lngLineWidth,
                   const std::string& strColorName);

    // The colour of a level: fill style 5 maps it over lowest..highest on the
    // named colour map (an empty name is Rainbow); any other takes lngSecondColor.
    Rgb LevelColor(long fstFillStyle, long lngSecondColor, const std::string& strColorName, double level,
                   double lowest, double highest);

private:
    ColorStopTable stops_;
};
