#include "route/Measurement.h"

#include "route/RouteExtents.h"
#include "support/ConePlan.h"
#include "support/SampleBlock.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace orv {
namespace {

// A position as arc-seconds from a base point.
struct Offset {
    int lat = 0;
    int lon = 0;
    bool operator==(const Offset&) const = default;
};

void PrintTo(const Offset& o, std::ostream* os) { *os << "(" << o.lat << ", " << o.lon << ")"; }

size_t at(int i) { return static_cast<size_t>(i); }

// ---- Interpolation over the cone plan --------------------------------------------------------

// The centre of the cone plan's level 1 (pixel 300, 300); its longitude is odd, so a half
// second added to it shows which way halves round.
constexpr ArcSeconds kBaseLat = 153750;
constexpr ArcSeconds kBaseLon = 513675;

struct InterpolationTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();

    void SetUp() override {
        setStartValues(*state);
        test::loadConePlan(*state);
        state->demUnused = 0;
    }

    RawPoint& setRaw(const std::vector<Offset>& points) {
        clearRawRoute(*state);
        int i = 0;
        for (const Offset& o : points) {
            RawPoint& p = state->rawRoute[at(++i)];
            p.number = static_cast<int16_t>(i);
            p.latitude = secondsToDms(kBaseLat + o.lat);
            p.longitude = secondsToDms(kBaseLon + o.lon);
        }
        state->rawRoute[0].number = static_cast<int16_t>(i);
        return state->rawRoute[1];
    }

    std::vector<Offset> routeOffsets() const {
        std::vector<Offset> out;
        for (int i = 1; i <= state->routeCount; ++i) {
            const RoutePoint& p = state->route[at(i)];
            out.push_back(
                {dmsToSeconds(p.latitude) - kBaseLat, dmsToSeconds(p.longitude) - kBaseLon});
        }
        return out;
    }
};

struct InterpolationCase {
    const char* what;
    std::vector<Offset> raw;
    std::vector<Offset> route;
};

// One step is a grid diagonal, sqrt(2.25² + 1.5²) = 2.704″.
const InterpolationCase kInterpolationCases[] = {
    {"less than two steps apart: the two raw points", {{0, 0}, {0, 5}}, {{0, 0}, {0, 5}}},
    {"k = 2: each stretch gives its start only",
     {{0, 0}, {0, 6}, {0, 12}},
     {{0, 0}, {0, 6}, {0, 12}}},
    {"k = 9: eight points three seconds apart, the last gap two steps",
     {{0, 0}, {0, 27}},
     {{0, 0}, {0, 3}, {0, 6}, {0, 9}, {0, 12}, {0, 15}, {0, 18}, {0, 21}, {0, 27}}},
    {"k = 6 southeast: float32 steps, halves to even",
     {{0, 0}, {-10, 15}},
     {{0, 0}, {-2, 3}, {-3, 5}, {-5, 7}, {-7, 10}, {-10, 15}}},
    {"a single raw point", {{4, 4}}, {{4, 4}}},
    // 17/6 as float32 is 2.83333325…; 3 × it in double is 8.4999998 and rounds to 8, where a
    // float32 product would make exactly 8.5 and round (odd base + 8.5, halves to even) to 9.
    {"k = 6 east: only the increment is float32, product and sum are double",
     {{0, 0}, {0, 17}},
     {{0, 0}, {0, 3}, {0, 6}, {0, 8}, {0, 11}, {0, 17}}},
};

TEST_F(InterpolationTest, PointsFollowTheStepRule) {
    for (const auto& c : kInterpolationCases) {
        SCOPED_TRACE(c.what);
        setRaw(c.raw);
        const InterpolationResult result = interpolateRoute(*state, 1);
        EXPECT_TRUE(result.ok);
        EXPECT_EQ(routeOffsets(), c.route);
        for (int i = 1; i <= state->routeCount; ++i) EXPECT_EQ(state->route[at(i)].number, i);
    }
}

