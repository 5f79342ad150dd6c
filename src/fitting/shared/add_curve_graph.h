#pragma once
// AddCurveGraph: turns a list of points into a 2-D graph of the document (a
// scatter graph or a model curve); AddOrReplaceGraph puts a built graph into
// the document, or copies its settings into the current graph of the list
// while gReplaceSelectedGraph is set.
#include <memory>
#include <span>
#include <string>

#include "fitting/shared/curve_fit_host.h"

class Cls9;

inline constexpr long kCurveKindScatter = 1;
inline constexpr long kCurveKindModel = 2;
// A curve graph holds its points at VertTab3D(0, 0 .. 10000).
inline constexpr long kMaxCurvePoints = 10001;

// The note shown when a scatter of `points` data points shows only the first
// kMaxCurvePoints of them.
std::string ScatterLimitMessage(long points);

// Builds the graph from the points (x[j], y[j]), j < count, and adds it (or
// copies it into the selected graph). count is cut to the points given and to
// kMaxCurvePoints; below 1 nothing is built. Returns the graph built (whether
// added or only copied), or nullptr. The graph is named title ": y=" modelText;
// colour is that of the markers or of the curve.
std::shared_ptr<Cls9> AddCurveGraph(CurveFitHost& host, std::span<const double> x, std::span<const double> y,
                                    long count, long kind, const std::string& title, const std::string& modelText,
                                    long colour);

// What the curve graph builders of the fitting dialogs share: the graph of
// the points as above, named `name`, with markers of scatterColour (kind 1)
// or a curve of lineColour (kind 2); any other kind keeps the look of a new
// graph for both.
std::shared_ptr<Cls9> AddNamedCurveGraph(CurveFitHost& host, std::span<const double> x, std::span<const double> y,
                                         long count, long kind, const std::string& name, long scatterColour,
                                         long lineColour);

// The add-or-replace step shared by the result graph builders: in replace mode
// with a current list line, the graph of that line (and its twin in gScene)
// takes graph's settings and the line its name; otherwise (also in replace mode
// with no current line) graph gets the next ID, joins gGraphs and gScene, the
// view rotation of gScene becomes (roll, pitch, yaw) and the list gets a
// ticked line. gReplaceSelectedGraph is clear afterwards. True when added.
bool AddOrReplaceGraph(CurveFitHost& host, const std::shared_ptr<Cls9>& graph, double roll, double pitch,
                       double yaw);
