#include "support/ConePlan.h"

#include "geo/Angles.h"
#include "geo/MeshCode.h"

#include <cmath>

namespace orv::test {

float coneElevation(int row, int column, float peak, float slope) {
    const float dx = static_cast<float>(column - 300);
    const float dy = static_cast<float>(row - 300);
    const float height = peak - slope * std::sqrt(dx * dx + dy * dy);
    return height < 0.0f ? -10.0f : height;
}

void loadConePlan(AppState& state, float peak, float slope) {
    state.planName = kConePlanName;
    state.centreMeshCode = kConeCentreMesh;
    state.meshCodes = meshNeighbours(kConeCentreMesh);
    const DmsText south = meshSouthLatitude(kConeCentreMesh);
    const DmsText west = meshWestLongitude(kConeCentreMesh);
    state.levelCorners[0][1] = south;
    state.levelCorners[0][2] = west;
    const ArcSeconds lat0 = dmsToSeconds(south);
    const ArcSeconds lon0 = dmsToSeconds(west);
    state.levelCorners[1][kSouth] = secondsToDms(lat0 - 300);
    state.levelCorners[1][kNorth] = secondsToDms(lat0 + 600);
    state.levelCorners[1][kWest] = secondsToDms(lon0 - 450);
    state.levelCorners[1][kEast] = secondsToDms(lon0 + 900);
    state.currentLevel = 1;
    state.settings.colourTable[0] = kDefaultColourSet;
    for (int row = 0; row < ElevationGrid::kRows; ++row)
        for (int column = 0; column < ElevationGrid::kColumns; ++column)
            state.elevationGrid.set(row, column, 1, coneElevation(row, column, peak, slope));
}

}  // namespace orv::test
