// The course-time calculation: the re-measurement with the walking parameters, the cuts into
// segments, the clock times, and the reversed route.
#include "schedule/CourseTimeCalculation.h"

#include "route/Measurement.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

size_t at(int i) { return static_cast<size_t>(i); }

// A hand-made area in the southernmost band (30.78 m per second of latitude, 27.42 of
// longitude). 120″ north and 56″ east is 4000.06 m.
constexpr ArcSeconds kAreaNorth = 100000;
constexpr ArcSeconds kLat = 99000;
constexpr ArcSeconds kLon = 460000;

struct CourseTimeCalculationTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    ScheduleParameters parameters;

    void SetUp() override {
        setStartValues(*state);
        state->demUnused = 1;  // elevations as given
        state->currentLevel = 1;
        state->levelCorners[1] = {secondsToDms(kAreaNorth - 2000), secondsToDms(kAreaNorth),
                                  secondsToDms(kLon - 600), secondsToDms(kLon + 1500)};
    }

    RoutePoint& point(int i) { return state->route[at(i)]; }
    const CourseSegment& entry(int i) { return state->segments[at(i)]; }

    // A point at an offset in arc-seconds from the base, for the re-measurement.
    RoutePoint& add(int lat, int lon, float elevation) {
        const int i = ++state->routeCount;
        RoutePoint& p = point(i);
        p = RoutePoint{};
        p.number = static_cast<int16_t>(i);
        p.latitude = secondsToDms(kLat + lat);
        p.longitude = secondsToDms(kLon + lon);
        p.elevation = elevation;
        return p;
    }

    // A measured route given by the walking minutes of each stretch (point 1 has none):
    // 50 m of map distance and 60 m of walking per minute, 10 m of height per point.
    void walk(const std::vector<float>& minutes) {
        state->routeCount = 0;
        for (size_t k = 0; k < minutes.size(); ++k) {
            RoutePoint& p = add(static_cast<int>(k), 0, 1000.0f + 10.0f * static_cast<float>(k));
            p.minutesOut = minutes[k];
            p.mapDistance = 50.0f * minutes[k];
            p.walkDistance = 60.0f * minutes[k];
        }
    }

    std::vector<int> endPoints() {
        std::vector<int> ends;
        for (int f = 1; f <= state->segmentCount; ++f) ends.push_back(entry(f).endPoint);
        return ends;
    }
    std::vector<float> walkingMinutes() {
        std::vector<float> m;
        for (int f = 1; f <= state->segmentCount; ++f) m.push_back(entry(f).walkingMinutes);
        return m;
    }
};

// ---- Re-measurement --------------------------------------------------------------------------

TEST_F(CourseTimeCalculationTest, FourKilometresAtTheDefaultSpeeds) {
    struct Case {
        float climb;
        float out;
        float back;
    };
    // √(60² + 60²) and √(60² + 36²) climbing 300 m; 60 minutes each way on the level.
    for (const Case c : {Case{300, 84.85f, 69.97f}, Case{-300, 69.97f, 84.85f}, Case{0, 60, 60}}) {
        state->routeCount = 0;
        add(0, 0, 1000);
        add(120, 56, 1000 + c.climb);
        measureRoute(*state);
        EXPECT_NEAR(point(2).mapDistance, 4000.06f, 0.01f);
        EXPECT_NEAR(point(2).minutesOut, c.out, 0.01f) << c.climb;
        EXPECT_NEAR(point(2).minutesBack, c.back, 0.01f) << c.climb;
        EXPECT_EQ(point(1).timeText, "00:00:00");
        EXPECT_EQ(point(2).timeText, c.climb > 0 ? "01:24:00" : c.climb < 0 ? "01:09:00" : "01:00:00");
        EXPECT_FLOAT_EQ(point(0).minutesOut, point(2).minutesOut);
        EXPECT_FLOAT_EQ(point(0).mapDistance, point(2).mapDistance);
    }
}

