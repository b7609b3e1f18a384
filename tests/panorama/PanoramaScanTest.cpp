// The panorama's sight lines over made-up terrain whose silhouette is known: a flat-topped cone,
// a wall that hides what is behind it, a hole nobody knows; the same columns on one thread or
// two; cancelling; which column a direction falls in; which peaks are seen.
#include "panorama/PanoramaScan.h"

#include "panorama/Geodesy.h"
#include "panorama/SyntheticTerrain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace orv::panorama {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
const LatLon kHere{36.0, 138.0};

// Sea-level ground 0 m for 120 km round kHere (or `height` where given), on zoom 8.
template <class Height>
MercatorLayer ground(Height height) {
    return synthetic::layerAround(kHere, 120000.0, 8, height);
}
MercatorLayer ground() {
    return ground([](LatLon) { return 0.0; });
}

// A feature `reach` metres in size round `centre` whose far side is `far` metres away: a layer
// of the zoom the sight wants there, so that no coarser layer answers for it.
template <class Height>
MercatorLayer feature(LatLon centre, double reach, double far, double columnStep, Height height) {
    return synthetic::layerAround(centre, reach, zoomForDistance(far, columnStep, kHere.latitude), height);
}

double topAngle(const PanoramaScan& scan, double azimuth) {
    const ScanColumn* column = scan.columnAt(azimuth);
    return column && !column->spans.empty() ? column->spans.back().highAngle : -90.0;
}

// A cone 2000 m high, its base 1500 m round, its top a disc of 150 m round, 60 km east-north-
// east: the top's near edge is the silhouette (the sides are far steeper than the sight), seen
// by the first sample past it.
struct Cone {
    static constexpr double kHeight = 2000.0, kBase = 1500.0, kTop = 150.0, kDistance = 60000.0;
    static constexpr double kAzimuth = 67.5, kStep = 0.01;
    LatLon centre = directGeodesic(kHere, kAzimuth, kDistance);
    SightTerrain terrain;

    Cone() {
        terrain.addLayer(feature(centre, kBase + 100.0, kDistance + kBase, kStep, [this](LatLon at) {
            const double off = inverseGeodesic(centre, at).distance;
            return off <= kTop ? kHeight : std::max(0.0, kHeight * (kBase - off) / (kBase - kTop));
        }));
        terrain.addLayer(ground());
    }
    // How far past the top's edge the first sample that reads the top's full height may lie:
    // one step, and the reach of the bilinear samples.
    static double slack() {
        const int zoom = zoomForDistance(kDistance + kBase, kStep, kHere.latitude);
        const double pixel = synthetic::metresPerWorld(kHere.latitude) / (256.0 * std::ldexp(1.0, zoom));
        return kDistance * kStep * kDeg + pixel * std::sqrt(2.0) + 1.0;
    }
};

struct ConeCase {
    const char* name;
    bool curvature;
    double refraction;
};
void PrintTo(const ConeCase& c, std::ostream* out) { *out << c.name; }

class ConeSilhouette : public ::testing::TestWithParam<ConeCase> {};

TEST_P(ConeSilhouette, TopAngleIsTheTopsNearEdge) {
    const ConeCase& c = GetParam();
    const Cone cone;
    ScanOptions options;
    options.azimuth = Cone::kAzimuth;
    options.fieldOfView = 0.5;
    options.columnStep = Cone::kStep;
    options.maxDistance = 80000.0;
    options.sight.curvature = c.curvature;
    options.sight.refraction = c.refraction;
    const PanoramaScan scan = scanPanorama(cone.terrain, Observer{kHere, 0.0, 1.6}, options);
    ASSERT_EQ(scan.columns.size(), 51u);
    EXPECT_EQ(scan.unknownColumns, 0);

    // The angle of a point of the top `d` metres away, by plain trigonometry: on a flat earth,
    // or on the sphere of the normal section's radius, lifted by refraction k·d / 2R.
    const double eye = 1.6;
    const double radius = normalSectionRadius(kHere.latitude, Cone::kAzimuth);
    auto angle = [&](double d) {
        if (!c.curvature) return std::atan((Cone::kHeight - eye) / d) / kDeg;
        const double theta = d / radius, r = radius + Cone::kHeight;
        return (std::atan2(r * std::cos(theta) - (radius + eye), r * std::sin(theta)) +
                c.refraction * d / (2.0 * radius)) / kDeg;
    };
    const double edge = inverseGeodesic(kHere, cone.centre).distance - Cone::kTop;
    const double top = topAngle(scan, Cone::kAzimuth);
    EXPECT_LE(top, angle(edge) + 1e-5);
    EXPECT_GE(top, angle(edge + Cone::slack()) - 1e-5);
    // Short of the cone there is only the ground.
    EXPECT_LT(scan.horizonBefore(Cone::kAzimuth, 0.95 * (edge - Cone::kBase)), 0.0);
    EXPECT_EQ(scan.horizonBefore(Cone::kAzimuth, 1e9), top);
}

