#pragma once
// The overlay of the picture, drawn after the passes in a square 0..100 by
// 0..100: the names of the fitted curves of a 2-D document, or the colour
// legends of the graphs of a 3-D or 4-D document.
#include <string>

class Cls8;

// The label of a curve in the legend: the part of the name after its first
// ":" and the character that follows it; a name without ":" loses its first
// character; what is left of a short name may be empty.
std::string curveLabel(const std::string& name);

void drawOverlay(long plotKind, Cls8& scene);
