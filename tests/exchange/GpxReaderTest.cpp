// Reading GPX files: the points of a file shaped like today's apps write them, GPX 1.0, values
// that cannot be read, and hostile files, each refused with the problem and its line.
#include "exchange/GpxReader.h"

#include "support/GpxFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

TEST(GpxReaderTest, ReadsWaypointsRoutesAndTrackSegmentsWithElevationsAndTimes) {
    std::vector<int> progress;
    const auto read = readGpx(test::gpxFixture(), [&](int value) { progress.push_back(value); });
    ASSERT_TRUE(read.ok()) << read.problem().detail;
    const GpxDocument& doc = *read;
    EXPECT_EQ(doc.name, "幌尻岳 2024");

    ASSERT_EQ(doc.waypoints.size(), 2u);
    const GpxPoint& summit = doc.waypoints[0];
    EXPECT_EQ(summit.latitude, 42.7196);
    EXPECT_EQ(summit.longitude, 142.6838);
    EXPECT_EQ(summit.elevation, 2052.0);
    EXPECT_EQ(summit.time, parseGpxTime("2024-05-04T22:10:00Z"));
    EXPECT_EQ(summit.name, "幌尻岳");
    EXPECT_EQ(summit.symbol, "Summit");
    EXPECT_EQ(summit.line, 4);
    EXPECT_EQ(doc.waypoints[1].name, "幌尻山荘");
    EXPECT_FALSE(doc.waypoints[1].elevation);
    EXPECT_FALSE(doc.waypoints[1].time);

    ASSERT_EQ(doc.routes.size(), 1u);
    EXPECT_EQ(doc.routes[0].name, "計画ルート");
    ASSERT_EQ(doc.routes[0].points.size(), 2u);
    EXPECT_EQ(doc.routes[0].points[1].name, "山頂");

    ASSERT_EQ(doc.tracks.size(), 1u);
    EXPECT_EQ(doc.tracks[0].name, "今日のログ");
    ASSERT_EQ(doc.tracks[0].segments.size(), 2u);
    const auto& first = doc.tracks[0].segments[0];
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].elevation, 1190.5);
    EXPECT_EQ(first[0].time, parseGpxTime("2024-05-04T23:59:30Z"));
    EXPECT_EQ(first[0].line, 21);
    EXPECT_EQ(first[1].time, parseGpxTime("2024-05-05T00:00:30Z"));
    EXPECT_EQ(doc.tracks[0].segments[1][1].time, parseGpxTime("2024-05-05T15:00:00Z"));
    EXPECT_EQ(doc.trackPointCount(), 4u);
    EXPECT_EQ(doc.routePointCount(), 2u);
    EXPECT_EQ(doc.oddValues, 0);

    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 200);
}

TEST(GpxReaderTest, ReadsGpx10WithoutNamespaceAndTheFileFromDisk) {
    test::TempDir dir;
    const auto path = dir.write("walk.gpx",
                                "<?xml version=\"1.0\"?>\r\n"
                                "<gpx version=\"1.0\" creator=\"receiver\" xmlns=\"http://www.topografix.com/GPX/1/0\">\r\n"
                                "<name>old log</name>\r\n"
                                "<trk><trkseg><trkpt lat=\"35.5\" lon=\"139.25\"><ele>12</ele></trkpt></trkseg></trk>\r\n"
                                "</gpx>\r\n");
    const auto read = readGpxFile(path);
    ASSERT_TRUE(read.ok()) << read.problem().detail;
    EXPECT_EQ(read->name, "old log");
    ASSERT_EQ(read->trackPointCount(), 1u);
    EXPECT_EQ(read->tracks[0].segments[0][0].longitude, 139.25);

    const auto plain = readGpx("<gpx><wpt lat=\" -0.5 \" lon=\"-179.5\"/></gpx>");
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain->waypoints[0].latitude, -0.5);

    const auto missing = readGpxFile(dir / "none.gpx");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.problem().kind, ProblemKind::NotFound);
}

