#pragma once
// Parameters that the Jacobian cannot tell apart, and whose doing that is: the point's (a
// start that leaves a parameter without effect or makes two columns equal, which other
// starting values mend) or the model's and the data's (a parameter the model does not use at
// these data, two that act only together), which no starting value mends.
#include <string>
#include <vector>

#include <Eigen/Core>

#include "fitting/solver/fit_model.h"
#include "fitting/solver/fit_result.h"
#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stationary_point.h"

namespace solver {

// The parameters (0-based) whose columns are zero.
std::vector<int> zeroColumns(const ScaledQR& qr);

// The parameters that the rank-revealing factorisation of the column-scaled Jacobian finds
// spanned by the others (its pivots beyond the rank), in the order of the parameters.
std::vector<int> dependentParameters(const ScaledQR& qr);

// Whether the Jacobian is rank-deficient at every one of a few points spread widely around
// params (in size, sign and the ratios of the parameters) where the model has derivatives,
// at least two of them. Where it is, zeroEverywhere gets the parameters whose columns are zero
// at all of them and at params.
bool deficientEverywhere(FitModel& model, const Eigen::VectorXd& params, std::vector<int>& zeroEverywhere);

// "a", "a and b", "a, b and c".
std::string parameterList(const FitModel& model, const std::vector<int>& params);

// The message of parameters that no starting value can determine: those without effect
// (zero) or, where none is, those the others span (dependent).
std::string undeterminedMessage(const FitModel& model, const std::vector<int>& zero,
                                const std::vector<int>& dependent);

// The message of a fit that stops where the parameters named (zero) have no effect on the model:
// at the starting values, or where the steps from them led.
std::string noEffectMessage(const FitModel& model, const std::vector<int>& zero, bool atStart);

// The message of Gauss-Newton at a point, away from a minimum, where the parameters named
// (dependent) change the model only as the others do.
std::string singularAwayMessage(const FitModel& model, const std::vector<int>& dependent, bool atStart);

// The message of a fit that stopped at a stationary point where the parameters named change the
// model only as the others do, and the sum of squares does not rise along their change: a flat
// stretch (parameters run off to where the model no longer tells them apart), which other
// starting values may leave.
std::string flatMessage(const FitModel& model, const std::vector<int>& dependent);

// The message of parameters that these data do not determine at a minimum that fits them to
// their rounding: those without effect there (zero) or, where none is, those the others span.
std::string dataUndeterminedMessage(const FitModel& model, const std::vector<int>& zero,
                                    const std::vector<int>& dependent);

// How a fit ends at a point where the Jacobian (factored by qr) is rank-deficient, by whose
// doing that is, on the evidence of the point (test, with the point's Jacobian):
//  - the model's or the data's wherever the parameters stand: Singular, naming the parameters
//    (undetermined);
//  - the data's at a minimum that fits them to their rounding: Singular, naming the parameters
//    these data leave free;
//  - none at a minimum whose curvature the Jacobian does not show (the sum of squares rises
//    both ways along its weakest direction, curvedTol the tolerance of its gradient): Converged,
//    the standard errors undefined;
//  - the point's where a parameter has lost all effect there (a zero start, or a plateau the
//    steps ran onto): NotConverged, asking for other starting values;
//  - the point's at any other stationary point (a flat stretch): NotConverged, asking for other
//    starting values;
//  - otherwise the point's again (NotConverged, asking for other starting values or
//    Levenberg-Marquardt, which steps on in the parameters that have an effect).
struct DeficientEnd {
    FitStatus status;
    std::string message;
    bool undetermined;  // no starting value can mend it
};
DeficientEnd deficientEnd(FitModel& model, const Eigen::VectorXd& params, const ScaledQR& qr, bool atStart,
                          StationaryTest& test, double curvedTol);

}  // namespace solver
