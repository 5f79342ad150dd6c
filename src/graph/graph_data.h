#pragma once
// The data side of a graph: grid steps and ranges, the vertex grids, the
// surface height grid, the regular 4-D grid, the scattered data points, the
// 4-D slices and the isosurface levels. Cls9 (graph.h) is built on it.
#include <memory>

#include "state/bounded_array.h"
#include "scene/point.h"

template <class T>
using SliceArray = BoundedArray<T, Bound{0, 50}>;             // slices 1..count; 0 unused
using Grid4D = BoundedArray<double, Bound{0, 30}, Bound{0, 30}, Bound{0, 30}>;

class GraphData {
public:
    // Numbers of grid intervals; the nodes run 0..step.
    long StepU = 1;
    long StepV = 1;
    long StepH = 0;
    // Parameter ranges of a function graph, and the range of a 4-D graph's
    // value (written by GetBox).
    double MinU = 0.0, MaxU = 0.0, MInv = 0.0, MaxV = 0.0, MinW = 0.0, MaxW = 0.0;

    // Vertex grid of curves and surfaces, nodes (0..100, 0..10000). Reading a
    // node that holds no point creates a new point there and keeps it.
    std::shared_ptr<Cls2> VertTab3D(long intU, long intV);
    // Stores the reference as given; an empty one makes the next read create a
    // fresh point.
    void SetVertTab3D(long intU, long intV, std::shared_ptr<Cls2> point);
    // The point of node (u, v), null when it holds none; creates nothing.
    const Cls2* PeekVertTab3D(long intU, long intV) const { return vertTab3D_(intU, intV).get(); }
    // Whether node (u, v) holds a point, without creating one.
    bool HasVertTab3D(long intU, long intV) const { return vertTab3D_(intU, intV) != nullptr; }

    // The renderer's working vertex grid; no element until dimensioned.
    DynArray<std::shared_ptr<Cls2>, 2> Vert3D;

    // Surface heights, the source of the floor overlays.
    BoundedArray<double, Bound{0, 60}, Bound{0, 60}> Reg3DC;

    // Regular 4-D grid in data order: x, y, z of node (u, v, m) and the value.
    Grid4D Reg4DX, Reg4DY, Reg4DZ, Reg4DV;
    Grid4D Reg4DA, Reg4DB, Reg4DC;  // stored only
    BoundedArray<double, Bound{0, 1000}> Irreg4DX, Irreg4DY, Irreg4DZ, Irreg4DV;  // stored only

    // Scattered data points; PntX..PntV hold 0..PntNum-1 once PntNum is set.
    long PntNum() const { return pntNum_; }
    // Stores n and dimensions the four point arrays anew, all 0; a count below 1
    // leaves them with no valid index.
    void SetPntNum(long n);
    DynArray<double, 1> PntX, PntY, PntZ, PntV;

    // 4-D slices per axis.
    long Slice4NumX = 0, Slice4NumY = 0, Slice4NumZ = 0;
    SliceArray<double> Slice4X, Slice4Y, Slice4Z;
    SliceArray<bool> SliceXShowColor, SliceXShowCont, SliceXShowVect;
    SliceArray<long> SliceXContLevels, SliceXContColor, SliceXVectColor;
    SliceArray<bool> SliceYShowColor, SliceYShowCont, SliceYShowVect;
    SliceArray<long> SliceYContLevels, SliceYContColor, SliceYVectColor;
    SliceArray<bool> SliceZShowColor, SliceZShowCont, SliceZShowVect;
    SliceArray<long> SliceZContLevels, SliceZContColor, SliceZVectColor;
    // Drawn node ranges (first and last node, counted from 1) of each slice:
    // YZ for X slices, ZX for Y slices, XY for Z slices.
    SliceArray<long> Slice4YZYB, Slice4YZYE, Slice4YZZB, Slice4YZZE;
    SliceArray<long> Slice4ZXXB, Slice4ZXXE, Slice4ZXZB, Slice4ZXZE;
    SliceArray<long> Slice4XYXB, Slice4XYXE, Slice4XYYB, Slice4XYYE;
    long Scat4DColor = 0, Vect4DColor = 0;  // stored only

    // Isosurface levels 1..IsoSurfaceNum.
    long IsoSurfaceNum = 0;
    BoundedArray<double, Bound{1, 100}> IsoSurValue;

    // Bytes held by the paged grids (the points themselves not counted).
    std::size_t allocatedBytes() const;

private:
    BoundedArray<std::shared_ptr<Cls2>, Bound{0, 100}, Bound{0, 10000}> vertTab3D_;
    long pntNum_ = 0;
};
