// GPX files as GPS tracks: which points become the route, times in Japanese time, long logs
// thinned, the messages of hostile files, the datum, and a route exported and read back.
#include "gps/GpxTrack.h"

#include "exchange/GpxReader.h"
#include "exchange/GpxWriter.h"
#include "gps/GpsImportRun.h"
#include "gps/TrackDatum.h"
#include "support/GpxFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace orv {
namespace {

// The GPX file holding `points` track points on one segment, a second apart.
std::string longLog(int points) {
    std::string bytes = "<gpx version=\"1.1\"><trk><trkseg>\n";
    for (int i = 0; i < points; ++i)
        bytes += "<trkpt lat=\"" + std::to_string(42.7 + i * 1e-5) + "\" lon=\"142.6\"><ele>" + std::to_string(i) +
                 "</ele><time>" + gpxTimeText(1714867170 + i) + "</time></trkpt>\n";
    return bytes + "</trkseg></trk></gpx>\n";
}

struct GpxTrackTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();

    // Reads a GPX file as the import does: read, brought onto the Tokyo datum, committed.
    GpsReadMessage import(const std::string& bytes) {
        const auto path = dir.write("walk.gpx", bytes);
        Result<GpsTrack> read = readGpxTrack(path, {});
        const GpsReadMessage result = describeGpsRead(GpsFileKind::Gpx, read, path);
        if (read.ok()) {
            EXPECT_TRUE(moveTrackToTokyo(*read).ok());
            commitGpsTrack(*state, GpsFileKind::Gpx, *read);
        }
        return result;
    }
};

TEST_F(GpxTrackTest, TrackSegmentsInOrderWithTheUtcDateAndJapaneseTime) {
    const auto document = readGpx(test::gpxFixture());
    ASSERT_TRUE(document.ok());
    const auto track = gpxTrack(*document);
    ASSERT_TRUE(track.ok());
    EXPECT_EQ(track->datum, TrackDatum::Wgs84);
    EXPECT_EQ(track->thinnedFrom, 0);
    // Both segments, one after the other; the planned route is not the track.
    ASSERT_EQ(track->points.size(), 4u);
    const struct {
        const char* latitude;
        const char* longitude;
        float elevation;
        const char* date;
        const char* time;
    } expected[] = {
        {"42.4348", "142.3748", 1190.5f, "05/04/24", "08:59:30"},   // 23:59:30 UTC
        {"42.43516", "142.37552", 1210.0f, "05/05/24", "09:00:30"},  // past midnight UTC
        {"42.431056", "142.410168", 2052.0f, "05/05/24", "23:59:59"},
        {"42.43102", "142.410132", 2050.0f, "05/05/24", "00:00:00"},  // the date stays, as PCX does
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const RoutePoint& p = track->points[i];
        EXPECT_EQ(p.number, static_cast<int16_t>(i + 1));
        EXPECT_EQ(p.latitude, expected[i].latitude);
        EXPECT_EQ(p.longitude, expected[i].longitude);
        EXPECT_EQ(p.elevation, expected[i].elevation);
        EXPECT_EQ(p.dateText, expected[i].date);
        EXPECT_EQ(p.timeText, expected[i].time);
    }
    ASSERT_EQ(track->waypoints.size(), 2u);
    EXPECT_EQ(track->waypoints[0].number, 1);
    EXPECT_EQ(track->waypoints[0].name, "幌尻岳");
    EXPECT_EQ(track->waypoints[1].name, "幌尻山荘");
    EXPECT_EQ(track->waypoints[1].latitude, "42.4348");
}

TEST_F(GpxTrackTest, APlannedRouteWithoutTrackBecomesTheRoute) {
    const auto result = import(
        "<gpx><rte><rtept lat=\"42.73\" lon=\"142.63\"/><rtept lat=\"42.7196\" lon=\"142.6838\"/></rte>"
        "<rte><rtept lat=\"42.7\" lon=\"142.7\"/></rte></gpx>");
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->routeCount, 3);
    EXPECT_EQ(state->route[3].number, 3);
    EXPECT_TRUE(state->route[1].timeText.empty());
    EXPECT_EQ(state->waypointCount, 0);
    EXPECT_EQ(state->routeLoaded, 1);
}

