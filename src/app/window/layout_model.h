#pragma once
// The main window's pane layout in twips, as plain arithmetic so it can be
// checked without a window.
#include "state/whole_number.h"

namespace layout {

struct Rect {
    long left = 0, top = 0, width = 0, height = 0;
    bool valid() const { return width >= 0 && height >= 0; }
};

struct Panes {
    Rect splitter, splitter2, splitter3, picDraw, result, list1, grid1;
};

inline constexpr long kBarWidth = 60;
inline constexpr long kBarHeight = 40;

// W, H: inner size; T, S: toolbar and status bar heights; X: the vertical
// bar's left edge; y3, y2: the top edges of the upper and lower horizontal bars.
Panes placePanes(long W, long H, long T, long S, long X, long y3, long y2);

// The first positions of the horizontal bars: (Splitter3.Top, Splitter2.Top).
struct StartBars {
    long splitter3Top, splitter2Top;
};
StartBars startBars(long scaleHeight, long toolbarHeight, long statusHeight);

// A released bar's position brought within its limits (lower first, then upper).
long clampVertical(long x, long W);            // Splitter's left edge
long clampHorizontal(long y, long H, long T);  // Splitter2/3 top edges

// Whole number from a double, halves to even.
using ::roundHalfEven;

}  // namespace layout
