#include "fitting/solver/polynomial_fit.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <string>

#include <Eigen/Dense>

#include "fitting/solver/fit_statistics.h"
#include "fitting/solver/polynomial_rank.h"
#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stable_norm.h"

namespace solver {

namespace {

using Terms = std::vector<PolynomialTerm>;

const Terms kModels[kPolynomialModelCount] = {
    {{0, 0, 0}, {1, 0, 0}},
    {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}},
    {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}},
    {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
    {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 0, 0}, {0, 2, 0}},
    {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 0, 0}, {0, 2, 0}, {1, 2, 0}, {2, 1, 0}, {3, 0, 0}, {0, 3, 0}},
    {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
    {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}, {2, 0, 0}, {0, 2, 0}, {0, 0, 2}},
    {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}, {2, 0, 0}, {0, 2, 0},
     {0, 0, 2}, {2, 1, 0}, {2, 0, 1}, {1, 2, 0}, {0, 2, 1}, {1, 0, 2}, {0, 1, 2}, {3, 0, 0}, {0, 3, 0},
     {0, 0, 3}},
};

int findTerm(const Terms& terms, int px, int py, int pz) {
    for (std::size_t k = 0; k < terms.size(); ++k)
        if (terms[k].px == px && terms[k].py == py && terms[k].pz == pz) return static_cast<int>(k);
    return -1;
}

