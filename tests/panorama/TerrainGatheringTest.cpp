// The tiles a sight needs, ring by ring (fine near, coarse far, bounded), read from a folder
// or fetched from a local server: what is sea, what is unknown, and what the status line says.
#include "panorama/TerrainGathering.h"

#include "panorama/Geodesy.h"
#include "panorama/SyntheticTiles.h"
#include "support/TempDir.h"
#include "terrain/LocalTileServer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

namespace orv::panorama {
namespace {

namespace fs = std::filesystem;
using terrain::TileId;

const LatLon kPoroshiri{42.7197, 142.6831};

SightRequest request(double distance, double step = 0.1, double fieldOfView = 360.0, double azimuth = 0.0) {
    SightRequest r;
    r.observer = kPoroshiri;
    r.maxDistance = distance;
    r.columnStep = step;
    r.fieldOfView = fieldOfView;
    r.azimuth = azimuth;
    return r;
}

bool contains(const terrain::GeoBox& box, LatLon p) {
    return p.latitude >= box.south && p.latitude <= box.north && p.longitude >= box.west && p.longitude <= box.east;
}

int totalTiles(const std::vector<TileRing>& rings) {
    int total = 0;
    for (const auto& ring : rings) total += ring.tiles();
    return total;
}

TEST(TileRings, FineNearCoarseFarEachCoveringTheViewOutToItsFarEnd) {
    const auto rings = tileRings(request(150000));
    ASSERT_FALSE(rings.empty());
    EXPECT_EQ(rings.front().nearDistance, 0.0);
    EXPECT_EQ(rings.back().farDistance, 150000.0);
    std::cout << "150 km, 0.1°, 360°:";
    for (size_t i = 0; i < rings.size(); ++i) {
        const TileRing& ring = rings[i];
        std::cout << " z" << ring.zoom << " " << std::lround(ring.nearDistance) << "–" << std::lround(ring.farDistance)
                  << " m " << ring.tiles() << " tiles;";
        if (i > 0) {
            EXPECT_LT(ring.zoom, rings[i - 1].zoom);
            EXPECT_EQ(ring.nearDistance, rings[i - 1].farDistance);
        }
        EXPECT_LT(ring.nearDistance, ring.farDistance);
        EXPECT_EQ(ring.zoom, zoomForDistance((ring.nearDistance + ring.farDistance) / 2, 0.1, kPoroshiri.latitude));
        EXPECT_LE(ring.tiles(), kMaxRingTiles);
        for (double azimuth = 0; azimuth < 360; azimuth += 15)
            EXPECT_TRUE(contains(ring.box, directGeodesic(kPoroshiri, azimuth, ring.farDistance))) << ring.zoom << " " << azimuth;
        const auto range = terrain::tilesCovering(ring.box, ring.zoom);
        EXPECT_EQ(ring.range.x0, range.x0);
        EXPECT_EQ(ring.range.y1, range.y1);
    }
    std::cout << " total " << totalTiles(rings) << "\n";
    EXPECT_EQ(rings.front().zoom, 14);

    // A sector looks one way: its rings lie east of the observer and need fewer tiles.
    const auto east = tileRings(request(150000, 0.1, 60, 90));
    ASSERT_EQ(east.size(), rings.size());
    for (size_t i = 0; i < east.size(); ++i) {
        EXPECT_EQ(east[i].zoom, rings[i].zoom);
        EXPECT_GT(east[i].box.west, kPoroshiri.longitude - 0.05);  // the margin only
        EXPECT_TRUE(contains(east[i].box, directGeodesic(kPoroshiri, 61, east[i].farDistance)));
    }
    EXPECT_LT(totalTiles(east), totalTiles(rings) / 2);
    std::cout << "150 km, 0.1°, 60°: total " << totalTiles(east) << "\n";
}

TEST(TileRings, AVeryFineStepOverTheLongestDistanceStaysBoundedAndFinestNear) {
    const auto rings = tileRings(request(400000, 0.005));
    ASSERT_FALSE(rings.empty());
    EXPECT_EQ(rings.front().zoom, 14);
    EXPECT_GT(rings.front().farDistance, 5000.0);
    EXPECT_EQ(rings.back().farDistance, kMaxSightDistance);
    for (size_t i = 0; i < rings.size(); ++i) {
        EXPECT_LE(rings[i].tiles(), kMaxRingTiles);
        if (i > 0) {
            EXPECT_LT(rings[i].zoom, rings[i - 1].zoom);
            EXPECT_EQ(rings[i].nearDistance, rings[i - 1].farDistance);
        }
    }
    EXPECT_LE(totalTiles(rings), 7 * kMaxRingTiles);
    std::cout << "300 km, 0.005°: " << rings.size() << " rings, " << totalTiles(rings) << " tiles\n";
}

TEST(TileRings, ARequestWithoutExtentNeedsNothing) {
    const double nan = std::nan("");
    SightRequest cases[] = {request(0), request(-5), request(nan), request(1000, 0), request(1000, nan),
                            request(1000, 0.1, 0), request(1000, 0.1, 90, nan)};
    cases[0].observer.latitude = 42;
    SightRequest pole = request(1000);
    pole.observer.latitude = 89;
    for (const auto& r : cases) EXPECT_TRUE(tileRings(r).empty()) << r.maxDistance << " " << r.columnStep;
    EXPECT_TRUE(tileRings(pole).empty());
}

// A folder of zoom-8 tiles around the observer: one tile of known heights, one the cache
// recorded as missing on the server, one that cannot be read.
TEST(FolderGathering, EveryRingTakesTheFoldersZoomAndTheGapsAreSaid) {
    orv::test::TempDir dir;
    const auto rings = tileRings(request(100000));
    ASSERT_GE(rings.size(), 3u);
    const auto range = terrain::tilesCovering(rings.back().box, 8);
    const TileId home{8, 229, 94};
    ASSERT_TRUE(range.x0 <= 228 && range.x1 >= 230 && range.y0 <= 94 && range.y1 >= 94) << range.x0 << " " << range.x1;
    const TileId sea{8, 230, 94}, broken{8, 228, 94};
    dir.write(test::tilePath(home), test::textTile([](int column, int row) { return 100.0 + row * 10 + column * 0.5; }));
    dir.write(test::tilePath(sea, ".png.none"), "");
    dir.write(test::tilePath(broken), "garbage\n");
    dir.write("9/459/189.txt.none", "");  // another zoom, covering far less of any ring

    std::vector<std::pair<int, int>> calls;
    const GatheredTerrain got = gatherFromFolder(dir.path(), request(100000), [&](int done, int total, const std::string&) {
        calls.emplace_back(done, total);
        return true;
    });
    const int wanted = (range.x1 - range.x0 + 1) * (range.y1 - range.y0 + 1);
    EXPECT_EQ(got.tilesWanted, wanted);
    EXPECT_EQ(got.tilesRead, 1);
    EXPECT_EQ(got.tilesSea, 1);
    EXPECT_EQ(got.tilesFailed, 1);
    EXPECT_EQ(got.tilesAbsent, wanted - 3);
    ASSERT_EQ(got.terrain.layers().size(), 1u);
    EXPECT_EQ(got.terrain.layers()[0].zoom, 8);
    EXPECT_EQ(got.statusText(), "標高タイル " + std::to_string(wanted - 3) +
                                    " 枚がフォルダになく、1 枚が得られません（タイルの値 \"garbage\" が読めません）。その範囲は描かれません");
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), std::pair(wanted, wanted));
    for (size_t i = 1; i < calls.size(); ++i) EXPECT_LE(calls[i - 1].first, calls[i].first);

