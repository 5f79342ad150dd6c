#pragma once
// The outcome of the iterations of one solver, before the statistics are computed.
#include <string>

#include <Eigen/Core>

#include "fitting/solver/fit_model.h"
#include "fitting/solver/fit_result.h"

namespace solver {

struct IterationOutcome {
    explicit IterationOutcome(const Eigen::VectorXd& start) : params(start) {}

    FitStatus status = FitStatus::NotConverged;
    Eigen::VectorXd params;  // the last accepted point
    int iterations = 0;
    std::string message;     // set when status is not Converged

    IterationOutcome stop(FitStatus s, std::string text = {}) {
        status = s;
        message = std::move(text);
        return *this;
    }
    // Counts iteration iter; false, with the outcome NotConverged, past the limit.
    bool startIteration(int iter, const FitOptions& options);
    // Values and Jacobian at params; false, with the outcome NotConverged, where the model
    // has no derivatives.
    bool jacobianAt(FitModel& model, Eigen::VectorXd& values, Eigen::MatrixXd& jacobian);
};

// The vectors an iteration works in, for m points and n parameters.
struct Workspace {
    Workspace(Eigen::Index m, Eigen::Index n) : values(m), trialValues(m), jacobian(m, n) {}
    Eigen::VectorXd values, trialValues;
    Eigen::MatrixXd jacobian;
};

// Gauss-Newton with step halving; the model must be defined at start.
IterationOutcome runGaussNewton(FitModel& model, const Eigen::VectorXd& observed,
                                const Eigen::VectorXd& start, const FitOptions& options);

// Levenberg-Marquardt with a scaled trust region; the model must be defined at start.
IterationOutcome runLevenbergMarquardt(FitModel& model, const Eigen::VectorXd& observed,
                                       const Eigen::VectorXd& start, const FitOptions& options);

}  // namespace solver
