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

// The message of a fit that stops where parameter j has no effect on the model: at the
// starting values, or where the steps from them led.
std::string noEffectMessage(const FitModel& model, int j, bool atStart);

// The message of Gauss-Newton at a point, away from a minimum, where the parameters named
// (dependent) change the model only as the others do.
std::string singularAwayMessage(const FitModel& model, const std::vector<int>& dependent, bool atStart);

// How a fit ends at a point where the Jacobian (factored by qr) is rank-deficient, by whose
// doing that is: the model's or the data's wherever the parameters stand (Singular, naming
// the parameters: undetermined); the point's where a parameter has lost all effect there (a
// zero start, or a plateau the steps ran onto: NotConverged, asking for other starting
// values); the data's at a stationary point (Singular, stationaryMessage); otherwise the
// point's again (NotConverged, asking for other starting values or Levenberg-Marquardt, which
// steps on in the parameters that have an effect).
struct DeficientEnd {
    FitStatus status;
    std::string message;
    bool undetermined;  // no starting value can mend it
};
DeficientEnd deficientEnd(FitModel& model, const Eigen::VectorXd& params, const ScaledQR& qr, bool atStart,
                          bool stationary, const char* stationaryMessage);

}  // namespace solver
