#pragma once
// Cls1: an axis-aligned box in data units and scene axis order (Y vertical),
// the result of every bounding-box computation.

class Cls1 {
public:
    // Bounds along scene X, Y (vertical) and Z; all 0 when made. Nothing checks
    // that a minimum lies below its maximum: an empty graph's box is inverted.
    double MinX = 0.0, MaxX = 0.0;
    double MinY = 0.0, MaxY = 0.0;
    double MinZ = 0.0, MaxZ = 0.0;

    // Part of the interface; a box draws nothing.
    void Draw() const {}
};
