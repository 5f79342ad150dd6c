#include "fitting/solver/trust_region_step.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <Eigen/Dense>

#include "fitting/solver/stable_norm.h"

namespace solver {

namespace {

// Scatters a vector in pivoted order back to parameter order.
Eigen::VectorXd unpivot(const Eigen::VectorXd& v, const Eigen::VectorXi& perm) {
    Eigen::VectorXd out(v.size());
    for (Eigen::Index k = 0; k < v.size(); ++k) out(perm(k)) = v(k);
    return out;
}

// D P x / |D x| in pivoted order, the right-hand side of the Newton correction.
Eigen::VectorXd scaledDirection(const Eigen::VectorXd& dx, const Eigen::VectorXd& diag,
                                const Eigen::VectorXi& perm, double dxnorm) {
    Eigen::VectorXd w(dx.size());
    for (Eigen::Index k = 0; k < dx.size(); ++k) w(k) = diag(perm(k)) * (dx(perm(k)) / dxnorm);
    return w;
}

// The QR factors of the damped problem [R; sqrt(par) D P].
Eigen::HouseholderQR<Eigen::MatrixXd> dampedFactors(const TrustRegionFactors& f, const Eigen::VectorXd& diag,
                                                     double par) {
    const Eigen::Index n = f.r.cols();
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(2 * n, n);
    a.topRows(n) = f.r.triangularView<Eigen::Upper>();
    const double s = std::sqrt(par);
    for (Eigen::Index k = 0; k < n; ++k) a(n + k, k) = s * diag(f.perm(k));
    return Eigen::HouseholderQR<Eigen::MatrixXd>(a);
}

Eigen::VectorXd solveFactors(const Eigen::HouseholderQR<Eigen::MatrixXd>& qr, const Eigen::VectorXd& qtb,
                             const Eigen::VectorXi& perm) {
    Eigen::VectorXd b = Eigen::VectorXd::Zero(2 * qtb.size());
    b.head(qtb.size()) = qtb;
    return unpivot(qr.solve(b), perm);
}

}  // namespace

Eigen::VectorXd dampedSolve(const TrustRegionFactors& f, const Eigen::VectorXd& diag, double par,
                            const Eigen::VectorXd& qtb) {
    return solveFactors(dampedFactors(f, diag, par), qtb, f.perm);
}

Eigen::VectorXd trustRegionStep(const TrustRegionFactors& f, const Eigen::VectorXd& diag,
                                double delta, double& par) {
    const Eigen::Index n = f.r.cols();
    const double dwarf = std::numeric_limits<double>::min();

    // Gauss-Newton direction; the trailing part of a rank-deficient factor is left out.
    Eigen::VectorXd w = f.qtr;
    w.tail(n - f.rank).setZero();
    if (f.rank > 0) {
        w.head(f.rank) =
            f.r.topLeftCorner(f.rank, f.rank).triangularView<Eigen::Upper>().solve(w.head(f.rank));
    }
    Eigen::VectorXd x = unpivot(w, f.perm);
    Eigen::VectorXd dx = diag.cwiseProduct(x);
    double dxnorm = stableLength(dx);
    double fp = dxnorm - delta;
    if (fp <= 0.1 * delta) {
        par = 0;
        return x;
    }

    // Lower bound of the damping from the Newton step at par = 0 (full rank only).
    double parl = 0;
    if (f.rank == n) {
        Eigen::VectorXd v = scaledDirection(dx, diag, f.perm, dxnorm);
        f.r.triangularView<Eigen::Upper>().transpose().solveInPlace(v);
        const double t = stableLength(v);
        parl = ((fp / delta) / t) / t;
    }
    // Upper bound from the scaled gradient.
    Eigen::VectorXd g = f.r.triangularView<Eigen::Upper>().transpose() * f.qtr;
    for (Eigen::Index k = 0; k < n; ++k) g(k) /= diag(f.perm(k));
    const double gnorm = stableLength(g);
    double paru = gnorm / delta;
    if (paru == 0) paru = dwarf / std::min(delta, 0.1);

    par = std::clamp(par, parl, paru);
    if (par == 0) par = gnorm / dxnorm;

    for (int iter = 1;; ++iter) {
        if (par == 0) par = std::max(dwarf, 0.001 * paru);
        // The damped problem [R; sqrt(par) D P] x = [Q^T r; 0], solved by a small QR.
        const Eigen::HouseholderQR<Eigen::MatrixXd> qr = dampedFactors(f, diag, par);
        x = solveFactors(qr, f.qtr, f.perm);
        dx = diag.cwiseProduct(x);
        dxnorm = stableLength(dx);
        const double previous = fp;
        fp = dxnorm - delta;
        if (std::abs(fp) <= 0.1 * delta || (parl == 0 && fp <= previous && previous < 0) || iter == 10)
            break;
        // Newton correction of par from S^T S = R^T R + par P^T D^2 P.
        Eigen::VectorXd v = scaledDirection(dx, diag, f.perm, dxnorm);
        qr.matrixQR().topRows(n).triangularView<Eigen::Upper>().transpose().solveInPlace(v);
        const double t = stableLength(v);
        const double parc = ((fp / delta) / t) / t;
        if (fp > 0) parl = std::max(parl, par);
        if (fp < 0) paru = std::min(paru, par);
        par = std::max(parl, par + parc);
    }
    return x;
}

}  // namespace solver
