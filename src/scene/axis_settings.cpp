#include <memory>

#include "state/globals.h"
#include "state/color.h"
#include "scene/axis.h"
#include "state/kinds.h"

Cls3& axisFrame() {
    if (!gAxis) gAxis = std::make_shared<Cls3>();
    return *gAxis;
}

void Cls3::SetDefault() {
    ShowXYPanel = false;
    Show = true;
    ShowXZPanel = false;
    ShowYZPanel = false;
    // A 4-D document starts without grid lines.
    const bool grids = gPlotKind != plot_kind::FourD;
    ShowXYXGrid = ShowXYYGrid = ShowXZXGrid = ShowXZZGrid = ShowYZYGrid = ShowYZZGrid = grids;
    LabelNumX = LabelNumY = LabelNumZ = 2;
    XYPanelColor = XZPanelColor = YZPanelColor = kRGB204;
    XYGridColor = XZGridColor = YZGridColor = kRGB204;
    TitleX = "X";
    TitleY = "Y";
    TitleZ = "Z";
    XYPanelMaterial = XZPanelMaterial = YZPanelMaterial = 4;
    AxisColor = 0;
    AxisWidth = 1;
    BetterFonts = true;
}

std::string Cls3::Save() const {
    if (!Show) return "0 ";
    std::string s;
    const auto flag = [&s](bool v) { s += v ? "1 " : "0 "; };
    const auto num = [&s](long v) { s += std::to_string(v) + ' '; };
    const auto title = [&s](const std::string& t) { s += '@' + t + "@ "; };
    s = "1 ";
    for (bool f : {ShowXYPanel, ShowXZPanel, ShowYZPanel, ShowXYXGrid, ShowXYYGrid, ShowXZXGrid, ShowXZZGrid,
                   ShowYZYGrid, ShowYZZGrid, BetterFonts})
        flag(f);
    for (long v : {LabelNumX, LabelNumY, LabelNumZ, XYPanelColor, XZPanelColor, YZPanelColor, XYGridColor,
                   XZGridColor, YZGridColor, XYPanelMaterial, XZPanelMaterial, YZPanelMaterial, AxisColor, AxisWidth})
        num(v);
    title(TitleX);
    title(TitleY);
    title(TitleZ);
    for (bool f : {ShowprimaryGrid, ShowSecondaryGrid, ShowBackground}) flag(f);
    for (long v : {BackStyle, BackColor, BackColor2, PriGridColor, SecGridColor}) num(v);
    for (bool f : {ShowSecondaryLabel, ShowPI, ShowShadow}) flag(f);
    return s;
}
