#pragma once
// The map view: the zoom levels, the range zoom with its square, the resampling of a deeper
// level and scrolling. The geometry of a level is in MapGeometry.h.
#include "map/MapContext.h"

namespace orv {

// Enables the two zoom tools as the current level allows (first step of every redraw).
void updateZoomTools(MapContext& ctx);

// "レベル　n": show level n as stored. (SelectZoomLevel)
void selectZoomLevel(MapContext& ctx, int level);

// The smallest half size of the zoom square at a level (37.5, 75 or 150 pixels).
float smallestHalfSize(int level);

// Draws the zoom square of half size h around (cx, cy) on the map picture: green, width 2, in
// the picture's drawing mode (XOR while selecting, so a second call erases it).
void drawZoomSquare(DrawingSurface& picture, float cx, float cy, float halfSize);

// The guide line while the zoom square is shown.
inline constexpr const char* kRangeZoomGuide =
    "マウスで範囲を選択して下さい。左クリックで確定　右クリックで倍率調整";

// "範囲拡大": the zoom square appears and follows the mouse; a right click halves it, a left
// click zooms into it. (StartRangeZoom)
void startRangeZoom(MapContext& ctx);
void rangeZoomMouseMove(MapContext& ctx, int x, int y);
void rangeZoomRightClick(MapContext& ctx, int x, int y);
void rangeZoomLeftClick(MapContext& ctx, int x, int y);
// Ends a range zoom without zooming: the square is erased, the picture draws in copy mode
// again, and the tool tip is back.
void endRangeZoom(MapContext& ctx);

// Builds level currentLevel + step from the square with top-left (left, top) and half size h;
// stores the magnification, sets levelCorners of the new level and fills its layer. Returns
// the new level (the caller makes it current). A square whose magnification is not 2, 4 or 8,
// or that would go past level 5, changes nothing and returns the current level. (ZoomResample)
int resampleZoomLevel(AppState& state, MapState& map, float left, float top, float halfSize);

// Scroll bar changes (0..99): move the picture and, in GraticuleOnly mode, the labels.
void setHorizontalScroll(MapContext& ctx, int value);
void setVerticalScroll(MapContext& ctx, int value);

}  // namespace orv
