#include "fitting/shared/fit_steps.h"

#include "fitting/common/fit_report.h"
#include "fitting/common/fitted_parameters.h"
#include "fitting/shared/background_fit.h"
#include "platform/msgbox.h"

bool SetUpAndFit(const FitDialogInput& input, const solver::FitOptions& options, NonlinearSetup& setup,
                 solver::FitResult& fit) {
    std::string refused;
    switch (SetUpNonlinearFit(input, options, setup, refused)) {
    case SetupStatus::Refused: platform::MsgBox(refused); return false;
    case SetupStatus::SyntaxShown: return false;
    case SetupStatus::Ready: break;
    }
    fit = FitWithProgress(setup.request);
    if (!fit.converged()) {
        platform::MsgBox(fit.message);
        return false;
    }
    std::string letters;
    for (const auto& parameter : setup.request.parameters) letters += parameter.letter;
    if (const std::string out = OutOfRangeFitMessage(fit, letters); !out.empty()) {
        platform::MsgBox(out);
        return false;
    }
    return true;
}

ReportedFit ReportNonlinearFit(const std::string& heading, char dependentLetter, const FitDialogInput& input,
                               const NonlinearSetup& setup, const solver::FitResult& fit, CurveFitHost& host) {
    const solver::NonlinearFitRequest& request = setup.request;
    ReportedFit r;
    r.values = InLetterOrder(request.parameters, fit.parameters);
    const long n = static_cast<long>(r.values.size());
    const FittedParameters fitted = FittedParameters::Row(r.values);
    ApplyFittedParameters(input.model, r.fittedModel, n, fitted);

    std::vector<std::string> independent;
    for (std::size_t k = 0; k + 1 < input.columns.size(); ++k) independent.push_back(input.columns[k].name);
    host.appendReport(
        NonlinearReportHead(heading, independent, input.columns.back().name, dependentLetter, input.model));
    ReportFittedParameters(n, fitted, [&host](const std::string& line) { host.appendReport(line); });
    host.appendReport(NonlinearReportTail(dependentLetter, r.fittedModel,
                                          InLetterOrder(request.parameters, fit.standardErrors), fit,
                                          request.options.method));
    return r;
}
