#pragma once
// Polynomial least squares for the nine polynomial models of the polynomial fitting dialog
// (linear, quadratic and cubic in one, two or three independent variables), solved by
// column-pivoted QR on centred and scaled variables and turned back into the coefficients
// b0 .. bN of the model text.
#include <string>
#include <vector>

#include "fitting/solver/fit_result.h"

namespace solver {

// One term of a model: the powers of x, y and z.
struct PolynomialTerm {
    int px = 0, py = 0, pz = 0;
};

inline constexpr int kPolynomialModelCount = 9;

// The terms of model 1..9 in the order of its coefficients b0, b1, ...; empty for others.
const std::vector<PolynomialTerm>& polynomialTerms(int model);
// The number of independent variables of model 1..9 (1, 2 or 3); 0 for others.
int polynomialVariables(int model);

struct PolynomialFitRequest {
    int model = 2;                             // 1..9 (ModelNumber)
    std::vector<std::vector<double>> columns;  // the independent variables x (, y, z)
    std::vector<double> observed;              // the dependent variable
    // The columns' names for messages: the independent ones in turn, then the dependent.
    std::vector<std::string> names = {};
};

// parameters are b0 .. bN. iterations is 0 (a direct solution). The variables are scaled
// before the terms are formed and the coefficients unscaled exactly by powers of two, so any
// data whose coefficients a Double can hold are fitted; a coefficient or standard error
// beyond the range of Doubles is refused (BadInput) with a message naming the term and the
// columns. Singular when the data do not determine every coefficient (too few distinct
// values of a variable, collinear columns, dependent terms), with a message naming the
// columns and the reason; the parameters are then a basic solution with the undetermined
// ones set to 0, the standard errors NaN. The residual sum of squares, s and R2 come from the
// residuals' length at the scale of the data divided by a power of two: right at any scale, the
// sum of squares Inf only where its value is beyond the largest Double, 0 or of the size of the
// rounding for an exact fit. Never throws.
FitResult fitPolynomial(const PolynomialFitRequest& request);

}  // namespace solver
