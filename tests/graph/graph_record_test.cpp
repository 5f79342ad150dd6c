// The graph's text records token for token, and its expression routines.
#include <gtest/gtest.h>

#include <functional>
#include <locale>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graph/graph.h"
#include "state/globals.h"

namespace {

// The function-layout record of a new graph, one string per row of the layout
// (rows 1 .. 43; row 10, the animation tokens, is empty without animation).
std::vector<std::string> newGraphRows() {
    return {"",
            "0 0 ", "@@ ", "0 ", "   ", "1 1 ", "0 0 0 0 ", "0 0 0 0 0 0 3 3 255 ", "1 ", "0 0 ", "", "0 ",
            "0 0 0 0 ", "0 0 0 ", "0 0 0 0 ", "0 0 0 0 ", "0 0 0 0 ", "0 0 0 0 ", "0 0 0 ", "0 0 0 0 ", "0 0 0 0 ",
            "0 0 0 ", "0 0 0 0 ", "0 0 0 0 ", "0 0 0 ", "0 0 0 0 0 0 ", " 0 0 ", "0 0 0 0 ", "0 0 ", "0 0 0 ", "0 0 ",
            "0 0 ", "0 0 0 0 0 0 ", "0 0 0 0 ", "0 0 0 ", "0 0 0 0 0 0 0 ", "0 0 0 0 0 ", "0 0 0 0 ", "0 0 0 0 0 ",
            "0 0 0 0 ", "@@ ", "0 0 0 0 ", "@@ ", "0 "};
}

std::string join(std::vector<std::string> rows, const std::map<int, std::string>& changed) {
    for (const auto& [row, text] : changed) rows[static_cast<std::size_t>(row)] = text;
    std::string s;
    for (const std::string& r : rows) s += r;
    return s;
}

// A 2-D fitted curve as the curve builders leave it: nodes (0, j) set, the
// nodes (1, j) of its second row never set.
void fittedCurve(Cls9& g) {
    g.GraphType = 4;
    g.ID = 3;
    g.NameS = "Linear Model: y=1+0.5*X";
    g.CoordType = 1;
    g.FillStyle = 4;
    g.FirstColor = g.SecondColor = 0xFF0000;
    g.LineColor = 255;
    g.LineWidth = 1;
    g.Material = 4;
    g.Show = 2;
    g.Smoothness = 1;
    g.StepU = 1;
    g.StepV = 2;
    const double x[] = {1, 2.5, 0.0000001}, y[] = {3, -4.25, 1e15};
    for (long j = 0; j <= 2; ++j) {
        g.VertTab3D(0, j)->X = x[j];
        g.VertTab3D(0, j)->Y = y[j];
    }
    g.Show2DScatter = false;
}

// A textured surface coloured by six stops.
void texturedSurface(Cls9& g) {
    g.GraphType = 6;
    g.ID = 12;
    g.NameS = "Surface Fit: z=a+b*x";
    g.StepU = g.StepV = 0;
    g.VertTab3D(0, 0)->Y = 2;
    g.ColorName = "@Rainbow";
    g.ShowTex = true;
    g.TexMode = 2;
    g.TexName = "/home/me/My Pictures/wood grain.bmp";
    g.ShowTrans = true;
    g.TransAlpha = 0.5;
    g.ColorNum = 6;
    const double pos[] = {0, 12.5, 100.0 / 3, 60, 80, 100};
    for (long s = 0; s < 6; ++s) {
        g.ColorPos(s) = pos[s];
        g.ColorR(s) = 255 - 50 * s;
        g.ColorG(s) = 10 * s;
        g.ColorB(s) = s;
    }
}

const char* kStops = "6 0 255 0 0 12.5 205 10 1 33.3333333333333 155 20 2 60 105 30 3 80 55 40 4 100 5 50 5 ";

// Numbers written through the C++ locale would show its separator.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

}  // namespace

