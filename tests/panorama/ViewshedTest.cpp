// The visible-area map of a level: the sweep and the exact sight lines right on shapes whose
// answer is known, the sweep close to the sight lines on hilly terrain, and cells without data; a peak seen or hidden from places along a sight over layered terrain.
#include "panorama/Viewshed.h"

#include "geo/ElevationGrid.h"
#include "panorama/Geodesy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace orv::panorama {
namespace {

constexpr double kRadius = 6371000.0;
constexpr SightOptions kFlat{kDefaultRefraction, false};
constexpr SightOptions kCurved{kDefaultRefraction, true};

struct Level {
    std::vector<float> heights;
    int rows = 0, columns = 0;
    double rowMetres = 50.0, columnMetres = 50.0;

    Level(int r, int c, double rm, double cm, const std::function<float(double y, double x)>& ground)
        : heights(static_cast<size_t>(r) * static_cast<size_t>(c)), rows(r), columns(c), rowMetres(rm), columnMetres(cm) {
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < c; ++j) heights[at(i, j)] = ground(i * rm, j * cm);
    }
    size_t at(int r, int c) const { return static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c); }
    LevelTerrain terrain() const { return {heights.data(), rows, columns, rowMetres, columnMetres}; }
    std::vector<CellSight> from(int r, int c, double eye, const SightOptions& options = kFlat) const {
        return visibleCells(terrain(), r, c, eye, options);
    }
    // Following each sight line exactly.
    std::vector<CellSight> exactlyFrom(int r, int c, double eye, const SightOptions& options = kFlat) const {
        return visibleCellsAlongSightLines(terrain(), r, c, eye, options);
    }
};

int count(const std::vector<CellSight>& sight, CellSight what) {
    return static_cast<int>(std::count(sight.begin(), sight.end(), what));
}

TEST(ViewshedTest, ShapesWhoseSightIsKnown) {
    // A flat plain on a flat earth: everything is seen, from the middle and from a corner.
    const Level plain(81, 121, 40.0, 55.0, [](double, double) { return 100.0f; });
    for (const auto& [r, c] : {std::pair{40, 60}, std::pair{0, 120}}) {
        EXPECT_EQ(count(plain.from(r, c, 1.6), CellSight::Visible), 81 * 121);
        EXPECT_EQ(count(plain.exactlyFrom(r, c, 1.6), CellSight::Visible), 81 * 121);
    }

    // A wall across the plain: it is seen, what lies behind it is not.
    const Level walled(61, 61, 50.0, 50.0, [](double, double x) { return x == 40 * 50.0 ? 80.0f : 0.0f; });
    for (const auto& behind : {walled.from(30, 10, 1.6), walled.exactlyFrom(30, 10, 1.6)})
        for (int r = 0; r < 61; ++r)
            for (int c = 0; c < 61; ++c)
                ASSERT_EQ(behind[walled.at(r, c)], c <= 40 ? CellSight::Visible : CellSight::Hidden) << r << ' ' << c;

    // A cone seen from its top: every slope falls away from the eye and is seen.
    const Level cone(101, 101, 30.0, 30.0, [](double y, double x) {
        return static_cast<float>(1500.0 - 0.6 * std::hypot(x - 1500.0, y - 1500.0));
    });
    EXPECT_EQ(count(cone.from(50, 50, 1.6), CellSight::Visible), 101 * 101);
    EXPECT_EQ(count(cone.exactlyFrom(50, 50, 1.6), CellSight::Visible), 101 * 101);

    // The same cone seen from the plain at its foot (the cone stands on a plain 300 m high):
    // its near face and top are seen, its far face and the plain behind it are not, the plain
    // beside it is.
    const Level hill(101, 101, 30.0, 30.0, [](double y, double x) {
        return static_cast<float>(std::max(300.0, 1500.0 - 1.2 * std::hypot(x - 1500.0, y - 1500.0)));
    });
    const auto fromValley = hill.from(50, 0, 1.6);
    const auto exact = hill.exactlyFrom(50, 0, 1.6);
    for (const auto* sight : {&fromValley, &exact}) {
        EXPECT_EQ((*sight)[hill.at(50, 30)], CellSight::Visible);  // the near face
        EXPECT_EQ((*sight)[hill.at(50, 50)], CellSight::Visible);  // the top
        EXPECT_EQ((*sight)[hill.at(50, 55)], CellSight::Hidden);   // the far face
        EXPECT_EQ((*sight)[hill.at(50, 100)], CellSight::Hidden);  // the plain behind
        EXPECT_EQ((*sight)[hill.at(0, 20)], CellSight::Visible);   // the plain beside it
    }
    // The sweep and the sight lines differ only on cells along the edges of the shadow.
    int differ = 0;
    for (size_t n = 0; n < exact.size(); ++n) differ += exact[n] != fromValley[n] ? 1 : 0;
    EXPECT_LT(differ, 101 * 101 / 200);
}

