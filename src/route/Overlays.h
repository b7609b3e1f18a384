#pragma once
// The overlays drawn over the map's background after every redraw: ridge and valley lines,
// the route with its labels and marks, the reference route, waypoints, names and segment
// positions. The map picture's persistent image stays the background.
#include "map/MapContext.h"

namespace orv {

// Redraws every overlay that is switched on over the map picture.
void DataDraw(MapContext& ctx);

}  // namespace orv
