#include "nist_support.h"

#include <stdexcept>

#include "formula/compiler.h"

namespace nist {

solver::NonlinearFitRequest makeRequest(const Problem& p, const std::vector<double>& start,
                                        solver::FitMethod method, double tolerance, int maxIterations) {
    solver::NonlinearFitRequest req;
    formula::CompileResult err;
    req.model = formula::compileFormula(p.formula, err);
    if (err.position != 0) throw std::runtime_error(p.name + ": " + err.message);
    for (std::size_t k = 0; k < start.size(); ++k)
        req.parameters.push_back({static_cast<char>('a' + k), start[k]});
    req.columns = {p.x};
    if (!p.x2.empty()) req.columns.push_back(p.x2);
    req.variables = static_cast<int>(req.columns.size());
    req.observed = p.y;
    req.options = {method, maxIterations, tolerance};
    return req;
}

}  // namespace nist
