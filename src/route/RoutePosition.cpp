#include "route/RoutePosition.h"

#include "map/MapGeometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orv {

namespace {

struct PlacedPoint {
    double x = 0;
    double y = 0;
    double along = 0;  // map distance from point 1
};

std::vector<PlacedPoint> placedRoute(const AppState& state) {
    const int count = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    const LevelBounds view = currentLevelBounds(state);
    std::vector<PlacedPoint> placed;
    placed.reserve(static_cast<size_t>(count));
    double along = 0;
    for (int v = 1; v <= count; ++v) {
        const RoutePoint& point = state.route[static_cast<size_t>(v)];
        along += point.mapDistance;
        const MapPixel p =
            positionToPixel(view, dmsToSeconds(point.latitude), dmsToSeconds(point.longitude));
        placed.push_back({p.x + 0.5, p.y + 0.5, along});
    }
    return placed;
}

}  // namespace

std::optional<double> routeDistanceNear(const AppState& state, int x, int y) {
    const std::vector<PlacedPoint> placed = placedRoute(state);
    if (placed.empty()) return std::nullopt;
    const double px = x + 0.5;
    const double py = y + 0.5;
    double best = static_cast<double>(kRouteHoverReach) * kRouteHoverReach;
    std::optional<double> found;
    const auto consider = [&](double d2, double along) {
        if (d2 <= best) {
            best = d2;
            found = along;
        }
    };
    if (placed.size() == 1) {
        const double dx = px - placed[0].x;
        const double dy = py - placed[0].y;
        consider(dx * dx + dy * dy, placed[0].along);
    }
    for (size_t i = 0; i + 1 < placed.size(); ++i) {
        const PlacedPoint& a = placed[i];
        const PlacedPoint& b = placed[i + 1];
        const double vx = b.x - a.x;
        const double vy = b.y - a.y;
        const double length2 = vx * vx + vy * vy;
        const double t = length2 > 0 ? std::clamp(((px - a.x) * vx + (py - a.y) * vy) / length2, 0.0, 1.0) : 0.0;
        const double dx = px - (a.x + t * vx);
        const double dy = py - (a.y + t * vy);
        consider(dx * dx + dy * dy, a.along + t * (b.along - a.along));
    }
    return found;
}

std::optional<PixelPoint> routePixelAtDistance(const AppState& state, double distance) {
    const std::vector<PlacedPoint> placed = placedRoute(state);
    if (placed.empty()) return std::nullopt;
    size_t i = 0;
    while (i + 1 < placed.size() && placed[i + 1].along < distance) ++i;
    const PlacedPoint& a = placed[i];
    const PlacedPoint& b = placed[std::min(i + 1, placed.size() - 1)];
    const double stretch = b.along - a.along;
    const double t = stretch > 0 ? std::clamp((distance - a.along) / stretch, 0.0, 1.0) : 0.0;
    return PixelPoint{static_cast<int>(std::floor(a.x + t * (b.x - a.x))),
                      static_cast<int>(std::floor(a.y + t * (b.y - a.y)))};
}

}  // namespace orv
