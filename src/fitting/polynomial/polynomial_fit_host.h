#pragma once
// What the polynomial fitting run needs of the main window beyond the curve
// run's host: a new document of the kind its model draws in.
#include "fitting/shared/curve_fit_host.h"

struct PolynomialFitHost : CurveFitHost {
    // Starts a new document of kind (1 2-D, 3 3-D, 11 4-D) with the new
    // document's "Save changes to file?" prompt when graphs are there. False
    // when the user declined: the document keeps its graphs and kind.
    virtual bool newDocument(long kind) = 0;
};
