#include "fitting/polynomial/polynomial_grid.h"

#include <algorithm>

namespace {

double power(double base, int n) {
    double r = 1;
    for (int i = 0; i < n; ++i) r *= base;
    return r;
}

}  // namespace

ValueRange RangeOf(std::span<const double> values) {
    if (values.empty()) return {};
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    return {*lo, *hi};
}

double EvaluatePolynomial(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b, double x,
                          double y, double z) {
    double sum = 0;
    for (std::size_t k = 0; k < terms.size() && k < b.size(); ++k)
        sum += b[k] * power(x, terms[k].px) * power(y, terms[k].py) * power(z, terms[k].pz);
    return sum;
}

std::vector<double> EvenNodes(ValueRange range, long n) {
    std::vector<double> nodes(static_cast<std::size_t>(std::max(n, 0L)));
    const double step = n > 1 ? (range.max - range.min) / static_cast<double>(n - 1) : 0;
    for (long i = 0; i < n; ++i) nodes[static_cast<std::size_t>(i)] = range.min + step * static_cast<double>(i);
    if (n > 1) nodes.back() = range.max;  // the last node exactly on the end
    return nodes;
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
    PolynomialSurface g;
    g.N = N;
    const std::vector<double> xs = EvenNodes(x, N), ys = EvenNodes(y, N);
    for (long i = 0; i < N; ++i)
        for (long j = 0; j < N; ++j) {
            const double xi = xs[static_cast<std::size_t>(i)], yj = ys[static_cast<std::size_t>(j)];
            g.X.push_back(yj);
            g.Y.push_back(EvaluatePolynomial(terms, b, xi, yj));
            g.Z.push_back(xi);
        }
    g.value = RangeOf(g.Y);
    return g;
}

PolynomialVolume SampleVolume(const std::vector<solver::PolynomialTerm>& terms, std::span<const double> b,
                        ValueRange x, ValueRange y, ValueRange z, long N) {
    PolynomialVolume g;
    g.N = N;
    const std::vector<double> xs = EvenNodes(x, N), ys = EvenNodes(y, N), zs = EvenNodes(z, N);
    for (double xi : xs)
        for (double yj : ys)
            for (double zk : zs) {
                g.x.push_back(xi);
                g.y.push_back(yj);
                g.z.push_back(zk);
                g.v.push_back(EvaluatePolynomial(terms, b, xi, yj, zk));
            }
    g.value = RangeOf(g.v);
    return g;
}
