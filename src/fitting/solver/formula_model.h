#pragma once
// FormulaModel: a compiled formula in one to three independent variables (X, Y, Z) with
// fitted parameters among A..T, as a FitModel over data columns.
#include <array>
#include <string>
#include <vector>

#include "fitting/solver/fit_model.h"
#include "fitting/solver/gradient_evaluator.h"
#include "formula/evaluator.h"
#include "formula/program.h"

namespace solver {

class FormulaModel : public FitModel {
public:
    // letters: the fitted parameters as letter numbers 0..19 (a..t), in the order of the
    // parameter vector; letters not listed are 0. columns: the independent variables X
    // (and Y, Z), one value per data point each, all of one length.
    FormulaModel(formula::Program program, std::vector<int> letters,
                 std::vector<std::vector<double>> columns);
    // The gradient evaluator refers to the program held here.
    FormulaModel(const FormulaModel&) = delete;
    FormulaModel& operator=(const FormulaModel&) = delete;

    int pointCount() const override { return points_; }
    int parameterCount() const override { return static_cast<int>(letters_.size()); }
    int evaluate(const Eigen::VectorXd& params, Eigen::VectorXd& values) override;
    int evaluateWithJacobian(const Eigen::VectorXd& params, Eigen::VectorXd& values,
                             Eigen::MatrixXd& jacobian) override;
    bool valueRounding(const Eigen::VectorXd& params, Eigen::VectorXd& bound) override;
    bool lastFailureOverflowed() const override { return overflowed_; }
    std::vector<double> variableSizes() const override;
    std::string describePoint(int i) const override;
    std::string parameterName(int j) const override;

private:
    void setParameters(const Eigen::VectorXd& params);
    void setPoint(int i);
    // Whether the evaluation with derivatives at point i failed at an overflow (of the value
    // or a derivative) rather than outside the model's domain.
    bool overflowsAt(int i);

    formula::Program program_;
    std::vector<int> letters_;
    std::vector<std::vector<double>> columns_;
    int points_ = 0;
    formula::Vars vars_{};
    GradientEvaluator gradient_;
    std::vector<double> row_;
    bool overflowed_ = false;
};

// Text of a number for messages: up to 15 significant digits, shortest form.
std::string numberText(double v);

}  // namespace solver
