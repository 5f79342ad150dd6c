#include "fitting/common/fitted_parameters.h"

#include "formula/number_text.h"
#include "formula/substitution.h"
#include "state/globals.h"

namespace {

constexpr long kMaxParameters = 20;

}  // namespace

FittedParameters::FittedParameters(Bound rows, Bound columns)
    : rows_(rows), columns_(columns),
      values_(rows.hi < rows.lo || columns.hi < columns.lo ? 0 : rows.count() * columns.count()) {}

FittedParameters FittedParameters::Row(const std::vector<double>& values) {
    FittedParameters p({1, 1}, {1, static_cast<long>(values.size())});
    for (std::size_t k = 0; k < values.size(); ++k) p.at(1, static_cast<long>(k) + 1) = values[k];
    return p;
}

std::size_t FittedParameters::offset(long row, long column) const {
    if (row < rows_.lo || row > rows_.hi || column < columns_.lo || column > columns_.hi) throwSubscriptOutOfRange();
    return static_cast<std::size_t>(row - rows_.lo) * columns_.count() + static_cast<std::size_t>(column - columns_.lo);
}

double& FittedParameters::at(long row, long column) { return values_[offset(row, column)]; }
double FittedParameters::at(long row, long column) const { return values_[offset(row, column)]; }

void ApplyFittedParameters(const std::string& model, std::string& result, long n, const FittedParameters& values) {
    if (n < 1 || n > kMaxParameters) return;
    formula::ParamValues letters{};
    for (long k = 1; k <= n; ++k) letters[static_cast<std::size_t>(k - 1)] = values.at(1, k);
    result = formula::substituteParameters(model, letters);
}

std::string ParameterReportLine(long k, double value) {
    return gTabChar + static_cast<char>('a' + k - 1) + gTabChar + formula::formatNumberText(value) + gNewLine;
}

void ReportFittedParameters(long n, const FittedParameters& values,
                            const std::function<void(const std::string&)>& append) {
    if (n < 1 || n > kMaxParameters) return;
    for (long k = 1; k <= n; ++k) append(ParameterReportLine(k, values.at(1, k)));
}
