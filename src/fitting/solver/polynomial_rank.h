#pragma once
// Why the terms of a polynomial model are linearly dependent on given data: the sentence
// that names the columns and the reason, for the refusal of a rank-deficient fit.
#include <string>
#include <vector>

#include <Eigen/Core>

#include "fitting/solver/polynomial_fit.h"

namespace solver {

// u holds the independent variables centred and scaled (one column each, as the fit uses
// them); names their column names (x, y, z when missing). Looks first for a variable with
// fewer distinct values than its highest power needs, then for independent columns that are
// collinear (two) or linearly dependent (three), and otherwise says that the terms are.
std::string rankDeficiencyReason(int model, const Eigen::ArrayXXd& u, const std::vector<std::string>& names);

// The name of variable v for messages: "Var1 (x)", or "x" when no name was given.
std::string variableName(const std::vector<std::string>& names, int v);

}  // namespace solver
