#pragma once
// The nonlinear fit of a model typed by the user: a formula compiled by Cls6 in one, two or
// three independent variables (X; X, Y; X, Y, Z) with up to twenty parameters a..t.
//
//   formula::CompileResult err;
//   solver::NonlinearFitRequest req;
//   req.model = formula::compileFormula("a*(1-exp(-b*x))", err);
//   req.parameters = {{'a', 500}, {'b', 0.0001}};
//   req.columns = {xs};  req.observed = ys;
//   req.options = {solver::FitMethod::LevenbergMarquardt, gNonLinMaxIterations, gNonLinTolerance};
//   solver::FitResult r = solver::fitNonlinear(req);
//   if (!r.converged()) show(r.message);
//
// A postfix text made by Cls6::InfixToPostfix becomes the Program with
// formula::buildProgram(postfix). parameters[k] of the result belongs to
// request.parameters[k]. Nothing throws.
#include <vector>

#include "fitting/solver/fit_result.h"
#include "formula/program.h"

namespace solver {

struct ParameterStart {
    char letter = 'a';  // 'a'..'t', either case
    double start = 0;
};

struct NonlinearFitRequest {
    formula::Program model;                    // the compiled model
    int variables = 1;                         // 1 curve (X), 2 surface (X, Y), 3 volume (X, Y, Z)
    std::vector<ParameterStart> parameters;    // 1..20, each letter once
    std::vector<std::vector<double>> columns;  // the independent variables, `variables` columns
    std::vector<double> observed;              // the dependent variable
    FitOptions options;
};

FitResult fitNonlinear(const NonlinearFitRequest& request);

// The letter number (0 for a .. 19 for t) of a parameter letter in either case, or -1.
int parameterLetterIndex(char letter);

}  // namespace solver
