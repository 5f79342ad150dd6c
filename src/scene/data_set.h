#pragma once
// ClsData: a data set of coordinates and values on a regular grid or at
// scattered points, in 2-D, 3-D or 4-D, with its bounding box, and the step
// that turns the box into the scene scales and divides the stored
// coordinates by them. The program keeps one, gDataSet, made by dataSet().
//
// Every array is growable and checks its indexes: one outside the current
// bounds, or any index of an array without elements, throws
// std::out_of_range("Subscript out of range").
#include "state/bounded_array.h"

class ClsData {
public:
    long DataType = 0;  // 1 regular grid, 2 scattered points
    long DataDim = 0;   // 0 a curve, 1 a 3-D data set, 2 a 4-D data set
    long StepsX = 0, StepsY = 0, StepsZ = 0;  // grid nodes along x, y, z
    long points = 0;                          // scattered points

    double MinX = 0, MaxX = 0, MinY = 0, MaxY = 0, MinZ = 0, MaxZ = 0;
    double MInv = 0, MaxV = 0;  // range of the fourth value v
    double MinC = 0, MaxC = 0;  // range of the value c of 3-D points
    double MinA = 0, MaxA = 0, MinB = 0, MaxB = 0;  // kept only

    // Regular 3-D arrays (u, v), regular 4-D arrays (u, v, m), scattered points (i).
    DynArray<double, 2> Reg3DX, Reg3DY, Reg3DZ, Reg3DC, Reg3DA, Reg3DB, Reg3DD;
    DynArray<double, 3> Reg4DX, Reg4DY, Reg4DZ, Reg4DV, Reg4DA, Reg4DB, Reg4DC;
    DynArray<double, 1> Irreg3DX, Irreg3DY, Irreg3DZ, Irreg3DC, Irreg4DX, Irreg4DY, Irreg4DZ, Irreg4DV;

    // The box of the stored data, by DataDim: 0 the scattered points and the
    // grid row (0, j); 1 the scattered points with their value c, then the
    // grid; 2 (a regular grid only) the 4-D grid with its value v. Minima
    // start at 1e10 and maxima at -1e10; any other kind leaves the box as it
    // was. An array too short for its count throws before the box changes.
    void GetBox();

    // GetBox, then the scene scales gSceneScaleX/Y/Z from the box by
    // gAxisScaleMode and the axis ratios, then every coordinate divided by the
    // scale of its axis (a curve's z set to 0; the value v is not divided).
    // An empty box sets no scale and divides nothing; a scale that comes out
    // zero or not finite (a flat axis, a zero ratio) takes the scene's
    // fallback. Every array is checked against its count before anything is
    // written, so a failure leaves scales and data as they were.
    void Normalize();

    // GetBox, then Normalize.
    void GetData();

    // Gives the 4-D arrays Irreg4DX..V the elements 0..points and Reg4DX..V
    // the elements 0..StepsX x 0..StepsY x 0..StepsZ, all 0.
    void RedimData();
};

// gDataSet, made on first use and kept for the whole run.
ClsData& dataSet();
