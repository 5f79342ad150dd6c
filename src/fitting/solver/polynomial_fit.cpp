#include "fitting/solver/polynomial_fit.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <string>

#include <Eigen/Dense>

#include "fitting/solver/fit_statistics.h"
#include "fitting/solver/scaled_qr.h"

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

// T with b = T c: the coefficients in x, y, z of a polynomial given in u = (x - centre) / scale.
// Every model's term set holds all the lower terms its expansion produces.
Eigen::MatrixXd backTransform(const Terms& terms, const double centre[3], const double scale[3]) {
    const int p = static_cast<int>(terms.size());
    Eigen::MatrixXd t = Eigen::MatrixXd::Zero(p, p);
    for (int k = 0; k < p; ++k) {
        const int ex = terms[k].px, ey = terms[k].py, ez = terms[k].pz;
        for (int i = 0; i <= ex; ++i)
            for (int j = 0; j <= ey; ++j)
                for (int l = 0; l <= ez; ++l) {
                    const int row = findTerm(terms, i, j, l);
                    const double cx = binomial(ex, i) * std::pow(-centre[0], ex - i) / std::pow(scale[0], ex);
                    const double cy = binomial(ey, j) * std::pow(-centre[1], ey - j) / std::pow(scale[1], ey);
                    const double cz = binomial(ez, l) * std::pow(-centre[2], ez - l) / std::pow(scale[2], ez);
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

    // Centre each variable on its mean and scale it into [-1, 1].
    double centre[3] = {0, 0, 0}, scale[3] = {1, 1, 1};
    Eigen::ArrayXXd u(m, vars);
    for (int v = 0; v < vars; ++v) {
        const Eigen::Map<const Eigen::ArrayXd> col(req.columns[v].data(), m);
        centre[v] = col.mean();
        const double s = (col - centre[v]).abs().maxCoeff();
        scale[v] = s > 0 ? s : 1.0;
        u.col(v) = (col - centre[v]) / scale[v];
    }
    // Each term's column as a product of powers of those.
    Eigen::MatrixXd a(m, p);
    for (int k = 0; k < p; ++k) {
        auto column = a.col(k).array();
        column.setOnes();
        const int powers[3] = {terms[k].px, terms[k].py, terms[k].pz};
        for (int v = 0; v < vars; ++v)
            for (int e = 0; e < powers[v]; ++e) column *= u.col(v);
    }
    const Eigen::Map<const Eigen::VectorXd> y(req.observed.data(), m);

    // Decomposed in place (the matrix is not needed afterwards), each column scaled to unit
    // norm, so the pivoting and the rank test see every term alike.
    const ScaledQR qr(std::move(a));
    Eigen::VectorXd fitted;
    const Eigen::VectorXd c = qr.solve(y, nullptr, &fitted);
    const Eigen::MatrixXd t = backTransform(terms, centre, scale);
    const Eigen::VectorXd b = t * c;

    FitResult r;
    r.status = FitStatus::Converged;
    r.iterations = 0;
    r.parameters.assign(b.data(), b.data() + p);
    fillGoodnessOfFit(r, y, fitted, p);
    r.standardErrors.assign(p, std::numeric_limits<double>::quiet_NaN());
    if (!qr.fullRank()) {
        r.status = FitStatus::Singular;
        r.message = "The coefficients cannot all be determined from the data: the data hold too few "
                    "distinct values of the independent variables for this model.";
        return r;
    }
    // Covariance of b = T cov(c) T^T, cov(c) = s^2 (A^T A)^-1 = s^2 G G^T.
    const Eigen::MatrixXd tg = t * qr.inverseFactor();
    for (int k = 0; k < p; ++k) r.standardErrors[k] = r.residualStdDev * tg.row(k).norm();
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
