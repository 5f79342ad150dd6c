#pragma once
// The surface and volume result graphs of the fitting dialogs: the fitted
// model's nodes with the data points in one graph. Make... builds the graph
// and checks everything it is given before the document is touched;
// AddSurfaceGraph and AddVolumeGraph then set the document kind (3, 11) and
// add the graph, or copy its settings into the current graph of the list
// while gReplaceSelectedGraph is set, turning the view isometric after an add.
// None of them draws.
#include <memory>
#include <span>
#include <string>

#include "fitting/common/sample_grid.h"
#include "fitting/shared/curve_fit_host.h"

class Cls9;

// The nodes per axis a graph can hold: two at least (one node would give grid
// steps of 0), at most what its grids hold.
inline constexpr long kMinGraphNodes = 2;
inline constexpr long kMaxSurfaceNodes = 61;
inline constexpr long kMaxVolumeNodes = 31;

// The default slices of a fitted volume span nodes 1 .. 21 of their planes.
inline constexpr long kDefaultSliceNodes = 21;

// The data points of a result graph: coordinates of equal length (v only for
// a volume); show: the graph's ShowIrregData.
struct ResultPoints {
    std::span<const double> X, Y, Z, V;
    bool show = true;
};

// A 3-D data surface (kind 6) of grid (N x N nodes in scene axis order, the
// fitted value as Y and as the height Reg3DC) with the points, named name,
// coloured by the Rainbow map with the Neon material, filled and smooth.
// Throws std::out_of_range for an N outside kMinGraphNodes .. kMaxSurfaceNodes,
// a grid smaller than N x N, or points of unequal lengths.
std::shared_ptr<Cls9> MakeSurfaceGraph(const SurfaceNodes& grid, const ResultPoints& points, const std::string& name);

// A 4-D volume (kind 43) of grid (N x N x N nodes in data order) with the
// points (x, y, z, v), named name, Rainbow map, Metal material, and the
// default slices: X at x.min, Y at y.min, Z at z.min and half way up z, each
// over nodes 1 .. sliceNodes with the colour map and light grey contour lines
// every (v.max - v.min) / 20. Throws as MakeSurfaceGraph (N up to
// kMaxVolumeNodes).
std::shared_ptr<Cls9> MakeVolumeGraph(const VolumeNodes& grid, const ResultPoints& points, const std::string& name,
                                      ValueRange x, ValueRange y, ValueRange z, ValueRange v, long sliceNodes);

// gPlotKind := kind, then the add-or-replace step with the isometric view.
void PlaceResultGraph(CurveFitHost& host, const std::shared_ptr<Cls9>& graph, long kind);

// The surface named title "z=" expression, placed in a 3-D document.
std::shared_ptr<Cls9> AddSurfaceGraph(CurveFitHost& host, const SurfaceNodes& grid, const ResultPoints& points,
                                      const std::string& title, const std::string& expression);

// The volume named "v=" expression (title is emptied: a volume's name has
// none), with its slices over nodes 1 .. kDefaultSliceNodes, placed in a 4-D
// document.
std::shared_ptr<Cls9> AddVolumeGraph(CurveFitHost& host, const VolumeNodes& grid, const ResultPoints& points,
                                     std::string& title, const std::string& expression, ValueRange x, ValueRange y,
                                     ValueRange z, ValueRange v);
