// Drawing of the axis frame: dispatch by document kind.
#include "app/globals.h"
#include "scene/axis.h"

void Cls3::Draw(long, double, double, double, double, double, double) const {}
void Cls3::Draw2DGrid(double, double, double, double, double, double) const {}
void Cls3::DrawBackground(double, double, double, double, double, double) const {}
