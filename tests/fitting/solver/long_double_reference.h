#pragma once
// A second road to the least-squares minimum of a model near known values, independent of the
// solver: full Gauss-Newton steps in long double (pivoted QR of the Jacobian in long double),
// with the model and its derivatives written out in long double, on the data as doubles.
#include <functional>
#include <vector>

namespace reference {

using Real = long double;

struct Model {
    std::function<Real(const std::vector<Real>& p, Real x)> f;
    std::function<void(const std::vector<Real>& p, Real x, Real* gradient)> gradient;
};

struct Fit {
    bool converged = false;  // the steps shrank to the rounding of long double
    std::vector<Real> params, standardErrors;
    Real ssr = 0;
};

// The sum of squares at p.
Real ssr(const Model& model, const std::vector<double>& x, const std::vector<double>& y, const std::vector<Real>& p);

// The resolution of doubles at p, as one length: per point the last bits of the value and the
// datum, and half the last bits of the parameters times their derivatives. No point that doubles
// hold lies nearer the minimum than that.
Real resolution(const Model& model, const std::vector<double>& x, const std::vector<double>& y,
                const std::vector<Real>& p);

// From start, which must lie near the minimum (the data's generating values).
Fit fit(const Model& model, const std::vector<double>& x, const std::vector<double>& y, std::vector<Real> start);

}  // namespace reference