TEST_F(CourseTimeCalculationTest, SlopeAnglesAndAStretchFromZeroMetres) {
    add(0, 0, 1);
    add(2, 3, 1);  // 102.74 m of map distance
    measureRoute(*state);
    const float run = point(2).mapDistance;

    // Climbing as far as the stretch is long is 45.0 degrees; 1 m over 100 m is 0.6.
    point(2).elevation = 1 + run;
    measureRoute(*state);
    EXPECT_EQ(point(2).slopeAngle, 45.0f);
    point(2).elevation = 2;
    measureRoute(*state);
    EXPECT_EQ(point(2).slopeAngle, 0.6f);
    EXPECT_NEAR(point(2).walkDistance, 102.75f, 0.01f);

    // From a point at 0 m the stretch keeps its walking distance and slope.
    point(1).elevation = 0;
    point(2).elevation = 500;
    measureRoute(*state);
    EXPECT_EQ(point(2).slopeAngle, 0.6f);
    EXPECT_NEAR(point(2).walkDistance, 102.75f, 0.01f);
    EXPECT_GT(point(2).minutesOut, 100.0f);  // the minutes are new
}

TEST_F(CourseTimeCalculationTest, GpsLogTakesTheMinutesFromTheRecordedTimes) {
    state->gpsMode = true;
    add(0, 0, 1000).timeText = "09:00:00";
    add(120, 56, 1300).timeText = "09:12:30";
    measureRoute(*state);
    EXPECT_FLOAT_EQ(point(2).minutesOut, 12.5f);
    EXPECT_FLOAT_EQ(point(2).minutesBack, 0.0f);
    EXPECT_EQ(point(1).timeText, "09:00:00");
    EXPECT_EQ(point(2).timeText, "09:12:30");

    // No rests: arrivals count on from the first recorded time, departures are blank.
    parameters.shortRest = 10;
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);
    ASSERT_EQ(state->segmentCount, 1);
    EXPECT_EQ(entry(0).arrival, "09:00");
    EXPECT_EQ(entry(0).departure, kNoTime);
    EXPECT_EQ(entry(1).walkingMinutes, 13.0f);
    EXPECT_EQ(entry(1).arrival, "09:13");
    EXPECT_EQ(entry(1).departure, kNoTime);
}

// ---- Cuts ------------------------------------------------------------------------------------

TEST_F(CourseTimeCalculationTest, FirstPitchIsCutAfterThirtyMinutesLaterOnesAfterThePitch) {
    struct Case {
        const char* what;
        std::vector<float> minutes;
        std::vector<int> ends;
        std::vector<float> segmentMinutes;
    };
    const std::vector<Case> cases{
        // 33 > 30 ends the first pitch; 55.0 does not end the second, 66 does.
        {"steps of 11", {0, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11}, {4, 10, 12}, {33, 66, 22}},
        // Exactly 30.0 does not end the first pitch.
        {"steps of 10", {0, 10, 10, 10, 10, 10, 10, 10}, {5, 8}, {40, 30}},
        // A long stretch ends each pitch at its end point.
        {"long stretches", {0, 70, 50}, {2, 3}, {70, 50}},
    };
    for (const Case& c : cases) {
        walk(c.minutes);
        ASSERT_TRUE(buildSchedule(*state, parameters).ok) << c.what;
        EXPECT_EQ(endPoints(), c.ends) << c.what;
        EXPECT_EQ(walkingMinutes(), c.segmentMinutes) << c.what;
    }
}

