#include "profile/ProfileGeometry.h"

#include "core/Rounding.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// The map distance D of every point: the sum of mapDistance over points 1..v, in double
// precision (point 1 holds 0 after a measurement).
std::vector<double> distancesAlong(const AppState& state) {
    const int count = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    std::vector<double> along(static_cast<size_t>(count) + 1, 0.0);
    double sum = 0;
    for (int v = 1; v <= count; ++v) {
        sum += state.route[static_cast<size_t>(v)].mapDistance;
        along[static_cast<size_t>(v)] = sum;
    }
    return along;
}

// floor(part · pixels / whole), a quotient within a billionth of a whole number taken as that
// number: the pixel a value of the scale stands on, free of representation error.
int pixelsOf(double part, double whole, int pixels) {
    const double quotient = part * pixels / whole;
    const double nearest = std::nearbyint(quotient);
    return floorToInt(std::abs(quotient - nearest) < 1e-9 ? nearest : quotient);
}

}  // namespace

ElevationRange routeElevationRange(const AppState& state) {
    const int count = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    if (count == 0) return {};
    // Points outside the elevation data have no height of the ground: they do not widen the
    // range, unless the whole route lies outside.
    const bool anyInside = std::any_of(state.route.begin() + 1, state.route.begin() + count + 1,
                                       [](const RoutePoint& p) { return !p.outsideData; });
    ElevationRange range{INT32_MIN, INT32_MAX};
    for (int v = 1; v <= count; ++v) {
        if (anyInside && state.route[static_cast<size_t>(v)].outsideData) continue;
        const int metres = roundHalfEven(state.route[static_cast<size_t>(v)].elevation);
        range.highest = std::max(range.highest, metres);
        range.lowest = std::min(range.lowest, metres);
    }
    return range;
}

int topElevation(int highest) {
    const double h = highest;
    if (highest >= 1000) return 100 * floorToInt(h / 100.0) + 500;
    return 100 * floorToInt(h / 100.0 + 0.5) + 200;
}

ProfileScale profileScale(const AppState& state, double base) {
    ProfileScale scale;
    scale.top = topElevation(routeElevationRange(state).highest);
    scale.base = base;
    const double span = scale.top - base;
    scale.vertical = span > 0 ? span / kPlotHeight : 1.0;
    const std::vector<double> along = distancesAlong(state);
    const double total = along.empty() ? 0.0 : along.back();
    scale.horizontal = total > 0 ? total / kPlotWidth : 0.0;
    scale.length = total > 0 ? total : 0.0;
    return scale;
}

std::vector<PixelPoint> profilePoints(const AppState& state, const ProfileScale& scale) {
    const std::vector<double> along = distancesAlong(state);
    std::vector<PixelPoint> points(along.size());
    for (size_t v = 1; v < along.size(); ++v) {
        const int x = scale.length > 0 ? kPlotLeft + std::min(pixelsOf(along[v], scale.length, kPlotWidth), kPlotWidth)
                                       : kPlotLeft;
        const double drop = scale.top - static_cast<double>(state.route[v].elevation);
        const double span = scale.top - scale.base;
        // A point outside the elevation data stands on the base line.
        const int y = state.route[v].outsideData
                          ? kPlotTop + kPlotHeight
                          : kPlotTop + (span > 0 ? pixelsOf(drop, span, kPlotHeight) : floorToInt(drop / scale.vertical));
        points[v] = {x, y};
    }
    return points;
}

std::optional<int> segmentAtColumn(const AppState& state, const std::vector<PixelPoint>& points, int x) {
    const int count = std::clamp<int>(state.segmentCount, 0, kMaxSegments);
    if (count <= 0) return std::nullopt;
    int i = 2;
    while (i <= count) {
        const int end = state.segments[static_cast<size_t>(i)].endPoint;
        const int endX = end >= 1 && static_cast<size_t>(end) < points.size()
                             ? points[static_cast<size_t>(end)].x
                             : kPlotRight;
        if (x < endX) break;
        ++i;
    }
    return i;
}

std::optional<ProfileReading> readingAtColumn(const AppState& state, const ProfileScale& scale, int x) {
    const std::vector<double> along = distancesAlong(state);
    if (along.size() < 2 || x < kPlotLeft || x > kPlotRight) return std::nullopt;
    const double distance = scale.horizontal > 0 ? (x - kPlotLeft) * scale.horizontal : 0.0;
    // The last point at or before the distance, and the one after it.
    const auto after = std::upper_bound(along.begin() + 1, along.end(), distance);
    const size_t next = std::min(static_cast<size_t>(after - along.begin()), along.size() - 1);
    const size_t previous = next > 1 ? next - 1 : 1;
    double minutes = 0;
    for (size_t v = 1; v <= previous; ++v) minutes += state.route[v].minutesOut;
    const RoutePoint& a = state.route[previous];
    const RoutePoint& b = state.route[next];
    const double stretch = along[next] - along[previous];
    const double t = stretch > 0 ? std::clamp((distance - along[previous]) / stretch, 0.0, 1.0) : 0.0;
    ProfileReading reading;
    reading.distance = distance;
    reading.elevation = a.elevation + (b.elevation - a.elevation) * t;
    reading.minutes = minutes + (next > previous ? b.minutesOut * t : 0.0);
    return reading;
}

std::optional<int> columnOfDistance(const AppState& state, const ProfileScale& scale, double distance) {
    if (state.routeCount < 1 || distance < 0) return std::nullopt;
    if (scale.length <= 0) return kPlotLeft;
    const int x = kPlotLeft + pixelsOf(distance, scale.length, kPlotWidth);
    if (x > kPlotRight) return std::nullopt;
    return x;
}

std::string readingText(const ProfileReading& reading) {
    return "距離 " + std::to_string(floorToInt(reading.distance)) + "m　標高 " +
           std::to_string(roundHalfEven(reading.elevation)) + "m　時間 " +
           std::to_string(floorToInt(reading.minutes)) + "分";
}

}  // namespace orv
