#include "fitting/common/fitted_model.h"

FittedModel::FittedModel(const formula::Program& program, const std::vector<double>& values) : program_(program) {
    for (std::size_t k = 0; k < values.size() && k < formula::kParamCount; ++k)
        vars_[formula::kVarA + k] = values[k];
}

double FittedModel::operator()(double x, double y, double z) {
    vars_[formula::kVarX] = x;
    vars_[formula::kVarY] = y;
    vars_[formula::kVarZ] = z;
    const formula::EvalResult r = formula::evaluate(program_, vars_, false);
    return r.status == formula::EvalStatus::Ok ? r.value : formula::UndefinedValue;
}

void SampleCurve(FittedModel& model, double lo, double hi, long count, std::vector<double>& x,
                 std::vector<double>& y) {
    x.resize(static_cast<std::size_t>(count));
    y.resize(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) {
        // The last sample is hi exactly, whatever the rounding of the steps.
        const double t = static_cast<double>(i) / static_cast<double>(count - 1);
        const double xi = i == count - 1 ? hi : lo + (hi - lo) * t;
        x[static_cast<std::size_t>(i)] = xi;
        y[static_cast<std::size_t>(i)] = model(xi);
    }
}
