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
// ground of cell (row, column), over the curved earth with refraction as in `options` (heights
// lowered by their apparent drop over the earth's mean radius). One sweep outward from the
// observer, in O(cells) on two threads: the terrain between two cells of a row (or column) is the straight line
// between them, and each cell's horizon (the highest slope of that terrain before it) is
// interpolated from the two cells of the step before where its sight line crosses, raised by the
// ground there. The interpolation is the method's one approximation: against the exact sight
// lines over the same terrain a cell beside the horizon may come out the other way (a few cells
// in a thousand on mountain terrain). Cells without data, or every cell when the observer's own
// cell has none or lies outside the level, are NoData.
std::vector<CellSight> visibleCells(const LevelTerrain& level, int row, int column, double eyeHeight,
                                    const SightOptions& options);

// The same answer by following each cell's sight line exactly over the same terrain, in
// O(cells^1.5): the reference the sweep is measured against.
std::vector<CellSight> visibleCellsAlongSightLines(const LevelTerrain& level, int row, int column, double eyeHeight,
                                                   const SightOptions& options);

// For each position (JGD2011), whether a target (position, height in metres) can be seen from
// an eye `eyeHeight` metres above the ground there: the sight along the geodesic, over the
// terrain of the finest layer that knows each sample (half a pixel of the finest layer apart),
// with the same curvature and refraction as the panorama. Terrain within two pixels of the
// target never hides it (its own summit as the layer rounds it off); samples nobody knows hide
// nothing. A position whose ground is unknown sees nothing.
std::vector<bool> targetVisibleFrom(const SightTerrain& terrain, const std::vector<LatLon>& places,
                                    double eyeHeight, LatLon target, double targetHeight,
                                    const SightOptions& options);

}  // namespace orv::panorama
