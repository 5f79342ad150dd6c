#include "app/graph_dialogs/curve_properties.h"

#include "app/dialog_kit/property_input.h"
#include "graph/graph.h"

std::optional<CurveRefusal> FillCurveGraph(const CurveDialogInput& in, Cls9& fresh) {
    using propertyinput::PropertyLongMessage;
    using propertyinput::ReadPropertyLong;
    long width = 0, size = 0;
    if (!ReadPropertyLong(in.widthText, width)) return CurveRefusal{CurveBox::Width, PropertyLongMessage("Line Width")};
    if (!ReadPropertyLong(in.sizeText, size)) return CurveRefusal{CurveBox::Size, PropertyLongMessage("Size")};

    fresh.StepV = 100;
    fresh.StepU = 100;
    fresh.CoordType = 1;
    fresh.GraphType = graph_type::Curve2D;
    fresh.FillStyle = 4;
    fresh.FirstColor = 0xFF0000;
    fresh.SecondColor = 0xFF0000;
    fresh.LineColor = in.lineColor;
    fresh.LineWidth = width;
    fresh.Material = 4;
    fresh.Show = 2;
    fresh.Smoothness = 1;
    fresh.Show2DScatter = in.showScatter;
    fresh.ScatterColor = in.scatterColor;
    fresh.ScatterSize = size;
    fresh.Symbol = in.symbolIndex < 0 ? 0 : in.symbolIndex + 1;
    return std::nullopt;
}

int PresetLine(long value, int count) { return value >= 1 && value <= count ? static_cast<int>(value - 1) : -1; }
