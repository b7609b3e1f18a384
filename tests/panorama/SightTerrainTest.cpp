// Terrain heights on the Web Mercator lattice: positions, one layer's bilinear heights and
// edges, the choice among layers of several zooms.
#include "panorama/SightTerrain.h"
#include "terrain/SourceGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace orv;
using namespace orv::panorama;

namespace {

constexpr float kUnknown = std::numeric_limits<float>::quiet_NaN();

// The world position of lattice coordinates (u, v) of `zoom`, sample centres at whole numbers.
WorldPoint latticePoint(int zoom, double u, double v) {
    const double scale = 256.0 * std::ldexp(1.0, zoom);
    return {(u + 0.5) / scale, (v + 0.5) / scale};
}

}  // namespace

TEST(SightTerrain, WorldCoordinatesAreTheTileLattice) {
    const LatLon places[] = {{35.360556, 138.727778}, {42.7189, 142.6831}, {24.0, 123.0}, {0.0, 0.0},
                             {-33.9, 151.2}, {60.0, -150.0}};
    for (const LatLon& p : places) {
        const WorldPoint w = toWorld(p);
        const LatLon back = fromWorld(w);
        EXPECT_NEAR(back.latitude, p.latitude, 1e-12);
        EXPECT_NEAR(back.longitude, p.longitude, 1e-12);
        for (int zoom : {0, 8, 14}) {
            const double scale = 256.0 * std::ldexp(1.0, zoom);
            EXPECT_NEAR(w.x * scale - 0.5, terrain::mercatorU(p.longitude, zoom), 1e-6);
            EXPECT_NEAR(w.y * scale - 0.5, terrain::mercatorV(p.latitude, zoom), 1e-6);
        }
    }
    EXPECT_NEAR(toWorld({0.0, -180.0}).x, 0.0, 1e-15);
    EXPECT_NEAR(toWorld({0.0, 0.0}).y, 0.5, 1e-15);
    EXPECT_NEAR(fromWorld({0.5, 0.0}).latitude, 85.0511287798, 1e-9);
}

TEST(SightTerrain, OneLayerIsBilinearBetweenSampleCentres) {
    MercatorLayer layer;
    layer.zoom = 10;
    layer.u0 = 900;
    layer.v0 = 400;
    layer.columns = 3;
    layer.rows = 2;
    layer.heights = {0.0f, 10.0f, 20.0f,  //
                     100.0f, 110.0f, kUnknown};
    const struct {
        double u, v;  // relative to (u0, v0)
        float height;  // NaN: unknown
    } cases[] = {
        {0.0, 0.0, 0.0f},        // on a sample
        {0.5, 0.0, 5.0f},        // between two along a row
        {0.0, 0.5, 50.0f},       // between two along a column
        {0.5, 0.5, 55.0f},       // amid four
        {0.25, 0.75, 77.5f},     // (1-t)·2.5 + t·102.5 with t = 0.75
        {1.5, 0.0, 15.0f},       // on the north row: the unknown sample below is not needed
        {1.0, 0.5, 60.0f},       // on a column beside the unknown one
        {1.5, 0.5, kUnknown},    // beside the unknown sample
        {2.0, 1.0, kUnknown},    // on it
        {1.0, 1.0, 110.0f},
        {-0.4, 0.0, 0.0f},       // the outer half pixel holds the edge sample
        {2.45, 0.0, 20.0f},
        {0.5, -0.3, 5.0f},
        {0.5, 1.45, 105.0f},
        {-0.6, 0.0, kUnknown},   // beyond the layer's pixels
        {3.0, 0.0, kUnknown},
        {0.0, -0.51, kUnknown},
        {0.0, 1.6, kUnknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.u << ", " << c.v);
        const float h = layer.heightAt(latticePoint(10, 900 + c.u, 400 + c.v));
        if (std::isnan(c.height))
            EXPECT_TRUE(std::isnan(h)) << h;
        else
            EXPECT_NEAR(h, c.height, 1e-3f);
    }
    EXPECT_TRUE(std::isnan(layer.heightAt({std::nan(""), 0.5})));

    // The same through a SightTerrain, and a layer whose heights do not fill it answers nothing.
    SightTerrain terrain;
    EXPECT_TRUE(std::isnan(terrain.heightAt(latticePoint(10, 900.5, 400.5), 10)));
    MercatorLayer broken = layer;
    broken.heights.pop_back();
    terrain.addLayer(broken);
    EXPECT_TRUE(std::isnan(broken.heightAt(latticePoint(10, 900.5, 400.5))));
    EXPECT_TRUE(std::isnan(terrain.heightAt(latticePoint(10, 900.5, 400.5), 10)));
    terrain.addLayer(layer);
    EXPECT_NEAR(terrain.heightAt(latticePoint(10, 900.5, 400.5), 10), 55.0f, 1e-3f);
    EXPECT_NEAR(terrain.heightAt(latticePoint(10, 900.5, 400.5), 3), 55.0f, 1e-3f);
}