TEST(GpxReaderTest, UnreadableElevationsAndTimesAreLeftOutAndCounted) {
    const auto read = readGpx(
        "<gpx>\n"
        "<trk><trkseg>\n"
        "<trkpt lat=\"35\" lon=\"139\"><ele>high</ele><time>2024-05-04T23:59:30Z</time></trkpt>\n"
        "<trkpt lat=\"35\" lon=\"139\"><ele>10</ele><time>yesterday</time></trkpt>\n"
        "</trkseg></trk></gpx>");
    ASSERT_TRUE(read.ok());
    const auto& points = read->tracks[0].segments[0];
    EXPECT_FALSE(points[0].elevation);
    EXPECT_TRUE(points[0].time);
    EXPECT_EQ(points[1].elevation, 10.0);
    EXPECT_FALSE(points[1].time);
    EXPECT_EQ(read->oddValues, 2);
    EXPECT_EQ(read->firstOddLine, 3);
}

TEST(GpxReaderTest, NamesLoseLineBreaksAndAreCut) {
    const std::string longName(300, 'x');
    const auto read = readGpx("<gpx><wpt lat=\"35\" lon=\"139\"><name> 二行の\n名前\t</name></wpt>"
                              "<wpt lat=\"35\" lon=\"139\"><name>" + longName + "</name></wpt></gpx>");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->waypoints[0].name, "二行の 名前");
    EXPECT_EQ(read->waypoints[1].name, std::string(kMaxGpxNameCharacters, 'x'));
}

TEST(GpxReaderTest, ACutNameKeepsNoBlankAtItsEnd) {
    // Cut after its 100th character, a blank: the name written again would read back shorter.
    const std::string name = std::string(kMaxGpxNameCharacters - 1, 'x') + " y";
    const auto read = readGpx("<gpx><wpt lat=\"35\" lon=\"139\"><name>" + name + "</name></wpt></gpx>");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->waypoints[0].name, std::string(kMaxGpxNameCharacters - 1, 'x'));
}

TEST(GpxReaderTest, HostileFilesAreRefusedWithTheProblemAndItsLine) {
    std::string cut = test::gpxFixture();
    cut.resize(cut.find("<time>2024-05-05T14"));  // line 27
    // Ten entities, each ten of the one before: a billion characters if expanded.
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n <!ENTITY a \"aaaaaaaaaa\">\n";
    for (char e = 'b'; e <= 'j'; ++e) {
        laughs += std::string(" <!ENTITY ") + e + " \"";
        for (int i = 0; i < 10; ++i) laughs += std::string("&") + static_cast<char>(e - 1) + ";";
        laughs += "\">\n";
    }
    laughs += "]>\n<gpx><wpt lat=\"35\" lon=\"139\"><name>&j;</name></wpt></gpx>\n";

    const struct {
        const char* what;
        std::string bytes;
        ProblemKind kind;
        int line;
        const char* detail;  // the start of the detail
    } cases[] = {
        {"empty", "", ProblemKind::BadFormat, 0, "ファイルが空です。"},
        {"plain text", "T  N354512.3 E1394512.3 08-OCT-99 15:20:00\r\n", ProblemKind::BadFormat, 1, "XMLとして正しくありません（"},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), ProblemKind::BadFormat, 1, "XMLとして正しくありません（"},
        {"cut short", cut, ProblemKind::BadFormat, 27, "ファイルが途中で終わっています。"},
        {"tags crossed", "<gpx>\n<trk>\n<trkseg>\n</trk>\n</gpx>", ProblemKind::BadFormat, 4, "XMLとして正しくありません（"},
        {"text after the end", "<gpx><wpt lat=\"1\" lon=\"2\"/></gpx>\n<gpx/>", ProblemKind::BadFormat, 2, "XMLとして正しくありません（"},
        {"entity expansion", laughs, ProblemKind::BadFormat, 14, "XMLとして正しくありません（"},
        {"other XML", "<?xml version=\"1.0\"?>\n<kml><Placemark/></kml>", ProblemKind::BadFormat, 2, "最初の要素が「kml」で、GPXではありません。"},
        {"no points", "<gpx version=\"1.1\">\n<metadata><name>x</name></metadata>\n<trk><trkseg/></trk>\n</gpx>", ProblemKind::NoData, 0, "位置の点（wpt, rtept, trkpt）がありません。"},
        {"no lat", "<gpx>\n<trk><trkseg>\n<trkpt lon=\"139\"/>\n</trkseg></trk></gpx>", ProblemKind::BadRecord, 3, "点に緯度（lat）か経度（lon）がありません。"},
        {"no lon", "<gpx>\n<wpt lat=\"35\"></wpt></gpx>", ProblemKind::BadRecord, 2, "点に緯度（lat）か経度（lon）がありません。"},
        {"lat no number", "<gpx>\n\n<rte><rtept lat=\"北緯35\" lon=\"139\"/></rte></gpx>", ProblemKind::BadValue, 3, "緯度（lat）が数値でないか、範囲を外れています。"},
        {"lat beyond 90", "<gpx><wpt lat=\"90.5\" lon=\"139\"/></gpx>", ProblemKind::BadValue, 1, "緯度（lat）が数値でないか、範囲を外れています。"},
        {"lat not finite", "<gpx><wpt lat=\"nan\" lon=\"139\"/></gpx>", ProblemKind::BadValue, 1, "緯度（lat）が数値でないか、範囲を外れています。"},
        {"lon beyond 180", "<gpx><wpt lat=\"35\" lon=\"-180.01\"/></gpx>", ProblemKind::BadValue, 1, "経度（lon）が数値でないか、範囲を外れています。"},
        {"lon empty", "<gpx><wpt lat=\"35\" lon=\"\"/></gpx>", ProblemKind::BadValue, 1, "経度（lon）が数値でないか、範囲を外れています。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = readGpx(c.bytes);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.problem().kind, c.kind);
        EXPECT_EQ(read.problem().line, c.line);
        EXPECT_EQ(read.problem().detail.rfind(c.detail, 0), 0u) << read.problem().detail;
    }
}

