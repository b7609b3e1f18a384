#include "map/MapView.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "map/Background.h"
#include "map/Graticule.h"
#include "map/RouteMapTools.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace orv {

namespace {

constexpr int kTopLevel = 5;
constexpr float kInitialHalfSize = 150.0f;
constexpr Colour kSquareColour = colours::green;
constexpr int kSquareWidth = 2;

const std::string kMapToolTip = "右クリックでメニュー";

// The command of level 1..5.
ToolId levelTool(int level) { return mapTool::kZoomLevels[static_cast<size_t>(level - 1)]; }

bool validLevel(int level) { return level >= 1 && level <= kTopLevel; }

std::string levelText(int level) { return "Level:" + integerText(level); }

// Keeps one coordinate of the square's centre so that the whole square lies on the picture.
float keepOnPicture(float centre, float halfSize) {
    if (centre - halfSize < 0.0f) centre = halfSize + 1.0f;
    if (centre + halfSize > static_cast<float>(kMapSize))
        centre = static_cast<float>(kMapSize - 1) - halfSize;
    return centre;
}

// Erases (XOR) the square at the stored centre.
void eraseStoredSquare(MapContext& ctx) {
    drawZoomSquare(ctx.pictures.map, ctx.map.squareX, ctx.map.squareY, ctx.map.halfSize);
}

// Draws (XOR) the square at (x, y) and remembers that centre.
void drawSquareAt(MapContext& ctx, float x, float y) {
    drawZoomSquare(ctx.pictures.map, x, y, ctx.map.halfSize);
    ctx.map.squareX = x;
    ctx.map.squareY = y;
}

// The top-left corner of the square of half size h around (x, y), kept on the picture.
float squareStart(int at, float h) { return keepOnPicture(static_cast<float>(at), h) - h; }

// Builds the level of the square of the current half size around (x, y) and shows it.
void zoomIntoSquare(MapContext& ctx, int x, int y) {
    MapState& map = ctx.map;
    AppState& state = ctx.state;
    const float h = map.halfSize;
    const float left = squareStart(x, h);
    const float top = squareStart(y, h);
    ctx.pictures.map.setDrawMode(DrawMode::Copy);
    ctx.pictures.map.setDrawWidth(1);

    const int level = resampleZoomLevel(state, map, left, top, h);
    if (level != state.currentLevel) {
        state.currentLevel = static_cast<int16_t>(level);
        map.statusPanels[1] = levelText(level);
        ctx.menus.setEnabled(levelTool(currentLevelIndex(state)), true);
    }
    map.halfSize = kInitialHalfSize;
    map.statusPanels[0].clear();
    map.notify();
    state.backgroundLevel = kDefaultBackgroundLevel;
    redrawMap(ctx);
    map.mapToolTip = kMapToolTip;
    map.notify();
}

// The scroll that puts picture pixel `at` where the pointer now sees `seen` (picture pixel of
// the old scroll), within 0..largest.
int scrollKeeping(double at, int seen, int scroll, int largest) {
    return std::clamp(roundHalfEven(at - static_cast<double>(seen - scroll)), 0, largest);
}

// The level step of a magnification: 2 -> 1, 4 -> 2, 8 -> 3, anything else 0.
int levelStep(int magnification) {
    switch (magnification) {
    case 2: return 1;
    case 4: return 2;
    case 8: return 3;
    default: return 0;
    }
}

// Fills every m × m block of layer `level` from the samples on its corners by repeated halving:
// at each halving step first the midpoints along the known rows, then along the known columns,
// then the cells in between as the mean of their left and right neighbours. Every new value is
// the mean of two values on a straight line through a bilinear surface, so the block ends up
// holding the bilinear interpolation of its four corners.
void fillBlocks(ElevationGrid& grid, int level, int m) {
    float* cells = grid.data();
    const auto at = [cells, level](int column, int row) -> float& {
        return cells[ElevationGrid::index(row, column, level)];
    };
    const auto mean = [](float a, float b) { return (a + b) / 2.0f; };
    const int last = ElevationGrid::kColumns - 1;  // 600: the blocks end on the last row and column
    for (int by = 0; by + m <= last; by += m) {
        for (int bx = 0; bx + m <= last; bx += m) {
            for (int s = m; s >= 2; s /= 2) {
                const int half = s / 2;
                for (int r = 0; r <= m; r += s)
                    for (int c = half; c < m; c += s)
                        at(bx + c, by + r) =
                            mean(at(bx + c - half, by + r), at(bx + c + half, by + r));
                for (int c = 0; c <= m; c += s)
                    for (int r = half; r < m; r += s)
                        at(bx + c, by + r) =
                            mean(at(bx + c, by + r - half), at(bx + c, by + r + half));
                for (int r = half; r < m; r += s)
                    for (int c = half; c < m; c += s)
                        at(bx + c, by + r) =
                            mean(at(bx + c - half, by + r), at(bx + c + half, by + r));
            }
        }
    }
}

}  // namespace

