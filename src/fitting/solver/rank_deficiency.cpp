#include "fitting/solver/rank_deficiency.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "fitting/solver/stable_norm.h"

namespace solver {

namespace {

// The probe points, each parameter's value in turn: its own value times a factor of random
// size (0.5 to 2) and sign (positive in the first probes, which keep a model's domain), scaled
// by the probe's scale; then values of their own, of random size and sign about the probe's
// scale, which carry an exponential term off a plateau however far its rate has run away. A
// parameter at 0 takes its own value from the probe's scale in the first probes as well.
struct Probe {
    double scale;
    bool own;       // the parameter's own value times the scale, or the scale alone
    bool positive;  // no change of sign
};
constexpr Probe kProbes[] = {{1, true, true},     {1, true, true},     {1e-3, true, true}, {1e3, true, true},
                             {1, true, false},    {1e-6, true, false}, {1, false, true},   {1e-3, false, false},
                             {1e-6, false, false}, {1e-9, false, true}};
constexpr int kNeededProbes = 2;
// Probes whose parameters mix the variables' sizes.
constexpr std::size_t kMixedProbes = 6;

// Deterministic, so a fit gives the same message on every run.
class ProbeRandom {
public:
    double unit() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state_ >> 11) * 0x1p-53;
    }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

}  // namespace

std::vector<int> zeroColumns(const ScaledQR& qr) {
    std::vector<int> zero;
    for (Eigen::Index j = 0; j < qr.columnNorms().size(); ++j)
        if (qr.columnNorms()(j) == 0) zero.push_back(static_cast<int>(j));
    return zero;
}

std::vector<int> dependentParameters(const ScaledQR& qr) {
    std::vector<int> dependent;
    const Eigen::VectorXi& perm = qr.permutation();
    for (Eigen::Index k = qr.rank(); k < perm.size(); ++k) dependent.push_back(perm(k));
    std::sort(dependent.begin(), dependent.end());
    return dependent;
}

bool deficientEverywhere(FitModel& model, const Eigen::VectorXd& params, std::vector<int>& zeroEverywhere) {
    const Eigen::Index n = params.size();
    Eigen::VectorXd values, probe(n);
    Eigen::MatrixXd jac;
    ProbeRandom random;
    std::vector<char> zero(static_cast<std::size_t>(n), 1);
    if (model.evaluateWithJacobian(params, values, jac) < 0) {
        const Eigen::VectorXd norms = columnLengths(jac);
        for (Eigen::Index j = 0; j < n; ++j) zero[j] = norms(j) == 0;
    }
    int defined = 0;
    // Whether the Jacobian at the probe is rank-deficient (or has no value there).
    auto deficientAt = [&] {
        if (!probe.allFinite() || model.evaluateWithJacobian(probe, values, jac) >= 0 || !jac.allFinite()) return true;
        ++defined;
        const ScaledQR qr(jac);
        if (qr.fullRank()) return false;
        for (Eigen::Index j = 0; j < n; ++j) zero[j] = zero[j] && qr.columnNorms()(j) == 0;
        return true;
    };
    for (const Probe& t : kProbes) {
        for (Eigen::Index j = 0; j < n; ++j) {
            const double factor = 0.5 * std::exp2(2 * random.unit());
            const double sign = !t.positive && random.unit() < 0.5 ? -1 : 1;
            probe(j) = sign * t.scale * factor * (t.own && params(j) != 0 ? params(j) : 1.0);
        }
        if (!deficientAt()) return false;
    }
    // Parameters on the scale of the variables (a location or a width among the data, which the
    // scalings of the parameters' own values never reach): all on one size, then mixed.
    const std::vector<double> sizes = model.variableSizes();
    for (std::size_t k = 0; k < sizes.size() + kMixedProbes && !sizes.empty(); ++k) {
        for (Eigen::Index j = 0; j < n; ++j) {
            const double size = k < sizes.size() ? sizes[k] : sizes[static_cast<std::size_t>(random.unit() * sizes.size())];
            probe(j) = (random.unit() < 0.5 ? -1 : 1) * size * 0.5 * std::exp2(2 * random.unit());
        }
        if (!deficientAt()) return false;
    }
    if (defined < kNeededProbes) return false;
    zeroEverywhere.clear();
    for (Eigen::Index j = 0; j < n; ++j)
        if (zero[j]) zeroEverywhere.push_back(static_cast<int>(j));
    return true;
}

