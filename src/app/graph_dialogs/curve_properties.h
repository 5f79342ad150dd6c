#pragma once
// What the 2-D curve properties dialog (frmF33) reads from its controls and
// how its OK fills the graph it builds: plain logic, tested directly.
#include <optional>
#include <string>

class Cls9;

// The controls' values as OK reads them.
struct CurveDialogInput {
    bool showScatter = true;    // Check1
    long lineColor = 0;         // Picture1
    long scatterColor = 0;      // Picture2
    std::string widthText;      // Combo1's text
    std::string sizeText;       // Combo2's text
    int symbolIndex = 0;        // Combo3's selected line, -1 for none
};

// A box OK refuses: which one and its message.
enum class CurveBox { Width, Size };
struct CurveRefusal {
    CurveBox box;
    std::string message;
};

// OK's steps: fresh becomes a 2-D curve's settings (steps 100 x 100, one-colour
// fill &HFF0000, material 4, lines, flat shading, Cartesian) with the line and
// marker settings of `in`; the symbol is the selected line + 1 (0 for none).
// A width or size that is not a number reads 0; one that rounds to a negative
// number or beyond 2147483647 is refused, and fresh is left alone.
std::optional<CurveRefusal> FillCurveGraph(const CurveDialogInput& in, Cls9& fresh);

// The line of a list of `count` lines ("1" to "count") that presets the
// value, or -1 when the value has no line.
int PresetLine(long value, int count);
