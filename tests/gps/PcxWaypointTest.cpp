// Reading PCX waypoint files: the "W" lines with their names and coordinates, the unit, the
// limit of the waypoint table and broken lines.
#include "gps/GpsImportRun.h"

#include "GpsTestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace orv {
namespace {

using test::crlfFile;
using test::waypointLine;

struct PcxWaypointTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    std::vector<int> values;
    std::string progressText;

    GpsReadMessage read(const std::string& bytes) {
        const auto path = dir.write("points.WPT", bytes);
        return test::readAndCommit(GpsFileKind::PcxWaypoints, path, *state, [this](int value, const std::string& text) {
            values.push_back(value);
            progressText = text;
        });
    }
    GpsReadMessage readLines(const std::vector<std::string>& lines) { return read(crlfFile(lines)); }
};

TEST_F(PcxWaypointTest, ReadsNamesAndCoordinatesWithoutHemisphereLetters) {
    state->route[1].latitude = "35";
    state->routeCount = 1;
    const auto result = readLines({"H  IDNT   LATITUDE    LONGITUDE    DATE      TIME     ALT",
                                   "U  LAT LON DMS", "",
                                   waypointLine("001", "354512.3", "1394512.3"),
                                   waypointLine("山頂", "360000", "1400000")});
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->waypointCount, 2);
    EXPECT_EQ(state->waypoints[1].number, 1);
    EXPECT_EQ(state->waypoints[1].name, "001");
    EXPECT_EQ(state->waypoints[1].latitude, "35.45123");
    EXPECT_EQ(state->waypoints[1].longitude, "139.45123");
    EXPECT_EQ(state->waypoints[2].number, 2);
    EXPECT_EQ(state->waypoints[2].name, "山頂");  // CP932 in the file
    EXPECT_EQ(state->waypoints[2].latitude, "36");
    EXPECT_TRUE(state->waypointsRead);
    EXPECT_TRUE(state->routeLoaded);
    EXPECT_EQ(progressText, "WPTデータ読み込み中");
    EXPECT_EQ(values.size(), 6u);  // the start and every line
    // The waypoint reader leaves the route alone.
    EXPECT_EQ(state->routeCount, 1);
    EXPECT_EQ(state->route[1].latitude, "35");
}

TEST_F(PcxWaypointTest, DegUnitAndNamesSavedAsUtf8) {
    // A file saved in UTF-8 keeps its names instead of turning them into replacement marks.
    const std::string bytes = "U  LAT LON DEG\r\nW  三ツ峠 N35.5 E138.75 08-OCT-99 15:20:00 0\r\n";
    ASSERT_TRUE(read(bytes).ok());
    ASSERT_EQ(state->waypointCount, 1);
    EXPECT_EQ(state->waypoints[1].name, "三ツ峠");
    EXPECT_EQ(state->waypoints[1].latitude, "35.3");
    EXPECT_EQ(state->waypoints[1].longitude, "138.45");
}

TEST_F(PcxWaypointTest, FileWithoutWaypointsReadsNothing) {
    ASSERT_TRUE(readLines({"H  IDNT", test::trackLine("354512.3", "1394512.3")}).ok());
    EXPECT_EQ(state->waypointCount, 0);
    EXPECT_FALSE(state->waypointsRead);
}

TEST_F(PcxWaypointTest, BrokenLinesNameTheirLineAndProblem) {
    const std::pair<const char*, const char*> cases[] = {
        {"W  001 N354512.3 E1394512.3 08-OCT-99 15:20:00", "項目が7つに足りません。"},
        {"W", "項目が7つに足りません。"},
        {"W  001 N E1394512.3 08-OCT-99 15:20:00 0", "緯度が数値でないか、範囲を外れています。"},
        {"W  001 N354512.3 EABC 08-OCT-99 15:20:00 0", "経度が数値でないか、範囲を外れています。"},
    };
    for (const auto& [line, why] : cases) {
        const auto result = readLines({waypointLine("001", "354512.3", "1394512.3"), line});
        EXPECT_EQ(result.problem, (Problem{ProblemKind::BadRecord, 2, why})) << line;
        EXPECT_EQ(result.message, std::string("ＷＰＴデータの 2 行目を読み取れません。\r\n") + why);
        EXPECT_EQ(result.title, "ＷＰＴ読み込み");
        EXPECT_EQ(state->waypointCount, 0);
        EXPECT_TRUE(state->waypoints[1].name.empty());
        EXPECT_FALSE(state->waypointsRead);
    }
}

TEST_F(PcxWaypointTest, CoordinatesBeyondTheUsualRangeAreReadWithAWarning) {
    const auto result = readLines({waypointLine("001", "354512.3", "1394512.3"),
                                   "W  002 N354512.3 E1999999 08-OCT-99 15:20:00 0"});
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->waypointCount, 2);
    EXPECT_EQ(state->waypoints[2].longitude, "199.9999");
    EXPECT_EQ(result.warning,
              "ＷＰＴデータの2行目ほか1点の日付・時刻・座標が通常の形ではありません。そのまま読み込みました。");
}

TEST_F(PcxWaypointTest, OtherUnitGivesTheTrackMessage) {
    const auto result = readLines({"U  LAT LON UTM", waypointLine("001", "354512.3", "1394512.3")});
    EXPECT_EQ(result.problem, (Problem{ProblemKind::Unsupported, 1, {}}));
    EXPECT_EQ(result.message, "この形式のＴＲＫデータは読み込めません");
    EXPECT_EQ(result.title, "ＴＲＫ読み込み");
    EXPECT_EQ(result.icon, Icon::Information);
}

TEST_F(PcxWaypointTest, HoldsExactly250WaypointsAndRefusesThe251st) {
    std::vector<std::string> lines;
    for (int i = 1; i <= kMaxWaypoints; ++i)
        lines.push_back(waypointLine(std::to_string(i), "354512.3", "1394512.3"));
    ASSERT_TRUE(readLines(lines).ok());
    EXPECT_EQ(state->waypointCount, 250);
    EXPECT_EQ(state->waypoints[250].name, "250");

    lines.push_back(waypointLine("251", "354512.3", "1394512.3"));
    const auto result = readLines(lines);
    EXPECT_EQ(result.problem, (Problem{ProblemKind::TooMany, 251, kTooManyWaypoints}));
    EXPECT_EQ(result.message, "ＷＰＴデータの点が250点を超えています。");
    EXPECT_EQ(state->waypointCount, 0);
    EXPECT_TRUE(state->waypoints[250].name.empty());
}

}  // namespace
}  // namespace orv
