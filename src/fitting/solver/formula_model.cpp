#include "fitting/solver/formula_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace solver {

namespace {

std::vector<int> slotsOf(const std::vector<int>& letters) {
    std::vector<int> slots;
    slots.reserve(letters.size());
    for (int l : letters) slots.push_back(formula::kVarA + l);
    return slots;
}

}  // namespace

std::string numberText(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

FormulaModel::FormulaModel(formula::Program program, std::vector<int> letters,
                           std::vector<std::vector<double>> columns)
    : program_(std::move(program)),
      letters_(std::move(letters)),
      columns_(std::move(columns)),
      points_(columns_.empty() ? 0 : static_cast<int>(columns_[0].size())),
      gradient_(program_, slotsOf(letters_)),
      row_(letters_.size()) {}

void FormulaModel::setParameters(const Eigen::VectorXd& params) {
    for (std::size_t k = 0; k < letters_.size(); ++k) vars_[formula::kVarA + letters_[k]] = params(k);
}

void FormulaModel::setPoint(int i) {
    for (std::size_t c = 0; c < columns_.size() && c < 3; ++c) vars_[formula::kVarX + c] = columns_[c][i];
}

int FormulaModel::evaluate(const Eigen::VectorXd& params, Eigen::VectorXd& values) {
    values.resize(points_);
    setParameters(params);
    for (int i = 0; i < points_; ++i) {
        setPoint(i);
        const formula::EvalResult r = formula::evaluate(program_, vars_, false);
        // A failure is an overflow: the fit refuses models whose tokens fail, and no guard
        // shows a message here.
        overflowed_ = r.status == formula::EvalStatus::Failed;
        if (r.status != formula::EvalStatus::Ok) return i;
        values(i) = r.value;
    }
    return -1;
}

int FormulaModel::evaluateWithJacobian(const Eigen::VectorXd& params, Eigen::VectorXd& values,
                                       Eigen::MatrixXd& jacobian) {
    const int n = parameterCount();
    values.resize(points_);
    jacobian.resize(points_, n);
    setParameters(params);
    for (int i = 0; i < points_; ++i) {
        setPoint(i);
        double v = 0;
        if (gradient_.evaluate(vars_, v, row_.data()) != formula::EvalStatus::Ok) {
            overflowed_ = overflowsAt(i);
            return i;
        }
        values(i) = v;
        for (int k = 0; k < n; ++k) jacobian(i, k) = row_[k];
    }
    return -1;
}

bool FormulaModel::valueRounding(const Eigen::VectorXd& params, Eigen::VectorXd& bound) {
    bound.resize(points_);
    setParameters(params);
    for (int i = 0; i < points_; ++i) {
        setPoint(i);
        double value = 0, rounding = 0;
        if (formula::evaluateRounding(program_, vars_, false, value, rounding) != formula::EvalStatus::Ok ||
            !std::isfinite(rounding))
            return false;
        bound(i) = rounding;
    }
    return true;
}

bool FormulaModel::overflowsAt(int i) {
    setPoint(i);
    const formula::EvalResult r = formula::evaluate(program_, vars_, false);
    if (r.status != formula::EvalStatus::Ok) return r.status == formula::EvalStatus::Failed;
    // The value is a number: a derivative is infinite (an overflow) or has no value (NaN).
    double v = 0;
    std::fill(row_.begin(), row_.end(), 0.0);
    gradient_.evaluate(vars_, v, row_.data());
    return std::none_of(row_.begin(), row_.end(), [](double g) { return std::isnan(g); });
}

std::vector<double> FormulaModel::variableSizes() const {
    std::vector<double> sizes;
    for (const std::vector<double>& column : columns_) {
        if (column.empty()) continue;
        const auto [low, high] = std::minmax_element(column.begin(), column.end());
        for (double size : {std::max(std::abs(*low), std::abs(*high)), *high - *low})
            if (size > 0 && std::isfinite(size)) sizes.push_back(size);
    }
    return sizes;
}

std::string FormulaModel::parameterName(int j) const {
    return std::string(1, static_cast<char>('a' + letters_.at(j)));
}

std::string FormulaModel::describePoint(int i) const {
    static const char* const names[] = {"x", "y", "z"};
    std::string s = "data point " + std::to_string(i + 1);
    for (std::size_t c = 0; c < columns_.size() && c < 3; ++c)
        s += std::string(", ") + names[c] + " = " + numberText(columns_[c][i]);
    return s;
}

}  // namespace solver
