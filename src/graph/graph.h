#pragma once
// Cls9: one graph of the document (2-D data curve, 3-D data surface or 4-D
// volume) with its data and every display setting the renderer reads.
// Graphs are shared: the two scenes hold them as std::shared_ptr<Cls9>.
#include <memory>
#include <string>

#include "state/bounded_array.h"
#include "graph/function_options.h"
#include "graph/graph_data.h"
#include "state/kinds.h"

class Cls1;

// The 25 settings of Equal and Init (the optional ones default to 0 / False).
struct GraphSettings {
    std::string NameS;
    long GraphType = 0, CoordType = 0;
    std::string ExpressX, ExpressY, ExpressZ;
    long StepU = 0, StepV = 0;
    double MinU = 0.0, MaxU = 0.0, MInv = 0.0, MaxV = 0.0;
    long FillStyle = 0, FirstColor = 0, SecondColor = 0, LineColor = 0, LineWidth = 0;
    long Material = 0, Show = 0, Smoothness = 0;
    bool ShowContour = false, ShowVector = false, ShowColormap = false;
    long ContourLevel = 0;
    long FunForm = 0;  // used by Equal only
};

class Cls9 : public GraphData, public FunctionGraphOptions {
public:
    Cls9() = default;
    Cls9(const Cls9&) = delete;
    Cls9& operator=(const Cls9&) = delete;

    // Identity and kind
    long ID = 0;            // unique in the document; the scenes' key is its decimal text
    std::string NameS;      // the graph list's text (UTF-8)
    long GraphType = 0;     // 4 curve, 6 surface, 43 volume (graph_type)
    long CoordType = 0;
    long FunForm = 0;

    // Appearance
    long Smoothness = 3;    // 1 flat, 2 smooth per cell, 3 smooth per vertex
    long Show = 3;          // polygon mode: 1 points, 2 lines, 3 filled
    long Material = 0;      // MaterialPreset 1..13
    long FillStyle = 0;     // 1..3 two-colour blend, 4 one colour, 5 colour map
    long FirstColor = 0, SecondColor = 0;
    long LineColor = 0, LineWidth = 0;
    long PointColor = 255;
    double PointSize = 1.0;
    bool PointHollow = false;

    // Floor overlays of a surface
    bool ShowContour = false, ShowVector = false, ShowColormap = false;
    long ContourLevel = 0;  // contour interval in data units

    // 2-D curve options
    bool Show2DCurve = false;
    bool Show2DLine = true;
    bool Show2DScatter = true;
    bool ShowSmoothCurve = true;
    long ScatterSize = 2;
    long ScatterColor = 0;
    long SmoothCurveColor = 0x00FF00;
    long SmoothCurveWidth = 1;
    long Symbol = 1;

    // Texture and transparency
    bool ShowTex = false;
    std::string TexName;
    long TexMode = 0;
    bool ShowTrans = false;
    double TransAlpha = 0.0;

    // Colour map: stops 0..ColorNum-1 in percent and 0..255 per channel.
    std::string ColorName;
    long ColorNum = 0;
    BoundedArray<double, Bound{0, 30}> ColorPos;
    BoundedArray<long, Bound{0, 30}> ColorR, ColorG, ColorB;

    // Draw the scattered data points with the graph.
    bool ShowIrregData = false;

    // The box and colour range that GetBox keeps for the renderer (scene axis
    // order, data units).
    struct Box {
        double MaxX, MinX, MaxY, MinY, MaxZ, MinZ;
    };
    struct ColorRange {
        double MaxC, MinC;
    };
    Box GraphBox{0, 0, 0, 0, 0, 0};
    ColorRange GraphColorRange{0, 0};

    // Bounding box of the graph's data; also refreshes GraphBox,
    // GraphColorRange and, for 4-D graphs, MinW and MaxW. Nodes of VertTab3D
    // that were never set are created and count as (0, 0, 0). An index beyond
    // the grids throws std::out_of_range and leaves the kept box as it was.
    std::shared_ptr<Cls1> GetBox(long lngAnimStep = 0);

    // Copies the settings the property dialogs edit from fsfnew into this
    // graph; keeps this graph's ID, data, StepH and the settings it does not
    // edit. A count in fsfnew beyond its arrays throws std::out_of_range before
    // anything is copied.
    void TabEqualTo(const Cls9& fsfnew);
    // Copies the function-graph settings from fsfnew.
    void EqualTo(const Cls9& fsfnew);
    // Stores the 25 settings into this graph.
    void Equal(const GraphSettings& s);
    // A new graph with the given ID and settings (FunForm stays 0); this graph
    // is not changed.
    std::shared_ptr<Cls9> Init(long lngID, const GraphSettings& s) const;

    // The graph as one line of text, every token followed by one blank: the
    // function layout (Save) and the table layout with every node of the
    // vertex grid (SaveTable; a node never set is written as 0 0 0 and not
    // created). Numbers are written as formula text ("." whatever the
    // locale, never the exponent form). A count beyond its array throws
    // std::out_of_range.
    std::string Save() const;
    std::string SaveTable() const;
    // Always False; works out the implicit products of the expressions and
    // drops them.
    bool GetPoints() const;
    // True for exactly one of the letters a..z, A..Z.
    static bool IsLetter(const std::string& text);
    // The expression with each free occurrence of the graph's variable (x or
    // u by CoordType 1 and FunForm 2 or 3, a or u by CoordType 2) negated:
    // "(-x)", or "-x" for the expression "x" alone; "" for other kinds.
    std::string NegateVariable(const std::string& expression) const;

    // Draws the graph into the current OpenGL context in scene units
    // (value / gSceneScale - gSceneCenter).
    void Draw(long lngAnimStep = 0);
    // Draws the graph's colour scale in the overlay square 0..100.
    void DrawLegend(double MinX, double MaxX, double MinY, double MaxY, double MinZ, double MaxZ, double MinC,
                    double MaxC, double MInv, double MaxV);

private:
    friend class GraphRenderer;
    // The slice planes of a 4-D graph (render/slices.cpp).
    void DrawSlices();
    // The surface renderer of Draw for GraphType 6.
    void DrawSurface(long lngAnimStep);
    void copyColorMap(const Cls9& s);
    void applySettings(const GraphSettings& s);
};
