#pragma once
// Turning the raw points of a finished creation into the route proper and measuring the route:
// elevations, distances, slope angles, walking times, and the five read-outs of the route map.
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

// Measures the route: elevations from the grid of the current level, map and walking distance,
// slope angle and walking minutes of every stretch, the cumulative time texts of a planned
// route, and the totals in slot 0. The route map shows the read-outs of the result; the
// course-time window re-measures with it before every schedule. (CalRootData, RootDataReCal)
void measureRoute(AppState& state);

// Walking minutes as hours rounded to one decimal with halves up, floor(minutes / 60 × 10 + 0.5)
// / 10, in plain text: "12.5", "3", "0", "0.5".
std::string walkingHoursText(float minutes);

// The five read-outs of a measured route, 地図上距離, 総歩行距離, 標高差, 往路歩行時間 and
// 帰路歩行時間 in this order: the totals of slot 0, and the height range of points 1..count.
std::array<std::string, 5> routeReadouts(const RouteTable& route, int count);

}  // namespace orv
