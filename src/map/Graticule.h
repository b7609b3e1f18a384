#pragma once
// The latitude/longitude graticule of the GraticuleOnly background: a dotted 6 × 6 grid with
// labels along the visible left and top edges.
#include "map/MapContext.h"

namespace orv {

// Draws the grid into the blank picture, sets, places and shows labels 1..5 (0 and 6 keep
// their texts but stay hidden), and makes the grid the buffer's image. (DrawIKLine)
void drawGraticule(MapContext& ctx);

// Moves labels 1..5 to the visible edges for the current scroll values; visibility unchanged.
void placeGraticuleLabels(MapContext& ctx);

// Hides all fourteen labels (every other background mode).
void hideGraticuleLabels(MapState& map);

}  // namespace orv
