// Two independent roads to the Jacobian check each other: the derivative of
// each certified reference model by each parameter, differentiated
// symbolically, printed and compiled, against the GradientEvaluator column
// (forward mode over the compiled model) at every data point, at the
// certified values and at both starts.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../../formula/derivative_support.h"
#include "fitting/solver/gradient_evaluator.h"
#include "formula/compiler.h"
#include "formula/derivative_text.h"
#include "nist_file.h"

namespace {

using formula::EvalStatus;

// The predictors of data point i: x, and y where the problem has a second one.
void setPoint(formula::Vars& v, const nist::Problem& p, std::size_t i) {
    v[formula::kVarX] = p.x[i];
    if (!p.x2.empty()) v[formula::kVarY] = p.x2[i];
}

struct Column {
    std::vector<double> values;
    double largest = 0;
};

// The GradientEvaluator's columns of every parameter over the data.
std::vector<Column> gradientColumns(const nist::Problem& p, const std::vector<double>& params) {
    formula::CompileResult err;
    const formula::Program program = formula::compileFormula(p.formula, err);
    EXPECT_EQ(err.position, 0) << p.name;
    std::vector<int> slots;
    for (std::size_t k = 0; k < params.size(); ++k) slots.push_back(formula::kVarA + static_cast<int>(k));
    solver::GradientEvaluator gradient(program, slots);
    std::vector<Column> columns(params.size());
    std::vector<double> row(params.size());
    formula::Vars v{};
    for (std::size_t k = 0; k < params.size(); ++k) v[static_cast<std::size_t>(formula::kVarA) + k] = params[k];
    for (std::size_t i = 0; i < p.x.size(); ++i) {
        setPoint(v, p, i);
        double value = 0;
        EXPECT_EQ(gradient.evaluate(v, value, row.data()), EvalStatus::Ok) << p.name << " at x = " << p.x[i];
        for (std::size_t k = 0; k < params.size(); ++k) {
            columns[k].values.push_back(row[k]);
            columns[k].largest = std::max(columns[k].largest, std::fabs(row[k]));
        }
    }
    return columns;
}

}  // namespace

TEST(DerivativeOracle, SymbolicDerivativesOfTheReferenceModelsMatchTheGradientEvaluator) {
    ASSERT_EQ(nist::problemNames().size(), 27u);
    for (const std::string& name : nist::problemNames()) {
        const nist::Problem p = nist::readProblem(nist::dataDirectory() + "/" + name + ".dat");
        const std::vector<double>* const sets[] = {&p.certified, &p.start1, &p.start2};
        for (const std::vector<double>* params : sets) {
            const std::vector<Column> columns = gradientColumns(p, *params);
            formula::Vars v{};
            for (std::size_t k = 0; k < params->size(); ++k)
                v[static_cast<std::size_t>(formula::kVarA) + k] = (*params)[k];
            for (std::size_t k = 0; k < params->size(); ++k) {
                const std::string letter(1, static_cast<char>('a' + k));
                SCOPED_TRACE(name + " by " + letter);
                const formula::DerivativeText d = formula::differentiateText(p.formula, letter);
                ASSERT_TRUE(d.ok) << d.errorText;
                derivative_test::Compiled derivative(d.text);
                ASSERT_TRUE(derivative.ok()) << d.text;
                for (std::size_t i = 0; i < p.x.size(); ++i) {
                    setPoint(v, p, i);
                    double exact = 0;
                    ASSERT_TRUE(derivative.at(v, exact)) << "x = " << p.x[i] << ": " << d.text;
                    const double g = columns[k].values[i];
                    ASSERT_NEAR(exact, g, 1e-10 * std::fabs(g) + 1e-13 * columns[k].largest)
                        << "x = " << p.x[i] << ": " << d.text;
                }
            }
        }
    }
}
