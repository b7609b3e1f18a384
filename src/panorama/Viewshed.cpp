#include "panorama/Viewshed.h"

namespace orv::panorama {

std::vector<CellSight> visibleCells(const LevelTerrain& level, int, int, double, const SightOptions&) {
    return std::vector<CellSight>(static_cast<size_t>(level.rows) * static_cast<size_t>(level.columns),
                                  CellSight::NoData);
}

std::vector<bool> targetVisibleFrom(const SightTerrain&, const std::vector<LatLon>& places, double, LatLon,
                                    double, const SightOptions&) {
    return std::vector<bool>(places.size(), false);
}

}  // namespace orv::panorama
