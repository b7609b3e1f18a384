#include "route/RouteExtents.h"

#include "core/Rounding.h"

#include <algorithm>

namespace orv {

namespace {

int lastPoint(int count) { return std::min(count, kMaxRoutePoints); }

template <typename Value, typename Better>
auto routeExtent(const RouteTable& route, int count, Value value, Better better) {
    auto best = value(route[1]);
    for (int i = 2; i <= lastPoint(count); ++i) {
        const auto v = value(route[static_cast<size_t>(i)]);
        if (better(v, best)) best = v;
    }
    return best;
}

ArcSeconds latitudeOf(const RoutePoint& p) { return dmsToSeconds(p.latitude); }
ArcSeconds longitudeOf(const RoutePoint& p) { return dmsToSeconds(p.longitude); }
int32_t elevationOf(const RoutePoint& p) { return roundHalfEven(p.elevation); }

bool less(int32_t a, int32_t b) { return a < b; }
bool greater(int32_t a, int32_t b) { return a > b; }

}  // namespace

ArcSeconds routeSouth(const RouteTable& route, int count) {
    return routeExtent(route, count, latitudeOf, less);
}
ArcSeconds routeNorth(const RouteTable& route, int count) {
    return routeExtent(route, count, latitudeOf, greater);
}
ArcSeconds routeWest(const RouteTable& route, int count) {
    return routeExtent(route, count, longitudeOf, less);
}
ArcSeconds routeEast(const RouteTable& route, int count) {
    return routeExtent(route, count, longitudeOf, greater);
}

namespace {

// The highest or lowest elevation of the points inside the elevation data; a route without
// such points falls back to the rule of all points.
template <typename Better>
int32_t elevationExtent(const RouteTable& route, int count, Better better) {
    int32_t best = 0;
    bool found = false;
    for (int i = 1; i <= lastPoint(count); ++i) {
        const RoutePoint& p = route[static_cast<size_t>(i)];
        if (p.outsideData) continue;
        const int32_t v = elevationOf(p);
        if (!found || better(v, best)) best = v;
        found = true;
    }
    return found ? best : routeExtent(route, count, elevationOf, better);
}

}  // namespace

int32_t routeMaxElevation(const RouteTable& route, int count) { return elevationExtent(route, count, greater); }
int32_t routeMinElevation(const RouteTable& route, int count) { return elevationExtent(route, count, less); }

}  // namespace orv