TEST(GraphRecord, EveryLayoutTokenForToken) {
    struct Case {
        const char* what;
        std::function<void(Cls9&)> make;
        bool table;
        std::string expected;
    };
    const Case cases[] = {
        {"new graph", [](Cls9&) {}, false, join(newGraphRows(), {})},
        {"function graph with animation and tangents",
         [](Cls9& g) {
             g.GraphType = 1;
             g.ID = 7;
             g.NameS = "z=x^2";
             g.CoordType = 1;
             g.ExpressX = "x^2 + 1";
             g.MinU = -1.5;
             g.MaxU = 1.0 / 3;
             g.Animation = true;
             g.MaxT = 2.5;
             g.ShowTangent = true;
             g.TangentNum = 2;
             g.TangentX(1) = 0.1;
             g.TangentY(1) = -0.000001;
             g.TangentX(2) = 1234567.891;
             g.TangentY(2) = 3;
         },
         false,
         join(newGraphRows(), {{1, "1 7 "},
                               {2, "@z=x^2@ "},
                               {3, "1 "},
                               {4, "x^2 + 1   "},
                               {6, "-1.5 0.333333333333333 0 0 "},
                               {9, "0 1 "},
                               {10, "0 2.5 10 10 "},
                               {30, "1 2 0.1 -0.000001 1234567.891 3 "}})},
        {"fitted curve whose name holds blanks", fittedCurve, true,
         "4 3 @Linear Model: y=1+0.5*X@ 255 1 4 16711680 16711680 4 2 1 1 2 "
         "1 3 0 2.5 -4.25 0 0.0000001 1000000000000000 0 0 0 0 0 0 0 0 0 0 "
         "1 0 1 2 0 65280 1 1 @@ 0 "},
        {"surface, table layout", texturedSurface, true,
         std::string("6 12 @Surface Fit: z=a+b*x@ 0 0 0 0 0 0 3 3 0 0 0 2 0 1 1 1 2 0 65280 1 1 @@Rainbow@ ") + kStops},
        {"surface, function layout", texturedSurface, false,
         join(newGraphRows(), {{1, "6 12 "},
                               {2, "@Surface Fit: z=a+b*x@ "},
                               {5, "0 0 "},
                               {39, "1 2 1 0.5 "},
                               {40, "@/home/me/My Pictures/wood grain.bmp@ "},
                               {42, "@@Rainbow@ "},
                               {43, kStops}})},
    };
    const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto g = std::make_unique<Cls9>();
        c.make(*g);
        EXPECT_EQ(c.table ? g->SaveTable() : g->Save(), c.expected);
    }
    std::locale::global(saved);
}

TEST(GraphRecord, TableLayoutCreatesNoNodes) {
    auto g = std::make_unique<Cls9>();
    fittedCurve(*g);
    const std::size_t bytes = g->allocatedBytes();
    (void)g->SaveTable();
    EXPECT_FALSE(g->HasVertTab3D(1, 0));
    EXPECT_EQ(g->allocatedBytes(), bytes);
}

TEST(GraphRecord, CountsBeyondTheirArraysThrow) {
    auto g = std::make_unique<Cls9>();
    g->TangentNum = 51;
    EXPECT_THROW((void)g->Save(), std::out_of_range);
    g->TangentNum = 0;
    g->StepV = 10001;
    EXPECT_THROW((void)g->SaveTable(), std::out_of_range);
}

TEST(GraphExpressions, IsLetterNegateVariableGetPoints) {
    for (const char* yes : {"q", "Q", "a", "Z"}) EXPECT_TRUE(Cls9::IsLetter(yes)) << yes;
    for (const char* no : {"", "1", "_", "ab", " ", "\xC3\xA9"}) EXPECT_FALSE(Cls9::IsLetter(no)) << no;

    struct Case {
        long coordType, funForm;
        const char* expression;
        const char* negated;
    };
    const Case cases[] = {
        {1, 2, "x^2+sin(x)", "(-x)^2+sin((-x))"},
        {1, 2, "exp(x)*x", "exp((-x))*(-x)"},
        {1, 2, "max(x,1)", "max((-x),1)"},
        {1, 2, "x", "-x"},
        {1, 2, "y", "y"},
        {1, 2, "", ""},
        {1, 2, "2x+xy", "2(-x)+xy"},
        {1, 3, "u*u", "(-u)*(-u)"},
        {2, 2, "a+sin(a)", "(-a)+sin((-a))"},
        {2, 3, "u", "-u"},
        {1, 1, "x", ""},
        {3, 2, "x+1", ""},
    };
    for (const Case& c : cases) {
        auto g = std::make_unique<Cls9>();
        g->CoordType = c.coordType;
        g->FunForm = c.funForm;
        EXPECT_EQ(g->NegateVariable(c.expression), c.negated) << c.expression;
    }

    auto g = std::make_unique<Cls9>();
    EXPECT_FALSE(g->GetPoints());
    g->ExpressX = "2x";
    g->GraphType = 32;
    EXPECT_FALSE(g->GetPoints());
    g->GraphType = 1;
    EXPECT_FALSE(g->GetPoints());
    EXPECT_EQ(g->ExpressX, "2x");
}
