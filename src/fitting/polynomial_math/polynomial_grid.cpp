#include "fitting/polynomial_math/polynomial_grid.h"

#include <algorithm>

namespace {

// value * base^n one factor at a time: a tiny coefficient of a huge power (1e-300 * x^3 with
// x = 6e102) passes only through magnitudes between the two, never through x^3 itself.
double timesPower(double value, double base, int n) {
    for (int i = 0; i < n; ++i) value *= base;
    return value;
}

}  // namespace

double EvaluatePolynomial(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b, double x,
                          double y, double z) {
    double sum = 0;
    for (std::size_t k = 0; k < terms.size() && k < b.size(); ++k)
        sum += timesPower(timesPower(timesPower(b[k], x, terms[k].px), y, terms[k].py), z, terms[k].pz);
    return sum;
}

PolynomialCurve SampleCurve(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                         ValueRange x, long count) {
    PolynomialCurve s;
    s.x = EvenNodes(x, count);
    s.y.reserve(s.x.size());
    for (double xi : s.x) s.y.push_back(EvaluatePolynomial(terms, b, xi));
    return s;
}

PolynomialSurface SampleSurface(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                          ValueRange x, ValueRange y, long N) {
    return SampleSurfaceNodes([&](double xi, double yj) { return EvaluatePolynomial(terms, b, xi, yj); }, x, y, N);
}

PolynomialVolume SampleVolume(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                        ValueRange x, ValueRange y, ValueRange z, long N) {
    return SampleVolumeNodes([&](double xi, double yj, double zk) { return EvaluatePolynomial(terms, b, xi, yj, zk); },
                             x, y, z, N);
}
