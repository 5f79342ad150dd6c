#pragma once
// A formula text compiled by Cls6 and evaluated at points, and numeric
// derivatives of it, for the tests of the symbolic derivatives.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "formula/cls6.h"

namespace derivative_test {

class Compiled {
public:
    explicit Compiled(const std::string& text) : text_(text) {
        ok_ = cls6_.InfixToPostfix(text, postfix_) == 0;
    }
    bool ok() const { return ok_; }
    const std::string& text() const { return text_; }

    // The value at v; false where the formula has none (or fails).
    bool at(const formula::Vars& v, double& value) {
        double r = 0;
        if (!ok_ || !cls6_.DoEvaluate(postfix_, false, r, v)) return false;
        if (r == formula::UndefinedValue) return false;
        value = r;
        return true;
    }

    // The derivative by slot at v by a five-point central difference; false
    // where a sample has no value.
    bool slope(formula::Vars v, int slot, double& d) {
        const std::size_t s = static_cast<std::size_t>(slot);
        const double x = v[s], h = 1e-3 * std::max(1.0, std::fabs(x));
        double f[4];
        const double offsets[4] = {-2 * h, -h, h, 2 * h};
        for (int k = 0; k < 4; ++k) {
            v[s] = x + offsets[k];
            if (!at(v, f[k])) return false;
        }
        d = (f[0] - 8 * f[1] + 8 * f[2] - f[3]) / (12 * h);
        return true;
    }

private:
    std::string text_;
    std::string postfix_;
    formula::Cls6 cls6_;
    bool ok_ = false;
};

}  // namespace derivative_test
