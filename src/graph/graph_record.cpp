// The graph's text records (Save, SaveTable) and its small expression
// routines (GetPoints, IsLetter, NegateVariable). Nothing reads a record back.
#include <string>

#include "formula/number_text.h"
#include "formula/text_routines.h"
#include "graph/graph.h"
#include "state/globals.h"
#include "state/kinds.h"

namespace {

// Appends tokens, each followed by one blank.
class RecordWriter {
public:
    std::string text;

    void whole(long v) {
        text += std::to_string(v);
        text += ' ';
    }
    // Numbers are written as formula text: "." whatever the locale, up to 15
    // significant digits, never the exponent form.
    void number(double v) {
        formula::appendFormulaNumber(text, v);
        text += ' ';
    }
    void flag(bool v) { text += v ? "1 " : "0 "; }
    void plain(const std::string& s) {
        text += s;
        text += ' ';
    }
    void name(const std::string& s) {
        text += '@';
        text += s;
        text += "@ ";
    }
    template <class... T>
    void wholes(T... v) {
        (whole(v), ...);
    }
    template <class... T>
    void numbers(T... v) {
        (number(v), ...);
    }
    template <class Array>
    void numberList(long count, const Array& a) {
        for (long k = 1; k <= count; ++k) number(a(k));
    }
    void pairList(long count, const auto& a, const auto& b) {
        for (long k = 1; k <= count; ++k) numbers(a(k), b(k));
    }
    // A family shown with a colour and a marker size and symbol.
    void marked(bool show, long colour, long size, long symbol) {
        flag(show);
        wholes(colour, size, symbol);
    }
    // A family shown as a line of a colour and a width.
    void lined(bool show, long colour, long width) {
        flag(show);
        wholes(colour, width);
    }
    // The colour map's name and its stops 0 .. ColorNum - 1.
    void colorMap(const Cls9& g) {
        name(g.ColorName);
        whole(g.ColorNum);
        for (long s = 0; s < g.ColorNum; ++s) {
            number(g.ColorPos(s));
            wholes(g.ColorR(s), g.ColorG(s), g.ColorB(s));
        }
    }
};

}  // namespace

std::string Cls9::Save() const {
    RecordWriter r;
    r.wholes(GraphType, ID);
    r.name(NameS);
    r.whole(CoordType);
    r.plain(ExpressX);
    r.plain(ExpressY);
    r.plain(ExpressZ);
    r.wholes(StepU, StepV);
    r.numbers(MinU, MaxU, MInv, MaxV);
    r.wholes(FillStyle, FirstColor, SecondColor, LineColor, LineWidth, Material, Show, Smoothness, PointColor);
    r.number(PointSize);
    r.flag(PointHollow);
    r.flag(Animation);
    if (Animation) {
        r.numbers(MinT, MaxT);
        r.wholes(gAnimStepCount, gAnimRecordValue);
    }
    r.whole(FunForm);
    r.flag(Show2DCurve);
    r.lined(ShowInverse, InvColor, InvWidth);
    r.lined(ShowDev, DevColor, DevWidth);
    r.flag(ShowInt);
    r.whole(IntColor);
    r.numbers(IntFrom, IntTo);
    r.marked(ShowMax, MaxColor, MaxSize, MaxSymbol);
    r.marked(ShowMin, MinColor, MinSize, MinSymbol);
    r.marked(ShowGuai, GuaiColor, GuaiSize, GuaiSymbol);
    r.lined(ShowJO, JOColor, JOWidth);
    r.marked(ShowRoot, RootColor, RootSize, RootSymbol);
    r.lined(ShowCurv, CurvColor, CurvWidth);
    r.whole(CurvNum);
    r.numberList(CurvNum, CurvX);
    r.flag(ShowLen);
    r.numbers(LenFrom, LenTo);
    r.lined(ShowQie, QieColor, QieWidth);
    r.whole(QieNum);
    r.numberList(QieNum, QieX);
    r.lined(ShowNml, NmlColor, NmlWidth);
    r.whole(NmlNum);
    r.numberList(NmlNum, NmlX);
    r.lined(ShowStep, StepColor, StepWidth);
    r.flag(ShowStem);
    r.wholes(StemHeadColor, StemHeadSize, StemHeadSymbol, StemBodyColor, StemBodyWidth);
    r.plain(Exp2);
    r.wholes(Color2, Width2);
    r.marked(ShowInter, InterColor, InterSize, InterSymbol);
    r.flag(ShowArea);
    r.whole(AreaColor);
    r.flag(ShowSurface);
    r.flag(ShowSurPX);
    r.flag(ShowSurPY);
    r.flag(ShowTangent);
    r.whole(TangentNum);
    r.pairList(TangentNum, TangentX, TangentY);
    r.flag(ShowNormal);
    r.whole(NormalNum);
    r.pairList(NormalNum, NormalX, NormalY);
    r.numbers(VecBeginX, VecBeginY, VecBeginZ, VecEndX, VecEndY, VecEndZ);
    r.flag(ShowVecBegin);
    r.flag(ShowVecEnd);
    r.wholes(VecColor, VecWidth);
    r.flag(ShowVecPrj);
    r.flag(ShowVecB);
    r.whole(VecOperation);
    r.numbers(VecConstant, VecDX, VecDY, VecDZ, VecDX2, VecDY2, VecDZ2);
    r.flag(ODEInitial);
    r.numbers(ODEInitX, ODEInitY);
    r.wholes(ODEColor, ODEWidth);
    r.number(LimitX0);
    r.whole(LimitDir);
    r.flag(LimitShowP);
    r.flag(LimitShowL);
    r.wholes(SeriesN1, SeriesN2, SeriesColor, SeriesWidth);
    r.number(SeriesA0);
    r.flag(ShowTex);
    r.whole(TexMode);
    r.flag(ShowTrans);
    r.number(TransAlpha);
    r.name(TexName);
    r.flag(ShowContour);
    r.flag(ShowVector);
    r.flag(ShowColormap);
    r.whole(ContourLevel);
    r.colorMap(*this);
    return std::move(r.text);
}

