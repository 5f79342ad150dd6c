#pragma once
// Cls3: the axis frame: its settings and its drawing (a 3-D box with panels,
// grids, ticks, numbers and titles, or three axis lines with arrowheads; for
// 2-D documents a frame with ticks and numbers, a grid and a background).
#include <cmath>
#include <string>

// Colours are Longs &HBBGGRR.
inline constexpr long kRGB204 = 0xCCCCCC;

class Cls3 {
public:
    // 2-D background and grid
    bool ShowShadow = false;
    bool ShowSecondaryLabel = true;  // stored only
    bool ShowPI = false;             // stored only
    long PriGridColor = 0x00FF00;
    long SecGridColor = 0x00FF00;    // stored only
    long BackColor = 0x00FF00;
    long BackColor2 = 0xFFFFFF;
    long BackStyle = 2;              // background layout 1..19
    bool ShowBackground = false;
    bool ShowprimaryGrid = false;
    bool ShowSecondaryGrid = false;  // stored only
    // Frame
    long AxisStyle = 1;              // 3-D: 1 box with panels, other values axis lines
    bool BetterFonts = false;        // stored only
    long AxisColor = 0;              // 2-D rectangle
    long AxisWidth = 1;
    bool Show = false;
    // 3-D panels and grids
    long YZPanelMaterial = 4, XZPanelMaterial = 4, XYPanelMaterial = 4;  // stored only
    long YZGridColor = kRGB204, XZGridColor = kRGB204, XYGridColor = kRGB204;
    long YZPanelColor = kRGB204, XZPanelColor = kRGB204, XYPanelColor = kRGB204;
    bool ShowYZZGrid = true, ShowXZZGrid = true, ShowXYYGrid = true;
    std::string TitleZ = "Z", TitleY = "Y", TitleX = "X";
    long LabelNumZ = 2, LabelNumY = 2, LabelNumX = 2;  // equal intervals per data axis
    bool ShowYZYGrid = true, ShowXZXGrid = true, ShowXYXGrid = true;
    bool ShowYZPanel = false, ShowXZPanel = false, ShowXYPanel = false;

    // 2-D grid at the tick positions of the box (data units, scene order).
    void Draw2DGrid(double sngMinX, double sngMaxX, double sngMinY, double sngMaxY, double sngMinZ,
                    double sngMaxZ) const;
    // 2-D background: fill by BackStyle, optional shadow, border.
    void DrawBackground(double sngMinX, double sngMaxX, double sngMinY, double sngMaxY, double sngMinZ,
                        double sngMaxZ) const;
    // Nice tick step for Vmin..Vmax: ticks lower + i * step for i < k. An empty
    // span measures from 0 (Vmin := 0); a span with no usable step leaves
    // step, lower, upper and k as they were.
    static void Coord(double& Vmin, double& Vmax, double& step, double& lower, double& upper, long& k);
    // The i-th tick, lower + i * step, counted in steps where that sum would
    // overflow on the way (ticks near the largest Double).
    static double TickAt(double lower, double step, long i) {
        const double v = lower + static_cast<double>(i) * step;
        return std::isfinite(v) ? v : (lower / step + static_cast<double>(i)) * step;
    }
    // The frame around the scene box: 3-D for document kinds 3 and 11, 2-D
    // for kinds 1 and 4. gtpGraphType is not read.
    void Draw(long gtpGraphType, double sngMinX, double sngMaxX, double sngMinY, double sngMaxY, double sngMinZ,
              double sngMaxZ) const;
    // The settings as one text record.
    std::string Save() const;
    // Defaults of a new 3-D or 4-D document (reads gPlotKind).
    void SetDefault();

    // Labels per data axis that the frame can number.
    static constexpr long kMaxLabels = 50;

private:
    // 3-D box with panels, grids, edges, ticks, numbers and titles.
    void DrawPanelBox(double MinX, double MaxX, double MinY, double MaxY, double MinZ, double MaxZ) const;
    // 3-D axis lines through the data origin with arrowheads.
    void DrawAxisLines(double MinX, double MaxX, double MinY, double MaxY, double MinZ, double MaxZ) const;
    // 2-D rectangle with ticks, numbers and titles.
    void Draw2DFrame(double MinX, double MaxX, double MinY, double MaxY, double MinZ) const;
};

// Number text of a 3-D frame label: one decimal.
std::string AxisNumberText(double v);
// Number text of a 2-D tick value: the fewest decimals (0..4) that show it.
std::string TickNumberText(double v);
// v with exactly d decimals, a leading zero and thousands grouped by ",";
// from 1e15 on the exponent form with up to 15 digits ("1.5e+308").
std::string FormatNumberFixed(double v, int decimals);
