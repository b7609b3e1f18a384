#pragma once
// Extents of a route: its south, north, west and east edges and its highest and lowest point.
#include "geo/Angles.h"
#include "state/RouteModel.h"

#include <cstdint>

namespace orv {

// Point 1 of the route is the starting value and points 2..count are compared, so a route
// with count 0 (or less) gives point 1's value. A count above the table size is clamped.
ArcSeconds routeSouth(const RouteTable& route, int count);
ArcSeconds routeNorth(const RouteTable& route, int count);
ArcSeconds routeWest(const RouteTable& route, int count);
ArcSeconds routeEast(const RouteTable& route, int count);

// Highest / lowest point elevation in whole metres (each elevation rounded, halves to even),
// with the same starting value rule as above. Points outside the elevation data do not count
// (their elevation is not the ground's) unless no point lies inside.
int32_t routeMaxElevation(const RouteTable& route, int count);
int32_t routeMinElevation(const RouteTable& route, int count);

}  // namespace orv
