#pragma once
// FitModel: the model a least-squares solver fits, seen as values and exact first
// derivatives at every data point for given parameter values.
#include <string>
#include <vector>

#include <Eigen/Core>

namespace solver {

class FitModel {
public:
    virtual ~FitModel() = default;

    virtual int pointCount() const = 0;
    virtual int parameterCount() const = 0;

    // The model at every data point. Returns -1 when every value is defined and finite,
    // otherwise the 0-based index of the first point where the model has no value (its
    // domain guard held, or the value is not finite); values are then unspecified.
    virtual int evaluate(const Eigen::VectorXd& params, Eigen::VectorXd& values) = 0;

    // The same, and the Jacobian d value_i / d param_j (rows: points, columns: parameters).
    virtual int evaluateWithJacobian(const Eigen::VectorXd& params, Eigen::VectorXd& values,
                                     Eigen::MatrixXd& jacobian) = 0;

    // A bound of the rounding error that evaluating the model commits in each value at params:
    // far more than the last bit where a value is the small difference of large terms or the
    // sine of a large argument. False where the model cannot give one.
    virtual bool valueRounding(const Eigen::VectorXd& params, Eigen::VectorXd& bound) {
        (void)params;
        (void)bound;
        return false;
    }

    // Sizes of the independent variables at the data (the largest magnitude of each, and its
    // spread): the scale on which a location or width parameter acts. Empty where unknown.
    virtual std::vector<double> variableSizes() const { return {}; }

    // Whether the last evaluation that found no value stopped at a value beyond the range of
    // numbers (an overflow) rather than outside the model's domain.
    virtual bool lastFailureOverflowed() const { return false; }
    // Whether that overflow came from comparing the values with the data: values that a
    // number holds, but too many powers of ten beyond the data's size for the fit to work with.
    virtual bool lastFailureBeyondDataScale() const { return false; }

    // Names a data point in messages, such as "data point 3, x = 1.5"; i is 0-based.
    virtual std::string describePoint(int i) const { return "data point " + std::to_string(i + 1); }

    // Names a parameter in messages; j is 0-based.
    virtual std::string parameterName(int j) const { return "number " + std::to_string(j + 1); }
};

}  // namespace solver