void updateZoomTools(MapContext& ctx) {
    const int level = currentLevelIndex(ctx.state);
    ctx.menus.setEnabled(mapTool::kZoomLevelMenu, level > 1);
    ctx.menus.setEnabled(mapTool::kRangeZoom, level < kTopLevel);
}

void selectZoomLevel(MapContext& ctx, int level) {
    if (!validLevel(level) || level == ctx.state.currentLevel) return;
    ctx.state.currentLevel = static_cast<int16_t>(level);
    ctx.map.statusPanels[1] = levelText(level);
    if (level == 1) {
        // Back to the whole block: the deeper layers stay stored until the next zooms
        // overwrite them, but cannot be chosen any more.
        ctx.menus.setEnabled(levelTool(1), true);
        for (int l = 2; l <= kTopLevel; ++l) ctx.menus.setEnabled(levelTool(l), false);
    }
    ctx.map.notify();
    ctx.state.backgroundLevel = kDefaultBackgroundLevel;
    redrawMap(ctx);
}

float smallestHalfSize(int level) {
    if (level <= 2) return 37.5f;
    if (level == 3) return 75.0f;
    return 150.0f;
}

void drawZoomSquare(DrawingSurface& picture, float cx, float cy, float halfSize) {
    const FillStyle fill = picture.fillStyle();
    const int width = picture.drawWidth();
    picture.setFillStyle(FillStyle::Transparent);
    picture.setDrawWidth(kSquareWidth);
    picture.box(roundHalfEven(cx - halfSize), roundHalfEven(cy - halfSize),
                roundHalfEven(cx + halfSize), roundHalfEven(cy + halfSize), kSquareColour, false);
    picture.setDrawWidth(width);
    picture.setFillStyle(fill);
    picture.show();
}

void startRangeZoom(MapContext& ctx) {
    MapState& map = ctx.map;
    // A square already on the picture, or a picture being replaced row by row, would leave
    // a rubber band that can no longer be erased.
    if (map.selecting || map.redrawing) return;
    map.mapToolTip.clear();
    ctx.pictures.map.setDrawMode(DrawMode::Xor);
    ctx.pictures.map.setDrawWidth(kSquareWidth);
    map.halfSize = kInitialHalfSize;  // every zoom leaves it so; the erase must match the draw
    drawZoomSquare(ctx.pictures.map, map.squareX, map.squareY, map.halfSize);
    map.selecting = true;
    map.statusPanels[0] = kRangeZoomGuide;
    map.notify();
}

void rangeZoomMouseMove(MapContext& ctx, int x, int y) {
    MapState& map = ctx.map;
    if (!map.selecting) return;
    eraseStoredSquare(ctx);

    const float h = map.halfSize;
    float cx = static_cast<float>(x);
    float cy = static_cast<float>(y);
    // The frame follows the square.
    if (cx - h < static_cast<float>(map.hScroll)) setHorizontalScroll(ctx, 0);
    if (cx + h > static_cast<float>(map.hScroll + map.frameWidth))
        setHorizontalScroll(ctx, horizontalScrollMax(map));
    if (cy - h < static_cast<float>(map.vScroll)) setVerticalScroll(ctx, 0);
    if (cy + h > static_cast<float>(map.vScroll + map.frameHeight))
        setVerticalScroll(ctx, verticalScrollMax(map));

    cx = keepOnPicture(cx, h);
    cy = keepOnPicture(cy, h);
    drawSquareAt(ctx, cx, cy);
}

