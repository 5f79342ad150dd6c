#include "fitting/nonlinear/nonlin_curve_graph.h"

#include "fitting/shared/add_curve_graph.h"

std::shared_ptr<Cls9> AddNonLinCurveGraph(CurveFitHost& host, std::span<const double> x, std::span<const double> y,
                                          long count, long kind, const std::string& title,
                                          const std::string& expression, long colour) {
    return AddNamedCurveGraph(host, x, y, count, kind, title + "y=" + expression, 0xFF0000, colour);
}
