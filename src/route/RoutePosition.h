#pragma once
// Positions along the route on the map picture, for the live link between the route map and
// the profile: the distance along the route under the mouse (when the mouse lies within a few
// pixels of the route line), and the map pixel at a distance along the route. Distances are
// map distances from point 1, the profile's horizontal axis.
#include "map/MapContext.h"
#include "platform/DrawingSurface.h"

#include <optional>

namespace orv {

// How far from the route line (in map pixels) the mouse still counts as on the route.
inline constexpr int kRouteHoverReach = 4;

// The map distance from point 1 to the spot of the route nearest to map pixel (x, y) of the
// current level, when that spot lies within kRouteHoverReach pixels; nothing otherwise.
std::optional<double> routeDistanceNear(const AppState& state, int x, int y);

// The map pixel of the current level at a distance along the route, between the two route
// points on either side; nothing without a route.
std::optional<PixelPoint> routePixelAtDistance(const AppState& state, double distance);

}  // namespace orv
