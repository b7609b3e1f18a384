#pragma once
// Where the route stands on the profile: the plot area, the top elevation and both scales, the
// pixel of every route point, the segment a deletion click picks, and what lies under a column
// of the plot (distance along the route, elevation, walking time) for the live read-out.
#include "platform/DrawingSurface.h"
#include "state/AppState.h"

#include <optional>
#include <vector>

namespace orv {

inline constexpr int kProfileWidth = 784;
inline constexpr int kProfileHeight = 364;
inline constexpr int kPlotLeft = 50;
inline constexpr int kPlotTop = 70;
inline constexpr int kPlotWidth = 700;
inline constexpr int kPlotHeight = 240;
inline constexpr int kPlotRight = kPlotLeft + kPlotWidth;  // 750
inline constexpr int kDividerBottom = 310;
inline constexpr Colour kSkyColour = makeColour(192, 192, 255);

// The highest and lowest route point elevation (points 1..routeCount), each rounded to whole
// metres, of the points inside the elevation data (of all when none is); both 0 without a route.
struct ElevationRange {
    int highest = 0;
    int lowest = 0;
};
ElevationRange routeElevationRange(const AppState& state);

// The elevation at the top of the plot: 100 · floor(H / 100) + 500 from 1000 m up, otherwise
// 100 · floor(H / 100 + 0.5) + 200.
int topElevation(int highest);

struct ProfileScale {
    int top = 200;          // elevation at the top edge of the plot
    double base = 0;        // elevation at the bottom edge
    double vertical = 1;    // metres per pixel upwards
    double horizontal = 0;  // metres of map distance per pixel; 0 for a route without length
    double length = 0;      // the route's total map distance (700 pixels)
};

// The scales of the route for a base elevation: vertical (T − base) / 240, horizontal the
// route's total map distance / 700.
ProfileScale profileScale(const AppState& state, double base);

// The pixel of every route point: index v = 1..routeCount (slot 0 unused). x = 50 + floor(D /
// horizontal scale) with D the map distance from point 1 to v, so the last point lands on 750;
// y = 70 + floor((T − elevation) / vertical scale), so a point at the base elevation lands on
// the bottom edge (310). Both are worked out as D · 700 / length and (T − elevation) · 240 /
// (T − base), so that a quotient that is whole on paper is whole here too (24.5 / (24.5 / 700)
// in floating point is 699.99…). A route without length stands at x = 50.
// A point outside the elevation data stands on the bottom edge of the plot (y = 310).
std::vector<PixelPoint> profilePoints(const AppState& state, const ProfileScale& scale);

// The segment entry a deletion click at x picks: the first entry from 2 on whose end point lies
// to the right of x, or segmentCount + 1 beyond the last end. Segment 1 is never picked.
// Nothing without a schedule.
std::optional<int> segmentAtColumn(const AppState& state, const std::vector<PixelPoint>& points, int x);

// What lies under a column of the plot: the map distance from the start, the elevation and the
// walking minutes out to there, interpolated between the route points on either side.
struct ProfileReading {
    double distance = 0;
    double elevation = 0;
    double minutes = 0;
};
std::optional<ProfileReading> readingAtColumn(const AppState& state, const ProfileScale& scale, int x);

// The plot column of a map distance from the start; nothing outside the route.
std::optional<int> columnOfDistance(const AppState& state, const ProfileScale& scale, double distance);

// The read-out of the status line: "距離 1234m　標高 1500m　時間 85分".
std::string readingText(const ProfileReading& reading);

}  // namespace orv
