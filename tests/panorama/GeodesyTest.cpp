// Geodesics on GRS80 against PROJ's (Karney's algorithms, accurate to nanometres).
#include "panorama/Geodesy.h"

#include <geodesic.h>
#include <proj.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace orv;
using namespace orv::panorama;

namespace {

constexpr double kMillimetre = 0.001;
constexpr double kAngle = 1e-6;  // degrees

double azimuthDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return std::abs(d);
}

struct Pair {
    const char* name;
    LatLon from, to;
};

// From a kilometre to some 300 km, in every direction, over Japan's latitudes.
const Pair kPairs[] = {
    {"1 km north", {35.0, 139.0}, {35.009, 139.0}},
    {"1 km east", {43.0, 141.0}, {43.0, 141.0123}},
    {"5 km diagonal", {34.0, 133.0}, {34.03, 133.04}},
    {"Hidaka: Poroshiri to Tokachi", {42.7189, 142.6831}, {43.4175, 142.6861}},
    {"Tokyo to Fuji", {35.681236, 139.767125}, {35.360556, 138.727778}},
    {"Fuji to Kita-dake", {35.360556, 138.727778}, {35.6742, 138.2386}},
    {"Sapporo to Asahikawa", {43.0621, 141.3544}, {43.7706, 142.3650}},
    {"Osaka to Nagoya", {34.6937, 135.5023}, {35.1815, 136.9066}},
    {"Kagoshima to Fukuoka", {31.5966, 130.5571}, {33.5904, 130.4017}},
    {"along a parallel, 270 km", {36.0, 137.0}, {36.0, 140.0}},
    {"Tokyo to Sendai", {35.681236, 139.767125}, {38.2682, 140.8694}},
    {"south-west, 300 km", {34.0, 135.0}, {32.0, 133.0}},
};

class GeodesyAgainstProj : public ::testing::Test {
protected:
    GeodesyAgainstProj() { geod_init(&geod_, kGrs80SemiMajor, kGrs80Flattening); }
    geod_geodesic geod_{};
};

}  // namespace

TEST_F(GeodesyAgainstProj, InverseAndDirectAgreeToTheMillimetre) {
    for (const Pair& p : kPairs) {
        SCOPED_TRACE(p.name);
        double s12 = 0, azi1 = 0, azi2 = 0;
        geod_inverse(&geod_, p.from.latitude, p.from.longitude, p.to.latitude, p.to.longitude, &s12, &azi1, &azi2);
        const GeodesicLine line = inverseGeodesic(p.from, p.to);
        EXPECT_NEAR(line.distance, s12, kMillimetre);
        EXPECT_LT(azimuthDifference(line.azimuthFrom, azi1), kAngle) << line.azimuthFrom << " " << azi1;
        EXPECT_LT(azimuthDifference(line.azimuthTo, azi2), kAngle) << line.azimuthTo << " " << azi2;
        EXPECT_GE(line.azimuthFrom, 0.0);
        EXPECT_LT(line.azimuthFrom, 360.0);
        EXPECT_GE(line.azimuthTo, 0.0);
        EXPECT_LT(line.azimuthTo, 360.0);

        // The direct problem from PROJ's azimuth and distance lands where PROJ lands.
        double lat2 = 0, lon2 = 0, back = 0;
        geod_direct(&geod_, p.from.latitude, p.from.longitude, azi1, s12, &lat2, &lon2, &back);
        const LatLon reached = directGeodesic(p.from, azi1, s12);
        double miss = 0;
        geod_inverse(&geod_, reached.latitude, reached.longitude, lat2, lon2, &miss, nullptr, nullptr);
        EXPECT_LT(miss, kMillimetre);
    }
}

