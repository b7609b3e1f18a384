#include "geo/Extents.h"

#include "core/Rounding.h"

#include <cstdint>

namespace orv {

namespace {

bool less(int32_t a, int32_t b) { return a < b; }
bool greater(int32_t a, int32_t b) { return a > b; }

template <typename Better>
int chooseOfEight(const ElevationGrid& grid, int level, const EightNodes& nodes, int32_t start,
                  Better better) {
    int32_t best = start;
    int chosen = 0;
    for (int i = 1; i <= 8; ++i) {
        const GridNode& node = nodes[static_cast<size_t>(i)];
        const int32_t e = roundHalfEven(grid.get(node.row, node.column, level));
        if (better(e, best)) {
            best = e;
            chosen = i;
        }
    }
    return chosen;
}

}  // namespace

int lowestOfEight(const ElevationGrid& grid, int level, const EightNodes& nodes) {
    return chooseOfEight(grid, level, nodes, 9999, less);
}
int highestOfEight(const ElevationGrid& grid, int level, const EightNodes& nodes) {
    return chooseOfEight(grid, level, nodes, 0, greater);
}

}  // namespace orv
