#pragma once
// Contour lines over the background: a pixel is set where a cell and its west or north
// neighbour fall into different interval classes; every fifth interval in the full colour.
#include "map/MapContext.h"

namespace orv {

// The thin and index contour colours of the colour set in use.
Colour thinContourColour(const ColourSet& set, float tint);
Colour indexContourColour(const ColourSet& set);

// The largest interval "任意" accepts, in metres.
inline constexpr int kMaxContourInterval = 1000;

// Draws the contours of the current level into the buffer and shows it. Without an interval
// (0 until one is chosen) nothing is drawn.
void CONTERout(MapContext& ctx);

// "等高線間隔" tools 1..9 (9 = "任意", asked with an input box).
void SetContourInterval(MapContext& ctx, int tool);

// "等高線消去".
void ClearContours(MapContext& ctx);

// "等高線": shows the contours with the last interval; before any interval was chosen it asks
// for one as "任意" does.
void DisplayContours(MapContext& ctx);

}  // namespace orv
