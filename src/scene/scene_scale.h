#pragma once
// Scene scales divide every coordinate: one that is zero or not finite (a flat
// scene, a zero axis ratio) is replaced by 1 so the picture stays drawable.
#include <cmath>

inline double usableScale(double s) { return (s != 0.0 && std::isfinite(s)) ? s : 1.0; }

// The scale of an axis that came out zero or not finite (a flat range, a zero
// ratio): the scale of its own range, and 1 when that is unusable too.
inline double finiteScale(double scale, double ownScale) {
    if (scale != 0.0 && std::isfinite(scale)) return scale;
    return usableScale(ownScale);
}
