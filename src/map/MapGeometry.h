#pragma once
// The map picture's geometry: a level's corners in arc-seconds, pixel <-> position at a level,
// the elevation under a pixel and the cursor read-out. A level spans 600 × 600 pixels.
#include "geo/Angles.h"
#include "geo/ElevationGrid.h"
#include "state/AppState.h"

#include <string>

namespace orv {

inline constexpr int kMapSize = 600;  // a level is shown as 600 × 600 pixels

struct LevelBounds {
    ArcSeconds south = 0;
    ArcSeconds north = 0;
    ArcSeconds west = 0;
    ArcSeconds east = 0;
};

// One level's corners (south, north, west, east) in arc-seconds.
LevelBounds levelBounds(const CornerTexts& corners);
// The corners of `level` in the table; all 0 for a level outside 0..5.
LevelBounds levelBounds(const LevelCorners& corners, int level);

// Arc-seconds per pixel of a level, south to north and west to east.
double latitudeStep(const LevelBounds& bounds);
double longitudeStep(const LevelBounds& bounds);

// Pixel -> position: latitude(y) = round(N − y·dLat), longitude(x) = round(W + x·dLon).
ArcSeconds pixelLatitude(const LevelBounds& bounds, double y);
ArcSeconds pixelLongitude(const LevelBounds& bounds, double x);
// Elevation at a pixel: floor of the value of layer `level` at (round(x), round(y)).
int elevationAtPixel(const ElevationGrid& grid, int level, double x, double y);

struct MapPixel {
    int x = 0;
    int y = 0;
    bool onMap = false;  // false when the position lies outside the level's corners
};
// Position -> pixel: x = floor((lon − W) / dLon), y = floor((N − lat) / dLat).
MapPixel positionToPixel(const LevelBounds& bounds, ArcSeconds latitude, ArcSeconds longitude);

// The elevation of the cursor read-out where the grid has no data (sea, a missing file).
inline constexpr const char* kNoDataElevationText = "-999.9";

// " " + latitude + " : " + longitude + " : " + elevation + "m" for the pixel under the mouse
// on the level with these corners and layer `level` of the grid; kNoDataElevationText where
// the grid has no data.
std::string cursorReadout(const LevelBounds& bounds, const ElevationGrid& grid, int level, int x,
                          int y);

}  // namespace orv