INSTANTIATE_TEST_SUITE_P(Geometry, ConeSilhouette,
                         ::testing::Values(ConeCase{"FlatEarth", false, 0.13}, ConeCase{"Sphere", true, 0.0},
                                           ConeCase{"Refraction", true, 0.13},
                                           ConeCase{"StrongRefraction", true, 0.5}),
                         [](const auto& test) { return std::string(test.param.name); });

// A wall 800 m high from 10 000 to 10 300 m north-east, 3° either side of 45°.
SightTerrain wallTerrain(double columnStep) {
    SightTerrain terrain;
    const LatLon middle = directGeodesic(kHere, 45.0, 10150.0);
    terrain.addLayer(feature(middle, 700.0, 10400.0, columnStep, [](LatLon at) {
        const GeodesicLine line = inverseGeodesic(kHere, at);
        return line.distance >= 10000.0 && line.distance <= 10300.0 && std::abs(line.azimuthFrom - 45.0) <= 3.0
                   ? 800.0 : 0.0;
    }));
    terrain.addLayer(ground());
    return terrain;
}

TEST(SightPeaks, NearerTerrainHidesWhatIsBelowIt) {
    ScanOptions options;
    options.azimuth = 45.0;
    options.fieldOfView = 40.0;
    options.maxDistance = 30000.0;
    const PanoramaScan scan = scanPanorama(wallTerrain(options.columnStep), Observer{kHere, 0.0, 1.6}, options);
    auto at = [](const char* name, double azimuth, double distance, double height) {
        return Peak{name, directGeodesic(kHere, azimuth, distance), height};
    };
    const std::vector<Peak> peaks = {
        at("behind", 45.0, 20000.0, 900.0),        // below the wall's top as seen
        at("beside", 55.0, 19000.0, 900.0),        // where the wall is not
        at("above", 44.0, 21000.0, 2500.0),        // towering over the wall
        at("onTheWall", 46.0, 10150.0, 800.0),     // the wall's own top
        at("atTheFoot", 45.0, 10600.0, 810.0),     // just behind, lower than the wall looks
        at("tooFar", 45.0, 31000.0, 3000.0),       // beyond the distance
        at("outOfSight", 90.0, 5000.0, 1000.0),    // outside the field of view
        at("underfoot", 0.0, 50.0, 3.0),           // the observer's own summit
    };
    const std::vector<PeakSight> sights = sightPeaks(scan, peaks);
    const std::vector<std::pair<std::string, bool>> expected = {
        {"onTheWall", true}, {"atTheFoot", false}, {"beside", true}, {"behind", false}, {"above", true}};
    ASSERT_EQ(sights.size(), expected.size());
    for (size_t i = 0; i < sights.size(); ++i) {
        EXPECT_EQ(sights[i].peak.name, expected[i].first) << i;
        EXPECT_EQ(sights[i].visible, expected[i].second) << sights[i].peak.name;
        EXPECT_TRUE(sights[i].inView);
        EXPECT_NEAR(sights[i].azimuth, inverseGeodesic(kHere, sights[i].peak.position).azimuthFrom, 1e-9);
    }
}

TEST(ScanPanorama, ThreadsShareTheColumnsWithoutChangingThem) {
    SightTerrain terrain;
    terrain.addLayer(ground([](LatLon at) {
        return 400.0 + 300.0 * std::sin(at.latitude * 97.0) * std::cos(at.longitude * 71.0) +
               150.0 * std::sin(at.longitude * 433.0 + at.latitude * 211.0);
    }));
    ScanOptions options;
    options.columnStep = 0.5;
    options.maxDistance = 70000.0;
    options.threads = 1;
    const PanoramaScan one = scanPanorama(terrain, Observer{kHere, std::nan(""), 1.6}, options);
    options.threads = 2;
    const PanoramaScan two = scanPanorama(terrain, Observer{kHere, std::nan(""), 1.6}, options);
    ASSERT_EQ(one.columns.size(), 720u);
    ASSERT_EQ(two.columns.size(), one.columns.size());
    size_t spans = 0;
    for (size_t c = 0; c < one.columns.size(); ++c) {
        const ScanColumn& a = one.columns[c];
        const ScanColumn& b = two.columns[c];
        ASSERT_EQ(a.azimuth, b.azimuth);
        ASSERT_EQ(a.spans.size(), b.spans.size()) << a.azimuth;
        for (size_t s = 0; s < a.spans.size(); ++s) {
            EXPECT_EQ(a.spans[s].lowAngle, b.spans[s].lowAngle);
            EXPECT_EQ(a.spans[s].highAngle, b.spans[s].highAngle);
            EXPECT_EQ(a.spans[s].distance, b.spans[s].distance);
        }
        spans += a.spans.size();
    }
    EXPECT_GT(spans, 3 * one.columns.size());  // the hills rise in every direction
}

