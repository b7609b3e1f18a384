// Reading PCX track files: the track points with their converted coordinates, dates and times,
// the coordinate unit, the limits of the route table and the file, broken lines and progress.
#include "gps/GpsImportRun.h"

#include "GpsTestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace orv {
namespace {

using test::crlfFile;
using test::trackLine;

struct PcxTrackTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    std::vector<std::pair<int, std::string>> progress;

    GpsReadMessage read(const std::string& bytes) {
        const auto path = dir.write("track.TRK", bytes);
        return test::readAndCommit(GpsFileKind::PcxTrack, path, *state, [this](int value, const std::string& text) {
            progress.emplace_back(value, text);
        });
    }

    GpsReadMessage readLines(std::vector<std::string> lines) { return read(crlfFile(lines)); }

    // The head of an export followed by the given lines.
    GpsReadMessage readTrack(const std::vector<std::string>& points) {
        auto lines = test::pcxTrackHead();
        lines.insert(lines.end(), points.begin(), points.end());
        return readLines(lines);
    }
};

TEST_F(PcxTrackTest, ReadsPointsWithLocalTimesAndMonthDayYearDates) {
    state->waypoints[1].name = "kept";
    state->waypointCount = 1;
    const auto result = readTrack({trackLine("354512.3", "1394512.3", "08-OCT-99", "15:20:00"),
                                   trackLine("354513", "1394513", "31-Dec-99", "14:59:59")});
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->routeCount, 2);
    const RoutePoint& first = state->route[1];
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.latitude, "35.45123");
    EXPECT_EQ(first.longitude, "139.45123");
    EXPECT_EQ(first.dateText, "10/08/99");  // the date stays when the hour wraps
    EXPECT_EQ(first.timeText, "00:20:00");
    EXPECT_EQ(first.elevation, 123.0f);  // the ALT column, "00123"
    const RoutePoint& second = state->route[2];
    EXPECT_EQ(second.number, 2);
    EXPECT_EQ(second.latitude, "35.4513");
    EXPECT_EQ(second.dateText, "12/31/99");
    EXPECT_EQ(second.timeText, "23:59:59");
    EXPECT_TRUE(state->routeLoaded);
    // The track reader leaves the waypoints alone.
    EXPECT_EQ(state->waypointCount, 1);
    EXPECT_EQ(state->waypoints[1].name, "kept");
}

TEST_F(PcxTrackTest, ReadsTheTrackFileOfAnExportedPlan) {
    // A planned route is exported with a fixed date and its cumulative walking times, which
    // pass one day on a long walk.
    const auto result = readLines({"H  plan", "M  G Tokyo", "", "U  LAT LON DMS", "",
                                   "H  LATITUDE    LONGITUDE    DATE      TIME     ALT    ;track",
                                   "T  N352000 E1395000 04-APR-99 00:00:00 1000",
                                   "T  N352100 E1395100 04-APR-99 27:30:00 1100.5"});
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->routeCount, 2);
    EXPECT_EQ(state->route[1].latitude, "35.2");
    EXPECT_EQ(state->route[1].longitude, "139.5");
    EXPECT_EQ(state->route[1].dateText, "04/04/99");
    EXPECT_EQ(state->route[1].timeText, "09:00:00");
    EXPECT_EQ(state->route[2].latitude, "35.21");
    EXPECT_EQ(state->route[2].longitude, "139.51");
    EXPECT_EQ(state->route[2].timeText, "12:30:00");
    EXPECT_EQ(state->route[1].elevation, 1000.0f);
    EXPECT_EQ(state->route[2].elevation, 1100.5f);
}

