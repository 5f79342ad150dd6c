#pragma once
// The compiled model of a fit with its fitted values: sampled for the result
// graphs straight from the Program, never from the text with the values
// written in.
#include <vector>

#include "formula/evaluator.h"
#include "formula/program.h"

class FittedModel {
public:
    // values: the fitted values in letter order (a first); later letters are 0.
    FittedModel(const formula::Program& program, const std::vector<double>& values);

    // The model at (x, y, z); formula::UndefinedValue where it has no value.
    double operator()(double x, double y = 0, double z = 0);

private:
    const formula::Program& program_;
    formula::Vars vars_{};
};

// count samples (at least 2) of a model of x from lo to hi, both included.
void SampleCurve(FittedModel& model, double lo, double hi, long count, std::vector<double>& x,
                 std::vector<double>& y);