    // A fine sight near the observer reads the zoom-8 heights.
    const WorldPoint inHome = toWorld(test::pixelCentre(home, 40, 30));
    EXPECT_NEAR(got.terrain.heightAt(inHome, 14), 100.0 + 300 + 20, 0.01);
    EXPECT_EQ(got.terrain.heightAt(toWorld(test::pixelCentre(sea, 40, 30)), 12), 0.0f);
    EXPECT_TRUE(std::isnan(got.terrain.heightAt(toWorld(test::pixelCentre(broken, 40, 30)), 12)));
}

TEST(FolderGathering, TheRealHidakaTileServesTheSightFromPoroshiri) {
    const GatheredTerrain got = gatherFromFolder(ORVANE_REALDATA, request(150000));
    ASSERT_FALSE(got.terrain.empty());
    EXPECT_EQ(got.terrain.layers().back().zoom, 8);
    EXPECT_GE(got.tilesRead, 1);
    EXPECT_EQ(got.tilesFailed, 0);
    // The highest pixel of the tile: 1944.25 m at row 86, column 118.
    EXPECT_NEAR(got.terrain.heightAt(toWorld(test::pixelCentre({8, 229, 94}, 118, 86)), 14), 1944.25, 0.01);
    EXPECT_NE(got.statusText().find("枚がフォルダにありません"), std::string::npos) << got.statusText();
}

TEST(FolderGathering, NoFolderLeavesEverythingUnknownAndSaysWhy) {
    orv::test::TempDir dir;
    const GatheredTerrain got = gatherFromFolder(dir / "gone", request(5000));
    EXPECT_TRUE(got.terrain.empty());
    EXPECT_GT(got.tilesWanted, 0);
    EXPECT_EQ(got.tilesFailed, got.tilesWanted);
    EXPECT_EQ(got.statusText(), "標高タイル " + std::to_string(got.tilesWanted) +
                                    " 枚が得られません（フォルダが見つかりません）。その範囲は描かれません");
}

