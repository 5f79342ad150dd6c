#pragma once
// The run behind "OK" of the curve fitting dialog: reads the chosen columns,
// fits each ticked model, reports it and plots the scatter and model curves.
#include <array>
#include <string>

#include "fitting/shared/curve_fit_host.h"
#include "fitting/curve_math/curve_models.h"

struct CurveFitRequest {
    // The chosen columns by name; the column number (from 1) the name was
    // listed under picks among equal names, 0 when not known.
    std::string xName, yName;
    long xColumn = 0, yColumn = 0;
    std::array<bool, kCurveModelCount> models{};  // Check1 .. Check10
    bool plotScatter = true;                      // Check11
    bool plotModels = true;                       // Check12
};

// Runs the fit. True when the run completed (report ended, picture redrawn and
// zoomed: the dialog then closes); false when a check stopped it, after its
// message, keeping whatever was already reported and plotted.
bool RunCurveFit(const CurveFitRequest& request, CurveFitHost& host);
