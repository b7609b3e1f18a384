// Height layers of the sight terrain: a tile mosaic where each pixel lands on its position,
// the sea and the unknown kept apart, and the loaded block moved from the Tokyo datum onto
// today's positions.
#include "panorama/SightTerrain.h"

#include "panorama/SyntheticTiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv::panorama {
namespace {

using terrain::TileId;

TEST(TileLayer, PixelsLandWhereTheyLieAndTheSeaIsKeptApartFromTheUnknown) {
    const TileId read{12, 3671, 1500}, sea{12, 3672, 1500}, unknown{12, 3671, 1501};
    orv::test::TempDir dir;
    dir.write(test::tilePath(read), test::textTile([](int column, int row) {
                  return column == 10 && row == 20 ? std::nan("") : row * 256 + column + 0.25;
              }));
    const terrain::TileRange range{3671, 3672, 1500, 1501};
    const auto sources = terrain::readTileFolder(dir.path(), terrain::tileBox(read));
    ASSERT_EQ(sources.filesRead, 1);

    SightTerrain terrain;
    ASSERT_TRUE(terrain.addTileLayer(12, range, sources, {sea, TileId{11, 1835, 750}}));
    ASSERT_EQ(terrain.layers().size(), 1u);
    EXPECT_EQ(terrain.layers()[0].columns, 512);
    EXPECT_EQ(terrain.layers()[0].rows, 512);

    struct Case {
        const char* what;
        TileId tile;
        double column, row;
        float height;  // NaN: unknown
    };
    const float nan = std::nanf("");
    const Case cases[] = {
        {"a pixel's centre", read, 5, 7, 7 * 256 + 5 + 0.25f},
        {"the last column, beside the sea tile", read, 255, 100, 100 * 256 + 255 + 0.25f},
        {"half way to the next column", read, 5.5, 7, 7 * 256 + 5.5f + 0.25f},
        {"a quarter way to the next row", read, 5, 7.25, 7.25f * 256 + 5 + 0.25f},
        {"a pixel without data is the sea", read, 10, 20, 0.0f},
        {"a tile the server has not is the sea", sea, 100, 100, 0.0f},
        {"a tile nobody had is unknown", unknown, 100, 100, nan},
        {"beside the unknown tile", read, 100, 255.5, nan},
        {"outside the range", TileId{12, 3670, 1500}, 100, 100, nan},
    };
    for (const Case& c : cases) {
        const float h = terrain.heightAt(toWorld(test::pixelCentre(c.tile, c.column, c.row)), 12);
        if (std::isnan(c.height)) EXPECT_TRUE(std::isnan(h)) << c.what << ": " << h;
        else EXPECT_NEAR(h, c.height, 0.01) << c.what;
    }
}

TEST(TileLayer, AnEmptyOrHugeRangeIsRefused) {
    const terrain::TileRange ranges[] = {{10, 9, 0, 0}, {0, 40, 0, 40}, {-1, 2, 0, 2}};
    for (const auto& range : ranges) {
        SightTerrain terrain;
        EXPECT_FALSE(terrain.addTileLayer(10, range, {}, {})) << range.x0 << ".." << range.x1;
        EXPECT_TRUE(terrain.empty());
    }
}

// The block of 644205 at level 1: its corners in Tokyo datum arc-seconds.
constexpr LevelBounds kBlock{153900, 154800, 513000, 514350};

float blockHeight(double row, double column) { return static_cast<float>(5000.0 + 10.0 * row - 7.0 * column); }

TEST(BlockLayer, EachCellLiesAtItsTokyoDatumPositionMovedOntoTodaysDatum) {
    auto shift = DatumShift::create(ModernDatum::Jgd2011);
    ASSERT_TRUE(shift.ok()) << shift.problem().detail;
    ElevationGrid grid;  // level 0 stays 0 m: only level 1 holds the block
    for (int row = 0; row < ElevationGrid::kRows; ++row)
        for (int column = 0; column < ElevationGrid::kColumns; ++column) grid.set(row, column, 1, blockHeight(row, column));
    grid.set(200, 300, 1, ElevationGrid::kNoData);

    SightTerrain terrain;
    ASSERT_TRUE(terrain.addBlock(grid, kBlock, *shift, 13));
    ASSERT_EQ(terrain.layers().size(), 1u);
    EXPECT_EQ(terrain.layers()[0].zoom, 13);

    // (row, column) of level 1: 1.5″ of latitude and 2.25″ of longitude a cell.
    struct Case {
        double row, column;
        bool known;
    };
    const Case cases[] = {{300, 300, true},   {1, 1, true},    {599, 2, true},  {3, 598, true},   {123.4, 456.7, true},
                          {200.5, 300.5, false}, {199.5, 299.5, false}, {-5, 300, false}, {300, 610, false}};
    for (const Case& c : cases) {
        const double latitude = (kBlock.north - c.row * 1.5) / 3600.0;
        const double longitude = (kBlock.west + c.column * 2.25) / 3600.0;
        const LatLon today = shift->fromTokyo(latitude, longitude);
        const float h = terrain.heightAt(toWorld(today), 13);
        if (c.known) EXPECT_NEAR(h, blockHeight(c.row, c.column), 0.3) << c.row << ", " << c.column;
        else EXPECT_TRUE(std::isnan(h)) << c.row << ", " << c.column << ": " << h;
    }
}

TEST(BlockLayer, BoundsWithoutAreaAddNothing) {
    auto shift = DatumShift::create(ModernDatum::Jgd2011);
    ASSERT_TRUE(shift.ok());
    const ElevationGrid grid;
    SightTerrain terrain;
    EXPECT_FALSE(terrain.addBlock(grid, LevelBounds{}, *shift));
    EXPECT_FALSE(terrain.addBlock(grid, LevelBounds{154800, 153900, 513000, 514350}, *shift));
    EXPECT_TRUE(terrain.empty());
}

}  // namespace
}  // namespace orv::panorama