// The ALT column holds metres; a point without a readable height there has none (0).
TEST_F(PcxTrackTest, TakesTheHeightOfTheAltColumn) {
    const struct {
        const char* afterTime;
        float elevation;
        bool given;
    } cases[] = {
        {" 2052", 2052.0f, true},
        {"  -12.5  ;x", -12.5f, true},  // below the sea, more items after it
        {" .5", 0.5f, true},            // as the program's own writer spells half a metre
        {"\t1190.5", 1190.5f, true},
        {"", 0.0f, false},              // no column
        {"   ", 0.0f, false},           // a blank one
        {" -9999", 0.0f, false},        // the software's "no height"
        {" 1e3", 0.0f, false},
        {" 12m", 0.0f, false},
        {" 100000", 0.0f, false},
        {"2052", 0.0f, false},          // not an item of its own: glued to the time
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("[") + c.afterTime + "]");
        const std::string line = std::string("T  N354512.3 E1394512.3 08-OCT-99 15:20:00") + c.afterTime;
        const Result<GpsTrack> read = parsePcxTrack(line + "\r\n", {});
        ASSERT_TRUE(read.ok());
        ASSERT_EQ(read->points.size(), 1u);
        EXPECT_EQ(read->points[0].elevation, c.elevation);
        EXPECT_EQ(read->heights, std::vector<bool>{c.given});
        EXPECT_EQ(read->oddLines, 0);
    }
}

TEST_F(PcxTrackTest, WithoutUnitLineTheUnitIsDms) {
    ASSERT_TRUE(readLines({trackLine("354512.3", "1394512.3")}).ok());
    ASSERT_EQ(state->routeCount, 1);
    EXPECT_EQ(state->route[1].latitude, "35.45123");
}

TEST_F(PcxTrackTest, DegUnitTakesWholeSecondsOfTheDegrees) {
    const auto result = readLines({"U  LAT LON DEG", trackLine("35.5", "139.75"),
                                   // blanks after the unit do not hide it
                                   "U  LAT LON DMS  ", trackLine("354512.3", "1394512.3")});
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->routeCount, 2);
    EXPECT_EQ(state->route[1].latitude, "35.3");
    EXPECT_EQ(state->route[1].longitude, "139.45");
    EXPECT_EQ(state->route[2].latitude, "35.45123");
}

TEST_F(PcxTrackTest, OtherUnitEndsTheImportWithTheMessage) {
    const auto result = readTrack({trackLine("354512.3", "1394512.3"), "U  LAT LON UTM",
                                   trackLine("354512.3", "1394512.3")});
    EXPECT_EQ(result.problem, (Problem{ProblemKind::Unsupported, 12, {}}));
    EXPECT_EQ(result.message, "この形式のＴＲＫデータは読み込めません");
    EXPECT_EQ(result.title, "ＴＲＫ読み込み");
    EXPECT_EQ(result.icon, Icon::Information);
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_TRUE(state->route[1].latitude.empty());  // the point before it is not kept
    EXPECT_FALSE(state->routeLoaded);
}

TEST_F(PcxTrackTest, BrokenLinesNameTheirLineAndProblem) {
    const std::pair<std::string, const char*> cases[] = {
        {"T  S354512.3 E1394512.3 08-OCT-99 15:20:00 0", "緯度の前の「N」がありません。"},
        {"T  N354512.3 W1394512.3 08-OCT-99 15:20:00 0", "経度の前の「E」がありません。"},
        {"TE N354512.3 1394512.3 08-OCT-99 15:20:00 0", "緯度が数値でないか、範囲を外れています。"},
        {"T  N35451x E1394512.3 08-OCT-99 15:20:00 0", "緯度が数値でないか、範囲を外れています。"},
        {"T  N354512.3 E 08-OCT-99 15:20:00 0", "経度が数値でないか、範囲を外れています。"},
        {"T  N354512.3 E1394512.3", "経度の後に日付がありません。"},
        {"T  N354512.3 E1394512.3 08-OCT", "経度の後に日付がありません。"},
        // The nine characters of the date end inside the time: no eight after the next blank.
        {"T  N354512.3 E1394512.3 8-OCT-99 15:20:00 0", "日付の後に時刻がありません。"},
        {"T  N354512.3 E1394512.3 08-OCT-99", "日付の後に時刻がありません。"},
        {"T  N354512.3 E1394512.3 08-OCT-99 15:20", "日付の後に時刻がありません。"},
        {"T  N354512.3 E1394512.3 08-OCT-99 15:20:00 " + std::string(kMaxRecordBytes, '0'),
         "行が長すぎます。"},
    };
    for (const auto& [line, why] : cases) {
        const auto result = readLines({"H  LATITUDE", trackLine("354512.3", "1394512.3"), line,
                                       trackLine("354512.3", "1394512.3")});
        EXPECT_EQ(result.problem, (Problem{ProblemKind::BadRecord, 3, why})) << line;
        EXPECT_EQ(result.message, std::string("ＴＲＫデータの 3 行目を読み取れません。\r\n") + why) << line;
        EXPECT_EQ(result.title, "ＴＲＫ読み込み");
        EXPECT_EQ(result.icon, Icon::Warning);
        EXPECT_EQ(state->routeCount, 0);
        EXPECT_TRUE(state->route[1].latitude.empty())
            << "the point before the broken line is dropped";
    }
}

