// Cls9::Draw and Cls9::DrawLegend: the graph's drawing entry.
#include "graph/graph.h"

void Cls9::Draw(long /*lngAnimStep*/) {}

void Cls9::DrawLegend(double, double, double, double, double, double, double, double, double, double) {}
