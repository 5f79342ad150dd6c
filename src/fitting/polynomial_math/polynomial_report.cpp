#include "fitting/polynomial_math/polynomial_report.h"

#include <cmath>

#include "fitting/common/fit_report.h"
#include "fitting/polynomial_math/polynomial_models.h"

std::string PolynomialReport(int model, const std::vector<std::string>& independent, const std::string& dependent,
                             const solver::FitResult& fit, long points) {
    const PolynomialModel& m = polynomialModel(model);
    std::string text = "Polynomial Fitting\r\n" + std::string(m.name) + ": " + m.text + "\r\n";
    for (const std::string& name : independent) text += "Independent:" + name + "\r\n";
    text += "Dependent:  " + dependent + "\r\n";
    for (std::size_t k = 0; k < fit.parameters.size(); ++k) {
        const double se = k < fit.standardErrors.size() ? fit.standardErrors[k] : NAN;
        text += "\tb" + std::to_string(k) + "=\t" + ReportFigure(fit.parameters[k]) + "\tse=\t" + ReportFigure(se) + "\r\n";
    }
    text += "\tR2=\t" + ReportFigure(fit.rSquared) + "\r\n";
    return text + "\tData points:\t" + std::to_string(points) + "\r\n";
}
