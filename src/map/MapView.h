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

// Scroll bar changes (0..the largest scroll): move the picture and, in GraticuleOnly mode, the
// labels.
void setHorizontalScroll(MapContext& ctx, int value);
void setVerticalScroll(MapContext& ctx, int value);

// The largest scroll of each bar for the frame's size: 599 − the side, 0 when the frame shows
// the whole picture.
int horizontalScrollMax(const MapState& map);
int verticalScrollMax(const MapState& map);
// The scroll that centres the picture in the frame (50 in a 500 × 500 frame).
int centredHorizontalScroll(const MapState& map);
int centredVerticalScroll(const MapState& map);

// The window gave the frame this size: kept within kMinMapFrame..the picture's size, the
// scrolls kept within their new ranges.
void setMapFrameSize(MapContext& ctx, int width, int height);

// Moves the picture by (dx, dy) pixels of scroll, within the ranges.
void scrollMapBy(MapContext& ctx, int dx, int dy);

// The wheel turned by these angles (eighths of a degree, 120 a notch; positive away from the
// user): kWheelNotchPixels of scroll a notch, up and left for positive angles.
inline constexpr int kWheelNotchPixels = 30;
void scrollMapByWheel(MapContext& ctx, int angleX, int angleY);

// A pan with the middle button: the picture pixel (x, y) under the pointer stays under it as
// the pointer moves (each move gives the pointer's picture pixel now), as far as the scroll
// ranges allow.
void beginMapPan(MapContext& ctx, int x, int y);
void panMap(MapContext& ctx, int x, int y);
void endMapPan(MapContext& ctx);

// One level deeper about the picture pixel (x, y): the level built from the 300 × 300 square
// around it (kept on the picture) at magnification 2, as "範囲拡大" would build it, scrolled so
// that the place under (x, y) stays under the pointer as far as the scroll ranges allow. False
// at the top level or while the zoom square is shown.
bool zoomInAbout(MapContext& ctx, int x, int y);
// One level up (level n − 1 as "レベル　n−1" shows it) about the picture pixel (x, y), scrolled
// the same way. False at level 1 or while the zoom square is shown.
bool zoomOutAbout(MapContext& ctx, int x, int y);

}  // namespace orv