TEST_F(InterpolationTest, MagnificationEightAndAboveHalvesTheStep) {
    struct Case {
        int magnification;
        int points;
    };
    // 27″ east: k = 9 for b = 1, 19 for b = 2 (m/4 rounded, halves to even), 29 for b = 3.
    const Case cases[] = {{1, 9}, {2, 9}, {4, 9}, {5, 9}, {6, 19}, {8, 19}, {10, 19}, {12, 29}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.magnification);
        setRaw({{0, 0}, {0, 27}});
        ASSERT_TRUE(interpolateRoute(*state, c.magnification).ok);
        EXPECT_EQ(state->routeCount, c.points);
        EXPECT_EQ(routeOffsets().back(), (Offset{0, 27}));
    }
}

TEST_F(InterpolationTest, NamesAndMarksStayWithTheRawPoints) {
    setRaw({{0, 0}, {0, 4}, {0, 31}});
    auto name = [this](int i, const char* place, int16_t mark) {
        state->rawRoute[at(i)].placeName = place;
        state->rawRoute[at(i)].markKind = mark;
    };
    name(1, "登山口", 1);
    name(2, "分岐", 2);
    name(3, "山頂", 3);
    state->rawRoute[2].mountainName = "前山";
    ASSERT_TRUE(interpolateRoute(*state, 1).ok);

    ASSERT_EQ(state->routeCount, 10);
    EXPECT_EQ(state->route[1].placeName, "登山口");
    EXPECT_EQ(state->route[1].markKind, 1);
    // Raw point 2 starts a long stretch: the stretch's first point is raw point 2, with its
    // names and mark; the points made along the stretch have none.
    EXPECT_EQ(routeOffsets()[1], (Offset{0, 4}));
    EXPECT_EQ(state->route[2].placeName, "分岐");
    EXPECT_EQ(state->route[2].markKind, 2);
    EXPECT_EQ(state->route[2].mountainName, "前山");
    EXPECT_EQ(state->route[3].placeName, "");
    EXPECT_EQ(state->route[3].markKind, 0);
    EXPECT_EQ(state->route[10].placeName, "山頂");
    EXPECT_EQ(state->route[10].markKind, 3);
}

TEST_F(InterpolationTest, RoundTripRetracesTheRoute) {
    setRaw({{0, 0}, {0, 27}});
    state->rawRoute[1].placeName = "登山口";
    state->roundTrip = true;
    ASSERT_TRUE(interpolateRoute(*state, 1).ok);

    ASSERT_EQ(state->routeCount, 2 * 9 - 1);
    const auto points = routeOffsets();
    for (int s = 10; s <= 17; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(points[at(s - 1)], points[at(2 * 9 - s - 1)]);
        EXPECT_EQ(state->route[at(s)].number, s);
        EXPECT_EQ(state->route[at(s)].placeName, "");
    }
    EXPECT_EQ(points.back(), points.front());
}

TEST_F(InterpolationTest, ARouteBeyondTheTableIsRefusedAndLeftAlone) {
    struct Case {
        int east;  // arc-seconds between the two raw points
        int16_t roundTrip;
        bool ok;
        int points;
    };
    const Case cases[] = {
        {5540, 0, true, 2048},   // k = 2048
        {5541, 0, false, 0},     // k = 2049
        {2770, 1, true, 2047},   // 1024 out, 2047 with the way back
        {2772, 1, false, 0},     // 1025 out would fit, 2049 with the way back do not
        {2772, 0, true, 1025},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.east);
        clearRoute(*state);
        state->route[1].latitude = "sentinel";
        state->routeCount = 3;
        setRaw({{0, 0}, {0, c.east}});
        state->roundTrip = c.roundTrip;

        const InterpolationResult result = interpolateRoute(*state, 1);
        EXPECT_EQ(result.ok, c.ok);
        if (c.ok) {
            EXPECT_EQ(result.message, "");
            EXPECT_EQ(state->routeCount, c.points);
        } else {
            EXPECT_EQ(result.message,
                      c.roundTrip ? kRoundTripTooLongMessage : kRouteTooLongMessage);
            EXPECT_EQ(state->routeCount, 3);
            EXPECT_EQ(state->route[1].latitude, "sentinel");
        }
    }
}

