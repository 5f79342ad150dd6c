#pragma once
// Option families of graphs given by formulas. Nothing in the program makes
// such a graph: the members are stored, copied by EqualTo and read by a few
// branches of GetBox, and nothing draws them.
#include <memory>
#include <string>

#include "state/bounded_array.h"
#include "scene/point.h"

class FunctionGraphOptions {
public:
    std::string ExpressX, ExpressY, ExpressZ;

    // Animation: never set, so always False.
    bool Animation = false;
    double MaxT = 0.0, MinT = 0.0;
    long StepT() const;  // the current number of animation steps (gAnimStepCount)
    DynArray<std::shared_ptr<Cls2>, 1> Anim1D;  // (t)
    DynArray<std::shared_ptr<Cls2>, 2> Anim2D;  // (u, t)
    DynArray<std::shared_ptr<Cls2>, 3> Anim3D;  // (u, v, t)

    // Series
    double SeriesA0 = 0.0;
    long SeriesColor = 0, SeriesWidth = 0, SeriesN1 = 0, SeriesN2 = 0;
    // Limit
    bool LimitShowP = false, LimitShowL = false;
    double LimitX0 = 0.0;
    long LimitDir = 0;
    // Differential equation
    long ODEColor = 0, ODEWidth = 0;
    bool ODEInitial = false;
    double ODEInitX = 0.0, ODEInitY = 0.0;
    // Tangent and normal points 1..TangentNum, 1..NormalNum
    long TangentNum = 0, NormalNum = 0;
    BoundedArray<double, Bound{0, 50}> TangentX, TangentY, NormalX, NormalY;
    // Surface analysis
    bool ShowSurface = false, ShowSurPX = false, ShowSurPY = false, ShowTangent = false, ShowNormal = false;
    bool ShowPoints = false;
    // Vectors
    double VecBeginX = 0.0, VecBeginY = 0.0, VecBeginZ = 0.0, VecEndX = 0.0, VecEndY = 0.0, VecEndZ = 0.0;
    bool ShowVecBegin = false, ShowVecEnd = false;
    long VecColor = 0, VecWidth = 0;
    bool ShowVecPrj = false, ShowVecB = false;
    long VecOperation = 0;
    double VecConstant = 0.0;
    double VecDX = 0.0, VecDY = 0.0, VecDZ = 0.0, VecDX2 = 0.0, VecDY2 = 0.0, VecDZ2 = 0.0;
    // Step and stem plots
    bool ShowStep = false;
    long StepColor = 0, StepWidth = 0;
    bool ShowStem = false;
    long StemHeadColor = 0, StemHeadSize = 0, StemHeadSymbol = 0, StemBodyColor = 0, StemBodyWidth = 0;
    // Second expression, intersections and area
    std::string Exp2;
    long Color2 = 0, Width2 = 0;
    bool ShowInter = false;
    long InterColor = 0, InterSize = 0, InterSymbol = 0;
    bool ShowArea = false;
    long AreaColor = 0;

    // 2-D analysis families
    bool ShowInverse = false;
    long InvColor = 0, InvWidth = 0;
    bool ShowDev = false;
    long DevColor = 0, DevWidth = 0;
    bool ShowInt = false;
    long IntColor = 0;
    double IntFrom = 0.0, IntTo = 0.0;
    bool ShowMax = false;
    long MaxColor = 0, MaxSize = 0, MaxSymbol = 0;
    bool ShowMin = false;
    long MinColor = 0, MinSize = 0, MinSymbol = 0;
    bool ShowGuai = false;
    long GuaiColor = 0, GuaiSize = 0, GuaiSymbol = 0;
    bool ShowJO = false;
    long JOColor = 0, JOWidth = 0;
    bool ShowRoot = false;
    long RootColor = 0, RootSize = 0, RootSymbol = 0;
    bool ShowCurv = false;
    long CurvColor = 0, CurvWidth = 0, CurvNum = 0;
    BoundedArray<double, Bound{0, 50}> CurvX;
    bool ShowLen = false;
    double LenFrom = 0.0, LenTo = 0.0;
    bool ShowQie = false;
    long QieColor = 0, QieWidth = 0, QieNum = 0;
    BoundedArray<double, Bound{0, 50}> QieX;
    bool ShowNml = false;
    long NmlColor = 0, NmlWidth = 0, NmlNum = 0;
    BoundedArray<double, Bound{0, 50}> NmlX;
};
