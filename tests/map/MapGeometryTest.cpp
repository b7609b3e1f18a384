// The map picture's geometry: pixel <-> position at a level, the elevation under a pixel and
// the cursor read-out.
#include "map/MapGeometry.h"

#include "support/MapWorld.h"

#include <gtest/gtest.h>

#include <vector>

namespace orv {
namespace {

using test::kEast1;
using test::kNorth1;
using test::kSouth1;
using test::kWest1;
using test::MapWorld;

TEST(MapGeometry, PixelToPositionRoundsHalvesToEven) {
    MapWorld w;
    // Level 1: 1.5″ of latitude and 2.25″ of longitude per pixel.
    struct Case {
        double pixel;
        ArcSeconds latitude;
        ArcSeconds longitude;
    };
    const std::vector<Case> cases{
        {0, kNorth1, kWest1},            // pixel (0, 0) is the north-west corner of the block
        {1, kNorth1 - 2, kWest1 + 2},    // N − 1.5 → even; W + 2.25
        {2, kNorth1 - 3, kWest1 + 4},    // W + 4.5 → even
        {3, kNorth1 - 4, kWest1 + 7},    // N − 4.5 → even; W + 6.75
        {6, kNorth1 - 9, kWest1 + 14},   // W + 13.5 → even
        {0.5, kNorth1 - 1, kWest1 + 1},  // N − 0.75; W + 1.125
        {600, kSouth1, kEast1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pixelLatitude(w.bounds(1), c.pixel), c.latitude) << c.pixel;
        EXPECT_EQ(pixelLongitude(w.bounds(1), c.pixel), c.longitude) << c.pixel;
    }
    // The north-west corner is the centre mesh's south-west corner + 600″ and − 450″.
    EXPECT_EQ(kNorth1, test::kCentreSouth + 600);
    EXPECT_EQ(kWest1, test::kCentreWest - 450);
}

TEST(MapGeometry, PositionToPixelFloorsAndKnowsTheEdges) {
    MapWorld w;
    struct Case {
        ArcSeconds latitude;
        ArcSeconds longitude;
        MapPixel expected;
    };
    const std::vector<Case> cases{
        {kNorth1, kWest1, {0, 0, true}},
        {kSouth1, kEast1, {600, 600, true}},
        {kNorth1 - 2, kWest1 + 2, {0, 1, true}},  // 2 / 2.25 → 0; 2 / 1.5 → 1
        {kNorth1 - 3, kWest1 + 9, {4, 2, true}},
        {kNorth1 + 1, kWest1, {0, -1, false}},   // north of the map
        {kSouth1 - 1, kWest1, {0, 600, false}},  // 901 / 1.5 → 600, yet off the map
        {kNorth1, kWest1 - 1, {-1, 0, false}},
        {kNorth1, kEast1 + 1, {600, 0, false}},
    };
    for (const auto& c : cases) {
        const MapPixel p = positionToPixel(w.bounds(1), c.latitude, c.longitude);
        EXPECT_EQ(p.onMap, c.expected.onMap) << c.latitude << " " << c.longitude;
        EXPECT_EQ(p.x, c.expected.x) << c.latitude << " " << c.longitude;
        EXPECT_EQ(p.y, c.expected.y) << c.latitude << " " << c.longitude;
    }
    // A level whose corners were never set has no pixels.
    EXPECT_FALSE(positionToPixel(w.bounds(4), kNorth1, kWest1).onMap);
}

TEST(MapGeometry, ElevationIsTheFloorOfTheNearestCell) {
    MapWorld w;
    w.state->elevationGrid.set(0, 2, 1, 10.5f);
    w.state->elevationGrid.set(0, 4, 1, -0.5f);
    w.state->elevationGrid.set(3, 0, 1, ElevationGrid::kNoData);
    w.state->elevationGrid.set(0, 2, 2, 777.0f);
    const ElevationGrid& grid = w.state->elevationGrid;
    EXPECT_EQ(elevationAtPixel(grid, 1, 2.5, 0), 10);   // column 2 (half to even)
    EXPECT_EQ(elevationAtPixel(grid, 1, 3.5, 0), -1);   // column 4
    EXPECT_EQ(elevationAtPixel(grid, 1, 0, 2.5), 0);    // row 2
    EXPECT_EQ(elevationAtPixel(grid, 1, 0, 3), -1000);  // no data
    EXPECT_EQ(elevationAtPixel(grid, 2, 2, 0), 777);    // the layer of the level asked for
}

TEST(MapGeometry, CursorReadoutAtTheCurrentLevel) {
    MapWorld w;
    const auto readout = [&w](int x, int y) {
        const AppState& state = *w.state;
        return cursorReadout(currentLevelBounds(state), state.elevationGrid,
                             currentLevelIndex(state), x, y);
    };
    w.state->elevationGrid.set(0, 0, 1, 1234.9f);
    w.state->elevationGrid.set(1, 1, 1, ElevationGrid::kNoData);
    EXPECT_EQ(readout(0, 0), " 35.50000 : 139.37300 : 1234m");
    // No data reads as the no-data value, not as a height of -1000 m; land below the sea
    // keeps its height.
    EXPECT_EQ(readout(1, 1), " 35.49580 : 139.37320 : -999.9m");
    w.state->elevationGrid.set(2, 2, 1, -5.3f);
    EXPECT_EQ(readout(2, 2), " 35.49570 : 139.37340 : -6m");

    // At level 2 the level's own corners and layer are read.
    w.setCorners(2, kSouth1, kNorth1 - 60, kWest1 + 3600, kEast1);
    w.state->elevationGrid.set(0, 0, 2, 5.0f);
    w.state->currentLevel = 2;
    EXPECT_EQ(readout(0, 0), " 35.49000 : 140.37300 : 5m");
}

}  // namespace
}  // namespace orv