TEST_F(InterpolationTest, WithoutGridTheRawPointsAreCopiedWithElevations) {
    state->demUnused = 1;
    setRaw({{0, 0}, {0, 100}, {50, 100}});
    const float heights[] = {0, 800.5f, 950, 1020};
    for (int i = 1; i <= 3; ++i) state->rawRoute[at(i)].elevation = heights[i];
    state->rawRoute[2].placeName = "分岐";
    state->rawRoute[2].markKind = 4;
    state->roundTrip = true;
    ASSERT_TRUE(interpolateRoute(*state, 1).ok);

    ASSERT_EQ(state->routeCount, 5);
    EXPECT_EQ(routeOffsets(),
              (std::vector<Offset>{{0, 0}, {0, 100}, {50, 100}, {0, 100}, {0, 0}}));
    const float expected[] = {0, 800.5f, 950, 1020, 950, 800.5f};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(state->route[at(i)].elevation, expected[i]) << i;
        EXPECT_EQ(state->route[at(i)].number, i);
    }
    EXPECT_EQ(state->route[2].placeName, "分岐");
    EXPECT_EQ(state->route[2].markKind, 4);
}

// Raw points that already come back over themselves, as a traced round trip does, are not
// mirrored a second time; any other shape is, a loop back to the start included.
TEST_F(InterpolationTest, RoundTripOfPointsThatRetraceThemselvesIsNotMirroredAgain) {
    struct Case {
        const char* what;
        std::vector<Offset> raw;
        bool retraces;
    };
    const std::vector<Case> cases{
        {"out and back", {{0, 0}, {0, 2}, {2, 2}, {0, 2}, {0, 0}}, true},
        {"there and back to one point", {{0, 0}, {2, 2}, {0, 0}}, true},
        {"a loop to the start", {{0, 0}, {0, 2}, {2, 2}, {2, 0}, {0, 0}}, false},
        {"back to the start over another point", {{0, 0}, {0, 2}, {2, 2}, {1, 2}, {0, 0}}, false},
        {"an even count", {{0, 0}, {0, 2}, {0, 2}, {0, 0}}, false},
        {"a single point", {{0, 0}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setRaw(c.raw);
        const int n = static_cast<int>(c.raw.size());
        EXPECT_EQ(retracesItself(state->rawRoute, n), c.retraces);
        state->roundTrip = true;
        ASSERT_TRUE(interpolateRoute(*state, 1).ok);
        EXPECT_EQ(state->routeCount, c.retraces ? n : 2 * n - 1);
        EXPECT_EQ(retracesItself(state->route, state->routeCount), n > 1);
    }
    // The same position written differently is the same position.
    setRaw({{0, 0}, {0, 2}, {0, 0}});
    state->rawRoute[3].latitude += "0";
    EXPECT_EQ(dmsToSeconds(state->rawRoute[3].latitude), dmsToSeconds(state->rawRoute[1].latitude));
    EXPECT_TRUE(retracesItself(state->rawRoute, 3));
}

TEST_F(InterpolationTest, RawCountOutsideTheTableIsBounded) {
    state->demUnused = 1;
    clearRawRoute(*state);
    state->rawRoute[0].number = 30000;
    EXPECT_TRUE(interpolateRoute(*state, 1).ok);
    EXPECT_EQ(state->routeCount, kMaxRawPoints);

    state->rawRoute[0].number = -5;
    state->demUnused = 0;
    EXPECT_TRUE(interpolateRoute(*state, 1).ok);
    EXPECT_EQ(state->routeCount, 0);
}

// ---- Measurement -----------------------------------------------------------------------------

// A hand-made area with its north edge at 100000″ (27°46′40″, the southernmost band:
// 30.78 m per second of latitude, 27.42 of longitude). 30″ north and 14″ east is 1000.016 m.
constexpr ArcSeconds kAreaNorth = 100000;
constexpr ArcSeconds kLat = 99500;
constexpr ArcSeconds kLon = 460000;

struct MeasurementTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    std::array<std::string, 5> readouts{};

    void SetUp() override {
        setStartValues(*state);
        state->demUnused = 1;  // elevations as given
        state->currentLevel = 1;
        state->levelCorners[1] = {secondsToDms(kAreaNorth - 900), secondsToDms(kAreaNorth),
                                  secondsToDms(kLon - 600), secondsToDms(kLon + 750)};
    }

    RoutePoint& add(int lat, int lon, float elevation) {
        const int i = ++state->routeCount;
        RoutePoint& p = state->route[at(i)];
        p.number = static_cast<int16_t>(i);
        p.latitude = secondsToDms(kLat + lat);
        p.longitude = secondsToDms(kLon + lon);
        p.elevation = elevation;
        return p;
    }
    RoutePoint& point(int i) { return state->route[at(i)]; }
    void measure() {
        measureRoute(*state);
        readouts = routeReadouts(state->route, state->routeCount);
    }
};

TEST_F(MeasurementTest, KilometreOnTheFlatTakesFifteenMinutesEachWay) {
    add(0, 0, 500);
    add(30, 14, 500);
    measure();

    EXPECT_NEAR(point(2).mapDistance, 1000.016f, 0.001f);
    EXPECT_EQ(point(2).walkDistance, point(2).mapDistance);
    EXPECT_EQ(point(2).slopeAngle, 0.0f);
    EXPECT_NEAR(point(2).minutesOut, 15.0f, 0.001f);
    EXPECT_NEAR(point(2).minutesBack, 15.0f, 0.001f);
    EXPECT_EQ(point(1).timeText, "00:00:00");
    EXPECT_EQ(point(2).timeText, "00:15:00");
    EXPECT_EQ(readouts, (std::array<std::string, 5>{"1000 ｍ", "1000 ｍ", "0ｍ", "0.3 時間",
                                                    "0.3 時間"}));
}

TEST_F(MeasurementTest, AscentAndDescentCombineWithTheFlatTimeAsARightTriangle) {
    add(0, 0, 1000);
    add(30, 14, 1300);
    add(0, 0, 1000);
    measure();

    EXPECT_NEAR(point(2).minutesOut, 61.85f, 0.01f);  // sqrt(15² + 60²)
    EXPECT_NEAR(point(2).minutesBack, 39.0f, 0.01f);  // sqrt(15² + 36²)
    EXPECT_NEAR(point(3).minutesOut, 39.0f, 0.01f);
    EXPECT_NEAR(point(3).minutesBack, 61.85f, 0.01f);
    EXPECT_NEAR(point(2).walkDistance, 1044.05f, 0.01f);
    EXPECT_EQ(point(2).slopeAngle, 16.7f);
    EXPECT_EQ(point(3).slopeAngle, 16.7f);
    EXPECT_EQ(point(2).timeText, "01:01:00");
    EXPECT_EQ(point(3).timeText, "01:40:00");
    EXPECT_EQ(readouts, (std::array<std::string, 5>{"2000 ｍ", "2088 ｍ", "300ｍ", "1.7 時間",
                                                    "1.7 時間"}));
}

TEST_F(MeasurementTest, EqualSpeedsMakeUpAndDownAlike) {
    state->settings.climbSpeed = 400;
    state->settings.descentSpeed = 400;
    add(0, 0, 1000);
    add(10, 0, 1100);
    add(20, 0, 1000);
    measure();

    EXPECT_EQ(point(2).minutesOut, point(3).minutesOut);
    EXPECT_EQ(point(2).minutesOut, point(2).minutesBack);
    EXPECT_EQ(point(3).minutesOut, point(3).minutesBack);
}

TEST_F(MeasurementTest, StretchFromZeroMetresKeepsWalkDistanceAndSlope) {
    add(0, 0, 0);
    RoutePoint& second = add(10, 0, 100);
    second.walkDistance = 77;
    second.slopeAngle = 7.5f;
    add(20, 0, 0);
    measure();

    EXPECT_EQ(point(2).walkDistance, 77.0f);
    EXPECT_EQ(point(2).slopeAngle, 7.5f);
    EXPECT_NEAR(point(2).mapDistance, 307.8f, 0.001f);
    EXPECT_NEAR(point(2).minutesOut, 20.53f, 0.01f);  // still timed: sqrt(4.617² + 20²)
    // Into 0 m from a point above it is measured as usual.
    EXPECT_NEAR(point(3).walkDistance, 323.6f, 0.1f);
    EXPECT_EQ(point(3).slopeAngle, 18.0f);
}

TEST_F(MeasurementTest, TotalsAreTheSumsOfThePoints) {
    RoutePoint& totals = point(0);
    totals.mapDistance = totals.walkDistance = totals.minutesOut = totals.minutesBack = 999;
    add(0, 0, 999.5f);   // rounds to 1000 (halves to even)
    add(40, 0, 1300.5f);  // rounds to 1300
    add(40, 60, 1200);
    measure();

    float map = 0, walk = 0, out = 0, back = 0;
    for (int i = 1; i <= 3; ++i) {
        map += point(i).mapDistance;
        walk += point(i).walkDistance;
        out += point(i).minutesOut;
        back += point(i).minutesBack;
    }
    EXPECT_EQ(totals.mapDistance, map);
    EXPECT_EQ(totals.walkDistance, walk);
    EXPECT_EQ(totals.minutesOut, out);
    EXPECT_EQ(totals.minutesBack, back);
    EXPECT_EQ(readouts[2], "300ｍ");
}

TEST_F(MeasurementTest, OnePointRouteMeasuresNothing) {
    RoutePoint& first = add(0, 0, 1500);
    first.timeText = "untouched";
    first.mapDistance = first.walkDistance = first.minutesOut = first.minutesBack = 5;
    point(0).mapDistance = point(0).minutesOut = 8;
    measure();

    EXPECT_EQ(first.timeText, "untouched");
    EXPECT_EQ(first.mapDistance, 0.0f);
    EXPECT_EQ(first.walkDistance, 0.0f);
    EXPECT_EQ(first.minutesOut, 0.0f);
    EXPECT_EQ(first.minutesBack, 0.0f);
    EXPECT_EQ(point(0).mapDistance, 0.0f);
    EXPECT_EQ(point(0).minutesOut, 0.0f);
    EXPECT_EQ(readouts,
              (std::array<std::string, 5>{"0 ｍ", "0 ｍ", "0ｍ", "0 時間", "0 時間"}));
}

TEST_F(MeasurementTest, RecordedTrackTakesItsMinutesFromTheTimeTexts) {
    state->gpsMode = true;
    add(0, 0, 1000).timeText = "23:50:00";
    add(10, 0, 1000).timeText = "00:10:30";  // after midnight
    add(20, 0, 1000).timeText = "7";         // hours only, and no more
    measure();

    EXPECT_EQ(point(1).timeText, "23:50:00");
    EXPECT_EQ(point(2).timeText, "00:10:30");
    // Across midnight the clock goes back: the stretch counts on into the next day.
    EXPECT_FLOAT_EQ(point(2).minutesOut, 10.5f + 1440.0f - 1430.0f);
    EXPECT_FLOAT_EQ(point(3).minutesOut, 420.0f - 10.5f);
    EXPECT_EQ(point(2).minutesBack, 0.0f);
    EXPECT_EQ(point(3).minutesBack, 0.0f);
    EXPECT_EQ(readouts[3], "7.2 時間");  // (20.5 + 409.5) / 60 = 7.17
    EXPECT_EQ(readouts[4], "0 時間");
}

// Only a step back of more than 12 hours is a pass of midnight; a smaller one (the receiver's
// clock put right, a glitch) takes no time and is counted.
TEST_F(MeasurementTest, RecordedClockGoingBackByHalfADayOrLessTakesNoTime) {
    state->gpsMode = true;
    struct Case {
        const char* from;
        const char* to;
        float minutes;
        int stepsBack;
    };
    const Case cases[] = {
        {"18:34:50", "18:34:25", 0.0f, 1},                   // a 25-second glitch
        {"18:00:00", "06:00:00", 0.0f, 1},                   // exactly 12 hours back
        {"18:00:00", "05:59:00", 11.0f * 60 + 59, 0},        // 12 h 1 min back: past midnight
        {"23:59:30", "00:00:10", 40.0f / 60, 0},             // past midnight
        {"10:00:00", "10:00:00", 0.0f, 0},                   // no step
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        state->routeCount = 0;
        add(0, 0, 1000).timeText = c.from;
        add(10, 0, 1000).timeText = c.to;
        const RouteMeasurement measured = measureRoute(*state);
        EXPECT_FLOAT_EQ(point(2).minutesOut, c.minutes);
        EXPECT_EQ(measured.clockStepsBack, c.stepsBack);
    }

    // Every such step of a log is counted, and the totals keep the stretches around them.
    state->routeCount = 0;
    const char* times[] = {"08:00:00", "08:10:00", "08:09:00", "08:30:00", "08:29:59", "09:00:00"};
    for (const char* time : times) add(0, 0, 1000).timeText = time;
    EXPECT_EQ(measureRoute(*state).clockStepsBack, 2);
    EXPECT_FLOAT_EQ(point(0).minutesOut, 10.0f + 21.0f + 30.0f + 1.0f / 60);

    // A planned route has no clock of its own.
    state->gpsMode = false;
    EXPECT_EQ(measureRoute(*state).clockStepsBack, 0);
}

// Every stretch climbs 300 m on the spot: exactly 60 minutes out and 36 back, no map distance.
TEST_F(MeasurementTest, HundredHoursAndMoreStayAt99Hours59) {
    for (int i = 0; i < 102; ++i) add(0, 0, 1000.0f + 300.0f * static_cast<float>(i));
    measure();

    EXPECT_EQ(point(2).timeText, "01:00:00");
    EXPECT_EQ(point(100).timeText, "99:00:00");
    EXPECT_EQ(point(101).timeText, kLongestTimeText);
    EXPECT_EQ(point(102).timeText, "99:59:00");
    // No map distance: the walk is the climb, the slope angle is left at 0.
    EXPECT_EQ(point(2).walkDistance, 300.0f);
    EXPECT_EQ(point(2).slopeAngle, 0.0f);
    EXPECT_EQ(readouts, (std::array<std::string, 5>{"0 ｍ", "30300 ｍ", "30300ｍ", "101 時間",
                                                    "60.6 時間"}));
}

TEST_F(MeasurementTest, MetresPerSecondFollowTheLatitudeBandOfTheNorthEdge) {
    struct Case {
        ArcSeconds north;
        float latitude;
        float longitude;
    };
    const Case cases[] = {
        {89999, 0, 0},          {90000, 30.78f, 27.42f},  {108000, 30.78f, 27.42f},
        {108001, 30.81f, 26.08f}, {126000, 30.81f, 26.08f}, {126001, 30.83f, 24.54f},
        {144000, 30.83f, 24.54f}, {144001, 30.86f, 22.81f}, {162000, 30.86f, 22.81f},
        {162001, 30.89f, 20.91f}, {180000, 30.89f, 20.91f}, {180001, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.north);
        state->routeCount = 0;
        state->levelCorners[1][kNorth] = secondsToDms(c.north);
        add(0, 0, 100);
        add(1, 0, 100);
        add(1, 1, 150);
        measure();
        EXPECT_EQ(point(2).mapDistance, c.latitude);
        EXPECT_EQ(point(3).mapDistance, c.longitude);
        if (c.latitude == 0) {
            EXPECT_EQ(readouts[0], "0 ｍ");
            EXPECT_EQ(point(2).slopeAngle, 0.0f);
            EXPECT_EQ(point(3).slopeAngle, 0.0f);  // 50 m up with no distance: left at 0
            EXPECT_EQ(point(3).walkDistance, 50.0f);
        }
    }
}

// ---- Elevations from the grid and the whole chain --------------------------------------------

TEST_F(InterpolationTest, ElevationsComeFromTheGridOfTheCurrentLevel) {
    // Level 1 of the cone plan: north 154200″, west 513000″, 1.5″ and 2.25″ per cell.
    clearRoute(*state);
    auto add = [this](ArcSeconds lat, ArcSeconds lon, float elevation) {
        RoutePoint& p = state->route[at(++state->routeCount)];
        p.latitude = secondsToDms(lat);
        p.longitude = secondsToDms(lon);
        p.elevation = elevation;
    };
    add(kBaseLat, kBaseLon, 0);                 // cell (300, 300): the peak
    add(kBaseLat - 1, kBaseLon + 2, 0);         // still cell (300, 300)
    add(153300, 514350, 0);                     // south-east corner: cell (600, 600)
    add(153300 - 2, kBaseLon, 123);             // row 601: outside, kept
    add(kBaseLat, 513000 - 1, 456);             // column -1: outside, kept
    measureRoute(*state);

    EXPECT_EQ(state->route[1].elevation, 1800.0f);
    EXPECT_EQ(state->route[2].elevation, 1800.0f);
    EXPECT_EQ(state->route[3].elevation, test::coneElevation(600, 600, 1800.0f, 6.0f));
    EXPECT_EQ(state->route[4].elevation, 123.0f);
    EXPECT_EQ(state->route[5].elevation, 456.0f);
}

TEST_F(InterpolationTest, RoundTripTimeOutCoversTheWayBack) {
    setRaw({{0, 0}, {-200, 300}, {-150, 600}});
    state->roundTrip = true;
    ASSERT_TRUE(interpolateRoute(*state, 1).ok);
    measureRoute(*state);
    const std::array<std::string, 5> readouts = routeReadouts(state->route, state->routeCount);

    const RoutePoint& totals = state->route[0];
    EXPECT_GT(totals.minutesOut, 0.0f);
    // Every stretch is walked once each way, so out and back take the same time.
    EXPECT_NEAR(totals.minutesOut, totals.minutesBack, 0.01f);
    EXPECT_EQ(readouts[3], readouts[4]);
    EXPECT_EQ(state->route[1].elevation, state->route[at(state->routeCount)].elevation);
}

// ---- A route that leaves the elevation data ----------------------------------------------------

// A recorded walk eastwards across the sample block's east edge: 21 points 45″ apart from the
// middle of the centre mesh, the last 10 beyond the block (the edge is 900″ east of the centre
// mesh's west side). With the block's north edge at 42°45′ a second of longitude is 22.81 m.
struct LeavingTheBlockTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    ArcSeconds lat = 0;
    ArcSeconds west = 0;

    void SetUp() override {
        setStartValues(*state);
        ASSERT_TRUE(test::loadSampleBlock(*state));
        state->demUnused = 0;
        state->gpsMode = 1;
        lat = dmsToSeconds(meshSouthLatitude(test::kSampleCentreMesh)) + 150;
        west = dmsToSeconds(meshWestLongitude(test::kSampleCentreMesh));
    }
    void walk(int points) {
        clearRoute(*state);
        for (int i = 1; i <= points; ++i) {
            RoutePoint& p = state->route[at(i)];
            p.number = static_cast<int16_t>(i);
            p.latitude = secondsToDms(lat);
            p.longitude = secondsToDms(west + 450 + 45 * (i - 1));
            p.timeText = "10:" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ":00";
        }
        state->routeCount = static_cast<int16_t>(points);
        measureRoute(*state);
    }
};