void rangeZoomRightClick(MapContext& ctx, int x, int y) {
    MapState& map = ctx.map;
    if (!map.selecting) return;
    eraseStoredSquare(ctx);
    map.halfSize /= 2.0f;
    if (map.halfSize < smallestHalfSize(currentLevelIndex(ctx.state)))
        map.halfSize = kInitialHalfSize;
    drawSquareAt(ctx, static_cast<float>(x), static_cast<float>(y));
}

void rangeZoomLeftClick(MapContext& ctx, int x, int y) {
    if (!ctx.map.selecting) return;
    ctx.map.selecting = false;
    zoomIntoSquare(ctx, x, y);
}

void endRangeZoom(MapContext& ctx) {
    MapState& map = ctx.map;
    if (!map.selecting) return;
    eraseStoredSquare(ctx);
    map.selecting = false;
    ctx.pictures.map.setDrawMode(DrawMode::Copy);
    ctx.pictures.map.setDrawWidth(1);
    map.halfSize = kInitialHalfSize;
    map.mapToolTip = kMapToolTip;
    map.notify();
}

int resampleZoomLevel(AppState& state, MapState& map, float left, float top, float halfSize) {
    const int current = currentLevelIndex(state);
    if (!(halfSize > 0.0f) || !std::isfinite(left) || !std::isfinite(top)) return current;

    // 1. Magnification and the level it leads to.
    const int m =
        roundHalfEven(static_cast<double>(kMapSize) / (2.0 * static_cast<double>(halfSize)));
    const int side = roundHalfEven(2.0 * static_cast<double>(halfSize));  // the square in pixels
    const int step = levelStep(m);
    const int level = current + step;
    if (step == 0 || level > kTopLevel || side * m != kMapSize) return current;
    map.magnification = static_cast<int16_t>(m);

    // 2. Corners of the new level, from the fractional top-left corner.
    const LevelBounds b = levelBounds(state.levelCorners, current);
    const double dLat = latitudeStep(b);
    const double dLon = longitudeStep(b);
    const ArcSeconds north = roundHalfEven(b.north - dLat * top);
    const ArcSeconds west = roundHalfEven(b.west + dLon * left);
    const ArcSeconds south = roundHalfEven(north - dLat * 2.0 * halfSize);
    const ArcSeconds east = roundHalfEven(west + dLon * 2.0 * halfSize);
    auto& corners = state.levelCorners[static_cast<size_t>(level)];
    corners[kSouth] = secondsToDms(south);
    corners[kNorth] = secondsToDms(north);
    corners[kWest] = secondsToDms(west);
    corners[kEast] = secondsToDms(east);

    // 3. Every m-th row and column of the new layer, edges included, from the whole-pixel square.
    ElevationGrid& grid = state.elevationGrid;
    const int firstColumn = floorToInt(left);
    const int firstRow = floorToInt(top);
    for (int i = 0; i <= side; ++i)
        for (int j = 0; j <= side; ++j)
            grid.set(i * m, j * m, level, grid.get(firstRow + i, firstColumn + j, current));

    // 4. The cells between the samples.
    fillBlocks(grid, level, m);
    return level;
}

int horizontalScrollMax(const MapState& map) { return std::max(0, kMapSize - 1 - map.frameWidth); }

int verticalScrollMax(const MapState& map) { return std::max(0, kMapSize - 1 - map.frameHeight); }

int centredHorizontalScroll(const MapState& map) {
    return std::clamp((kMapSize - map.frameWidth) / 2, 0, horizontalScrollMax(map));
}

int centredVerticalScroll(const MapState& map) {
    return std::clamp((kMapSize - map.frameHeight) / 2, 0, verticalScrollMax(map));
}

void setHorizontalScroll(MapContext& ctx, int value) {
    ctx.map.hScroll = std::clamp(value, 0, horizontalScrollMax(ctx.map));
    if (ctx.state.settings.backgroundMethod == GraticuleOnly) placeGraticuleLabels(ctx);
    ctx.map.notify();
}

