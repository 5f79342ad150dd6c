#pragma once
// A second road to the least-squares fit of a model a*g(b, x), independent of the solver:
// for a fixed b the best a is sum(y g) / sum(g^2), so the sum of squares is a function of b
// alone (the profile), whose minimum is found in long double by scanning b and bisecting the
// sign of its derivative.
#include <functional>
#include <vector>

namespace reference {

using Real = long double;

struct ProfileModel {
    const char* formula;                     // the model in the formula language, parameters a and b
    std::function<Real(Real b, Real x)> g;   // the model divided by a
    std::function<Real(Real b, Real x)> gb;  // d g / d b
};

struct ProfileMinimum {
    bool found = false;  // an interior minimum of the profile on the range scanned
    Real a = 0, b = 0, ssr = 0;
};

// The profile's sum of squares at b, and the a that gives it.
Real profileSsr(const ProfileModel& model, const std::vector<double>& x, const std::vector<double>& y, Real b,
                Real* bestA = nullptr);

// The smallest of the profile's local minima for b in [bLow, bHigh], scanned at `samples`
// points spaced evenly (linear) and refined by bisection of the derivative's sign.
ProfileMinimum profileMinimum(const ProfileModel& model, const std::vector<double>& x,
                              const std::vector<double>& y, Real bLow, Real bHigh, int samples = 4000);

}  // namespace reference
