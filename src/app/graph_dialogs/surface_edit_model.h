#pragma once
// What the "3D Surface Properties" dialog (frmF12) shows and what its OK
// stores, as plain values: the dialog only moves them between its controls
// and these routines.
#include <string>

class Cls9;

// The dialog's controls; the defaults are the designed values after its load.
struct SurfaceDialogValues {
    std::string colorName = "Rainbow";  // Combo1's text
    int materialIndex = 3;              // List1's selected line ("Metal"), -1 for none
    int smoothness = 3;                 // 1 "Flat", 2 "Smooth", 3 "Smoother", 0 none
    bool showColormap = true;           // Check1
    bool showContour = true;            // Check2
    std::string contourStep = "20";     // Text2
    bool showData = true;               // Check4
    bool showTex = false;               // Check5
    std::string texName;                // Text1
    int texMode = 1;                    // 1 "Overlap", 2 "Blend"
    bool showTrans = false;             // Check6
    int transPosition = 0;              // Slider1, 0 .. 10
    bool operator==(const SurfaceDialogValues&) const = default;
};

inline constexpr int kSurfaceMaterialCount = 13;
inline constexpr int kTransparencySteps = 10;

// "Edit..."'s presets from the edited graph, in order; a value no control can
// show (a material outside the list, a smoothness or texture mode without an
// option, a transparency beyond the slider) leaves that control as it was.
void PresetSurfaceDialog(const Cls9& graph, SurfaceDialogValues& values);

// OK's settings, in order, into a fresh graph (defaults of a new graph):
// false with the refusal's message when the contour step cannot be stored,
// and the graph is then not to be used.
bool BuildSurfaceSettings(const SurfaceDialogValues& values, Cls9& graph, std::string& message);