void setVerticalScroll(MapContext& ctx, int value) {
    ctx.map.vScroll = std::clamp(value, 0, verticalScrollMax(ctx.map));
    if (ctx.state.settings.backgroundMethod == GraticuleOnly) placeGraticuleLabels(ctx);
    ctx.map.notify();
}

void setMapFrameSize(MapContext& ctx, int width, int height) {
    MapState& map = ctx.map;
    map.frameWidth = std::clamp(width, kMinMapFrame, kMapSize);
    map.frameHeight = std::clamp(height, kMinMapFrame, kMapSize);
    scrollMapBy(ctx, 0, 0);
}

void scrollMapBy(MapContext& ctx, int dx, int dy) {
    MapState& map = ctx.map;
    // Far beyond any range: an extreme delta saturates instead of overflowing.
    const auto moved = [](int scroll, int delta, int largest) {
        return std::clamp(scroll + std::clamp(delta, -kMapSize, kMapSize), 0, largest);
    };
    map.hScroll = moved(map.hScroll, dx, horizontalScrollMax(map));
    map.vScroll = moved(map.vScroll, dy, verticalScrollMax(map));
    if (ctx.state.settings.backgroundMethod == GraticuleOnly) placeGraticuleLabels(ctx);
    map.notify();
}

void scrollMapByWheel(MapContext& ctx, int angleX, int angleY) {
    const auto pixels = [](int angle) {
        return -static_cast<int>(static_cast<long long>(angle) * kWheelNotchPixels / 120);
    };
    scrollMapBy(ctx, pixels(angleX), pixels(angleY));
}

void beginMapPan(MapContext& ctx, int x, int y) {
    ctx.map.panning = true;
    ctx.map.panX = x;
    ctx.map.panY = y;
}

void panMap(MapContext& ctx, int x, int y) {
    if (!ctx.map.panning) return;
    // Scrolling by the pointer's way from the held pixel brings that pixel back under it.
    scrollMapBy(ctx, ctx.map.panX - x, ctx.map.panY - y);
}

void endMapPan(MapContext& ctx) { ctx.map.panning = false; }

bool zoomInAbout(MapContext& ctx, int x, int y) {
    MapState& map = ctx.map;
    if (map.selecting || currentLevelIndex(ctx.state) >= kTopLevel) return false;
    map.halfSize = kInitialHalfSize;
    const double m = static_cast<double>(kMapSize) / (2.0 * static_cast<double>(map.halfSize));
    const double left = squareStart(x, map.halfSize);
    const double top = squareStart(y, map.halfSize);
    const int hScroll = scrollKeeping((x - left) * m, x, map.hScroll, horizontalScrollMax(map));
    const int vScroll = scrollKeeping((y - top) * m, y, map.vScroll, verticalScrollMax(map));
    const int before = ctx.state.currentLevel;
    map.hScroll = hScroll;
    map.vScroll = vScroll;
    zoomIntoSquare(ctx, x, y);
    return ctx.state.currentLevel != before;
}

bool zoomOutAbout(MapContext& ctx, int x, int y) {
    MapState& map = ctx.map;
    const int level = currentLevelIndex(ctx.state);
    if (map.selecting || level <= 1) return false;
    const LevelBounds from = levelBounds(ctx.state.levelCorners, level);
    const LevelBounds to = levelBounds(ctx.state.levelCorners, level - 1);
    const double dLonTo = longitudeStep(to);
    const double dLatTo = latitudeStep(to);
    if (dLonTo > 0.0 && dLatTo > 0.0) {
        const double longitude = from.west + longitudeStep(from) * x;
        const double latitude = from.north - latitudeStep(from) * y;
        map.hScroll = scrollKeeping((longitude - to.west) / dLonTo, x, map.hScroll,
                                    horizontalScrollMax(map));
        map.vScroll = scrollKeeping((to.north - latitude) / dLatTo, y, map.vScroll,
                                    verticalScrollMax(map));
    }
    selectZoomLevel(ctx, level - 1);
    return true;
}

}  // namespace orv
