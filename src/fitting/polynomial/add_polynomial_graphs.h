#pragma once
// The result graph builders of polynomial fitting: the data and the fitted
// curve as 2-D graphs, the fitted surface with its data points, the fitted
// volume with its data points and four default slices. Each sets the
// document kind of its graph and adds it to the document, or copies its
// settings into the current graph of the list while gReplaceSelectedGraph is
// set (AddOrReplaceGraph). They draw nothing.
#include <memory>
#include <span>
#include <string>

#include "fitting/shared/curve_fit_host.h"
#include "fitting/polynomial_math/polynomial_grid.h"
#include "fitting/shared/surface_graphs.h"

class Cls9;

// kind 1 (kCurveKindScatter): the points as hollow blue markers, named
// "Polynomial Scatter: y=" modelText; kind 2 (kCurveKindModel): a curve of
// colour, named "Polynomial Curve: y=" modelText. title is set to the prefix
// ("Polynomial Scatter: " or "Polynomial Curve: "). At most kMaxCurvePoints
// points are taken. Returns the graph built, or nullptr for no points.
std::shared_ptr<Cls9> AddPolynomialCurveGraph(CurveFitHost& host, std::span<const double> x,
                                              std::span<const double> y, long count, long kind, std::string& title,
                                              const std::string& modelText, long colour);

// The surface of grid (N x N nodes, N 2 .. kMaxSurfaceNodes) in the Rainbow
// colour map with the data points (X, Y, Z data in scene axis order, of equal
// lengths; MakeSurfaceGraph), named "Polynomial Surface: z=" modelText, contour
// interval (high - low) / 20 as a whole number. title is set to
// "Polynomial Surface: ". Another N, or data of unequal lengths, throws
// std::out_of_range before the document changes.
std::shared_ptr<Cls9> AddPolynomialSurfaceGraph(CurveFitHost& host, const PolynomialSurface& grid,
                                                std::span<const double> Xdata, std::span<const double> Ydata,
                                                std::span<const double> Zdata, std::string& title,
                                                const std::string& modelText, double low, double high);

// The volume of grid (N x N x N nodes, N 2 .. kMaxVolumeNodes) with the data
// points (x, y, z, v data in data order), named "Polynomial Volume: v="
// modelText, and the default slices over nodes 1 .. N: an X slice at x.min, a
// Y slice at y.min, Z slices at z.min and at the middle of z, each with the
// colour map and contour lines every (v.max - v.min) / 20. title is set to
// "Polynomial Volume: ". Another N, or data of unequal lengths, throws
// std::out_of_range before the document changes.
std::shared_ptr<Cls9> AddPolynomialVolumeGraph(CurveFitHost& host, const PolynomialVolume& grid,
                                               std::span<const double> xdata, std::span<const double> ydata,
                                               std::span<const double> zdata, std::span<const double> vdata,
                                               std::string& title, const std::string& modelText, ValueRange x,
                                               ValueRange y, ValueRange z, ValueRange v);