TEST(ScanPanorama, SpansClimbAndRidgeFrontsStayApart) {
    SightTerrain terrain = wallTerrain(0.1);
    ScanOptions options;
    options.azimuth = 45.0;
    options.fieldOfView = 1.0;
    options.maxDistance = 30000.0;
    // A second, higher wall behind the first, 20 km away.
    const LatLon far = directGeodesic(kHere, 45.0, 20150.0);
    terrain.addLayer(feature(far, 700.0, 20400.0, options.columnStep, [](LatLon at) {
        const GeodesicLine line = inverseGeodesic(kHere, at);
        return line.distance >= 20000.0 && line.distance <= 20300.0 && std::abs(line.azimuthFrom - 45.0) <= 3.0
                   ? 2500.0 : 0.0;
    }));
    const PanoramaScan scan = scanPanorama(terrain, Observer{kHere, 0.0, 1.6}, options);
    const ScanColumn* column = scan.columnAt(45.0);
    ASSERT_NE(column, nullptr);
    ASSERT_GE(column->spans.size(), 3u);
    EXPECT_EQ(column->spans.front().lowAngle, -90.0f);
    for (size_t s = 1; s < column->spans.size(); ++s) {
        EXPECT_EQ(column->spans[s].lowAngle, column->spans[s - 1].highAngle);
        EXPECT_GT(column->spans[s].distance, column->spans[s - 1].distance);
    }
    // Each wall's face is one span at its distance; the near wall's top is the far one's foot.
    const SightSpan& farWall = column->spans.back();
    const SightSpan& nearWall = column->spans[column->spans.size() - 2];
    EXPECT_NEAR(farWall.distance, 20000.0, 100.0);
    EXPECT_NEAR(nearWall.distance, 10000.0, 50.0);
    EXPECT_EQ(farWall.lowAngle, nearWall.highAngle);
}

TEST(ScanPanorama, CancellingLeavesTheRestEmptyAndProgressEndsAtTheTotal) {
    const SightTerrain terrain = wallTerrain(0.5);
    ScanOptions options;
    options.columnStep = 0.5;
    options.maxDistance = 20000.0;
    for (int threads : {1, 2}) {
        options.threads = threads;
        std::vector<std::pair<int, int>> calls;
        const PanoramaScan done = scanPanorama(terrain, Observer{kHere, 0.0, 1.6}, options, [&](int d, int total) {
            calls.emplace_back(d, total);
            return true;
        });
        EXPECT_FALSE(done.cancelled);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), std::make_pair(720, 720));
        for (size_t i = 1; i < calls.size(); ++i) EXPECT_LE(calls[i - 1].first, calls[i].first);

        const PanoramaScan cancelled =
            scanPanorama(terrain, Observer{kHere, 0.0, 1.6}, options, [](int, int) { return false; });
        EXPECT_TRUE(cancelled.cancelled) << threads;
        size_t empty = 0;
        for (const ScanColumn& column : cancelled.columns) empty += column.spans.empty() ? 1 : 0;
        EXPECT_GT(empty, cancelled.columns.size() / 2) << threads;
    }
}

