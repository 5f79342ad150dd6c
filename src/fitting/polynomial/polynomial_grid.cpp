#include "fitting/polynomial/polynomial_grid.h"

#include <algorithm>

namespace {

double power(double base, int n) {
    double r = 1;
    for (int i = 0; i < n; ++i) r *= base;
    return r;
}

}  // namespace

double EvaluatePolynomial(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b, double x,
                          double y, double z) {
    double sum = 0;
    for (std::size_t k = 0; k < terms.size() && k < b.size(); ++k)
        sum += b[k] * power(x, terms[k].px) * power(y, terms[k].py) * power(z, terms[k].pz);
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
