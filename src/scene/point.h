#pragma once
// Cls2: a point in data units and scene axis order, with the attributes of the
// data marker drawn there. The element of every vertex grid of a graph.
#include <memory>

class Cls2 {
public:
    double X = 0.0;     // scene X, data units
    double Y = 0.0;     // scene Y (vertical), data units
    double Z = 0.0;     // scene Z, data units
    long Color = 0;     // marker colour &HBBGGRR
    double Size = 0.15; // marker size factor
    bool Hollow = false;  // stored only
    bool Show = false;    // stored only
    long Symbol = 0;    // MarkerSymbol: 1 solid circle, 2 hollow circle, 3 solid
                        // rectangle, 4 solid triangle, 5 diamond, 6 cross-hair

    // A new point at (x, y, z) with the creation values otherwise; this point
    // is not changed.
    std::shared_ptr<Cls2> Init(double x, double y, double z) const {
        auto p = std::make_shared<Cls2>();
        p->X = x;
        p->Y = y;
        p->Z = z;
        return p;
    }

    // Draws the marker into the current OpenGL context: a flat symbol in 2-D
    // documents (gPlotKind 1 or 4), a sphere in 3-D and 4-D documents.
    void Draw() const;
};

// Compiles the shared sphere of the 3-D markers into a display list of the
// current context. A list cannot be made while another list is compiled, so
// the frame calls this before it starts compiling the picture; a marker drawn
// while no sphere list exists yet draws its sphere directly.
void PrepareMarkerLists();

// The sphere detail hangs on the camera's zoom, so a compiled picture holds
// only while every sphere it drew would get the same detail. The frame clears
// the record before it compiles the graphs and asks, before reusing them for
// a new view, whether the current camera keeps every recorded detail.
void ClearSphereDetailRecord();
bool SphereDetailsStillHold();