TEST_F(LeavingTheBlockTest, OutsideStretchesWalkTheirMapDistanceAndTheInsideHalfIsUnchanged) {
    walk(11);  // the inside half alone: the last point on the east edge (column 600)
    std::vector<RoutePoint> inside(state->route.begin() + 1, state->route.begin() + 12);
    const float insideWalk = state->route[0].walkDistance;
    EXPECT_EQ(outsideDataDistance(state->route, 11), 0.0f);
    EXPECT_EQ(outsideDataNote(state->route, 11), "");

    walk(21);
    const RoutePoint& totals = state->route[0];
    EXPECT_GE(totals.walkDistance, totals.mapDistance);
    for (int i = 2; i <= 11; ++i) {
        EXPECT_FALSE(state->route[at(i)].outsideData) << i;
        EXPECT_EQ(state->route[at(i)].walkDistance, inside[at(i - 1)].walkDistance) << i;
        EXPECT_EQ(state->route[at(i)].slopeAngle, inside[at(i - 1)].slopeAngle) << i;
    }
    for (int i = 12; i <= 21; ++i) {
        const RoutePoint& p = state->route[at(i)];
        EXPECT_TRUE(p.outsideData) << i;
        EXPECT_EQ(p.walkDistance, p.mapDistance) << i;
        EXPECT_EQ(p.slopeAngle, 0.0f) << i;
        EXPECT_EQ(p.minutesOut, 1.0f) << i;  // the log's clock, a minute a point
    }
    EXPECT_NEAR(totals.walkDistance, insideWalk + 450 * 22.81f, 1.0f);
    // 450″ lie beyond the edge; the stretch that crosses it counts whole.
    EXPECT_NEAR(outsideDataDistance(state->route, 21), 450 * 22.81f, 45 * 22.81f);
    EXPECT_EQ(outsideDataNote(state->route, 21), "（うち 10.3 km は標高データの範囲外）");
    // The height range leaves out the points beyond the block (they stand at 0 m).
    EXPECT_EQ(routeMinElevation(state->route, 21), routeMinElevation(state->route, 11));
}

