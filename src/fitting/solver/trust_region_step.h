#pragma once
// The Levenberg-Marquardt step inside a scaled trust region, from the pivoted QR factors of
// the Jacobian (the MINPACK lmpar scheme: a damping parameter found by safeguarded Newton
// iteration so that the scaled step length matches the trust-region radius).
#include <Eigen/Core>

namespace solver {

struct TrustRegionFactors {
    Eigen::MatrixXd r;        // n x n upper triangular factor of J P
    Eigen::VectorXi perm;     // column k of r belongs to parameter perm(k)
    int rank = 0;             // numerical rank of r
    Eigen::VectorXd qtr;      // first n entries of Q^T times the residuals
};

// Solves min |J x - res|^2 + par |D x|^2 with par chosen so that |D x| is about delta (or
// par = 0 when the Gauss-Newton step already lies inside). par is the starting guess on
// entry and the damping used on return. Returns x (the step is -x).
Eigen::VectorXd trustRegionStep(const TrustRegionFactors& f, const Eigen::VectorXd& diag,
                                double delta, double& par);

// Solves min |J x - b|^2 + par |D x|^2 for par > 0, given qtb, the first n entries of Q^T b.
Eigen::VectorXd dampedSolve(const TrustRegionFactors& f, const Eigen::VectorXd& diag, double par,
                            const Eigen::VectorXd& qtb);

}  // namespace solver