TEST(ViewshedTest, ThePlainEndsAtTheHorizonOfTheCurvedEarth) {
    // The horizon of an eye h above a plain lies at √(2Rh / (1 − k)); a higher eye sees farther.
    const Level plain(201, 201, 50.0, 50.0, [](double, double) { return 0.0f; });
    for (const double eye : {1.6, 3.0}) {
        const double horizon = std::sqrt(2.0 * kRadius * eye / (1.0 - kDefaultRefraction));
        for (const auto& sight : {plain.from(100, 100, eye, kCurved), plain.exactlyFrom(100, 100, eye, kCurved)})
            for (int r = 0; r < 201; r += 5)
                for (int c = 0; c < 201; c += 5) {
                    const double d = std::hypot(r - 100, c - 100) * 50.0;
                    if (std::abs(d - horizon) < 0.05 * horizon) continue;
                    EXPECT_EQ(sight[plain.at(r, c)], d < horizon ? CellSight::Visible : CellSight::Hidden) << eye << ' ' << d;
                }
    }
}

// Hills and valleys: a sum of round hills of many sizes.
Level hills(int rows, int columns, double rowMetres, double columnMetres, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    struct Hill {
        double y, x, width, height;
    };
    std::vector<Hill> list;
    for (int n = 0; n < 60; ++n)
        list.push_back({unit(random) * rows * rowMetres, unit(random) * columns * columnMetres,
                        200.0 + 1300.0 * unit(random), (unit(random) - 0.3) * 200.0});
    return Level(rows, columns, rowMetres, columnMetres, [&](double y, double x) {
        double h = 500.0;
        for (const Hill& hill : list) {
            const double d2 = ((y - hill.y) * (y - hill.y) + (x - hill.x) * (x - hill.x)) / (hill.width * hill.width);
            h += hill.height * std::exp(-d2);
        }
        return static_cast<float>(h);
    });
}

TEST(ViewshedTest, AgreesWithTheExactSightLinesOnHillyTerrain) {
    // From valleys, slopes and tops, with cells longer one way than the other, over the curved
    // earth: the sweep's interpolated horizons decide nearly every cell as the sight lines do.
    int cells = 0, equal = 0, visible = 0;
    for (const unsigned seed : {1u, 2u, 3u}) {
        const Level level = hills(97, 113, 46.0, 34.0, seed);
        for (const auto& [r, c, eye] : {std::tuple{48, 56, 1.6}, std::tuple{5, 9, 1.6}, std::tuple{90, 100, 10.0},
                                        std::tuple{20, 80, 1.6}}) {
            const auto sweep = level.from(r, c, eye, kCurved);
            const auto exact = level.exactlyFrom(r, c, eye, kCurved);
            for (size_t n = 0; n < sweep.size(); ++n) {
                ++cells;
                equal += sweep[n] == exact[n] ? 1 : 0;
                visible += exact[n] == CellSight::Visible ? 1 : 0;
            }
        }
    }
    // Both answers occur plenty, so the agreement says something.
    EXPECT_GT(visible, cells / 20);
    EXPECT_LT(visible, cells * 4 / 5);
    EXPECT_GE(static_cast<double>(equal) / cells, 0.98) << equal << " of " << cells;
}

TEST(ViewshedTest, CellsWithoutData) {
    Level level(41, 41, 50.0, 50.0, [](double, double x) { return x == 20 * 50.0 ? 60.0f : 0.0f; });
    // A gap in the wall: unknown cells hide nothing and stay unknown; the cells seen through the
    // gap are seen. A NaN is no data too.
    for (int r = 18; r <= 22; ++r) level.heights[level.at(r, 20)] = ElevationGrid::kNoData;
    level.heights[level.at(0, 0)] = NAN;
    for (const auto& sight : {level.from(20, 5, 1.6), level.exactlyFrom(20, 5, 1.6)}) {
        EXPECT_EQ(sight[level.at(20, 20)], CellSight::NoData);
        EXPECT_EQ(sight[level.at(0, 0)], CellSight::NoData);
        EXPECT_EQ(sight[level.at(20, 40)], CellSight::Visible);
        EXPECT_EQ(sight[level.at(0, 40)], CellSight::Hidden);
    }

    // An observer on a cell without data, or outside the level, or a level without cells: every
    // cell unknown.
    EXPECT_EQ(count(level.from(20, 20, 1.6), CellSight::NoData), 41 * 41);
    EXPECT_EQ(count(level.exactlyFrom(20, 20, 1.6), CellSight::NoData), 41 * 41);
    EXPECT_EQ(count(level.from(-1, 3, 1.6), CellSight::NoData), 41 * 41);
    EXPECT_EQ(count(level.from(3, 41, 1.6), CellSight::NoData), 41 * 41);
    EXPECT_TRUE(visibleCells({}, 0, 0, 1.6, kFlat).empty());
}

