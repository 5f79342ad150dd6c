#pragma once
// Cls11: a material, one of thirteen named presets applied to both faces.
#include <array>
#include <string>

#include "state/bounded_array.h"

// One row of the preset table (MaterialPreset codes 1..13).
struct MaterialValues {
    const char* name;
    std::array<float, 4> ambient, diffuse, specular, emission;
    float shininess;
};

// The preset of a code 1..13, or nullptr for any other code.
const MaterialValues* materialPreset(long code);

class Cls11 {
public:
    long MatType = 0;  // stored only
    BoundedArray<float, Bound{0, 3}> Emission;
    BoundedArray<float, Bound{0, 0}> Shininess;
    BoundedArray<float, Bound{0, 3}> Specular;
    BoundedArray<float, Bound{0, 3}> Diffuse;
    BoundedArray<float, Bound{0, 3}> Ambient;

    // Loads preset materType (other codes keep the current values) and sends
    // the material to OpenGL for front and back faces.
    void SetMaterial(long materType);
    // Only the loading half, without OpenGL.
    void LoadPreset(long materType);
};
