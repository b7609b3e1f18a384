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

int32_t routeMaxElevation(const RouteTable& route, int count) {
    return routeExtent(route, count, elevationOf, greater);
}
int32_t routeMinElevation(const RouteTable& route, int count) {
    return routeExtent(route, count, elevationOf, less);
}

}  // namespace orv
