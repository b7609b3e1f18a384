#include "map/MapGeometry.h"

#include "core/NumberText.h"
#include "core/Rounding.h"

#include <string_view>

namespace orv {

namespace {

// A DmsText as the read-out shows it, e.g. "##0.00000".
std::string dmsPattern(ArcSeconds seconds, std::string_view pattern) {
    return formatPattern(leadingNumber(secondsToDms(seconds)), pattern);
}

}  // namespace

double latitudeStep(const LevelBounds& bounds) {
    return (static_cast<double>(bounds.north) - bounds.south) / kMapSize;
}

double longitudeStep(const LevelBounds& bounds) {
    return (static_cast<double>(bounds.east) - bounds.west) / kMapSize;
}

LevelBounds levelBounds(const CornerTexts& corners) {
    return LevelBounds{dmsToSeconds(corners[kSouth]), dmsToSeconds(corners[kNorth]),
                       dmsToSeconds(corners[kWest]), dmsToSeconds(corners[kEast])};
}

LevelBounds levelBounds(const LevelCorners& corners, int level) {
    if (level < 0 || level >= static_cast<int>(corners.size())) return {};
    return levelBounds(corners[static_cast<size_t>(level)]);
}

ArcSeconds pixelLatitude(const LevelBounds& bounds, double y) {
    return roundHalfEven(bounds.north - y * latitudeStep(bounds));
}

ArcSeconds pixelLongitude(const LevelBounds& bounds, double x) {
    return roundHalfEven(bounds.west + x * longitudeStep(bounds));
}

int elevationAtPixel(const ElevationGrid& grid, int level, double x, double y) {
    return floorToInt(grid.get(roundHalfEven(y), roundHalfEven(x), level));
}

MapPixel positionToPixel(const LevelBounds& bounds, ArcSeconds latitude, ArcSeconds longitude) {
    const double dLat = latitudeStep(bounds);
    const double dLon = longitudeStep(bounds);
    MapPixel p;
    if (dLat <= 0.0 || dLon <= 0.0) return p;  // a level without corners shows nothing
    p.x = floorToInt((static_cast<double>(longitude) - bounds.west) / dLon);
    p.y = floorToInt((static_cast<double>(bounds.north) - latitude) / dLat);
    p.onMap = latitude >= bounds.south && latitude <= bounds.north && longitude >= bounds.west &&
              longitude <= bounds.east;
    return p;
}

std::string cursorReadout(const LevelBounds& bounds, const ElevationGrid& grid, int level, int x,
                          int y) {
    // A cell without data reads as the grid's no-data value itself, not as a height of -1000 m.
    const bool noData = grid.get(roundHalfEven(y), roundHalfEven(x), level) <= ElevationGrid::kNoData;
    const std::string elevation =
        noData ? kNoDataElevationText : formatPattern(elevationAtPixel(grid, level, x, y), "###0");
    return " " + dmsPattern(pixelLatitude(bounds, y), "##0.00000") + " : " +
           dmsPattern(pixelLongitude(bounds, x), "##0.00000") + " : " + elevation + "m";
}

}  // namespace orv
