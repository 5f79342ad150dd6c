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
        int bad = model_.evaluate(params, values);
        scaledOverflow_ = false;
        if (bad < 0) {
            values *= factor_;
            bad = firstBeyondRange(values);
            scaledOverflow_ = bad >= 0;
        }
        return bad;
    }
    int evaluateWithJacobian(const Eigen::VectorXd& params, Eigen::VectorXd& values,
                             Eigen::MatrixXd& jacobian) override {
        int bad = model_.evaluateWithJacobian(params, values, jacobian);
        scaledOverflow_ = false;
        if (bad < 0) {
            values *= factor_;
            jacobian *= factor_;
            bad = firstBeyondRange(values);
            if (bad < 0) bad = firstBeyondRange(jacobian);
            scaledOverflow_ = bad >= 0;
        }
        return bad;
    }
    bool valueRounding(const Eigen::VectorXd& params, Eigen::VectorXd& bound) override {
        if (!model_.valueRounding(params, bound)) return false;
        bound *= factor_;
        return bound.allFinite();
    }
    // Values that a number holds can still be beyond the range at the data's scale (a model
    // of 1e300 against data of 1e-20): an overflow as well.
    bool lastFailureOverflowed() const override { return scaledOverflow_ || model_.lastFailureOverflowed(); }
    bool lastFailureBeyondDataScale() const override { return scaledOverflow_; }
    std::vector<double> variableSizes() const override { return model_.variableSizes(); }
    std::string describePoint(int i) const override { return model_.describePoint(i); }
    std::string parameterName(int j) const override { return model_.parameterName(j); }

private:
    // The first point (row) with a scaled entry that is not finite, or -1. Only data smaller
    // than 1 scale the model up: dividing by a larger scale cannot overflow.
    int firstBeyondRange(const Eigen::MatrixXd& scaled) const {
        if (factor_ <= 1 || scaled.allFinite()) return -1;
        for (Eigen::Index i = 0;; ++i)
            if (!scaled.row(i).allFinite()) return static_cast<int>(i);
    }

    FitModel& model_;
    const double factor_;
    bool scaledOverflow_ = false;
};

}  // namespace solver
