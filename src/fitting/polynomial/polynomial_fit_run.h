#pragma once
// The run behind "OK" of the polynomial fitting dialog: reads the chosen
// columns, fits the model, switches to a document of the model's kind,
// reports the fit and builds its graphs.
#include <string>
#include <vector>

#include "fitting/common/fitting_data.h"
#include "fitting/polynomial/polynomial_fit_host.h"

struct PolynomialRunRequest {
    int model = 2;                                  // ModelNumber, 1 .. 9
    std::vector<ChosenColumn> independent;   // x (, y, z): the model's shown rows; an empty
    ChosenColumn dependent;                  // name where no column was chosen
    bool plotScatter = true;                        // Check1
    bool plotModel = true;                          // Check2
};

// The nodes per axis of the fitted surface and volume, and the points of the
// fitted curve.
inline constexpr long kPolynomialCurvePoints = 100;
inline constexpr long kPolynomialSurfaceNodes = 31;
inline constexpr long kPolynomialVolumeNodes = 21;

// The document kind a model's graphs are drawn in: 1 (2-D) for one variable,
// 3 for two, 11 for three.
long PolynomialDocumentKind(int model);

// Runs the fit. True when it completed (report, graphs, redraw and zoom to
// fit: the dialog then closes); false when a check, the solver or a declined
// new document stopped it, after its message, with nothing reported or built.
bool RunPolynomialFit(const PolynomialRunRequest& request, PolynomialFitHost& host);
