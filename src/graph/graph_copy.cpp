// Copying settings between graphs: TabEqualTo, EqualTo, Equal and Init.
#include <stdexcept>

#include "graph/graph.h"

namespace {

// A count copied from another graph must fit the arrays it governs.
void checkCount(long count, long upper) {
    if (count > upper) throwSubscriptOutOfRange();
}

// The settings a graph's form shares with GraphSettings, from either source.
template <class Source>
void copyFormSettings(Cls9& d, const Source& s) {
    d.NameS = s.NameS;
    d.GraphType = s.GraphType;
    d.CoordType = s.CoordType;
    d.ExpressX = s.ExpressX;
    d.ExpressY = s.ExpressY;
    d.ExpressZ = s.ExpressZ;
    d.StepU = s.StepU;
    d.StepV = s.StepV;
    d.MinU = s.MinU;
    d.MaxU = s.MaxU;
    d.MInv = s.MInv;
    d.MaxV = s.MaxV;
    d.FillStyle = s.FillStyle;
    d.FirstColor = s.FirstColor;
    d.SecondColor = s.SecondColor;
    d.LineColor = s.LineColor;
    d.LineWidth = s.LineWidth;
    d.Material = s.Material;
    d.Show = s.Show;
    d.Smoothness = s.Smoothness;
}

// Copies elements 1..count of each of the given arrays of the slices.
template <class... Arrays>
void copyElements(Cls9& d, const Cls9& s, long count, Arrays... arrays) {
    for (long i = 1; i <= count; ++i) (((d.*arrays)(i) = (s.*arrays)(i)), ...);
}

}  // namespace

void Cls9::TabEqualTo(const Cls9& fsfnew) {
    const Cls9& s = fsfnew;
    // Check every count first: a failing copy changes nothing.
    checkCount(s.Slice4NumX, s.Slice4X.upper());
    checkCount(s.Slice4NumY, s.Slice4Y.upper());
    checkCount(s.Slice4NumZ, s.Slice4Z.upper());
    checkCount(s.ColorNum, s.ColorPos.upper() + 1);
    checkCount(s.IsoSurfaceNum, s.IsoSurValue.upper());

    NameS = s.NameS;
    LineColor = s.LineColor;
    LineWidth = s.LineWidth;
    Show2DScatter = s.Show2DScatter;
    ScatterSize = s.ScatterSize;
    ScatterColor = s.ScatterColor;
    Symbol = s.Symbol;
    GraphType = s.GraphType;
    CoordType = s.CoordType;
    StepU = s.StepU;
    StepV = s.StepV;
    FillStyle = s.FillStyle;
    FirstColor = s.FirstColor;
    SecondColor = s.SecondColor;
    Material = s.Material;
    Show = s.Show;
    Smoothness = s.Smoothness;
    ShowColormap = s.ShowColormap;
    ShowContour = s.ShowContour;
    ContourLevel = s.ContourLevel;
    ShowVector = s.ShowVector;
    ShowIrregData = s.ShowIrregData;

    Slice4NumX = s.Slice4NumX;
    Slice4NumY = s.Slice4NumY;
    Slice4NumZ = s.Slice4NumZ;
    copyElements(*this, s, Slice4NumX, &GraphData::Slice4X, &GraphData::SliceXShowColor, &GraphData::SliceXShowCont,
                 &GraphData::SliceXShowVect, &GraphData::SliceXContLevels, &GraphData::SliceXContColor,
                 &GraphData::SliceXVectColor);
    copyElements(*this, s, Slice4NumY, &GraphData::Slice4Y, &GraphData::SliceYShowColor, &GraphData::SliceYShowCont,
                 &GraphData::SliceYShowVect, &GraphData::SliceYContLevels, &GraphData::SliceYContColor,
                 &GraphData::SliceYVectColor);
    copyElements(*this, s, Slice4NumZ, &GraphData::Slice4Z, &GraphData::SliceZShowColor, &GraphData::SliceZShowCont,
                 &GraphData::SliceZShowVect, &GraphData::SliceZContLevels, &GraphData::SliceZContColor,
                 &GraphData::SliceZVectColor);

    ShowTex = s.ShowTex;
    TexName = s.TexName;
    TexMode = s.TexMode;
    ShowTrans = s.ShowTrans;
    TransAlpha = s.TransAlpha;
    copyColorMap(s);

    copyElements(*this, s, Slice4NumX, &GraphData::Slice4YZYB, &GraphData::Slice4YZYE, &GraphData::Slice4YZZB,
                 &GraphData::Slice4YZZE);
    copyElements(*this, s, Slice4NumY, &GraphData::Slice4ZXXB, &GraphData::Slice4ZXXE, &GraphData::Slice4ZXZB,
                 &GraphData::Slice4ZXZE);
    copyElements(*this, s, Slice4NumZ, &GraphData::Slice4XYXB, &GraphData::Slice4XYXE, &GraphData::Slice4XYYB,
                 &GraphData::Slice4XYYE);

    IsoSurfaceNum = s.IsoSurfaceNum;
    for (long k = 1; k <= IsoSurfaceNum; ++k) IsoSurValue(k) = s.IsoSurValue(k);
}

