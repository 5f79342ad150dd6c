#pragma once
// AndersonMixing: the last few Gauss-Newton iterates (a point and the full step from it) and
// the point they mix to. Near a minimum the Gauss-Newton steps contract linearly, at a rate set
// by the curvature that they leave out, which on problems with large residuals can be 0.7.
// The mixed point is x + step - (dX + dF) g, where dX and dF are the differences of the points
// and steps to the earlier ones and g minimises |J (step - dF g)|: a secant estimate of that
// curvature along the directions that converge slowly.
#include <deque>

#include <Eigen/Core>

namespace solver {

class AndersonMixing {
public:
    // Earlier iterates kept.
    static constexpr int kDepth = 3;

    bool empty() const { return before_.empty(); }
    void clear() { before_.clear(); }
    void add(const Eigen::VectorXd& x, const Eigen::VectorXd& step);

    // The mixed point of the iterate (x, step) with the earlier ones; jac measures the steps.
    Eigen::VectorXd mixedPoint(const Eigen::VectorXd& x, const Eigen::VectorXd& step, const Eigen::MatrixXd& jac) const;

private:
    struct Iterate {
        Eigen::VectorXd x, step;
    };
    std::deque<Iterate> before_;  // newest first
};

}  // namespace solver