TEST(SightTerrain, LayersAreAskedFromTheWantedZoomDownThenTheNearestFiner) {
    // Constant layers over one world box (the zoom-10 one smaller), each telling its origin by
    // its height; the first zoom-12 layer has a hole that the second one fills.
    const double west = 0.8960, north = 0.3680, size = 0.00005;
    auto layerOver = [&](int zoom, float height, double boxSize) {
        const double scale = 256.0 * std::ldexp(1.0, zoom);
        MercatorLayer l;
        l.zoom = zoom;
        l.u0 = static_cast<int64_t>(std::floor(west * scale));
        l.v0 = static_cast<int64_t>(std::floor(north * scale));
        l.columns = static_cast<int>(std::ceil(boxSize * scale)) + 1;
        l.rows = l.columns;
        l.heights.assign(static_cast<size_t>(l.columns) * static_cast<size_t>(l.rows), height);
        return l;
    };
    MercatorLayer first12 = layerOver(12, 12.0f, size);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) first12.heights[static_cast<size_t>(r * first12.columns + c)] = kUnknown;
    SightTerrain terrain;
    terrain.addLayer(layerOver(10, 10.0f, size / 4));
    terrain.addLayer(first12);
    terrain.addLayer(layerOver(14, 14.0f, size));
    terrain.addLayer(layerOver(12, 1200.0f, size));
    ASSERT_EQ(terrain.layers().size(), 4u);
    EXPECT_EQ(terrain.layers()[0].zoom, 14);
    EXPECT_EQ(terrain.layers()[1].heights.back(), 12.0f);  // equal zooms in the order added
    EXPECT_EQ(terrain.layers()[2].heights.back(), 1200.0f);
    EXPECT_EQ(terrain.layers()[3].zoom, 10);

    const double scale12 = 256.0 * std::ldexp(1.0, 12);
    const WorldPoint known{west + 0.7 * size, north + 0.7 * size};       // every layer but zoom 10
    const WorldPoint inHole{(static_cast<double>(first12.u0) + 1.0) / scale12,
                            (static_cast<double>(first12.v0) + 1.0) / scale12};  // zoom 10 too
    const WorldPoint beyond{west + 3 * size, north};                      // none
    const struct {
        WorldPoint at;
        int wanted;
        float height;
    } cases[] = {
        {known, 14, 14.0f}, {known, 20, 14.0f}, {known, 13, 12.0f},   {known, 12, 12.0f},
        {known, 11, 12.0f},  // zoom 10 does not know it: the nearest finer, the first added
        {known, 9, 12.0f},   {known, -3, 12.0f},
        {inHole, 12, 1200.0f}, {inHole, 11, 10.0f}, {inHole, 9, 10.0f}, {inHole, 13, 1200.0f},
        {inHole, 14, 14.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.at.x << ", " << c.at.y << " wanted " << c.wanted);
        EXPECT_EQ(terrain.heightAt(c.at, c.wanted), c.height);
    }
    EXPECT_TRUE(std::isnan(terrain.heightAt(beyond, 12)));
}

TEST(SightTerrain, ZoomFallsWithDistance) {
    const auto pixel = [](int zoom, double latitude) {
        return 2.0 * std::numbers::pi * 6378137.0 * std::cos(latitude * std::numbers::pi / 180.0) /
               (256.0 * std::ldexp(1.0, zoom));
    };
    // At 35° a zoom-14 pixel is 7.8 m, a zoom-8 one 501 m.
    EXPECT_EQ(zoomForDistance(0.0, 0.1, 35.0), 14);
    EXPECT_EQ(zoomForDistance(1000.0, 0.1, 35.0), 14);
    EXPECT_EQ(zoomForDistance(10000.0, 0.1, 35.0), 12);
    EXPECT_EQ(zoomForDistance(150000.0, 0.1, 35.0), 8);
    EXPECT_EQ(zoomForDistance(1e7, 0.1, 35.0), 5);
    EXPECT_EQ(zoomForDistance(std::nan(""), 0.1, 35.0), 14);
    for (double latitude : {24.0, 35.0, 45.0}) {
        for (double distance = 100.0; distance <= 300000.0; distance *= 1.1) {
            const int zoom = zoomForDistance(distance, 0.1, latitude);
            const double resolved = distance * 0.1 * std::numbers::pi / 180.0;
            ASSERT_GE(zoom, 5);
            ASSERT_LE(zoom, 14);
            if (zoom > 5) {
                EXPECT_GE(pixel(zoom, latitude), resolved) << distance;
            }
            if (zoom < 14) {
                EXPECT_LT(pixel(zoom + 1, latitude), resolved) << distance;
            }
        }
    }
}