TEST(ScanPanorama, UnknownGroundMarksItsColumns) {
    // Nobody knows the ground 20–25 km east; the observer's own ground is read from the terrain.
    SightTerrain terrain;
    terrain.addLayer(ground([](LatLon at) {
        const GeodesicLine line = inverseGeodesic(kHere, at);
        if (line.distance >= 20000.0 && line.distance <= 25000.0 && std::abs(line.azimuthFrom - 90.0) <= 10.0)
            return std::nan("");
        return line.distance < 3000.0 ? 500.0 : 0.0;
    }));
    ScanOptions options;
    options.columnStep = 1.0;
    options.maxDistance = 40000.0;
    const PanoramaScan scan = scanPanorama(terrain, Observer{kHere, std::nan(""), 1.6}, options);
    EXPECT_DOUBLE_EQ(scan.observer.groundHeight, 500.0);
    int unknown = 0;
    for (const ScanColumn& column : scan.columns) unknown += column.unknown ? 1 : 0;
    EXPECT_EQ(scan.unknownColumns, unknown);
    EXPECT_GE(unknown, 19);
    EXPECT_LE(unknown, 30);
    EXPECT_TRUE(scan.columnAt(90.0)->unknown);
    EXPECT_FALSE(scan.columnAt(270.0)->unknown);
    EXPECT_FALSE(scan.columnAt(90.0)->spans.empty());

    // Standing where nothing is known, nothing can be said.
    const PanoramaScan nowhere = scanPanorama(SightTerrain{}, Observer{kHere, std::nan(""), 1.6}, options);
    EXPECT_EQ(nowhere.unknownColumns, 360);
    EXPECT_TRUE(nowhere.columns[0].spans.empty());
}

struct ColumnCase {
    double azimuth, fieldOfView, asked;
    double column;  // NaN: none
};

TEST(PanoramaScan, ColumnAtFindsTheNearestColumnInView) {
    const ColumnCase cases[] = {
        {0.0, 360.0, 359.97, 0.0},  {0.0, 360.0, -0.02, 0.0},   {0.0, 360.0, 180.04, 180.0},
        {0.0, 360.0, 720.1, 0.1},   {90.0, 20.0, 80.0, 80.0},   {90.0, 20.0, 79.96, 80.0},
        {90.0, 20.0, 100.04, 100.0}, {90.0, 20.0, 100.2, NAN},  {90.0, 20.0, 300.0, NAN},
        {0.0, 20.0, 355.0, 355.0},  {0.0, 20.0, 10.0, 10.0},    {0.0, 20.0, 180.0, NAN},
    };
    for (const ColumnCase& c : cases) {
        ScanOptions options;
        options.azimuth = c.azimuth;
        options.fieldOfView = c.fieldOfView;
        options.maxDistance = 0.0;
        const PanoramaScan scan = scanPanorama(SightTerrain{}, Observer{kHere, 0.0, 1.6}, options);
        const ScanColumn* column = scan.columnAt(c.asked);
        if (std::isnan(c.column)) {
            EXPECT_EQ(column, nullptr) << c.azimuth << " " << c.fieldOfView << " " << c.asked;
            EXPECT_EQ(scan.horizonBefore(c.asked, 1e9), -90.0);
        } else {
            ASSERT_NE(column, nullptr) << c.azimuth << " " << c.fieldOfView << " " << c.asked;
            EXPECT_NEAR(column->azimuth, c.column, 1e-9) << c.asked;
        }
    }
}

TEST(ScanPanorama, OptionsOutOfRangeAreBroughtIntoIt) {
    struct Case {
        double step, fieldOfView, distance;
        size_t columns;
        double keptStep, keptDistance;
    };
    const Case cases[] = {
        {0.0, 360.0, 1000.0, 3600, 0.1, 1000.0},      {-1.0, 360.0, 1000.0, 3600, 0.1, 1000.0},
        {NAN, 360.0, 1000.0, 3600, 0.1, 1000.0},      {0.001, 1.0, 1000.0, 101, 0.01, 1000.0},
        {10.0, -5.0, 1000.0, 36, 10.0, 1000.0},       {10.0, 1000.0, 1000.0, 36, 10.0, 1000.0},
        {10.0, 360.0, 1e12, 36, 10.0, 300000.0},      {10.0, 360.0, NAN, 36, 10.0, 0.0},
    };
    for (const Case& c : cases) {
        ScanOptions options;
        options.columnStep = c.step;
        options.fieldOfView = c.fieldOfView;
        options.maxDistance = c.distance;
        const PanoramaScan scan = scanPanorama(SightTerrain{}, Observer{kHere, 0.0, 1.6}, options);
        EXPECT_EQ(scan.columns.size(), c.columns) << c.step << " " << c.fieldOfView;
        EXPECT_EQ(scan.options.columnStep, c.keptStep);
        EXPECT_EQ(scan.options.maxDistance, c.keptDistance);
        EXPECT_EQ(scan.unknownColumns, c.distance >= 5.0 ? static_cast<int>(c.columns) : 0);
    }
}

}  // namespace
}  // namespace orv::panorama
