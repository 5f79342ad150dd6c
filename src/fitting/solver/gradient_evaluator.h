#pragma once
// GradientEvaluator: runs a compiled formula (formula::Program), giving its value and its
// exact first derivatives with respect to chosen variables or parameters. It applies the
// formula evaluator's own domain guards and gives the same value as formula::evaluate;
// where that evaluation is undefined or fails, so is this one. A derivative that is not
// finite (sqr at its guard, asin at +-1) makes the evaluation fail as well. RND has no
// derivative and fails.
//
// Reverse mode: one forward run records each step's partial derivatives, one backward
// sweep carries the derivative of the result back to the variables, so that the cost
// hardly grows with the number of parameters.
#include <cstdint>
#include <utility>
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

    int size() const { return static_cast<int>(slots_.size()); }

    // Evaluates at vars; on Ok, value and gradient[0 .. size()-1] hold the results.
    formula::EvalStatus evaluate(const formula::Vars& vars, double& value, double* gradient);

private:
    const formula::Program& program_;
    bool degree_;
    std::vector<int> slots_;                      // -1 for a slot out of range
    std::vector<unsigned char> needed_;           // per step: operands that depend on a slot
    std::vector<std::uint32_t> derivativeOf_;     // per step: the cell of its value's derivative
    std::vector<char> carried_;                   // per step: that cell is the next step's first
    std::vector<std::uint32_t> firstCell_;        // per slot: the first cell of its derivative
    std::vector<std::pair<std::uint32_t, std::uint32_t>> moreCells_;  // (slot, cell): the others
    std::vector<double> registers_;
    std::vector<formula::StepPartials> partials_;
    std::vector<double> cells_;                   // 0, 1, then 3 contributions per step
};

}  // namespace solver