// Extensions nested a few hundred deep are skipped; deeper nesting, which the XML parser pays
// for in memory, is refused at the line where it goes too deep.
TEST(GpxReaderTest, NestedExtensionsAreSkippedWithinTheirDepth) {
    const auto nestedPoint = [](int depth) {
        std::string nested;
        for (int i = 0; i < depth; ++i) nested += "<x>\n";
        for (int i = 0; i < depth; ++i) nested += "</x>";
        return "<gpx><trk><trkseg><trkpt lat=\"35\" lon=\"139\"><extensions>\n" + nested +
               "</extensions></trkpt></trkseg></trk></gpx>";
    };
    const auto read = readGpx(nestedPoint(200));
    ASSERT_TRUE(read.ok()) << read.problem().detail;
    EXPECT_EQ(read->trackPointCount(), 1u);

    const auto deep = readGpx(nestedPoint(1 << 20));  // 4 MB
    ASSERT_FALSE(deep.ok());
    EXPECT_EQ(deep.problem().kind, ProblemKind::BadFormat);
    EXPECT_EQ(deep.problem().line, 253);  // the 257th element: gpx, trk, trkseg, trkpt, extensions, 252 x
    EXPECT_EQ(deep.problem().detail, "要素の入れ子が深すぎます（256 段まで）。");
}

// Routes, tracks and segments without points are left out, so that a file of nothing but
// empty ones costs no memory.
TEST(GpxReaderTest, EmptyRoutesAndTracksAreLeftOut) {
    std::string empty = "<gpx><rte><name>r</name></rte><trk><trkseg/></trk><trk><name>t</name><trkseg/><trkseg>"
                        "<trkpt lat=\"35\" lon=\"139\"/></trkseg></trk>";
    for (int i = 0; i < 100000; ++i) empty += "<trk/>";
    const auto read = readGpx(empty + "</gpx>");
    ASSERT_TRUE(read.ok()) << read.problem().detail;
    EXPECT_TRUE(read->routes.empty());
    ASSERT_EQ(read->tracks.size(), 1u);
    EXPECT_EQ(read->tracks[0].name, "t");
    EXPECT_EQ(read->tracks[0].segments.size(), 1u);
}

}  // namespace
}  // namespace orv