TEST_F(PcxTrackTest, RecordsOutOfTheirUsualFormAreReadWithAWarning) {
    // What the format's own rules read from such lines, and the warning for the status line.
    struct Case {
        std::string line;
        const char* latitude;
        const char* date;
        const char* time;
    };
    const std::vector<Case> cases = {
        {"T  N954512.3 E1394512.3 08-OCT-99 15:20:00 0", "95.45123", "10/08/99", "00:20:00"},
        {"T  N354512.3 E1394512.3 08-OCT-1999 15:20:00 0", "35.45123", "10/08/19", "00:20:00"},
        {"T  N354512.3 E1394512.3 08/OCT/99 15:20:00 0", "35.45123", "10/08/99", "00:20:00"},
        {"T  N354512.3 E1394512.3 08-OCT-99 15:2x:00 0", "35.45123", "10/08/99", "00:2x:00"},
        {"T  N354512.3 E1394512.3 08-OCT-99 15.20.00 0", "35.45123", "10/08/99", "00.20.00"},
        {"T  N354512.3 E1394512.3 08-OCT-99 14:75:80 0", "35.45123", "10/08/99", "23:75:80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto result = readLines({"H  LATITUDE", trackLine("354512.3", "1394512.3"), c.line});
        ASSERT_TRUE(result.ok()) << result.message;
        ASSERT_EQ(state->routeCount, 2);
        EXPECT_EQ(state->route[2].latitude, c.latitude);
        EXPECT_EQ(state->route[2].dateText, c.date);
        EXPECT_EQ(state->route[2].timeText, c.time);
        EXPECT_EQ(result.warning,
                  "ＴＲＫデータの3行目ほか1点の日付・時刻・座標が通常の形ではありません。そのまま読み込みました。");
    }
    // A track in the usual form has no warning.
    EXPECT_EQ(readTrack({trackLine("354512.3", "1394512.3")}).warning, "");
}

TEST_F(PcxTrackTest, LinesOfOtherKindsAreIgnored) {
    const auto result =
        readLines({"", "H  header T N E", "M  G Tokyo", "W  001 N354512.3 E1394512.3 x y z",
                   " T  N354512.3 E1394512.3 08-OCT-99 15:20:00", "t lower case"});
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_TRUE(state->routeLoaded);
}

TEST_F(PcxTrackTest, HoldsExactly2048PointsAndRefusesThe2049th) {
    std::vector<std::string> points;
    for (int i = 1; i <= kMaxRoutePoints; ++i) points.push_back(test::numberedTrackLine(i));
    ASSERT_TRUE(readLines(points).ok());
    EXPECT_EQ(state->routeCount, 2048);
    EXPECT_EQ(state->route[2048].number, 2048);

    points.push_back(test::numberedTrackLine(2049));
    const auto result = readLines(points);
    EXPECT_EQ(result.problem, (Problem{ProblemKind::TooMany, 2049, kTooManyTrackPoints}));
    EXPECT_EQ(result.message, "ＴＲＫデータの点が2048点を超えています。");
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_TRUE(state->route[2048].latitude.empty());
}

TEST_F(PcxTrackTest, ReadsTenThousandLinesAndNoTrackPointAfterThem) {
    std::vector<std::string> lines(kMaxPcxTrackLines - 1, "H");
    lines.push_back(trackLine("354512.3", "1394512.3"));  // line 10000
    ASSERT_TRUE(readLines(lines).ok());
    EXPECT_EQ(state->routeCount, 1);

    // Lines past the limit are not read; other kinds of lines there are harmless.
    lines.push_back("H  past the limit");
    lines.push_back("U  LAT LON UTM");
    ASSERT_TRUE(readLines(lines).ok());
    EXPECT_EQ(state->routeCount, 1);

    // A track point there would be lost without a word.
    lines.push_back(trackLine("354512.3", "1394512.3"));  // line 10003
    const auto result = readLines(lines);
    EXPECT_EQ(result.problem, (Problem{ProblemKind::TooMany, 10003, kTooManyLines}));
    EXPECT_EQ(result.message, "ＴＲＫデータが10000行を超えています。");
    EXPECT_EQ(state->routeCount, 0);
}

TEST_F(PcxTrackTest, ProgressCountsEachLineLengthPlusOneOverTheFileLength) {
    // Lines of 9, 0 and 48 characters with CR LF: 63 bytes; read 10, 11 and 60.
    const std::string point = trackLine("354512.3", "1394512.3", "08-OCT-99", "15:20:00");
    ASSERT_EQ(point.size(), 48u);
    ASSERT_TRUE(readLines({"H  HEADER", "", point}).ok());
    const std::vector<std::pair<int, std::string>> expected{
        {0, "TRKデータ読み込み中"},
        {32, "TRKデータ読み込み中"},   // round(10 / 63 × 200) = round(31.75)
        {35, "TRKデータ読み込み中"},   // round(11 / 63 × 200) = round(34.92)
        {190, "TRKデータ読み込み中"},  // round(60 / 63 × 200) = round(190.48)
    };
    EXPECT_EQ(progress, expected);

    // With LF line ends, and without a final one, the strip is full at the end.
    progress.clear();
    ASSERT_TRUE(read("H\n" + point).ok());
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_EQ(progress[1].first, 8);  // round(2 / 50 × 200)
    EXPECT_EQ(progress[2].first, 200);
}

TEST_F(PcxTrackTest, FileProblemsAreReported) {
    const auto missing = test::readAndCommit(GpsFileKind::PcxTrack, dir / "none.TRK", *state, nullptr);
    EXPECT_EQ(missing.problem, (Problem{ProblemKind::NotFound, 0, (dir / "none.TRK").string()}));
    EXPECT_EQ(missing.message, "GPSファイルが見つかりません。\r\n" + (dir / "none.TRK").string());
    EXPECT_EQ(missing.title, "ＴＲＫ読み込み");

    const auto folder = test::readAndCommit(GpsFileKind::PcxTrack, dir.path(), *state, nullptr);
    EXPECT_EQ(folder.problem, (Problem{ProblemKind::NotAFile, 0, dir.path().string()}));
    EXPECT_EQ(folder.message, "GPSファイルを読み込めません。\r\n" + dir.path().string());
}

TEST_F(PcxTrackTest, EmptyFileGivesAnEmptyRoute) {
    state->route[1].latitude = "35";
    state->routeCount = 1;
    ASSERT_TRUE(read("").ok());
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_TRUE(state->route[1].latitude.empty());
    EXPECT_TRUE(state->routeLoaded);
    EXPECT_EQ(progress, (std::vector<std::pair<int, std::string>>{{0, "TRKデータ読み込み中"}}));
}

}  // namespace
}  // namespace orv