TEST_F(GpxTrackTest, ALongLogIsThinnedEvenlyKeepingItsEnds) {
    const auto result = import(longLog(20000));
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.notice,
              "GPXデータのＴＲＫの点が20000点あり、2048点を超えるため、等間隔に2048点に間引いて読み込みました。");
    EXPECT_EQ(result.title, "ＴＲＫ読み込み");
    ASSERT_EQ(state->routeCount, 2048);
    // The elevations number the file's points: first and last kept, steps of 9 or 10 between.
    EXPECT_EQ(state->route[1].elevation, 0.0f);
    EXPECT_EQ(state->route[2048].elevation, 19999.0f);
    for (int i = 2; i <= 2048; ++i) {
        const float step = state->route[static_cast<size_t>(i)].elevation - state->route[static_cast<size_t>(i - 1)].elevation;
        ASSERT_TRUE(step == 9.0f || step == 10.0f) << i << ": " << step;
    }
    EXPECT_EQ(state->route[2048].number, 2048);

    // The table's size itself is not thinned.
    const auto exact = import(longLog(2048));
    EXPECT_TRUE(exact.notice.empty());
    EXPECT_EQ(state->routeCount, 2048);
}

TEST_F(GpxTrackTest, HostileFilesAreToldWithTheirLineAndNothingIsCommitted) {
    state->route[1].latitude = "35.1";
    state->routeCount = 1;
    std::string manyWaypoints = "<gpx>\n";
    for (int i = 0; i < 251; ++i) manyWaypoints += "<wpt lat=\"35\" lon=\"139\"/>\n";
    manyWaypoints += "</gpx>";
    const struct {
        const char* what;
        std::string bytes;
        ProblemKind kind;
        const char* message;
    } cases[] = {
        {"not XML", "T  N354512.3 E1394512.3 08-OCT-99 15:20:00\r\n", ProblemKind::BadFormat,
         "GPXデータの 1 行目でGPXとして読めなくなりました。\r\nXMLとして正しくありません（XMLの規則に合わない書き方があります："
         "syntax error）。"},
        {"cut short", "<gpx>\n<trk><trkseg>\n<trkpt lat=\"35\" lon=\"139\"><ele>1", ProblemKind::BadFormat,
         "GPXデータの 3 行目でGPXとして読めなくなりました。\r\nファイルが途中で終わっています。"},
        {"empty", "", ProblemKind::BadFormat, "GPXデータとして読めません。\r\nファイルが空です。"},
        {"no points", "<gpx><trk/></gpx>", ProblemKind::NoData,
         "GPXデータに読み込める点がありません。\r\n位置の点（wpt, rtept, trkpt）がありません。"},
        {"no lat", "<gpx>\n<trk><trkseg><trkpt lon=\"139\"/></trkseg></trk></gpx>", ProblemKind::BadRecord,
         "GPXデータの 2 行目を読み取れません。\r\n点に緯度（lat）か経度（lon）がありません。"},
        {"bad lon", "<gpx>\n\n<wpt lat=\"35\" lon=\"東経139\"/></gpx>", ProblemKind::BadValue,
         "GPXデータの 3 行目を読み取れません。\r\n経度（lon）が数値でないか、範囲を外れています。"},
        {"251 waypoints", manyWaypoints, ProblemKind::TooMany, "GPXデータのＷＰＴの点が250点を超えています。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const GpsReadMessage result = import(c.bytes);
        ASSERT_TRUE(result.problem.has_value());
        EXPECT_EQ(result.problem->kind, c.kind);
        EXPECT_EQ(result.message.rfind(c.message, 0), 0u) << result.message;
        EXPECT_EQ(result.title, "ＴＲＫ読み込み");
        EXPECT_EQ(result.icon, Icon::Warning);
        EXPECT_EQ(state->routeCount, 1);
        EXPECT_EQ(state->route[1].latitude, "35.1");
    }
    EXPECT_EQ(import(manyWaypoints).problem->line, 252);
}

TEST_F(GpxTrackTest, UnreadableValuesAreNamedOnTheStatusLine) {
    const auto result = import("<gpx>\n<wpt lat=\"35\" lon=\"139\"><ele>?</ele></wpt>\n"
                               "<wpt lat=\"35\" lon=\"139\"><time>?</time></wpt></gpx>");
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.warning, "GPXデータの2行目ほか2か所の標高・時刻が読めないため、それを除いて読み込みました。");
}

TEST_F(GpxTrackTest, AGpsPositionLandsOnTheTokyoDatumOfTheSurveyPoint) {
    // The datum origin in Azabu: JGD2000 35°39′29.1572″ N 139°44′28.8759″ E is Tokyo datum
    // 35°39′17.5148″ N 139°44′40.5020″ E; a GPS position there is drawn at the latter, within
    // 10 m (0.3″).
    const auto result = import("<gpx><wpt lat=\"35.658099222\" lon=\"139.741354417\"/></gpx>");
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->waypointCount, 1);
    const auto lat = dmsTextDegrees(state->waypoints[1].latitude);
    const auto lon = dmsTextDegrees(state->waypoints[1].longitude);
    ASSERT_TRUE(lat && lon);
    const double tokyoLat = 35 + 39 / 60.0 + 17.5148 / 3600.0;
    const double tokyoLon = 139 + 44 / 60.0 + 40.5020 / 3600.0;
    EXPECT_NEAR((*lat - tokyoLat) * 3600.0, 0.0, 0.3);
    EXPECT_NEAR((*lon - tokyoLon) * 3600.0, 0.0, 0.3);
}

