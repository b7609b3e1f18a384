// Writing GPX files: the text of a small document, and everything written read back.
#include "exchange/GpxWriter.h"

#include "core/TextFile.h"
#include "exchange/GpxReader.h"
#include "support/GpxFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

TEST(GpxWriterTest, WritesGpx11WithTrackRouteAndWaypoints) {
    GpxDocument doc;
    doc.name = "幌尻岳 <計画> & 記録";
    GpxPoint summit;
    summit.latitude = 42.71960123456;
    summit.longitude = 142.68380000001;
    summit.elevation = 2052.0;
    summit.time = parseGpxTime("2024-05-04T22:10:00Z");
    summit.name = "幌尻岳\n山頂";
    summit.symbol = "Summit";
    doc.waypoints.push_back(summit);
    GpxPoint start;
    start.latitude = -0.5;
    start.longitude = 139.0;
    doc.routes.push_back({"", {start}});
    GpxTrack track{"log", {{summit, start}}};
    doc.tracks.push_back(track);

    EXPECT_EQ(gpxBytes(doc),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "version=\"1.1\" creator=\"Orvane\" "
              "xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
              " <metadata>\n"
              "  <name>幌尻岳 &lt;計画&gt; &amp; 記録</name>\n"
              " </metadata>\n"
              " <wpt lat=\"42.71960123\" lon=\"142.6838\">\n"
              "  <ele>2052</ele>\n"
              "  <time>2024-05-04T22:10:00Z</time>\n"
              "  <name>幌尻岳 山頂</name>\n"
              "  <sym>Summit</sym>\n"
              " </wpt>\n"
              " <rte>\n"
              "  <rtept lat=\"-0.5\" lon=\"139\"/>\n"
              " </rte>\n"
              " <trk>\n"
              "  <name>log</name>\n"
              "  <trkseg>\n"
              "   <trkpt lat=\"42.71960123\" lon=\"142.6838\">\n"
              "    <ele>2052</ele>\n"
              "    <time>2024-05-04T22:10:00Z</time>\n"
              "    <name>幌尻岳 山頂</name>\n"
              "    <sym>Summit</sym>\n"
              "   </trkpt>\n"
              "   <trkpt lat=\"-0.5\" lon=\"139\"/>\n"
              "  </trkseg>\n"
              " </trk>\n"
              "</gpx>\n");
}

TEST(GpxWriterTest, EverythingWrittenReadsBack) {
    const auto original = readGpx(test::gpxFixture());
    ASSERT_TRUE(original.ok());
    test::TempDir dir;
    ASSERT_TRUE(writeGpxFile(dir / "copy.gpx", *original).ok());
    const auto copy = readGpxFile(dir / "copy.gpx");
    ASSERT_TRUE(copy.ok()) << copy.problem().detail;
    EXPECT_EQ(copy->name, original->name);
    ASSERT_EQ(copy->waypoints.size(), original->waypoints.size());
    ASSERT_EQ(copy->trackPointCount(), original->trackPointCount());
    ASSERT_EQ(copy->routePointCount(), original->routePointCount());
    const auto same = [](const GpxPoint& a, const GpxPoint& b) {
        EXPECT_NEAR(a.latitude, b.latitude, 1e-8);
        EXPECT_NEAR(a.longitude, b.longitude, 1e-8);
        EXPECT_EQ(a.elevation, b.elevation);
        EXPECT_EQ(a.time, b.time);
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.symbol, b.symbol);
    };
    for (size_t i = 0; i < copy->waypoints.size(); ++i) same(copy->waypoints[i], original->waypoints[i]);
    for (size_t s = 0; s < original->tracks[0].segments.size(); ++s)
        for (size_t i = 0; i < original->tracks[0].segments[s].size(); ++i)
            same(copy->tracks[0].segments[s][i], original->tracks[0].segments[s][i]);

    // A folder in the way: nothing is written, the problem names the path.
    std::filesystem::create_directory(dir / "taken.gpx");
    const Status refused = writeGpxFile(dir / "taken.gpx", *original);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.problem().kind, ProblemKind::CannotWrite);
}

}  // namespace
}  // namespace orv