// A server on 127.0.0.1 for one small ring of zoom 14: the first tile of the range is had,
// the next three fail three ways, the rest are not on the server (the sea).
struct ServerGathering : ::testing::Test {
    orv::test::TempDir dir;
    std::vector<TileId> tiles;  // the ring's tiles in the order they are asked for
    std::string good = test::textTile([](int column, int row) { return 500.0 + row + column; });
    terrain::test::LocalTileServer server{[this](const std::string& path) {
        const auto is = [&](size_t i) { return i < tiles.size() && path == "/dem/" + test::tilePath(tiles[i], ".txt"); };
        if (is(0)) return terrain::test::HttpReply{200, good, false};
        if (is(1)) return terrain::test::HttpReply{500, "busy", false};
        if (is(2)) return terrain::test::HttpReply{200, good, true};
        if (is(3)) return terrain::test::HttpReply{200, "<html>not a tile</html>", false};
        return terrain::test::HttpReply{404, "not found", false};
    }};

    ServerGathering() {
        const auto rings = tileRings(request(2000));
        EXPECT_EQ(rings.size(), 1u);
        const auto& r = rings.front().range;
        for (int y = r.y0; y <= r.y1; ++y)
            for (int x = r.x0; x <= r.x1; ++x) tiles.push_back({14, x, y});
    }

    terrain::DownloadOptions options() const {
        terrain::DownloadOptions o;
        o.servers = {{server.base() + "/fine/{z}/{x}/{y}.txt", 15}, {server.base() + "/dem/{z}/{x}/{y}.txt", 14}};
        o.cacheFolder = dir / "cache";
        o.minimumIntervalMs = 0;
        o.timeoutMs = 10000;
        return o;
    }
    fs::path cached(TileId tile, const std::string& extension = ".txt") const {
        return dir / "cache" / "dem" / test::tilePath(tile, extension);
    }
};

TEST_F(ServerGathering, MissingTilesAreSeaFailedOnesUnknownAndNotKept) {
    ASSERT_GE(tiles.size(), 6u);
    ASSERT_LE(tiles.size(), 16u);
    const GatheredTerrain got = gatherFromServer(request(2000), options());
    EXPECT_EQ(server.requested().size(), tiles.size());
    for (const auto& path : server.requested()) EXPECT_EQ(path.rfind("/dem/14/", 0), 0u) << path;
    EXPECT_EQ(got.tilesWanted, static_cast<int>(tiles.size()));
    EXPECT_EQ(got.tilesRead, 1);
    EXPECT_EQ(got.tilesFailed, 3);
    EXPECT_EQ(got.tilesSea, static_cast<int>(tiles.size()) - 4);
    EXPECT_FALSE(got.offline);
    EXPECT_EQ(got.statusText(), "標高タイル 3 枚が得られません（サーバーが応答できない状態です（500）など）。その範囲は描かれません");

    EXPECT_TRUE(fs::exists(cached(tiles[0])));
    for (size_t i = 1; i <= 3; ++i) EXPECT_FALSE(fs::exists(cached(tiles[i]))) << i;
    EXPECT_TRUE(fs::exists(cached(tiles[4], ".txt.none")));

    const auto heightIn = [&](size_t i) { return got.terrain.heightAt(toWorld(test::pixelCentre(tiles[i], 100, 50)), 14); };
    EXPECT_NEAR(heightIn(0), 650.0, 0.01);
    for (size_t i = 1; i <= 3; ++i) EXPECT_TRUE(std::isnan(heightIn(i))) << i;
    EXPECT_EQ(heightIn(4), 0.0f);
}

TEST_F(ServerGathering, OutOfReachTheCacheStillServesAndTheCauseIsSaid) {
    auto o = options();
    ASSERT_EQ(gatherFromServer(request(2000), o).tilesRead, 1);  // fills the cache
    server.stop();
    const GatheredTerrain got = gatherFromServer(request(6000), o);
    EXPECT_TRUE(got.offline);
    EXPECT_GE(got.terrain.layers().size(), 2u);
    EXPECT_EQ(got.tilesRead, 1);
    EXPECT_EQ(got.tilesSea, static_cast<int>(tiles.size()) - 4);
    EXPECT_EQ(got.tilesFailed, got.tilesWanted - got.tilesRead - got.tilesSea);
    EXPECT_EQ(got.statusText(), "標高タイル " + std::to_string(got.tilesFailed) +
                                    " 枚が得られません（接続を拒否されました）。その範囲は描かれません");
}

TEST_F(ServerGathering, CancellingStopsTheRingsAndSaysSo) {
    int asked = 0;
    const GatheredTerrain got = gatherFromServer(request(2000), options(), [&](int, int, const std::string&) { return ++asked < 3; });
    EXPECT_TRUE(got.cancelled);
    EXPECT_EQ(server.requested().size(), 2u);
    EXPECT_EQ(got.statusText(), "標高タイルの読み込みを取り消しました。得られなかった範囲は描かれません");
}

}  // namespace
}  // namespace orv::panorama