TEST_F(GpxTrackTest, PositionsFarFromJapanAreImportedAsPcxPositionsAre) {
    const auto result = import("<gpx><trk><trkseg><trkpt lat=\"-33.86\" lon=\"151.21\"/>"
                               "<trkpt lat=\"64.84\" lon=\"-147.72\"/></trkseg></trk></gpx>");
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->routeCount, 2);
    // The Tokyo datum shift moves them a few hundred metres.
    EXPECT_NEAR(*dmsTextDegrees(state->route[1].latitude), -33.86, 0.02);
    EXPECT_NEAR(*dmsTextDegrees(state->route[2].longitude), -147.72, 0.02);
}

TEST_F(GpxTrackTest, AnExportedRouteReadsBackWithinATenthOfASecond) {
    auto shift = DatumShift::create(ModernDatum::Wgs84);
    ASSERT_TRUE(shift.ok());
    std::vector<RoutePoint> route(3);
    route[0].latitude = "42.4348";
    route[0].longitude = "142.3748";
    route[0].elevation = 1190.5f;
    route[0].dateText = "05/04/24";
    route[0].timeText = "08:59:30";
    route[0].placeName = "山荘";
    route[1].latitude = "42.431056";
    route[1].longitude = "142.410168";
    route[1].elevation = 2052.0f;
    route[1].dateText = "05/05/24";
    route[1].timeText = "00:00:00";
    route[1].mountainName = "幌尻岳";
    route[1].markKind = 3;
    route[2].latitude = "42.43102";
    route[2].longitude = "142.4101";
    route[2].timeText = "27:30:00";  // a planned route's walking time: no clock time
    route[2].markKind = 4;
    std::vector<Waypoint> waypoints(1);
    waypoints[0].name = "分岐";
    waypoints[0].latitude = "42.43";
    waypoints[0].longitude = "142.4";

    const auto document = routeGpx("幌尻岳", route, waypoints, *shift);
    ASSERT_TRUE(document.ok());
    ASSERT_EQ(document->tracks.size(), 1u);
    EXPECT_EQ(document->tracks[0].name, "幌尻岳");
    const auto& points = document->tracks[0].segments[0];
    EXPECT_EQ(gpxTimeText(*points[0].time), "2024-05-04T23:59:30Z");  // the date is the UTC date
    EXPECT_EQ(gpxTimeText(*points[1].time), "2024-05-05T15:00:00Z");
    EXPECT_FALSE(points[2].time);
    EXPECT_EQ(points[2].elevation, 0.0);
    ASSERT_EQ(document->waypoints.size(), 4u);
    EXPECT_EQ(document->waypoints[0].name, "山荘");
    EXPECT_EQ(document->waypoints[1].name, "幌尻岳");
    EXPECT_EQ(document->waypoints[1].symbol, "Scenic Area");
    EXPECT_EQ(document->waypoints[2].name, "水場");
    EXPECT_EQ(document->waypoints[2].symbol, "Drinking Water");
    EXPECT_EQ(document->waypoints[3].name, "分岐");

    ASSERT_TRUE(writeGpxFile(dir / "export.gpx", *document).ok());
    Result<GpsTrack> back = readGpxTrack(dir / "export.gpx", {});
    ASSERT_TRUE(back.ok());
    ASSERT_TRUE(moveTrackToTokyo(*back, *shift).ok());
    ASSERT_EQ(back->points.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR((*dmsTextDegrees(back->points[i].latitude) - *dmsTextDegrees(route[i].latitude)) * 3600.0, 0.0, 0.1);
        EXPECT_NEAR((*dmsTextDegrees(back->points[i].longitude) - *dmsTextDegrees(route[i].longitude)) * 3600.0, 0.0, 0.1);
        EXPECT_EQ(back->points[i].elevation, route[i].elevation);
    }
    // Recorded times come back as they were.
    EXPECT_EQ(back->points[0].dateText, "05/04/24");
    EXPECT_EQ(back->points[0].timeText, "08:59:30");
    EXPECT_EQ(back->points[1].timeText, "00:00:00");
    EXPECT_TRUE(back->points[2].timeText.empty());
    ASSERT_EQ(back->waypoints.size(), 4u);
    EXPECT_NEAR((*dmsTextDegrees(back->waypoints[3].latitude) - *dmsTextDegrees("42.43")) * 3600.0, 0.0, 0.1);
}

}  // namespace
}  // namespace orv
