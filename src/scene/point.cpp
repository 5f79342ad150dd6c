// Cls2::Draw: the data marker.
#include "scene/point.h"

void Cls2::Draw() const {}

void PrepareMarkerLists() {}