void Cls9::copyColorMap(const Cls9& s) {
    ColorName = s.ColorName;
    ColorNum = s.ColorNum;
    for (long i = 0; i < ColorNum; ++i) {
        ColorPos(i) = s.ColorPos(i);
        ColorR(i) = s.ColorR(i);
        ColorG(i) = s.ColorG(i);
        ColorB(i) = s.ColorB(i);
    }
}

void Cls9::EqualTo(const Cls9& fsfnew) {
    const Cls9& s = fsfnew;
    checkCount(s.CurvNum, s.CurvX.upper());
    checkCount(s.QieNum, s.QieX.upper());
    checkCount(s.NmlNum, s.NmlX.upper());
    checkCount(s.TangentNum, s.TangentX.upper());
    checkCount(s.NormalNum, s.NormalX.upper());
    checkCount(s.ColorNum, s.ColorPos.upper() + 1);

    copyFormSettings(*this, s);
    PointColor = s.PointColor;
    PointSize = s.PointSize;
    PointHollow = s.PointHollow;
    Animation = s.Animation;
    if (Animation) {
        MinT = s.MinT;
        MaxT = s.MaxT;
    }
    ShowContour = s.ShowContour;
    ShowVector = s.ShowVector;
    ShowColormap = s.ShowColormap;
    ContourLevel = s.ContourLevel;
    FunForm = s.FunForm;

    Show2DCurve = s.Show2DCurve;
    ShowInverse = s.ShowInverse;
    InvColor = s.InvColor;
    InvWidth = s.InvWidth;
    ShowDev = s.ShowDev;
    DevColor = s.DevColor;
    DevWidth = s.DevWidth;
    ShowInt = s.ShowInt;
    IntColor = s.IntColor;
    IntFrom = s.IntFrom;
    IntTo = s.IntTo;
    ShowMax = s.ShowMax;
    MaxColor = s.MaxColor;
    MaxSize = s.MaxSize;
    MaxSymbol = s.MaxSymbol;
    ShowMin = s.ShowMin;
    MinColor = s.MinColor;
    MinSize = s.MinSize;
    MinSymbol = s.MinSymbol;
    ShowGuai = s.ShowGuai;
    GuaiColor = s.GuaiColor;
    GuaiSize = s.GuaiSize;
    GuaiSymbol = s.GuaiSymbol;
    ShowJO = s.ShowJO;
    JOColor = s.JOColor;
    JOWidth = s.JOWidth;
    ShowRoot = s.ShowRoot;
    RootColor = s.RootColor;
    RootSize = s.RootSize;
    RootSymbol = s.RootSymbol;
    ShowCurv = s.ShowCurv;
    CurvColor = s.CurvColor;
    CurvWidth = s.CurvWidth;
    CurvNum = s.CurvNum;
    for (long i = 1; i <= CurvNum; ++i) CurvX(i) = s.CurvX(i);
    // The length range travels with its flag, as the integral range does.
    ShowLen = s.ShowLen;
    LenFrom = s.LenFrom;
    LenTo = s.LenTo;
    ShowQie = s.ShowQie;
    QieColor = s.QieColor;
    QieWidth = s.QieWidth;
    QieNum = s.QieNum;
    for (long i = 1; i <= QieNum; ++i) QieX(i) = s.QieX(i);
    ShowNml = s.ShowNml;
    NmlColor = s.NmlColor;
    NmlWidth = s.NmlWidth;
    NmlNum = s.NmlNum;
    for (long i = 1; i <= NmlNum; ++i) NmlX(i) = s.NmlX(i);
    ShowStep = s.ShowStep;
    StepColor = s.StepColor;
    StepWidth = s.StepWidth;
    ShowStem = s.ShowStem;
    StemHeadColor = s.StemHeadColor;
    StemHeadSize = s.StemHeadSize;
    StemHeadSymbol = s.StemHeadSymbol;
    StemBodyColor = s.StemBodyColor;
    StemBodyWidth = s.StemBodyWidth;
    Exp2 = s.Exp2;
    Color2 = s.Color2;
    Width2 = s.Width2;
    ShowInter = s.ShowInter;
    InterColor = s.InterColor;
    InterSize = s.InterSize;
    InterSymbol = s.InterSymbol;
    ShowArea = s.ShowArea;
    AreaColor = s.AreaColor;
    ShowSurface = s.ShowSurface;
    ShowSurPX = s.ShowSurPX;
    ShowSurPY = s.ShowSurPY;
    ShowTangent = s.ShowTangent;
    ShowNormal = s.ShowNormal;
    VecBeginX = s.VecBeginX;
    VecBeginY = s.VecBeginY;
    VecBeginZ = s.VecBeginZ;
    VecEndX = s.VecEndX;
    VecEndY = s.VecEndY;
    VecEndZ = s.VecEndZ;
    ShowVecBegin = s.ShowVecBegin;
    ShowVecEnd = s.ShowVecEnd;
    VecColor = s.VecColor;
    VecWidth = s.VecWidth;
    ShowVecPrj = s.ShowVecPrj;
    ShowVecB = s.ShowVecB;
    VecOperation = s.VecOperation;
    VecConstant = s.VecConstant;
    VecDX = s.VecDX;
    VecDY = s.VecDY;
    VecDZ = s.VecDZ;
    VecDX2 = s.VecDX2;
    VecDY2 = s.VecDY2;
    VecDZ2 = s.VecDZ2;
    TangentNum = s.TangentNum;
    for (long i = 1; i <= TangentNum; ++i) {
        TangentX(i) = s.TangentX(i);
        TangentY(i) = s.TangentY(i);
    }
    NormalNum = s.NormalNum;
    for (long i = 1; i <= NormalNum; ++i) {
        NormalX(i) = s.NormalX(i);
        NormalY(i) = s.NormalY(i);
    }
    ODEInitial = s.ODEInitial;
    ODEInitX = s.ODEInitX;
    ODEInitY = s.ODEInitY;
    ODEColor = s.ODEColor;
    ODEWidth = s.ODEWidth;
    LimitX0 = s.LimitX0;
    LimitDir = s.LimitDir;
    LimitShowP = s.LimitShowP;
    LimitShowL = s.LimitShowL;
    SeriesN1 = s.SeriesN1;
    SeriesN2 = s.SeriesN2;
    SeriesColor = s.SeriesColor;
    SeriesWidth = s.SeriesWidth;
    SeriesA0 = s.SeriesA0;
    ShowTex = s.ShowTex;
    TexName = s.TexName;
    TexMode = s.TexMode;
    ShowTrans = s.ShowTrans;
    TransAlpha = s.TransAlpha;
    copyColorMap(s);
}

void Cls9::Equal(const GraphSettings& s) {
    applySettings(s);
    FunForm = s.FunForm;
}

std::shared_ptr<Cls9> Cls9::Init(long lngID, const GraphSettings& s) const {
    auto g = std::make_shared<Cls9>();
    g->ID = lngID;
    g->applySettings(s);
    return g;
}

void Cls9::applySettings(const GraphSettings& s) {
    copyFormSettings(*this, s);
    ShowContour = s.ShowContour;
    ShowVector = s.ShowVector;
    ShowColormap = s.ShowColormap;
    ContourLevel = s.ContourLevel;
}