std::string parameterList(const FitModel& model, const std::vector<int>& params) {
    std::string s;
    for (std::size_t k = 0; k < params.size(); ++k) {
        if (k > 0) s += k + 1 == params.size() ? " and " : ", ";
        s += model.parameterName(params[k]);
    }
    return s;
}

std::string undeterminedMessage(const FitModel& model, const std::vector<int>& zero,
                                const std::vector<int>& dependent) {
    if (!zero.empty()) {
        const bool one = zero.size() == 1;
        return std::string(one ? "The parameter " : "The parameters ") + parameterList(model, zero) +
               " cannot be determined: with these data the model does not change with " + (one ? "it" : "them") +
               ", whatever the parameters' values.";
    }
    const bool one = dependent.size() == 1;
    return std::string("The parameters cannot all be determined: with these data ") +
           (one ? "the parameter " : "the parameters ") + parameterList(model, dependent) +
           (one ? " changes" : " change") + " the model only as the others do, whatever the parameters' values.";
}

std::string noEffectMessage(const FitModel& model, const std::vector<int>& zero, bool atStart) {
    const bool one = zero.size() == 1;
    const std::string who = std::string(one ? "the parameter " : "the parameters ") + parameterList(model, zero) +
                            (one ? " has" : " have") + " no effect on the model";
    if (atStart) return "T" + who.substr(1) + " at the starting values; please try other starting values.";
    return "The fit stopped where " + who + "; please try other starting values.";
}

std::string singularAwayMessage(const FitModel& model, const std::vector<int>& dependent, bool atStart) {
    const bool one = dependent.size() == 1;
    return std::string(atStart ? "The Jacobian is singular at the starting values"
                               : "Gauss-Newton stopped where the Jacobian is singular, away from a minimum") +
           ": there " + (one ? "the parameter " : "the parameters ") + parameterList(model, dependent) +
           (one ? " changes" : " change") +
           " the model only as the others do; please try other starting values, or Levenberg-Marquardt.";
}

std::string flatMessage(const FitModel& model, const std::vector<int>& dependent) {
    const bool one = dependent.size() == 1;
    return std::string("The fit stopped where ") + (one ? "the parameter " : "the parameters ") +
           parameterList(model, dependent) + (one ? " changes" : " change") +
           " the model only as the others do, and the sum of squares does not rise along "
           "that change; please try other starting values.";
}

std::string dataUndeterminedMessage(const FitModel& model, const std::vector<int>& zero,
                                    const std::vector<int>& dependent) {
    const std::string head = "The parameters cannot all be determined from the data: at the solution ";
    if (!zero.empty()) {
        const bool one = zero.size() == 1;
        return head + "the model does not change with " + (one ? "the parameter " : "the parameters ") +
               parameterList(model, zero) + ".";
    }
    const bool one = dependent.size() == 1;
    return head + (one ? "the parameter " : "the parameters ") + parameterList(model, dependent) +
           (one ? " changes" : " change") + " the model only as the others do.";
}

DeficientEnd deficientEnd(FitModel& model, const Eigen::VectorXd& params, const ScaledQR& qr, bool atStart,
                          StationaryTest& test, double curvedTol) {
    std::vector<int> zeroEverywhere;
    if (deficientEverywhere(model, params, zeroEverywhere))
        return {FitStatus::Singular, undeterminedMessage(model, zeroEverywhere, dependentParameters(qr)), true};
    const std::vector<int> zero = zeroColumns(qr);
    const bool stationary = test.stationary();
    if (stationary && test.exactFit())
        return {FitStatus::Singular, dataUndeterminedMessage(model, zero, dependentParameters(qr)), false};
    if (stationary && test.curvedMinimum(curvedTol)) return {FitStatus::Converged, {}, false};
    if (!zero.empty()) return {FitStatus::NotConverged, noEffectMessage(model, zero, atStart), false};
    if (stationary) return {FitStatus::NotConverged, flatMessage(model, dependentParameters(qr)), false};
    return {FitStatus::NotConverged, singularAwayMessage(model, dependentParameters(qr), atStart), false};
}

}  // namespace solver
