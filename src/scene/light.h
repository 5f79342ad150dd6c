#pragma once
// Cls10: the scene light, two point lights mirrored through the origin sharing
// one set of colours, and the light model.
#include "state/bounded_array.h"

class Cls10 {
public:
    Cls10();

    BoundedArray<float, Bound{0, 0}> TwoSides;       // two-sided lighting when non-zero
    BoundedArray<float, Bound{0, 0}> GlobalAmbient;  // grey level of the light model ambient
    BoundedArray<float, Bound{0, 3}> Position;       // light 0; w 0 makes it a direction
    BoundedArray<float, Bound{0, 3}> Diffuse;
    BoundedArray<float, Bound{0, 3}> Amission;       // the lights' ambient colour
    BoundedArray<float, Bound{0, 3}> Specular;
    bool Enabled = true;

    // Sends the light to OpenGL; positions go through the current model-view.
    void SetLight() const;
};

// Turns lighting back on after an unlit drawing (lines, text, a flat
// background), but only while the scene light is on: with " Lighting" off
// the whole picture stays unlit.
void RestoreLighting();
