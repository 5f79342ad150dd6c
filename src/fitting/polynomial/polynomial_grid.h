#pragma once
// The fitted polynomial sampled for its result graphs: the points of a curve,
// the nodes of a surface and of a volume, evenly spread over the data's ranges.
#include <span>
#include <vector>

#include "fitting/solver/polynomial_fit.h"

struct ValueRange {
    double min = 0, max = 0;
};

// The smallest and largest of the values ({0, 0} for none).
ValueRange RangeOf(std::span<const double> values);

// The polynomial with the coefficients b (one per term) at (x, y, z).
double EvaluatePolynomial(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b, double x,
                          double y = 0, double z = 0);

// n values from range.min to range.max, both included, evenly spaced; one
// value (range.min) when n is 1.
std::vector<double> EvenNodes(ValueRange range, long n);

// A curve of `count` points over the x range.
struct PolynomialCurve {
    std::vector<double> x, y;
};
PolynomialCurve SampleCurve(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                         ValueRange x, long count);

// N x N nodes in scene axis order: node (i, j) at i * N + j has X = the j-th
// y, Z = the i-th x (so the floor overlays line up) and Y = the model's value
// there; value is the range of the Y grid.
struct PolynomialSurface {
    long N = 0;
    std::vector<double> X, Y, Z;
    ValueRange value;
    std::size_t at(long i, long j) const { return static_cast<std::size_t>(i * N + j); }
};
PolynomialSurface SampleSurface(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                          ValueRange x, ValueRange y, long N);

// N x N x N nodes in data order: node (i, j, k) at (i * N + j) * N + k has the
// i-th x, the j-th y, the k-th z and the model's value v there; value is the
// range of v.
struct PolynomialVolume {
    long N = 0;
    std::vector<double> x, y, z, v;
    ValueRange value;
    std::size_t at(long i, long j, long k) const {
        return static_cast<std::size_t>((i * N + j) * N + k);
    }
};
PolynomialVolume SampleVolume(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                        ValueRange x, ValueRange y, ValueRange z, long N);
