#pragma once
// The terrain background of the route map: working colours, the pale tint shown under
// contours, the pixel colour rule with east-west shading, the four background modes, the
// colour sets, and the redraw sequence every map layer relies on.
#include "map/MapContext.h"

namespace orv {

// Copy of set `colourSetIndex`; paled (half way to white, times backgroundLevel) when
// contours are shown in a colour mode.
ColourSet makeWorkingColours(const AppState& state);

// min(255, round(((c + 255) / 2) × factor)); never below 0.
int16_t paleComponent(int16_t component, float factor);

// Colour of one pixel from its elevation E and the elevation E1 of its east neighbour.
// Below −2 m: band 0 as it is. Otherwise the colour between the bands of the fixed 1000 m
// thresholds, plus floor((E1 − E) / divisor) on every component, kept within 0..255.
// From 4000 m up: band 5's colour with the same shading.
Colour pixelColour(const ColourSet& working, float elevation, float eastElevation, float divisor);

// The shading divisor of a mode at a level (ShadedColour 0.6 … 0.1; BandColour 20).
float shadeDivisor(int16_t mode, int level);

// The paths of the pixel loop: the widest the processor has (eight cells at once with AVX2),
// or at most four cells at once (SSE2). Both give exactly the pixels of the one-cell rule.
enum class PixelPath { Widest, FourCells };

// Paints rows firstRow..lastRow (cut to 0..599) of the colour background of one layer of the
// grid into the surface, columns 0..599. Pure pixel work: no events, nothing shown.
void paintBackgroundRows(const ElevationGrid& grid, int level, const ColourSet& working,
                         float divisor, DrawingSurface& surface, int firstRow, int lastRow,
                         PixelPath path = PixelPath::Widest);
// Whether PixelPath::Widest is wider than four cells on this processor.
bool eightCellPixelPath();

// Paints the 600 × 600 colour background of the current level into the buffer, showing the
// picture every 5 rows. (DrowDSZ)
void drawColourBackground(MapContext& ctx, float divisor);

// The whole redraw: zoom tools, background of the current mode, contours, overlays.
// A redraw asked for while one runs is done once more after it, never inside it.
// (BackPictureSel)
void redrawMap(MapContext& ctx);

// "段彩陰影図", "段彩図", "経緯度線のみ", "背景なし": draws the map in background mode 0..3.
// (SelectBackgroundMode)
void selectBackgroundMode(MapContext& ctx, int mode);
// "ﾃﾞﾌｫﾙﾄ背景色", "ﾕｰｻﾞｰ１背景色" ..: draws the map with colour set 0..4. (ViewColourSet)
void viewColourSet(MapContext& ctx, int set);
// "ﾃﾞﾌｫﾙﾄ", "ﾕｰｻﾞｰ１" ..: edits colour set 0..4 in the colour dialog, then draws the map with
// it unless the dialog was cancelled. (EditColourSet)
void editColourSet(MapContext& ctx, int set);
// Contours on with the chosen interval over the pale background, then the overlays.
// (ShowContours)
void showContours(MapContext& ctx);

}  // namespace orv