double binomial(int n, int k) {
    double r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

// A positive factor kept as mantissa * 2^exponent, so that powers of huge or tiny scales
// neither overflow nor underflow before the final coefficient is formed.
struct PowerOfTwoScale {
    double mantissa = 1;
    long exponent = 0;
    void times(double factor, int power) {
        int e = 0;
        const double m = std::frexp(factor, &e);
        mantissa *= std::pow(m, power);
        exponent += static_cast<long>(e) * power;
    }
    // value * this, and the decimal exponent of the exact result (for messages).
    double apply(double value, double& log10Magnitude) const {
        const double q = value * mantissa;
        log10Magnitude = q == 0 ? 0 : std::log10(std::abs(q)) + static_cast<double>(exponent) * std::log10(2.0);
        const long e = std::clamp<long>(exponent, -100000, 100000);
        return std::ldexp(q, static_cast<int>(e));
    }
};

// A variable v as the fit uses it: u = (w - centre) / spread with w = x / magnitude, so
// x = magnitude * spread * (u + centre / spread); each factor stays within a Double.
struct VariableScale {
    double magnitude = 1, spread = 1, offset = 0;  // offset = centre / spread
};

// T~ with b = D T~ c: the coefficients of a polynomial given in u, as coefficients in
// x / (magnitude * spread) of each variable. D, the powers of the scales, is applied apart.
// Every model's term set holds all the lower terms its expansion produces. The offsets are
// at most about 2^53 (a spread below the rounding of the centre is no spread), so no entry
// overflows.
Eigen::MatrixXd backTransform(const Terms& terms, const VariableScale scales[3]) {
    const int p = static_cast<int>(terms.size());
    Eigen::MatrixXd t = Eigen::MatrixXd::Zero(p, p);
    for (int k = 0; k < p; ++k) {
        const int ex = terms[k].px, ey = terms[k].py, ez = terms[k].pz;
        for (int i = 0; i <= ex; ++i)
            for (int j = 0; j <= ey; ++j)
                for (int l = 0; l <= ez; ++l) {
                    const int row = findTerm(terms, i, j, l);
                    const double cx = binomial(ex, i) * std::pow(-scales[0].offset, ex - i);
                    const double cy = binomial(ey, j) * std::pow(-scales[1].offset, ey - j);
                    const double cz = binomial(ez, l) * std::pow(-scales[2].offset, ez - l);
                    t(row, k) += cx * cy * cz;
                }
    }
    return t;
}

FitResult fail(FitStatus status, std::string message) {
    FitResult r;
    r.status = status;
    r.message = std::move(message);
    return r;
}

std::string termText(const PolynomialTerm& t) {
    std::string text;
    const int powers[3] = {t.px, t.py, t.pz};
    for (int v = 0; v < 3; ++v) {
        if (powers[v] == 0) continue;
        if (!text.empty()) text += "*";
        text += std::string(1, "xyz"[v]) + (powers[v] > 1 ? "^" + std::to_string(powers[v]) : "");
    }
    return text;
}

// The columns whose values make the figure of term t too large or too small.
std::string culprits(const PolynomialTerm& t, const std::vector<std::string>& names, int vars) {
    std::string text;
    const int powers[3] = {t.px, t.py, t.pz};
    for (int v = 0; v < vars; ++v) {
        if (powers[v] == 0) continue;
        text += text.empty() ? "" : " and ";
        text += variableName(names, v);
    }
    if (text.empty()) {
        const auto dep = static_cast<std::size_t>(vars);
        return "of the dependent variable" + (dep < names.size() && !names[dep].empty() ? " " + names[dep] : "");
    }
    return "of " + text;
}

// Empty when value holds the exact figure (a standard error, an estimate of a few digits,
// may lose digits below the normal range but not vanish); otherwise the sentence of the refusal.
std::string unrepresentable(double value, double log10Magnitude, bool estimate, const std::string& figure,
                            const PolynomialTerm& t, const std::vector<std::string>& names, int vars) {
    const bool tooLarge = !std::isfinite(value);
    const bool tooSmall = !tooLarge && log10Magnitude != 0 &&
                          (estimate ? value == 0 : std::abs(value) < std::numeric_limits<double>::min());
    if (!tooLarge && !tooSmall) return {};
    const long decimal = std::lround(log10Magnitude);
    const std::string about = "1E" + std::string(decimal < 0 ? "-" : "+") + std::to_string(std::labs(decimal));
    return "The fit cannot be written in numbers: the values " + culprits(t, names, vars) +
           " are too large for the model's powers (" + figure + " would be about " + about +
           (tooLarge ? ", above the largest number, 1.8E+308)." : ", below the smallest number, 2.2E-308).");
}

FitResult solve(const PolynomialFitRequest& req) {
    const int vars = polynomialVariables(req.model);
    if (vars == 0) return fail(FitStatus::BadInput, "Please choose one of the nine polynomial models.");
    const Terms& terms = polynomialTerms(req.model);
    const int p = static_cast<int>(terms.size());
    if (static_cast<int>(req.columns.size()) < vars) return fail(FitStatus::BadInput, "Please select variables first.");
    const std::size_t mSize = req.observed.size();
    for (int v = 0; v < vars; ++v)
        if (req.columns[v].size() != mSize) return fail(FitStatus::BadInput, "The data columns have different lengths.");
    const int m = static_cast<int>(mSize);
    if (m < p)
        return fail(FitStatus::BadInput, "There are fewer data points (" + std::to_string(m) +
                                             ") than coefficients (" + std::to_string(p) + ").");
    for (int i = 0; i < m; ++i) {
        bool ok = std::isfinite(req.observed[i]);
        for (int v = 0; v < vars; ++v) ok = ok && std::isfinite(req.columns[v][i]);
        if (!ok)
            return fail(FitStatus::BadInput, "The data hold a value that is not a finite number (data point " +
                                                 std::to_string(i + 1) + ").");
    }

    // Each variable divided by its largest magnitude (so that no sum overflows), centred on
    // its mean and scaled into [-1, 1]; the dependent variable divided by the power of two at or
    // above its largest magnitude, exactly, so that its residuals are turned back without rounding.
    VariableScale scales[3];
    Eigen::ArrayXXd u(m, vars);
    for (int v = 0; v < vars; ++v) {
        const Eigen::Map<const Eigen::ArrayXd> col(req.columns[v].data(), m);
        VariableScale& s = scales[v];
        const double magnitude = col.abs().maxCoeff();
        s.magnitude = magnitude > 0 ? magnitude : 1.0;
        const Eigen::ArrayXd w = col / s.magnitude;
        const double centre = w.mean();
        const double spread = (w - centre).abs().maxCoeff();
        s.spread = spread > 0 ? spread : 1.0;
        s.offset = centre / s.spread;
        u.col(v) = (w - centre) / s.spread;
    }
    const Eigen::Map<const Eigen::VectorXd> observed(req.observed.data(), m);
    const double yScale = powerOfTwoScale(observed);
    const Eigen::VectorXd y = observed / yScale;
    // Each term's column as a product of powers of those.
    Eigen::MatrixXd a(m, p);
    for (int k = 0; k < p; ++k) {
        auto column = a.col(k).array();
        column.setOnes();
        const int powers[3] = {terms[k].px, terms[k].py, terms[k].pz};
        for (int v = 0; v < vars; ++v)
            for (int e = 0; e < powers[v]; ++e) column *= u.col(v);
    }

    // Decomposed in place (the matrix is not needed afterwards), each column scaled to unit
    // norm, so the pivoting and the rank test see every term alike.
    const ScaledQR qr(std::move(a));
    const bool fullRank = qr.fullRank();
    Eigen::VectorXd fitted;
    const Eigen::VectorXd c = qr.solve(y, nullptr, &fitted);
    const Eigen::MatrixXd t = backTransform(terms, scales);
    const Eigen::VectorXd bScaled = t * c;
    // Covariance of b = D T~ cov(c) T~^T D, cov(c) = s^2 (A^T A)^-1 = s^2 G G^T.
    const Eigen::MatrixXd tg = fullRank ? Eigen::MatrixXd(t * qr.inverseFactor()) : Eigen::MatrixXd();

    // The statistics at the data's scale; s also at the scale of y, where the standard errors
    // are formed before their own factors (which may take them through the subnormal range).
    FitResult r;
    const double sOfY = fillGoodnessOfFit(r, y, fitted, p, yScale);
    // Where the data do not determine every coefficient the standard errors stay undefined.
    const double sScaled = fullRank ? sOfY : std::numeric_limits<double>::quiet_NaN();
    // Row k is the coefficient of term k: b_k = D_k (T~ c)_k, D_k = yScale / prod (magnitude * spread)^power.
    const auto factor = [&](int k) {
        PowerOfTwoScale d;
        d.times(yScale, 1);
        const int powers[3] = {terms[k].px, terms[k].py, terms[k].pz};
        for (int v = 0; v < vars; ++v) {
            d.times(scales[v].magnitude, -powers[v]);
            d.times(scales[v].spread, -powers[v]);
        }
        return d;
    };
    const auto figureName = [&](int k) {
        return "b" + std::to_string(k) + (k > 0 ? " of " + termText(terms[k]) : "");
    };
    const auto unscaleCoefficient = [&](int k, double& b) {
        double log10b = 0;
        b = factor(k).apply(bScaled(k), log10b);
        std::string why =
            unrepresentable(b, log10b, false, "the coefficient " + figureName(k), terms[k], req.names, vars);
        // A coefficient within the rounding of the sum that forms it is 0 as far as the data
        // tell (a cubic through the points of a line): where it would leave the range of
        // Doubles it is written as 0, not refused.
        const double rounding = 1e-12 * (t.row(k).array().abs() * c.transpose().array().abs()).sum();
        if (!why.empty() && std::abs(bScaled(k)) <= rounding) {
            why.clear();
            b = 0;
        }
        return why;
    };
    // No degrees of freedom left: the standard errors stay undetermined (NaN).
    const auto unscaleError = [&](int k, double& se) {
        if (std::isnan(sScaled)) return (se = sScaled, std::string());
        double log10se = 0;
        se = factor(k).apply(sScaled * tg.row(k).norm(), log10se);
        return unrepresentable(se, log10se, true, "the standard error of " + figureName(k), terms[k], req.names,
                               vars);
    };
    r.parameters.resize(p);
    r.standardErrors.resize(p);
    // The coefficients first, then their standard errors: a refusal names the first figure
    // beyond the range of Doubles.
    for (int k = 0; k < p; ++k) {
        const std::string why = unscaleCoefficient(k, r.parameters[k]);
        if (!why.empty() && fullRank) return fail(FitStatus::BadInput, why);
    }
    for (int k = 0; k < p; ++k) {
        const std::string why = unscaleError(k, r.standardErrors[k]);
        if (!why.empty()) return fail(FitStatus::BadInput, why);
    }
    r.iterations = 0;
    r.status = fullRank ? FitStatus::Converged : FitStatus::Singular;
    if (!fullRank) r.message = rankDeficiencyReason(req.model, u, req.names);
    return r;
}

}  // namespace

const std::vector<PolynomialTerm>& polynomialTerms(int model) {
    static const Terms none;
    return model >= 1 && model <= kPolynomialModelCount ? kModels[model - 1] : none;
}

int polynomialVariables(int model) {
    if (model < 1 || model > kPolynomialModelCount) return 0;
    return (model - 1) / 3 + 1;
}

FitResult fitPolynomial(const PolynomialFitRequest& request) {
    try {
        return solve(request);
    } catch (const std::exception& e) {
        return fail(FitStatus::BadInput, std::string("The fit failed: ") + e.what());
    } catch (...) {
        return fail(FitStatus::BadInput, "The fit failed.");
    }
}

}  // namespace solver
