#pragma once
// Scene scales divide every coordinate: one that is zero or not finite (a flat
// scene, a zero axis ratio) is replaced by 1 so the picture stays drawable.
#include <cmath>

inline double usableScale(double s) { return (s != 0.0 && std::isfinite(s)) ? s : 1.0; }