TEST_F(GeodesyAgainstProj, DirectThenInverseComesBack) {
    const LatLon start{36.2892, 137.6481};  // Yari-ga-take
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 22.5) {
        for (double distance : {10.0, 1000.0, 50000.0, 300000.0, 1000000.0}) {
            SCOPED_TRACE(::testing::Message() << azimuth << "° " << distance << " m");
            const LatLon end = directGeodesic(start, azimuth, distance);
            const GeodesicLine line = inverseGeodesic(start, end);
            EXPECT_NEAR(line.distance, distance, kMillimetre);
            EXPECT_LT(azimuthDifference(line.azimuthFrom, azimuth), kAngle);
            double s12 = 0;
            geod_inverse(&geod_, start.latitude, start.longitude, end.latitude, end.longitude, &s12, nullptr, nullptr);
            EXPECT_NEAR(s12, distance, kMillimetre);
        }
    }
}

TEST(Geodesy, EqualPositionsAreNoDistanceApart) {
    const LatLon p{35.360556, 138.727778};
    const GeodesicLine line = inverseGeodesic(p, p);
    EXPECT_EQ(line.distance, 0.0);
    EXPECT_EQ(line.azimuthFrom, 0.0);
    EXPECT_EQ(line.azimuthTo, 0.0);
    const LatLon same = directGeodesic(p, 123.0, 0.0);
    EXPECT_NEAR(same.latitude, p.latitude, 1e-12);
    EXPECT_NEAR(same.longitude, p.longitude, 1e-12);
    // A centimetre apart is still a centimetre.
    EXPECT_NEAR(inverseGeodesic(p, {p.latitude + 0.01 / 111000.0, p.longitude}).distance, 0.01, 1e-4);
}

TEST(Geodesy, CartesianAgreesWithProj) {
    PJ_CONTEXT* context = proj_context_create();
    PJ* cart = proj_create(context, "+proj=cart +ellps=GRS80");
    ASSERT_NE(cart, nullptr);
    const struct {
        LatLon at;
        double height;
    } cases[] = {{{0.0, 0.0}, 0.0}, {{35.360556, 138.727778}, 3776.0}, {{42.7189, 142.6831}, -40.0},
                 {{-20.0, -70.0}, 1000.0}};
    for (const auto& c : cases) {
        const PJ_COORD in = proj_coord(proj_torad(c.at.longitude), proj_torad(c.at.latitude), c.height, 0);
        const PJ_COORD out = proj_trans(cart, PJ_FWD, in);
        const Cartesian mine = toCartesian(c.at, c.height);
        EXPECT_NEAR(mine.x, out.xyz.x, kMillimetre);
        EXPECT_NEAR(mine.y, out.xyz.y, kMillimetre);
        EXPECT_NEAR(mine.z, out.xyz.z, kMillimetre);
    }
    proj_destroy(cart);
    proj_context_destroy(context);
}

// The radius of the normal section, measured: a point s metres along the surface lies
// s² / 2R below the tangent plane (on the ellipsoid's normal).
TEST(Geodesy, NormalSectionRadiusIsTheCurvatureAlongTheSight) {
    constexpr double rad = std::numbers::pi / 180.0;
    for (double latitude : {31.0, 36.0, 44.0}) {
        const LatLon eye{latitude, 139.0};
        const Cartesian o = toCartesian(eye, 0.0);
        const double up[3] = {std::cos(latitude * rad) * std::cos(139.0 * rad),
                              std::cos(latitude * rad) * std::sin(139.0 * rad), std::sin(latitude * rad)};
        for (double azimuth : {0.0, 30.0, 90.0, 135.0, 270.0}) {
            SCOPED_TRACE(::testing::Message() << latitude << "° " << azimuth << "°");
            constexpr double s = 1000.0;
            const Cartesian t = toCartesian(directGeodesic(eye, azimuth, s), 0.0);
            const double drop = -((t.x - o.x) * up[0] + (t.y - o.y) * up[1] + (t.z - o.z) * up[2]);
            // R (1 − cos(s/R)) = drop, solved to first order.
            const double measured = s * s / (2.0 * drop) - drop / 6.0;
            EXPECT_NEAR(normalSectionRadius(latitude, azimuth), measured, 5.0);
        }
    }
    // Meridian and prime vertical of GRS80 at 45°.
    EXPECT_NEAR(normalSectionRadius(45.0, 0.0), 6367381.8, 0.1);
    EXPECT_NEAR(normalSectionRadius(45.0, 90.0), 6388838.3, 0.1);
}
