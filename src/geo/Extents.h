#pragma once
// Extents of the route (south, north, west and east edges, highest and lowest point) and the
// lowest / highest of eight grid nodes around a point.
#include "geo/Angles.h"
#include "geo/ElevationGrid.h"
#include "route/RouteModel.h"

#include <array>
#include <cstdint>

namespace orv {

// Point 1 of the route is the starting value and points 2..count are compared, so a route
// with count 0 (or less) gives point 1's value. A count above the table size is clamped.
ArcSeconds routeSouth(const RouteTable& route, int count);
ArcSeconds routeNorth(const RouteTable& route, int count);
ArcSeconds routeWest(const RouteTable& route, int count);
ArcSeconds routeEast(const RouteTable& route, int count);

// Highest / lowest point elevation in whole metres (each elevation rounded, halves to even),
// with the same starting value rule as above.
int32_t routeMaxElevation(const RouteTable& route, int count);
int32_t routeMinElevation(const RouteTable& route, int count);

// A node of the elevation grid.
struct GridNode {
    int column = 0;
    int row = 0;
};

// Nodes 1..8 (slot 0 unused) as the caller numbers them.
using EightNodes = std::array<GridNode, 9>;

// The number 1..8 of the node whose elevation at `level`, rounded to whole metres, is the
// lowest below 9999 m (lowestOfEight) or the highest above 0 m (highestOfEight); ties keep
// the earlier node, and 0 when no node qualifies. A node outside the grid reads as no data
// (-999.9 m, so it counts as -1000 m).
int lowestOfEight(const ElevationGrid& grid, int level, const EightNodes& nodes);
int highestOfEight(const ElevationGrid& grid, int level, const EightNodes& nodes);

}  // namespace orv