// A layer of `zoom` from `north`-west to `south`-east with the heights of `ground`.
MercatorLayer layerOf(int zoom, LatLon northWest, LatLon southEast, const std::function<float(LatLon)>& ground) {
    const double scale = 256.0 * std::ldexp(1.0, zoom);
    const WorldPoint a = toWorld(northWest), b = toWorld(southEast);
    MercatorLayer layer;
    layer.zoom = zoom;
    layer.u0 = static_cast<int64_t>(a.x * scale);
    layer.v0 = static_cast<int64_t>(a.y * scale);
    layer.columns = static_cast<int>(b.x * scale) - static_cast<int>(layer.u0) + 1;
    layer.rows = static_cast<int>(b.y * scale) - static_cast<int>(layer.v0) + 1;
    for (int v = 0; v < layer.rows; ++v)
        for (int u = 0; u < layer.columns; ++u)
            layer.heights.push_back(ground(fromWorld({(static_cast<double>(layer.u0 + u) + 0.5) / scale,
                                                      (static_cast<double>(layer.v0 + v) + 0.5) / scale})));
    return layer;
}

TEST(ViewshedTest, APeakSeenFromPlaces) {
    // A cone 1000 m high standing on a plain, a ridge 600 m high south of it.
    const LatLon peak{42.72, 142.65};
    SightTerrain terrain;
    terrain.addLayer(layerOf(11, {42.80, 142.45}, {42.55, 142.80}, [&](LatLon p) {
        const double metres = inverseGeodesic(p, peak).distance;
        const bool ridge = std::abs(p.latitude - 42.65) < 0.002 && p.longitude > 142.60 && p.longitude < 142.70;
        return static_cast<float>(std::max({0.0, 1000.0 - 0.3 * metres, ridge ? 600.0 : 0.0}));
    }));
    const std::vector<LatLon> places{
        {42.60, 142.65},  // behind the ridge
        {42.60, 142.50},  // beside it
        {42.70, 142.65},  // on the cone's slope
        {42.90, 142.65},  // outside the terrain: nothing known
    };
    EXPECT_EQ(targetVisibleFrom(terrain, places, 1.6, peak, 1000.0, kCurved), (std::vector<bool>{false, true, true, false}));
    // From a tower over the ridge.
    EXPECT_EQ(targetVisibleFrom(terrain, places, 400.0, peak, 1000.0, kCurved), (std::vector<bool>{true, true, true, false}));
    // A summit listed 20 m below the terrain's top is still seen from afar, where only the
    // terrain next to it rises above the sight; from its own slope its top hides it.
    EXPECT_EQ(targetVisibleFrom(terrain, places, 1.6, peak, 980.0, kCurved), (std::vector<bool>{false, true, false, false}));
    // Nothing is seen without terrain, or of a target nowhere.
    EXPECT_EQ(targetVisibleFrom(SightTerrain{}, places, 1.6, peak, 1000.0, kCurved), std::vector<bool>(4, false));
    EXPECT_EQ(targetVisibleFrom(terrain, places, 1.6, {NAN, 142.65}, 1000.0, kCurved), std::vector<bool>(4, false));
}

TEST(ViewshedTest, APeakBelowTheHorizonOfTheCurvedEarth) {
    // A mast 100 m high 60 km away over the sea: its top lies 146 m below the eye's horizon on the
    // curved earth with refraction, in plain sight on a flat one.
    SightTerrain sea;
    sea.addLayer(layerOf(10, {42.70, 142.60}, {42.00, 142.70}, [](LatLon) { return 0.0f; }));
    const LatLon mast{42.60, 142.65};
    const std::vector<LatLon> shore{{42.06, 142.65}};
    EXPECT_EQ(targetVisibleFrom(sea, shore, 1.6, mast, 100.0, kCurved), std::vector<bool>{false});
    EXPECT_EQ(targetVisibleFrom(sea, shore, 1.6, mast, 100.0, kFlat), std::vector<bool>{true});
    EXPECT_EQ(targetVisibleFrom(sea, shore, 400.0, mast, 100.0, kCurved), std::vector<bool>{true});
}

}  // namespace
}  // namespace orv::panorama
