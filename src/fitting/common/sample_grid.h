#pragma once
// A fitted model sampled for its result graphs: the nodes of a surface and of
// a volume, evenly spread over the ranges of the data.
#include <functional>
#include <span>
#include <vector>

struct ValueRange {
    double min = 0, max = 0;
};

// The smallest and largest of the values ({0, 0} for none).
ValueRange RangeOf(std::span<const double> values);

// The smallest and largest of the values that are defined (neither
// formula::UndefinedValue nor infinite nor NaN); {0, 0} for none.
ValueRange DefinedRangeOf(std::span<const double> values);

// n values from range.min to range.max, both included, evenly spaced; one
// value (range.min) when n is 1.
std::vector<double> EvenNodes(ValueRange range, long n);

// N x N nodes in scene axis order: node (i, j) at i * N + j has X = the j-th
// y, Z = the i-th x (so the floor overlays line up) and Y = the model's value
// there; value is the range of the defined values of the Y grid.
struct SurfaceNodes {
    long N = 0;
    std::vector<double> X, Y, Z;
    ValueRange value;
    std::size_t at(long i, long j) const { return static_cast<std::size_t>(i * N + j); }
};
SurfaceNodes SampleSurfaceNodes(const std::function<double(double, double)>& model, ValueRange x, ValueRange y,
                                long N);

// N x N x N nodes in data order: node (i, j, k) at (i * N + j) * N + k has the
// i-th x, the j-th y, the k-th z and the model's value v there; value is the
// range of the defined values of v.
struct VolumeNodes {
    long N = 0;
    std::vector<double> x, y, z, v;
    ValueRange value;
    std::size_t at(long i, long j, long k) const { return static_cast<std::size_t>((i * N + j) * N + k); }
};
VolumeNodes SampleVolumeNodes(const std::function<double(double, double, double)>& model, ValueRange x, ValueRange y,
                              ValueRange z, long N);
