#pragma once
// ScaledModel: a model's values and derivatives divided by a power of two, the scale of the
// data, so that the iterations work on residuals of about unit size whatever the units of
// the data: their squares, products and sums then neither overflow nor underflow. A power of
// two divides without rounding, so the iterations take the same steps as on the data itself.
#include "fitting/solver/fit_model.h"

namespace solver {

class ScaledModel : public FitModel {
public:
    ScaledModel(FitModel& model, double scale) : model_(model), factor_(1 / scale) {}

    int pointCount() const override { return model_.pointCount(); }
    int parameterCount() const override { return model_.parameterCount(); }
    int evaluate(const Eigen::VectorXd& params, Eigen::VectorXd& values) override {
        const int bad = model_.evaluate(params, values);
        if (bad < 0) values *= factor_;
        return bad;
    }
    int evaluateWithJacobian(const Eigen::VectorXd& params, Eigen::VectorXd& values,
                             Eigen::MatrixXd& jacobian) override {
        const int bad = model_.evaluateWithJacobian(params, values, jacobian);
        if (bad < 0) {
            values *= factor_;
            jacobian *= factor_;
        }
        return bad;
    }
    std::string describePoint(int i) const override { return model_.describePoint(i); }
    std::string parameterName(int j) const override { return model_.parameterName(j); }

private:
    FitModel& model_;
    const double factor_;
};

}  // namespace solver