TEST_F(CourseTimeCalculationTest, NamedPointsEndSegmentsAndCountAsAPitch) {
    walk({0, 11, 11, 11, 11, 11, 11, 11, 11});
    point(2).placeName = "登山口";   // before the first cut
    point(5).mountainName = "前山";  // 33 minutes later: the limit is now the pitch
    point(7).placeName = "分岐";
    point(7).mountainName = "小屋";
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);

    EXPECT_EQ(endPoints(), (std::vector<int>{2, 5, 7, 9}));
    EXPECT_EQ(walkingMinutes(), (std::vector<float>{11, 33, 22, 22}));
    EXPECT_EQ(entry(1).name, "登山口");
    EXPECT_EQ(entry(2).name, "前山");
    EXPECT_EQ(entry(3).name, "分岐小屋");
    EXPECT_EQ(entry(4).name, "");

    // The start takes point 1's names; a name on point 1 ends nothing.
    point(1).placeName = "駐車場";
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);
    EXPECT_EQ(entry(0).name, "駐車場");
    EXPECT_EQ(entry(0).endPoint, 1);
    EXPECT_EQ(endPoints(), (std::vector<int>{2, 5, 7, 9}));
}

TEST_F(CourseTimeCalculationTest, SegmentsRecordTheEndPointAndTheSums) {
    walk({0, 20, 20, 20});
    point(2).slopeAngle = 3;
    point(3).slopeAngle = 6;
    point(4).slopeAngle = 12;
    point(3).elevation = 980;
    point(3).latitude = "27.3000";
    point(3).longitude = "127.4000";
    parameters.pitchMinutes = 30;
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);

    ASSERT_EQ(endPoints(), (std::vector<int>{3, 4}));
    const CourseSegment& first = entry(1);
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.latitude, "27.3000");
    EXPECT_EQ(first.longitude, "127.4000");
    EXPECT_EQ(first.elevation, 980.0f);
    EXPECT_EQ(first.horizontalDistance, 2000.0f);
    EXPECT_EQ(first.walkingDistance, 2400.0f);
    EXPECT_EQ(first.climbDiff, 20.0f);              // |980 − 1000|
    EXPECT_FLOAT_EQ(first.meanSlope, 3.0f);         // points 1..3: (0 + 3 + 6) / 3
    EXPECT_EQ(entry(2).climbDiff, 50.0f);           // |1030 − 980|
    EXPECT_FLOAT_EQ(entry(2).meanSlope, 9.0f);      // points 3..4: (6 + 12) / 2
    EXPECT_EQ(entry(2).number, 2);
    EXPECT_EQ(entry(0).number, 0);
    EXPECT_EQ(entry(0).elevation, 1000.0f);
    EXPECT_EQ(entry(0).walkingMinutes, 0.0f);
}

// A point ends one entry at most: where the time limit and a name meet, or where the last
// point has just ended an entry, no second entry ends there, so nothing is reported twice.
TEST_F(CourseTimeCalculationTest, NoTwoEntriesEndAtOnePoint) {
    struct Case {
        const char* what;
        std::vector<float> minutes;
        std::vector<std::pair<int, const char*>> names;
        std::vector<int> ends;
        std::vector<float> segmentMinutes;
        std::vector<std::string> entryNames;
    };
    const std::vector<Case> cases{
        {"named destination", {0, 11, 11}, {{3, "山頂"}}, {3}, {22}, {"山頂"}},
        {"limit passed at the last point", {0, 20, 20}, {}, {3}, {40}, {""}},
        {"limit and name at one point, then the destination",
         {0, 40, 20, 30},
         {{2, "峠"}, {4, "山頂"}},
         {2, 4},
         {40, 50},
         {"峠", "山頂"}},
        {"limit at a named destination", {0, 20, 20}, {{3, "山頂"}}, {3}, {40}, {"山頂"}},
        {"last point after the last cut", {0, 20, 20, 5}, {}, {3, 4}, {40, 5}, {"", ""}},
    };
    for (const Case& c : cases) {
        walk(c.minutes);
        for (const auto& [i, name] : c.names) point(i).placeName = name;
        const ScheduleResult result = buildSchedule(*state, parameters);
        ASSERT_TRUE(result.ok) << c.what;
        EXPECT_EQ(endPoints(), c.ends) << c.what;
        EXPECT_EQ(walkingMinutes(), c.segmentMinutes) << c.what;
        std::vector<std::string> names;
        for (int f = 1; f <= state->segmentCount; ++f) names.push_back(entry(f).name);
        EXPECT_EQ(names, c.entryNames) << c.what;
        EXPECT_TRUE(result.duplicates.empty()) << c.what;
        // The last entry arrives and does not leave.
        EXPECT_EQ(entry(state->segmentCount).departure, kNoTime) << c.what;
    }
}

