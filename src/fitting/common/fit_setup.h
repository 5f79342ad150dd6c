#pragma once
// The set-up of a nonlinear fit (curve, surface or volume) from what its
// dialog holds when OK is pressed: every check that refuses the input before
// the solver runs, and the data read by the fitting-data rule.
#include <string>
#include <vector>

#include "fitting/common/fitting_data.h"
#include "fitting/solver/nonlinear_fit.h"

// What a fitting dialog holds.
struct FitDialogInput {
    std::string model;                    // Text1
    std::vector<std::string> parameters;  // the ParameterEntry items of List2, in list order
    std::vector<ChosenColumn> columns;    // the slots: x (y, z), then the dependent variable
    bool plotScatter = true;              // Check1
    bool plotModel = true;                // Check2
};

struct NonlinearSetup {
    solver::NonlinearFitRequest request;  // the compiled model, parameters, data and options
    std::vector<long> rows;               // the grid row of every data point
};

enum class SetupStatus {
    Ready,        // setup holds the fit to run
    Refused,      // message says why
    SyntaxShown,  // the formula compiler showed its own message
};

// Checks in this order: every slot filled, a model, the model compiles (the
// compiler shows its message), the parameter entries, the columns and their
// data. The independent variables are all columns but the last.
SetupStatus SetUpNonlinearFit(const FitDialogInput& input, const solver::FitOptions& options, NonlinearSetup& setup,
                              std::string& message);

// values (one per parameter, in the order of parameters) in letter order: the
// value of a first. The letters are a, b, c, ... without a gap.
std::vector<double> InLetterOrder(const std::vector<solver::ParameterStart>& parameters,
                                  const std::vector<double>& values);
