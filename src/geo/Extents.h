#pragma once
// The lowest / highest of eight grid nodes around a point.
#include "geo/ElevationGrid.h"

#include <array>

namespace orv {

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
