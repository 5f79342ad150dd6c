#include "long_double_reference.h"

#include <cmath>
#include <limits>

#include <Eigen/Dense>

namespace reference {

namespace {

using Matrix = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;
using Vector = Eigen::Matrix<Real, Eigen::Dynamic, 1>;

void linearise(const Model& model, const std::vector<double>& x, const std::vector<double>& y,
               const std::vector<Real>& p, Matrix& jac, Vector& res) {
    const Eigen::Index m = static_cast<Eigen::Index>(x.size()), n = static_cast<Eigen::Index>(p.size());
    jac.resize(m, n);
    res.resize(m);
    std::vector<Real> g(p.size());
    for (Eigen::Index i = 0; i < m; ++i) {
        res(i) = model.f(p, x[i]) - y[i];
        model.gradient(p, x[i], g.data());
        for (Eigen::Index k = 0; k < n; ++k) jac(i, k) = g[k];
    }
}

}  // namespace

Real ssr(const Model& model, const std::vector<double>& x, const std::vector<double>& y, const std::vector<Real>& p) {
    Real sum = 0;
    for (std::size_t i = 0; i < x.size(); ++i) sum += (model.f(p, x[i]) - y[i]) * (model.f(p, x[i]) - y[i]);
    return sum;
}

Real resolution(const Model& model, const std::vector<double>& x, const std::vector<double>& y,
                const std::vector<Real>& p) {
    const Real eps = std::numeric_limits<double>::epsilon();
    std::vector<Real> g(p.size());
    Real sum = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        model.gradient(p, x[i], g.data());
        Real point = eps * (std::abs(model.f(p, x[i])) + std::abs(Real(y[i])));
        for (std::size_t k = 0; k < p.size(); ++k) {
            const double v = static_cast<double>(p[k]);
            point += std::abs(g[k]) * (std::nextafter(std::abs(v), HUGE_VAL) - std::abs(v)) / 2;
        }
        sum += point * point;
    }
    return std::sqrt(sum);
}

Fit fit(const Model& model, const std::vector<double>& x, const std::vector<double>& y, std::vector<Real> p) {
    Fit out;
    Matrix jac;
    Vector res;
    const Real eps = std::numeric_limits<Real>::epsilon();
    for (int iter = 0; iter < 100 && !out.converged; ++iter) {
        linearise(model, x, y, p, jac, res);
        const Vector step = -jac.colPivHouseholderQr().solve(res);
        Real moved = 0, size = 0;
        for (std::size_t k = 0; k < p.size(); ++k) {
            moved += (step(k) * jac.col(k).norm()) * (step(k) * jac.col(k).norm());
            size += (p[k] * jac.col(k).norm()) * (p[k] * jac.col(k).norm());
            p[k] += step(k);
        }
        // Steps within a few hundred long-double roundings of the model: the minimum.
        out.converged = std::sqrt(moved) <= 256 * eps * std::sqrt(size + res.squaredNorm());
    }
    linearise(model, x, y, p, jac, res);
    out.params = p;
    out.ssr = res.squaredNorm();
    const Eigen::Index dof = jac.rows() - jac.cols();
    const Matrix covariance = (jac.transpose() * jac).inverse() * (out.ssr / static_cast<Real>(dof));
    for (Eigen::Index k = 0; k < jac.cols(); ++k) out.standardErrors.push_back(std::sqrt(covariance(k, k)));
    return out;
}

}  // namespace reference
