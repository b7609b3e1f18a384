#pragma once
// Contour lines over the background: a pixel is set where a cell and its west or north
// neighbour fall into different interval classes; every fifth interval in the full colour.
#include "map/MapContext.h"

namespace orv {

// The thin and index contour colours of the colour set in use.
Colour thinContourColour(const ColourSet& set, float tint);
Colour indexContourColour(const ColourSet& set);

// Draws the contours of the current level into the buffer and shows it.
void CONTERout(MapContext& ctx);

// "等高線間隔" tools 1..9 (9 = "任意", asked with an input box).
void SetContourInterval(MapContext& ctx, int tool);

// "等高線消去".
void ClearContours(MapContext& ctx);

}  // namespace orv
