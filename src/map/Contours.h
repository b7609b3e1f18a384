#pragma once
// Contour lines over the background: a pixel is set where a cell and its west or north
// neighbour fall into different interval classes; every fifth interval in the full colour.
#include "map/MapContext.h"

#include <functional>

namespace orv {

// The thin and index contour colours of the colour set in use.
Colour thinContourColour(const ColourSet& set, float tint);
Colour indexContourColour(const ColourSet& set);

// The largest interval "任意" accepts, in metres: the interval is held in 16 bits.
inline constexpr int kMaxContourInterval = 32767;

// The contour pixels of one level's layer, drawn into the buffer over what is there: the
// pixel up and left of each cell of rows and columns 1..599 takes the thin colour where the
// cell and its west or north neighbour (both at or above the first contour) lie in different
// classes floor(height / interval), the index colour where they lie in different classes of
// five intervals. The north pair is tested after the west pair, so where both set the pixel,
// the north pair's colour is the one left.
// beforeRow, when given, is called with each row 1..599 before its cells are tested; it must
// not draw on the buffer, whose picture is replaced when all rows are done. Nothing is drawn
// for an interval below 1 or a level outside the grid.
void paintContourRows(const ElevationGrid& grid, int level, int interval, Colour thin, Colour index,
                      DrawingSurface& buffer, const std::function<void(int row)>& beforeRow = {});

// Draws the contours of the current level into the buffer and shows it. Without an interval
// (0 until one is chosen) nothing is drawn. (CONTERout)
void drawContours(MapContext& ctx);

// "等高線間隔" tools 1..9 (9 = "任意", asked with an input box). (SetContourInterval)
void chooseContourInterval(MapContext& ctx, int tool);

// "等高線消去". (ClearContours)
void clearContours(MapContext& ctx);

// "等高線": shows the contours with the last interval; before any interval was chosen it asks
// for one as "任意" does. (DisplayContours)
void showContoursOrAskInterval(MapContext& ctx);

}  // namespace orv
