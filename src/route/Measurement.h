#pragma once
// Turning the raw points of a finished creation into the route proper and measuring the route:
// elevations, distances, slope angles, walking times, and the five read-outs of the route map.
#include "map/MapState.h"
#include "state/AppState.h"

#include <array>
#include <string>

namespace orv {

// Shown when the interpolated route would not fit the route table.
inline constexpr const char* kRouteTooLongMessage =
    "ルートが長すぎます。ルートの点が2048点を超えるため作成できません。\r\n"
    "ルートを短くして下さい。";
// Shown when the one-way route fits but its round trip would not.
inline constexpr const char* kRoundTripTooLongMessage =
    "ルートが長すぎます。往復にするとルートの点が2048点を超えるため作成できません。\r\n"
    "片道として処理するか、ルートを短くして下さい。";

// The cumulative time text of a point when the walk from the start takes 100 hours or more:
// the time text keeps its fixed HH:MM:SS layout for everything that reads it by position.
inline constexpr const char* kLongestTimeText = "99:59:00";

struct InterpolationResult {
    bool ok = true;
    std::string message;  // the text to show when !ok
};

// True when points 1..count come back over themselves as a mirrored round trip leaves them:
// an odd count of three or more, the last point at the first's position and every point
// count − j + 1 at the position of point j.
bool retracesItself(const RawRouteTable& raw, int count);
bool retracesItself(const RouteTable& route, int count);

// Builds route points 1..routeCount from raw points 1..n (n = number of raw slot 0) and
// mirrors them for a round trip, unless the raw points already retrace themselves. Without an
// elevation grid the raw points are taken as they are; with one, they are interpolated about
// one grid diagonal apart (half a diagonal when the last range zoom magnified 8 times).
// `magnification` is that of the most recent range zoom (1 before any). When the result would
// exceed the route table, nothing is written and the result carries the message to show.
// (TrfRootData)
InterpolationResult interpolateRoute(AppState& state, int magnification);

// What measuring a route found beyond the route's own values.
struct RouteMeasurement {
    // Stretches of a recorded track whose clock goes back by half a day or less: the clock was
    // put right (or slipped), not a pass of midnight, and the stretch is taken as no time.
    int clockStepsBack = 0;
};

// Measures the route: elevations from the grid of the current level, map and walking distance,
// slope angle and walking minutes of every stretch, the cumulative time texts of a planned
// route, and the totals in slot 0. A recorded track's minutes are the differences of its clock
// times; a clock that goes back by more than 12 hours passed midnight. The route map shows the
// read-outs of the result; the course-time window re-measures with it before every schedule.
// (CalRootData, RootDataReCal)
RouteMeasurement measureRoute(AppState& state);

// Walking minutes as hours rounded to one decimal with halves up, floor(minutes / 60 × 10 + 0.5)
// / 10, in plain text: "12.5", "3", "0", "0.5".
std::string walkingHoursText(float minutes);

// The map distance of the stretches with an end outside the elevation data (points marked
// outsideData by the last measurement), in metres.
float outsideDataDistance(const RouteTable& route, int count);

// "（うち 12.3 km は標高データの範囲外）" (metres below one kilometre: "（うち 350 m は…）"), or
// an empty text when the whole route lies inside the data.
std::string outsideDataNote(const RouteTable& route, int count);

// The five read-outs of a measured route, 地図上距離, 総歩行距離, 標高差, 往路歩行時間 and
// 帰路歩行時間 in this order: the totals of slot 0, and the height range of points 1..count.
std::array<std::string, 5> routeReadouts(const RouteTable& route, int count);

// One line of a measured route's figures for a terminal: "地図上距離 12136 ｍ　総歩行距離 12667 ｍ
// 　標高差 1421ｍ" followed by the note on stretches outside the elevation data, if any. The
// command-line tools print it when part of the route lies outside the data.
std::string routeFiguresLine(const AppState& state);

// Shows a measured route on the route map: the five read-outs and the route note.
void showRouteFigures(MapState& map, const AppState& state);

}  // namespace orv
