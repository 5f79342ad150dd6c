#pragma once
// GradientEvaluator: runs a compiled formula (formula::Program) in forward mode, giving its
// value and its exact first derivatives with respect to chosen variables or parameters.
// It applies the formula evaluator's own domain guards and agrees with formula::evaluate on
// the value; where that evaluation is undefined or fails, so is this one. A derivative that
// is not finite (sqr at its guard, asin at +-1) makes the evaluation fail as well. RND has
// no derivative and fails.
#include <vector>

#include "formula/evaluator.h"
#include "formula/program.h"

namespace solver {

class GradientEvaluator {
public:
    // program must outlive the evaluator. slots: the variable slots (formula::kVarX,
    // kVarA + k, ...) to differentiate by, in the order of the gradient. degree:
    // trigonometric arguments in degrees.
    GradientEvaluator(const formula::Program& program, const std::vector<int>& slots, bool degree = false);

    int size() const { return n_; }

    // Evaluates at vars; on Ok, value and gradient[0 .. size()-1] hold the results.
    formula::EvalStatus evaluate(const formula::Vars& vars, double& value, double* gradient);

private:
    const formula::Program& program_;
    bool degree_;
    int n_;
    int lane_[formula::kVarCount];  // gradient position of a slot, or -1
    std::vector<double> values_;
    std::vector<double> grads_;     // maxDepth x n_, row per stack level
    std::vector<char> hasGrad_;     // false: the row is zero and unused
};

// d f(x) / dx of a function of one argument at x (after degree conversion), given its value
// r there. Exposed for tests.
double functionDerivative(formula::Op op, double x, double r);

}  // namespace solver
