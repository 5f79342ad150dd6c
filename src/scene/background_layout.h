#pragma once
// The 2-D background styles 1..19 as colours at places of the plot area: the
// one table that both the background drawing and the axis dialog's
// thumbnails read. C1 is the first (single) colour, C2 the second, MID their
// mean.
#include <array>

#include "state/color.h"

namespace background {

enum Pick : unsigned char { C1, C2, MID, NONE };

// Styles drawn as two quads meeting at a middle line instead of four triangles.
struct TwoQuads {
    bool horizontal;  // the middle line runs across (else down)
    Pick outer, inner;  // at the far edges, on the middle line
};

// Vertex colours of the four triangles: bottom-left, bottom-right, top-left,
// top-right, centre. A style outside 1..19 picks NONE everywhere.
std::array<Pick, 5> TriangleLayout(long style);
// True with the layout for the styles 4, 5, 8, 9.
bool QuadLayout(long style, TwoQuads& quads);

Rgb PickColor(Pick p, const Rgb& c1, const Rgb& c2);

// The colour that the smooth-shaded drawing gives at (u, v) of the plot area,
// u from the left edge (0) to the right (1), v from the bottom (0) to the top
// (1). A style outside 1..19 gives `none`.
Rgb ColorAt(long style, const Rgb& c1, const Rgb& c2, double u, double v, const Rgb& none);

}  // namespace background
