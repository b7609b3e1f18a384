// How high a distant point looks: against vectors in the observer's east-north-up frame, plain
// trigonometry on a flat earth, and the refraction's share.
#include "panorama/Geodesy.h"
#include "panorama/SightGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace orv;
using namespace orv::panorama;

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

struct Direction {
    double azimuth = 0.0, elevation = 0.0;  // degrees
};

// Azimuth and elevation of the straight line from eye to target, in the eye's local
// east-north-up frame (up along the ellipsoid's normal).
Direction seenInLocalFrame(LatLon eye, double eyeHeight, LatLon target, double targetHeight) {
    const Cartesian o = toCartesian(eye, eyeHeight);
    const Cartesian t = toCartesian(target, targetHeight);
    const double dx = t.x - o.x, dy = t.y - o.y, dz = t.z - o.z;
    const double sinP = std::sin(eye.latitude * kRad), cosP = std::cos(eye.latitude * kRad);
    const double sinL = std::sin(eye.longitude * kRad), cosL = std::cos(eye.longitude * kRad);
    const double east = -sinL * dx + cosL * dy;
    const double north = -sinP * cosL * dx - sinP * sinL * dy + cosP * dz;
    const double up = cosP * cosL * dx + cosP * sinL * dy + sinP * dz;
    double azimuth = std::atan2(east, north) / kRad;
    if (azimuth < 0) azimuth += 360.0;
    return {azimuth, std::atan2(up, std::hypot(east, north)) / kRad};
}

}  // namespace

TEST(SightGeometry, FarPeaksAgreeWithTheLocalFrame) {
    const struct {
        const char* name;
        LatLon eye;
        double eyeHeight;
        LatLon target;
        double targetHeight;
    } cases[] = {
        {"Fuji from Yari-ga-take", {36.3420, 137.6478}, 3180.0, {35.360556, 138.727778}, 3776.0},
        {"Fuji from Tsukuba-san", {36.2253, 140.1067}, 877.0, {35.360556, 138.727778}, 3776.0},
        {"Tsukuba-san from Fuji (below the horizontal)", {35.360556, 138.727778}, 3776.0, {36.2253, 140.1067}, 877.0},
        {"Tokachi-dake from Poroshiri-dake", {42.7189, 142.6831}, 2052.0, {43.4175, 142.6861}, 2077.0},
    };
    const SightOptions noAir{0.0, true};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GeodesicLine line = inverseGeodesic(c.eye, c.target);
        const double radius = normalSectionRadius(c.eye.latitude, line.azimuthFrom);
        const double elevation = elevationAngle(c.eyeHeight, c.targetHeight, line.distance, radius, noAir);
        const Direction expected = seenInLocalFrame(c.eye, c.eyeHeight, c.target, c.targetHeight);
        EXPECT_GT(line.distance, 70000.0);
        EXPECT_NEAR(line.azimuthFrom, expected.azimuth, 0.001);
        // Far tighter than the 0.02° a label needs: a radius of the wrong section is off by more.
        EXPECT_NEAR(elevation, expected.elevation, 0.001);
    }
}

TEST(SightGeometry, FlatEarthIsPlainTrigonometry) {
    const SightOptions flat{0.13, false};
    const struct {
        double eye, target, distance, degrees;
    } cases[] = {{100.0, 1100.0, 1000.0, 45.0},
                 {1000.0, 0.0, 1000.0 * std::sqrt(3.0), -30.0},
                 {500.0, 500.0, 150000.0, 0.0},
                 {0.0, 3776.0, 100000.0, std::atan(0.03776) / kRad}};
    for (const auto& c : cases) {
        EXPECT_NEAR(elevationAngle(c.eye, c.target, c.distance, 6371000.0, flat), c.degrees, 1e-12);
    }
    EXPECT_EQ(apparentDrop(100000.0, 6371000.0, flat), 0.0);
}

TEST(SightGeometry, RefractionRaisesTheSightByHalfItsBend) {
    const double radius = 6370000.0;
    for (double distance : {1000.0, 50000.0, 150000.0, 300000.0}) {
        SCOPED_TRACE(distance);
        const double plain = elevationAngle(1500.0, 2500.0, distance, radius, {0.0, true});
        for (double k : {0.13, 0.2}) {
            const double bent = elevationAngle(1500.0, 2500.0, distance, radius, {k, true});
            EXPECT_NEAR(bent - plain, k * distance / (2.0 * radius) / kRad, 1e-10);
        }
        // Level eye and target: the target lies the apparent drop below the horizontal.
        const SightOptions air{0.13, true};
        const double level = elevationAngle(0.0, 0.0, distance, radius, air);
        const double drop = apparentDrop(distance, radius, air);
        EXPECT_NEAR(drop, distance * distance * 0.87 / (2.0 * radius), 1e-9);
        EXPECT_NEAR(level, -std::atan(drop / distance) / kRad, 1e-3 * std::abs(level));
    }
}
