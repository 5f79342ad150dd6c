#include "fitting/solver/polynomial_rank.h"

#include <algorithm>
#include <set>

#include "fitting/solver/scaled_qr.h"

namespace solver {

namespace {

const char kLetters[] = "xyz";

const char* const kLead = "The coefficients cannot all be determined: ";

int highestPower(int model, int v) {
    int power = 0;
    for (const PolynomialTerm& t : polynomialTerms(model)) power = std::max(power, v == 0 ? t.px : v == 1 ? t.py : t.pz);
    return power;
}

// Whether the constant and the listed variables are linearly dependent on the data.
bool dependent(const Eigen::ArrayXXd& u, const std::vector<int>& vars) {
    Eigen::MatrixXd a(u.rows(), static_cast<Eigen::Index>(vars.size()) + 1);
    a.col(0).setOnes();
    for (std::size_t k = 0; k < vars.size(); ++k) a.col(static_cast<Eigen::Index>(k) + 1) = u.col(vars[k]).matrix();
    return !ScaledQR(std::move(a)).fullRank();
}

std::string listed(const std::vector<std::string>& names, const std::vector<int>& vars) {
    std::string text;
    for (std::size_t k = 0; k < vars.size(); ++k) {
        if (k > 0) text += k + 1 == vars.size() ? " and " : ", ";
        text += variableName(names, vars[k]);
    }
    return text;
}

}  // namespace

std::string variableName(const std::vector<std::string>& names, int v) {
    const std::string letter(1, kLetters[v]);
    const auto at = static_cast<std::size_t>(v);
    return at < names.size() && !names[at].empty() ? names[at] + " (" + letter + ")" : letter;
}

std::string rankDeficiencyReason(int model, const Eigen::ArrayXXd& u, const std::vector<std::string>& names) {
    const int vars = static_cast<int>(u.cols());
    for (int v = 0; v < vars; ++v) {
        const std::set<double> distinct(u.col(v).begin(), u.col(v).end());
        const int power = highestPower(model, v);
        if (static_cast<int>(distinct.size()) > power) continue;
        const std::string letter(1, kLetters[v]);
        return kLead + std::string("column ") + variableName(names, v) + " holds only " +
               std::to_string(distinct.size()) + (distinct.size() == 1 ? " distinct value" : " distinct values") +
               ", and the model's powers of " + letter + " up to " + letter +
               (power > 1 ? "^" + std::to_string(power) : "") + " need at least " + std::to_string(power + 1) + ".";
    }
    for (int v = 0; v < vars; ++v)
        for (int w = v + 1; w < vars; ++w)
            if (dependent(u, {v, w}))
                return kLead + std::string("columns ") + listed(names, {v, w}) +
                       " are collinear (on these data one is a straight-line function of the other), so the "
                       "model's terms are linearly dependent.";
    if (vars == 3 && dependent(u, {0, 1, 2}))
        return kLead + std::string("columns ") + listed(names, {0, 1, 2}) +
               " are linearly dependent (on these data each is a linear function of the other two), so the "
               "model's terms are linearly dependent.";
    std::vector<int> all;
    for (int v = 0; v < vars; ++v) all.push_back(v);
    return kLead + std::string("the model's terms are linearly dependent on these data (the points of ") +
           (vars == 1 ? "column " : "columns ") + listed(names, all) +
           " lie on a curve of the model's degree, such as one column being the square of another).";
}

}  // namespace solver
