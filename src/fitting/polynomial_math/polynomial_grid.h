#pragma once
// The fitted polynomial sampled for its result graphs: the points of a curve,
// the nodes of a surface and of a volume, evenly spread over the data's ranges.
#include <span>
#include <vector>

#include "fitting/common/sample_grid.h"
#include "fitting/solver/polynomial_fit.h"

// The polynomial with the coefficients b (one per term) at (x, y, z).
double EvaluatePolynomial(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b, double x,
                          double y = 0, double z = 0);

// A curve of `count` points over the x range.
struct PolynomialCurve {
    std::vector<double> x, y;
};
PolynomialCurve SampleCurve(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                         ValueRange x, long count);

// The surface nodes of the polynomial (SampleSurfaceNodes).
using PolynomialSurface = SurfaceNodes;
PolynomialSurface SampleSurface(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                          ValueRange x, ValueRange y, long N);

// The volume nodes of the polynomial (SampleVolumeNodes).
using PolynomialVolume = VolumeNodes;
PolynomialVolume SampleVolume(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                        ValueRange x, ValueRange y, ValueRange z, long N);