TEST_F(CourseTimeCalculationTest, CorrectionFactorScalesTheSegmentMinutes) {
    struct Case {
        double correction;
        float minutes;
    };
    // 0 (an empty or non-numeric field) and nonsense count as 1.
    for (const Case c : {Case{1.2, 60}, Case{1.0, 50}, Case{0.0, 50}, Case{-2.0, 50},
                         Case{1.11, 56}}) {
        walk({0, 50});
        parameters.correction = c.correction;
        ASSERT_TRUE(buildSchedule(*state, parameters).ok);
        EXPECT_EQ(entry(1).walkingMinutes, c.minutes) << c.correction;
    }
}

// ---- Clock times -----------------------------------------------------------------------------

TEST_F(CourseTimeCalculationTest, ArrivalsAndDeparturesFromTheStartAndShortRests) {
    walk({0, 40, 55});
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);
    ASSERT_EQ(walkingMinutes(), (std::vector<float>{40, 55}));
    EXPECT_EQ(entry(0).departure, "07:00");
    EXPECT_EQ(entry(0).arrival, kNoTime);
    EXPECT_EQ(entry(1).arrival, "07:40");
    EXPECT_EQ(entry(1).departure, "07:45");
    EXPECT_EQ(entry(2).arrival, "08:40");
    EXPECT_EQ(entry(2).departure, kNoTime);

    // A long day goes on past 24:00.
    parameters.startTime = "23:30";
    parameters.shortRest = 0;
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);
    EXPECT_EQ(entry(1).arrival, "24:10");
    EXPECT_EQ(entry(2).arrival, "25:05");
}

TEST(ClockText, WholeMinutesAsHoursAndMinutes) {
    struct Case {
        int64_t minutes;
        const char* text;
    };
    for (const Case c : {Case{0, "00:00"}, Case{65, "01:05"}, Case{599, "09:59"}, Case{600, "10:00"},
                         Case{1510, "25:10"}, Case{6000, "100:00"}, Case{-5, "-1:55"}})
        EXPECT_EQ(clockText(c.minutes), c.text) << c.minutes;

    EXPECT_EQ(clockMinutes("07:45"), 465.0);
    EXPECT_EQ(clockMinutes("25:10"), 1510.0);
    EXPECT_EQ(clockMinutes(kNoTime), 0.0);
    EXPECT_EQ(clockMinutes(""), 0.0);
    EXPECT_EQ(clockMinutes("9"), 549.0);  // both ends read the one character
}

TEST(StartTimeText, OnlyHoursAndMinutesOfADay) {
    for (const char* good : {"07:00", "00:00", "23:59"}) EXPECT_TRUE(isStartTimeText(good)) << good;
    for (const char* bad : {"", "7:00", "07:0", "0700", "07-00", "24:00", "07:60", "ab:cd", "07:00 ",
                            "     ", "０７:００"})
        EXPECT_FALSE(isStartTimeText(bad)) << bad;
}

// ---- Table limits ----------------------------------------------------------------------------

std::vector<float> sixtyMinuteStretches(size_t points) {
    std::vector<float> minutes(points, 60.0f);
    minutes[0] = 0;
    return minutes;
}

