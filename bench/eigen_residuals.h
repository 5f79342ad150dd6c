#pragma once
// The residuals f(x; p) - y of a FormulaModel in the form Eigen's
// Levenberg-Marquardt (unsupported NonLinearOptimization) calls, so that a
// benchmark times Eigen's algorithm over the very model and exact derivatives
// our solver uses.
#include <Eigen/Dense>

#include "fitting/solver/formula_model.h"

struct ResidualFunctor {
    using Scalar = double;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };
    using InputType = Eigen::VectorXd;
    using ValueType = Eigen::VectorXd;
    using JacobianType = Eigen::MatrixXd;

    solver::FormulaModel& model;
    Eigen::VectorXd observed;
    Eigen::VectorXd scratch;

    int inputs() const { return model.parameterCount(); }
    int values() const { return model.pointCount(); }
    int operator()(const Eigen::VectorXd& p, Eigen::VectorXd& fvec) {
        if (model.evaluate(p, fvec) >= 0) return -1;
        fvec -= observed;
        return 0;
    }
    int df(const Eigen::VectorXd& p, Eigen::MatrixXd& fjac) {
        return model.evaluateWithJacobian(p, scratch, fjac) >= 0 ? -1 : 0;
    }
};
