#pragma once
// The latitude/longitude graticule of the GraticuleOnly background: a dotted 6 × 6 grid with
// labels along the visible left and top edges.
#include "map/MapContext.h"

namespace orv {

// Draws the grid into the blank picture, sets and places the labels, and makes the grid the
// buffer's image.
void DrawIKLine(MapContext& ctx);

// Places labels 1..5 at the visible edges for the current scroll values.
void placeGraticuleLabels(MapContext& ctx);

// Hides all fourteen labels (every other background mode).
void hideGraticuleLabels(MapState& map);

}  // namespace orv
