// Reading Waypoint+ text files: the header line, "WP" waypoints and track points, rounding to
// five decimals, local times, the table limits and broken records.
#include "gps/GpsImportRun.h"

#include "GpsTestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace orv {
namespace {

using test::crlfFile;

constexpr const char* kHeader = "Datum,WGS84,WGS84,0,0,0,0,0";

struct WaypointPlusTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    std::vector<int> values;
    std::string progressText;

    GpsReadMessage readLines(const std::vector<std::string>& lines) {
        const auto path = dir.write("record.TXT", crlfFile(lines));
        return test::readAndCommit(GpsFileKind::WaypointPlus, path, *state, [this](int value, const std::string& text) {
            values.push_back(value);
            progressText = text;
        });
    }
};

TEST_F(WaypointPlusTest, ReadsWaypointsAndTrackPoints) {
    const auto result = readLines({
        "WP,D,header line is never a record,35,139,10/08/1999,15:20:00",
        "WP,D,001   ,  35.6789012, 139.123456,10/08/1999,06:20:00,0",
        "TP,D,  35.1234549, 139.0000051,10/08/1999,15:20:00,0",
        "",
        "TP,D,35.5,139.5,10/09/1999,14:59:59,0",
        "WP,D,山頂,36,140,10/08/1999,06:20:00,0",
    });
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->waypointCount, 2);
    EXPECT_EQ(state->waypoints[1].number, 1);
    EXPECT_EQ(state->waypoints[1].name, "001   ");  // the name as the field holds it
    EXPECT_EQ(state->waypoints[1].latitude, "35.6789");
    EXPECT_EQ(state->waypoints[1].longitude, "139.12346");
    EXPECT_EQ(state->waypoints[2].number, 2);
    EXPECT_EQ(state->waypoints[2].name, "山頂");
    EXPECT_TRUE(state->waypointsRead);

    ASSERT_EQ(state->routeCount, 2);
    const RoutePoint& first = state->route[1];
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.latitude, "35.12345");
    EXPECT_EQ(first.longitude, "139.00001");
    EXPECT_EQ(first.dateText, "10/08/1999");  // stored unchanged
    EXPECT_EQ(first.timeText, "00:20:00");
    EXPECT_EQ(state->route[2].number, 2);
    EXPECT_EQ(state->route[2].timeText, "23:59:59");
    EXPECT_TRUE(state->routeLoaded);
    EXPECT_EQ(progressText, "TRKデータ読込中");
    EXPECT_EQ(values.front(), 0);
    EXPECT_EQ(values.size(), 7u);  // the start and every line
}

TEST_F(WaypointPlusTest, TabsAreBlanksAroundTheKindAndTheTime) {
    // A tab-only line holds no record; "\tWP\t" is a waypoint; the time may carry tabs.
    const auto result = readLines({kHeader, "\t \t", "\tWP\t,D,001,35.5,139.5,10/08/1999,06:20:00",
                                   "TP,D,35.5,139.5,10/08/1999,\t15:20:00\t"});
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(state->waypointCount, 1);
    ASSERT_EQ(state->routeCount, 1);
    EXPECT_EQ(state->route[1].timeText, "00:20:00");
}

TEST_F(WaypointPlusTest, OnlyWaypointsGiveAnEmptyRoute) {
    state->route[1].latitude = "35";
    state->routeCount = 1;
    ASSERT_TRUE(readLines({kHeader, "WP,D,001,35.5,139.5,10/08/1999,06:20:00"}).ok());
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_TRUE(state->route[1].latitude.empty());
    EXPECT_EQ(state->waypointCount, 1);
    EXPECT_TRUE(state->routeLoaded);
}

TEST_F(WaypointPlusTest, BrokenRecordsNameTheirLineAndProblem) {
    const std::pair<const char*, const char*> cases[] = {
        {"WP,D,001,35.5", "コンマで区切った項目が足りません。"},
        {"TP,D,35.5,139.5,10/08/1999", "コンマで区切った項目が足りません。"},
        {"garbage", "コンマで区切った項目が足りません。"},
        {"TP,D,north,139.5,10/08/1999,06:20:00", "緯度が数値でないか、範囲を外れています。"},
        {"WP,D,001,35.5,east", "経度が数値でないか、範囲を外れています。"},
    };
    for (const auto& [line, why] : cases) {
        const auto result = readLines({kHeader, "TP,D,35.5,139.5,10/08/1999,06:20:00", line});
        EXPECT_EQ(result.problem, (Problem{ProblemKind::BadRecord, 3, why})) << line;
        EXPECT_EQ(result.message, std::string("Waypoint＋データの 3 行目を読み取れません。\r\n") + why);
        EXPECT_EQ(result.title, "ＴＲＫ読み込み");
        EXPECT_EQ(state->routeCount, 0);
        EXPECT_TRUE(state->route[1].latitude.empty());
    }
}

TEST_F(WaypointPlusTest, RecordsOutOfTheirUsualFormAreReadWithAWarning) {
    const auto result = readLines({kHeader, "TP,D,35.5,139.5,10/08/1999,06:20:00",
                                   "TP,D,35.5,200,10/08/1999,06:20:00", "TP,D,35.5,139.5,10/08/1999,6:20",
                                   "WP,D,far,95,139.5"});
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->routeCount, 3);
    EXPECT_EQ(state->route[2].longitude, "200");
    EXPECT_EQ(state->route[3].timeText, "1520");  // two digits over the first two characters
    EXPECT_EQ(state->waypoints[1].latitude, "95");
    EXPECT_EQ(result.warning,
              "Waypoint＋データの3行目ほか3点の日付・時刻・座標が通常の形ではありません。そのまま読み込みました。");
}

TEST_F(WaypointPlusTest, TableLimitsAreKept) {
    std::vector<std::string> lines{kHeader};
    for (int i = 1; i <= kMaxRoutePoints; ++i)
        lines.push_back("TP,D,35.5,139.5,10/08/1999,06:20:00");
    for (int i = 1; i <= kMaxWaypoints; ++i) lines.push_back("WP,D,w,35.5,139.5");
    ASSERT_TRUE(readLines(lines).ok());
    EXPECT_EQ(state->routeCount, 2048);
    EXPECT_EQ(state->waypointCount, 250);

    auto more = lines;
    more.push_back("TP,D,35.5,139.5,10/08/1999,06:20:00");
    auto result = readLines(more);
    EXPECT_EQ(result.problem, (Problem{ProblemKind::TooMany, 2300, kTooManyTrackPoints}));
    EXPECT_EQ(result.message, "Waypoint＋データのＴＲＫの点が2048点を超えています。");
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_EQ(state->waypointCount, 0);

    more = lines;
    more.push_back("WP,D,w,35.5,139.5");
    result = readLines(more);
    EXPECT_EQ(result.problem, (Problem{ProblemKind::TooMany, 2300, kTooManyWaypoints}));
    EXPECT_EQ(result.message, "Waypoint＋データのＷＰＴの点が250点を超えています。");
}

}  // namespace
}  // namespace orv