TEST_F(LeavingTheBlockTest, ACellWithoutDataCountsAsOutsideAndPlannedTimesAreLevel) {
    state->gpsMode = 0;
    walk(3);
    // Point 2's cell has no data: both its stretches are level ground.
    const ArcSeconds north = dmsToSeconds(state->levelCorners[1][1]);
    const int row = static_cast<int>((north - lat) / 1.5);  // 450″ south of the north edge: 300
    const int column = 420;  // 945″ east of the block's west edge at 2.25″ a cell
    state->elevationGrid.set(row, column, 1, ElevationGrid::kNoData);
    measureRoute(*state);
    ASSERT_TRUE(state->route[2].outsideData);
    EXPECT_FALSE(state->route[1].outsideData);
    for (int i = 2; i <= 3; ++i) {
        const RoutePoint& p = state->route[at(i)];
        EXPECT_EQ(p.walkDistance, p.mapDistance);
        // The flat time of the map distance at 4 km/h, either way.
        EXPECT_NEAR(p.minutesOut, p.mapDistance / 4000.0f * 60.0f, 0.001f);
        EXPECT_EQ(p.minutesOut, p.minutesBack);
    }
    EXPECT_EQ(outsideDataNote(state->route, 3), "（うち 2.1 km は標高データの範囲外）");
}

TEST(OutsideDataNoteTest, MetresBelowAKilometreAndKilometresFromThere) {
    const struct {
        float metres;
        const char* note;
    } cases[] = {
        {0.0f, ""},
        {0.3f, "（うち 1 m は標高データの範囲外）"},
        {349.6f, "（うち 350 m は標高データの範囲外）"},
        {949.0f, "（うち 949 m は標高データの範囲外）"},
        {951.0f, "（うち 1.0 km は標高データの範囲外）"},
        {12345.0f, "（うち 12.3 km は標高データの範囲外）"},
    };
    for (const auto& c : cases) {
        RouteTable route{};
        route[1].outsideData = true;
        route[2].mapDistance = c.metres;
        EXPECT_EQ(outsideDataNote(route, 2), c.note) << c.metres;
    }
}

}  // namespace
}  // namespace orv
