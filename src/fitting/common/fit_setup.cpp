#include "fitting/common/fit_setup.h"

#include <algorithm>

#include "fitting/common/parameter_entry.h"
#include "formula/cls6.h"

SetupStatus SetUpNonlinearFit(const FitDialogInput& input, const solver::FitOptions& options, NonlinearSetup& setup,
                              std::string& message) {
    auto refuse = [&message](std::string text) {
        message = std::move(text);
        return SetupStatus::Refused;
    };
    if (input.columns.size() < 2 ||
        std::any_of(input.columns.begin(), input.columns.end(), [](const ChosenColumn& c) { return c.name.empty(); }))
        return refuse("Please select variables first.");
    if (input.model.find_first_not_of(" \t\r\n") == std::string::npos) return refuse("Please enter a model first.");

    NonlinearSetup s;
    std::string postfix;
    formula::Cls6 compiler;
    if (compiler.InfixToPostfix(input.model, postfix) != 0) return SetupStatus::SyntaxShown;
    s.request.model = formula::buildProgram(postfix);

    if (std::string bad = ReadParameterEntries(input.parameters, s.request.parameters); !bad.empty())
        return refuse(std::move(bad));

    std::vector<long> columns;
    FittingData data;
    std::string bad = FindGridColumns(input.columns, columns);
    if (bad.empty()) bad = ReadFittingData(columns, data);
    if (!bad.empty()) return refuse(std::move(bad));

    s.request.variables = static_cast<int>(columns.size()) - 1;
    s.request.observed = std::move(data.columns.back());
    data.columns.pop_back();
    s.request.columns = std::move(data.columns);
    s.request.options = options;
    s.rows = std::move(data.rows);
    setup = std::move(s);
    return SetupStatus::Ready;
}

std::vector<double> InLetterOrder(const std::vector<solver::ParameterStart>& parameters,
                                  const std::vector<double>& values) {
    std::vector<double> ordered(parameters.size());
    for (std::size_t k = 0; k < parameters.size() && k < values.size(); ++k)
        ordered.at(static_cast<std::size_t>(solver::parameterLetterIndex(parameters[k].letter))) = values[k];
    return ordered;
}
