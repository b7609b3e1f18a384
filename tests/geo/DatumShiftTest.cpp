// The datum shifts between the Tokyo datum and today's datums against positions the survey
// published, and the way back.
#include "geo/DatumShift.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv {
namespace {

double degrees(int d, int m, double s) { return d + m / 60.0 + s / 3600.0; }

struct PublishedPair {
    const char* where;
    double tokyoLat, tokyoLon, jgdLat, jgdLon;
};

// The datum origin in Azabu, Tokyo (its Tokyo datum and JGD2000 values), and the worked
// example of the survey's conversion program TKY2JGD (35°43′18″ N, 138°44′36.1809″ E).
const PublishedPair kPairs[] = {
    {"datum origin", degrees(35, 39, 17.5148), degrees(139, 44, 40.5020), degrees(35, 39, 29.1572), degrees(139, 44, 28.8759)},
    {"TKY2JGD example", degrees(35, 43, 18.0), degrees(138, 44, 36.1809), degrees(35, 43, 29.55634), degrees(138, 44, 24.90110)},
};

TEST(DatumShiftTest, PublishedTokyoAndJgd2000Pairs) {
    auto datum = DatumShift::create(ModernDatum::Jgd2011);
    ASSERT_TRUE(datum.ok()) << datum.problem().detail;
    for (const PublishedPair& p : kPairs) {
        SCOPED_TRACE(p.where);
        const auto [lat, lon] = datum->fromTokyo(p.tokyoLat, p.tokyoLon);
        // PROJ's three-parameter shift is good to a few metres (0.1″ ≈ 3 m), far inside a 50 m cell.
        EXPECT_NEAR((lat - p.jgdLat) * 3600.0, 0.0, 0.2);
        EXPECT_NEAR((lon - p.jgdLon) * 3600.0, 0.0, 0.2);
    }
}

TEST(DatumShiftTest, ToWgs84WithinTenMetresOfThePublishedPairsAndBack) {
    auto datum = DatumShift::create(ModernDatum::Wgs84);
    ASSERT_TRUE(datum.ok()) << datum.problem().detail;
    for (const PublishedPair& p : kPairs) {
        SCOPED_TRACE(p.where);
        const auto [lat, lon] = datum->fromTokyo(p.tokyoLat, p.tokyoLon);
        // Metres on the ground: a second of latitude is about 30.8 m, one of longitude that
        // times the cosine of the latitude.
        const double north = (lat - p.jgdLat) * 3600.0 * 30.8;
        const double east = (lon - p.jgdLon) * 3600.0 * 30.8 * std::cos(p.jgdLat * M_PI / 180.0);
        EXPECT_LT(std::hypot(north, east), 10.0);

        const auto [tokyoLat, tokyoLon] = datum->toTokyo(lat, lon);
        EXPECT_NEAR((tokyoLat - p.tokyoLat) * 3600.0, 0.0, 0.001);
        EXPECT_NEAR((tokyoLon - p.tokyoLon) * 3600.0, 0.0, 0.001);
    }
}

TEST(DatumShiftTest, ShiftAtTheHidakaSampleBlockLiesBetweenTokyoAndWakkanai) {
    // The survey gives the shift (JGD − Tokyo) as about +12″ latitude, −12″ longitude at Tokyo
    // and +8″, −14″ at Wakkanai; the Hidaka mountains lie between, nearer Wakkanai's longitude.
    auto datum = DatumShift::create(ModernDatum::Jgd2011);
    ASSERT_TRUE(datum.ok());
    const double lat = degrees(42, 43, 0), lon = degrees(142, 41, 0);  // 幌尻岳
    const auto [jlat, jlon] = datum->fromTokyo(lat, lon);
    const double dLat = (jlat - lat) * 3600.0, dLon = (jlon - lon) * 3600.0;
    EXPECT_GT(dLat, 8.0);
    EXPECT_LT(dLat, 12.0);
    EXPECT_LT(dLon, -12.0);
    EXPECT_GT(dLon, -14.5);
}

TEST(DatumShiftTest, PositionsThatAreNoNumbersStayUnconverted) {
    auto datum = DatumShift::create(ModernDatum::Wgs84);
    ASSERT_TRUE(datum.ok());
    EXPECT_TRUE(std::isnan(datum->toTokyo(NAN, 139.0).latitude));
    EXPECT_TRUE(std::isnan(datum->fromTokyo(35.0, INFINITY).longitude));
}

}  // namespace
}  // namespace orv
