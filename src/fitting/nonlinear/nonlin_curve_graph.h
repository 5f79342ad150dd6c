#pragma once
// AddNonLinCurveGraph: the result graph of a nonlinear curve fit, the data as
// markers (kind 1) or the model as a curve (kind 2), added to the document or
// copied into the current graph of the list while gReplaceSelectedGraph is set.
#include <memory>
#include <span>
#include <string>

#include "fitting/shared/curve_fit_host.h"

class Cls9;

// The points (x[j], y[j]), j < count (cut to the points given and to the
// 10001 a curve holds), named title "y=" expression. A scatter's markers are
// blue whatever colour is; a curve is drawn in colour. Returns the graph built,
// or nullptr when there is no point.
std::shared_ptr<Cls9> AddNonLinCurveGraph(CurveFitHost& host, std::span<const double> x, std::span<const double> y,
                                          long count, long kind, const std::string& title,
                                          const std::string& expression, long colour);
