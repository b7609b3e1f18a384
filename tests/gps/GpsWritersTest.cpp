// The GPS files the program writes: the PCX track file byte for byte and read back by its
// reader, GPS records passed on with their own dates and times, and Waypoint+ files.
#include "gps/PcxTrackWriter.h"
#include "gps/WaypointPlusWriter.h"

#include "GpsTestFiles.h"
#include "core/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

RoutePoint point(const char* lat, const char* lon, float elevation, const char* time, const char* date = "") {
    RoutePoint p;
    p.latitude = lat;
    p.longitude = lon;
    p.elevation = elevation;
    p.timeText = time;
    p.dateText = date;
    return p;
}

struct GpsWritersTest : ::testing::Test {
    test::TempDir dir;

    std::string bytesOf(const std::filesystem::path& path) {
        std::string bytes;
        EXPECT_EQ(readBytes(path, bytes), FileError::None);
        return bytes;
    }
};

TEST_F(GpsWritersTest, PcxTrackOfTheTwoPointRouteByteForByte) {
    const std::vector<RoutePoint> route{point("35.2", "139.5", 1000.0f, "00:00:00"),
                                        point("35.21", "139.51", 1100.5f, "01:30:00")};
    const auto path = dir / "幌尻岳.TRK";
    ASSERT_TRUE(writePcxTrackFile(path, "幌尻岳", route).ok());
    EXPECT_EQ(bytesOf(path),
              test::crlfFile({"H  幌尻岳",
                              "M  G Tokyo                098 +7.398450e+002 +1.003748e-005 -1.280000e+002 "
                              "+4.810000e+002 +6.640000e+002",
                              "", "U  LAT LON DMS", "",
                              "H  LATITUDE    LONGITUDE    DATE      TIME     ALT    ;track",
                              "T  N352000 E1395000 04-APR-99 00:00:00 1000",
                              "T  N352100 E1395100 04-APR-99 01:30:00 1100.5"}));

    // The reader gives the same positions back; it takes the times for UTC.
    const auto back = readPcxTrack(path, {});
    ASSERT_TRUE(back.ok());
    ASSERT_EQ(back->points.size(), 2u);
    EXPECT_EQ(back->points[0].latitude, "35.2");
    EXPECT_EQ(back->points[0].longitude, "139.5");
    EXPECT_EQ(back->points[1].latitude, "35.21");
    EXPECT_EQ(back->points[1].longitude, "139.51");
    EXPECT_EQ(back->points[0].timeText, "09:00:00");
    EXPECT_EQ(back->points[1].timeText, "10:30:00");
    EXPECT_EQ(back->points[1].dateText, "04/04/99");
    EXPECT_EQ(back->datum, TrackDatum::Tokyo);
}

TEST_F(GpsWritersTest, PcxCoordinatesKeepTheirSecondsDecimalsAndEveryLineStaysReadable) {
    const std::vector<RoutePoint> route{point("35.45123", "139.451233", 1234.25f, ""),
                                        point("35", "139", -3.0f, "27:30:00")};
    const auto lines = pcxTrackLines("", route);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "H  ");
    EXPECT_EQ(lines[6], "T  N354512.3 E1394512.33 04-APR-99 00:00:00 1234.25");
    EXPECT_EQ(lines[7], "T  N350000 E1390000 04-APR-99 27:30:00 -3");

    ASSERT_TRUE(writePcxTrackFile(dir / "a.TRK", "", route).ok());
    const auto back = readPcxTrack(dir / "a.TRK", {});
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->points[0].latitude, "35.45123");
    EXPECT_EQ(back->points[0].longitude, "139.451233");

    // An empty route: the header lines only.
    EXPECT_EQ(pcxTrackLines("x", {}).size(), 6u);
}

TEST_F(GpsWritersTest, RecordedPcxTracksKeepTheirDatesAndTimes) {
    const auto source = dir.write("log.TRK", test::crlfFile({test::trackLine("354512.3", "1394512.3", "08-OCT-99", "15:20:00"),
                                                             test::trackLine("354513", "1394513", "31-Dec-99", "14:59:59")}));
    const auto read = readPcxTrack(source, {});
    ASSERT_TRUE(read.ok());
    const auto lines = pcxTrackLines("log", read->points, PcxTimes::Recorded);
    // The heights of the ALT column go through with their points.
    EXPECT_EQ(lines[6], "T  N354512.3 E1394512.3 08-OCT-99 15:20:00 123");
    EXPECT_EQ(lines[7], "T  N354513 E1394513 31-DEC-99 14:59:59 123");

    ASSERT_TRUE(writePcxTrackFile(dir / "copy.TRK", "log", read->points, PcxTimes::Recorded).ok());
    const auto copy = readPcxTrack(dir / "copy.TRK", {});
    ASSERT_TRUE(copy.ok());
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(copy->points[i].dateText, read->points[i].dateText);
        EXPECT_EQ(copy->points[i].timeText, read->points[i].timeText);
    }
    // A point without a readable date keeps the export's own date.
    const std::vector<RoutePoint> planned{point("35", "139", 0, "01:00:00", "")};
    EXPECT_EQ(pcxTrackLines("p", planned, PcxTimes::Recorded)[6], "T  N350000 E1390000 04-APR-99 01:00:00 0");
}

TEST_F(GpsWritersTest, WaypointPlusFilesReadBack) {
    std::vector<RoutePoint> points{point("35.451234", "139.45", 0, "09:20:00", "10/08/99"),
                                   point("35.46", "139.46", 0, "", "10/08/99")};
    std::vector<Waypoint> waypoints(1);
    waypoints[0].name = "山頂,北峰";
    waypoints[0].latitude = "35.5";
    waypoints[0].longitude = "139.5";
    EXPECT_EQ(waypointPlusLines(points, waypoints),
              (std::vector<std::string>{"Datum,Tokyo,Tokyo,0,0,0,0,0", "WP,,山頂，北峰,35.5,139.5",
                                        "TP,,35.45123,139.45,10/08/99,00:20:00", "TP,,35.46,139.46,10/08/99,00:00:00"}));

    ASSERT_TRUE(writeWaypointPlusFile(dir / "walk.TXT", points, waypoints).ok());
    const auto back = readWaypointPlus(dir / "walk.TXT", {});
    ASSERT_TRUE(back.ok());
    ASSERT_EQ(back->points.size(), 2u);
    EXPECT_EQ(back->points[0].latitude, "35.45123");  // five decimals, as the reader keeps them
    EXPECT_EQ(back->points[0].timeText, "09:20:00");
    EXPECT_EQ(back->points[0].dateText, "10/08/99");
    EXPECT_EQ(back->points[1].timeText, "09:00:00");
    ASSERT_EQ(back->waypoints.size(), 1u);
    EXPECT_EQ(back->waypoints[0].name, "山頂，北峰");
}

}  // namespace
}  // namespace orv
