#pragma once
// What the "4D Slice & Isosurface Properties" dialog (frmF31) shows and what
// its Add buttons and OK store, as plain values: the dialog only moves them
// between its controls and these routines. Slice lines are slice descriptors;
// every number the dialog writes has "." as its decimal point, and every line
// reads with "." or ",", so an unchanged OK keeps each slice where it was.
#include <array>
#include <string>
#include <vector>

class Cls9;

inline constexpr std::size_t kMaxSlicesPerAxis = 50;
inline constexpr std::size_t kMaxIsoLevels = 100;

// The lists and the boxes of the "General" tab.
struct VolumeDialogValues {
    bool showData = true;                             // Check10
    std::string colorName = "Rainbow";                // Combo1's text
    std::array<std::vector<std::string>, 3> slices;   // List1 (X), List2 (Y), List3 (Z)
    std::vector<std::string> levels;                  // List4
};

// "Edit..."'s presets from the edited graph: one line per slice as
// WriteSliceDescriptor writes it (a blank after every word), one per
// isosurface level.
void PresetVolumeDialog(const Cls9& graph, VolumeDialogValues& values);

// The boxes of one slice editor.
struct SliceEditorBoxes {
    std::string value, from1, to1, from2, to2;
    bool colormap = true, contour = true;
    std::string step;
    long contourColor = 0;
};

// What an Add button does: the line to append, or the box to refuse with
// its message (the list stays as it was).
struct AddResult {
    enum class Box { None, Value, Step } refused = Box::None;
    std::string line, message;
};

// The X, Y or Z editor's Add onto a list of `count` lines: the value must be a
// number ("." or ","), the step a whole number of a Long, the list not full.
AddResult AddSliceLine(const SliceEditorBoxes& boxes, std::size_t count);

// The isosurface Add onto a list of `count` levels: the value must be a number
// that a Single holds ("." or ","); the line is its Single's text.
AddResult AddIsoLevelLine(const std::string& text, std::size_t count);

// The text of an isosurface level: the shortest text of its Single when it is
// one (as OK stores them), else its 15 significant digits; "." as the decimal
// point, never the exponent form.
std::string IsoLevelText(double level);

// OK's steps 1 to 7 into a fresh graph (defaults of a new graph): false with
// the refusal's message when a list holds more than its graph can, or a level
// line is not a number (the graph is then not to be used). The data set's
// GetData runs as OK's second step but leaves the scene scales as they were.
bool BuildVolumeSettings(const VolumeDialogValues& values, Cls9& graph, std::string& message);