std::string Cls9::SaveTable() const {
    RecordWriter r;
    r.wholes(GraphType, ID);
    r.name(NameS);
    r.wholes(LineColor, LineWidth, FillStyle, FirstColor, SecondColor, Material, Show, Smoothness, StepU, StepV);
    // Every node of the grid; one never set is the point (0, 0, 0).
    r.text.reserve(r.text.size() + static_cast<std::size_t>(StepU + 1) * static_cast<std::size_t>(StepV + 1) * 30);
    for (long i = 0; i <= StepU; ++i)
        for (long j = 0; j <= StepV; ++j) {
            if (const Cls2* p = PeekVertTab3D(i, j))
                r.numbers(p->X, p->Y, p->Z);
            else
                r.text += "0 0 0 ";
        }
    r.flag(Show2DLine);
    r.flag(Show2DScatter);
    r.flag(ShowSmoothCurve);
    r.wholes(ScatterSize, ScatterColor, SmoothCurveColor, SmoothCurveWidth, Symbol);
    r.colorMap(*this);
    return std::move(r.text);
}

bool Cls9::GetPoints() const {
    if (GraphType == graph_type::Function31 || GraphType == graph_type::Function32) return false;
    // The implicit products are worked out and dropped: the graph keeps its text.
    for (const std::string* e : {&ExpressX, &ExpressY, &ExpressZ}) (void)formula::InsertImplicitMultiply(*e);
    return false;
}

bool Cls9::IsLetter(const std::string& text) {
    if (text.size() != 1) return false;
    const char c = text[0];
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string Cls9::NegateVariable(const std::string& expression) const {
    char v = 0;
    if (CoordType == 1 && FunForm == 2) v = 'x';
    if (CoordType == 1 && FunForm == 3) v = 'u';
    if (CoordType == 2 && FunForm == 2) v = 'a';
    if (CoordType == 2 && FunForm == 3) v = 'u';
    if (!v) return {};
    const std::size_t n = expression.size();
    if (n < 2) return expression == std::string(1, v) ? std::string{'-', v} : expression;
    const auto letterAt = [&](std::size_t p) { return IsLetter(expression.substr(p, 1)); };
    std::string out;
    for (std::size_t p = 0; p < n; ++p) {
        const char c = expression[p];
        const bool free = c == v && !(p > 0 && letterAt(p - 1)) && !(p + 1 < n && letterAt(p + 1));
        if (free) {
            out += "(-";
            out += v;
            out += ')';
        } else {
            out += c;
        }
    }
    return out;
}