TEST_F(CourseTimeCalculationTest, MoreThan120EntriesAreRefusedAndTheTableKept) {
    // Every stretch of 60 minutes ends a segment, the last one at the last point.
    walk(sixtyMinuteStretches(121));
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);
    EXPECT_EQ(state->segmentCount, 120);
    EXPECT_EQ(entry(120).endPoint, 121);
    EXPECT_EQ(entry(119).endPoint, 120);

    walk({0, 20, 20, 5});
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);
    const CourseSegmentTable before = state->segments;

    for (const size_t points : {size_t{122}, size_t{2000}}) {
        walk(sixtyMinuteStretches(points));
        const ScheduleResult result = buildSchedule(*state, parameters);
        EXPECT_FALSE(result.ok) << points;
        EXPECT_EQ(result.message, kTooManySegmentsMessage);
        EXPECT_EQ(state->segmentCount, 2);
        EXPECT_EQ(state->segments[2].endPoint, before[2].endPoint);
        EXPECT_EQ(state->segments[1].arrival, before[1].arrival);
        EXPECT_EQ(state->segments[3].endPoint, 0);
    }
}

TEST_F(CourseTimeCalculationTest, ARouteOfOnePointIsOneEntryAndNoRouteNoSchedule) {
    walk({0});
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);
    EXPECT_EQ(endPoints(), (std::vector<int>{1}));
    EXPECT_EQ(entry(1).arrival, "07:00");

    state->routeCount = 0;
    ASSERT_TRUE(buildSchedule(*state, parameters).ok);
    EXPECT_EQ(state->segmentCount, 0);
    EXPECT_EQ(entry(1).endPoint, 0);
}

// ---- Reverse route ---------------------------------------------------------------------------

TEST_F(CourseTimeCalculationTest, ReversingMovesThePointsAndTwiceRestoresThem) {
    add(0, 0, 1000).placeName = "登山口";
    add(60, 28, 1150).markKind = 3;
    add(120, 56, 1300).mountainName = "山頂";
    point(3).label = "ラベル";
    point(3).dateText = "2001/05/03";
    measureRoute(*state);
    const float slope2 = point(2).slopeAngle;
    const float out3 = point(3).minutesOut;
    const float back3 = point(3).minutesBack;
    const float map3 = point(3).mapDistance;

    reverseRoute(*state);
    EXPECT_EQ(point(1).mountainName, "山頂");
    EXPECT_EQ(point(1).label, "ラベル");
    EXPECT_EQ(point(1).dateText, "2001/05/03");
    EXPECT_EQ(point(1).elevation, 1300.0f);
    EXPECT_EQ(point(1).latitude, secondsToDms(kLat + 120));
    EXPECT_EQ(point(1).number, 1);
    EXPECT_EQ(point(1).minutesOut, back3);  // exchanged
    EXPECT_EQ(point(1).minutesBack, out3);
    EXPECT_EQ(point(1).mapDistance, map3);
    EXPECT_EQ(point(2).markKind, 3);
    EXPECT_EQ(point(3).placeName, "登山口");
    EXPECT_EQ(point(3).number, 3);
    EXPECT_EQ(state->spareRoute[1].placeName, "登山口");  // the scratch copy

    // A fresh measurement of the reversed route goes downhill.
    measureRoute(*state);
    EXPECT_EQ(point(2).minutesOut, back3);
    EXPECT_EQ(point(2).slopeAngle, slope2);

    reverseRoute(*state);
    measureRoute(*state);
    EXPECT_EQ(point(1).placeName, "登山口");
    EXPECT_EQ(point(3).mountainName, "山頂");
    EXPECT_EQ(point(3).minutesOut, out3);
    EXPECT_EQ(point(3).minutesBack, back3);

    // The copy in the spare table puts the route back as the reversal found it.
    reverseRoute(*state);
    restoreRouteFromSpare(*state);
    EXPECT_EQ(point(1).placeName, "登山口");
    EXPECT_EQ(point(3).minutesOut, out3);
}

}  // namespace
}  // namespace orv
