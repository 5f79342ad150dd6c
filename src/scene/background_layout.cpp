#include "scene/background_layout.h"

#include <algorithm>

namespace background {
namespace {

// By style: bottom-left, bottom-right, top-left, top-right, centre.
constexpr std::array<std::array<Pick, 5>, 20> kLayouts{{
    {NONE, NONE, NONE, NONE, NONE},  // 0: not a style
    {C1, C1, C1, C1, C1},            // 1 solid
    {C1, C1, C2, C2, MID},           // 2 bottom to top
    {C2, C2, C1, C1, MID},           // 3
    {NONE, NONE, NONE, NONE, NONE},  // 4 two quads
    {NONE, NONE, NONE, NONE, NONE},  // 5 two quads
    {C2, C1, C2, C1, MID},           // 6 left to right
    {C1, C2, C1, C2, MID},           // 7
    {NONE, NONE, NONE, NONE, NONE},  // 8 two quads
    {NONE, NONE, NONE, NONE, NONE},  // 9 two quads
    {MID, C1, C2, MID, MID},         // 10 diagonal
    {MID, C2, C1, MID, MID},         // 11
    {C1, C2, C2, C1, C1},            // 12
    {C2, C1, C1, C2, C2},            // 13
    {C1, MID, MID, C2, MID},         // 14
    {C2, MID, MID, C1, MID},         // 15
    {C2, C1, C1, C2, C1},            // 16
    {C1, C2, C2, C1, C2},            // 17
    {C1, C1, C1, C1, C2},            // 18 corners and centre
    {C2, C2, C2, C2, C1},            // 19
}};

Rgb mix(const Rgb& a, const Rgb& b, const Rgb& c, double wa, double wb, double wc) {
    return {a.r * wa + b.r * wb + c.r * wc, a.g * wa + b.g * wb + c.g * wc, a.b * wa + b.b * wb + c.b * wc};
}

}  // namespace

std::array<Pick, 5> TriangleLayout(long style) {
    const bool known = style >= 1 && style <= 19;
    return kLayouts[known ? static_cast<std::size_t>(style) : 0];
}

bool QuadLayout(long style, TwoQuads& quads) {
    switch (style) {
    case 5: quads = {true, C1, C2}; return true;
    case 4: quads = {true, C2, C1}; return true;
    case 9: quads = {false, C1, C2}; return true;
    case 8: quads = {false, C2, C1}; return true;
    default: return false;
    }
}

Rgb PickColor(Pick p, const Rgb& c1, const Rgb& c2) {
    if (p == C1) return c1;
    if (p == C2) return c2;
    return {(c1.r + c2.r) / 2, (c1.g + c2.g) / 2, (c1.b + c2.b) / 2};
}

Rgb ColorAt(long style, const Rgb& c1, const Rgb& c2, double u, double v, const Rgb& none) {
    u = std::clamp(u, 0.0, 1.0);
    v = std::clamp(v, 0.0, 1.0);
    TwoQuads q{};
    if (QuadLayout(style, q)) {
        // Linear from the far edge (distance 0.5 from the middle) to the middle line.
        const double t = 1 - 2 * std::abs((q.horizontal ? v : u) - 0.5);
        const Rgb a = PickColor(q.outer, c1, c2), b = PickColor(q.inner, c1, c2);
        return mix(a, b, b, 1 - t, t, 0);
    }
    const auto l = TriangleLayout(style);
    if (l[0] == NONE) return none;
    const Rgb bl = PickColor(l[0], c1, c2), br = PickColor(l[1], c1, c2), tl = PickColor(l[2], c1, c2),
              tr = PickColor(l[3], c1, c2), ce = PickColor(l[4], c1, c2);
    // The triangle that holds the point: each has one edge of the square and
    // the centre; d is the point's distance from that edge in the square's
    // units, so the centre's weight is 2d and the edge's corners share the rest.
    const double dBottom = v, dTop = 1 - v, dLeft = u, dRight = 1 - u;
    const double d = std::min({dBottom, dTop, dLeft, dRight});
    const double wc = 2 * d;
    if (d == dBottom) {
        const double s = u - d;  // along the edge, 0 at the left corner
        const double span = 1 - 2 * d;
        const double wr = span > 0 ? (1 - wc) * s / span : (1 - wc) / 2;
        return mix(bl, br, ce, 1 - wc - wr, wr, wc);
    }
    if (d == dTop) {
        const double s = u - d;
        const double span = 1 - 2 * d;
        const double wr = span > 0 ? (1 - wc) * s / span : (1 - wc) / 2;
        return mix(tl, tr, ce, 1 - wc - wr, wr, wc);
    }
    const double s = v - d;  // along a side edge, 0 at the bottom corner
    const double span = 1 - 2 * d;
    const double wt = span > 0 ? (1 - wc) * s / span : (1 - wc) / 2;
    return d == dLeft ? mix(bl, tl, ce, 1 - wc - wt, wt, wc) : mix(br, tr, ce, 1 - wc - wt, wt, wc);
}

}  // namespace background
