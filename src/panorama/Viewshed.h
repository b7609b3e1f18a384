#pragma once
// Where a point can be seen from: the cells of one level of the elevation grid visible from an
// observer, and the stretches of a route from which a peak can be seen.
#include "panorama/SightGeometry.h"
#include "panorama/TerrainGathering.h"

#include <cstdint>
#include <vector>

namespace orv::panorama {

// A level of the elevation grid as the visible-area map sees it.
struct LevelTerrain {
    const float* heights = nullptr;  // rows × columns, north row first; ElevationGrid::kNoData none
    int rows = 0, columns = 0;
    double rowMetres = 0.0;     // north–south size of a cell
    double columnMetres = 0.0;  // west–east size of a cell
};

enum class CellSight : uint8_t { Hidden = 0, Visible = 1, NoData = 2 };

// For every cell, whether the ground there is seen from an eye `eyeHeight` metres above the
// ground of cell (row, column), over the curved earth with refraction as in `options`.
std::vector<CellSight> visibleCells(const LevelTerrain& level, int row, int column, double eyeHeight,
                                    const SightOptions& options);

// For each position (JGD2011), whether a target (position, height in metres) can be seen from
// an eye `eyeHeight` metres above the ground there.
std::vector<bool> targetVisibleFrom(const SightTerrain& terrain, const std::vector<LatLon>& places,
                                    double eyeHeight, LatLon target, double targetHeight,
                                    const SightOptions& options);

}  // namespace orv::panorama
