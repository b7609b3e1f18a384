#include "cli/BlockLoading.h"

#include "app/ElevationLoading.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"

namespace orv::cli {

int loadBlock(AppState& state, const std::filesystem::path& folder) {
    state.meshCodes = meshNeighbours(state.centreMeshCode);
    state.levelCorners[0][1] = meshSouthLatitude(state.centreMeshCode);
    state.levelCorners[0][2] = meshWestLongitude(state.centreMeshCode);
    int read = 0;
    for (size_t slot = 1; slot <= 9; ++slot) {
        const MeshSlotPlace& place = meshSlotPlaces[slot];
        const std::filesystem::path path = meshFilePath(folder, state.meshCodes[slot], false);
        const Result<MeshBlock> block = path.empty() ? Result<MeshBlock>(Problem{ProblemKind::NotFound, 0, {}})
                                                     : readMeshBlock(path);
        if (block) {
            placeMeshBlock(*block, state.elevationGrid, place.firstRow, place.firstColumn, 1);
            ++read;
        } else {
            fillNoData(state.elevationGrid, place.firstRow, place.firstColumn, 1);
        }
    }
    repeatLastRowAndColumn(state.elevationGrid, 1);
    setMeshCorners(state);
    setLevelOneCorners(state, dmsToSeconds(state.levelCorners[0][1]), dmsToSeconds(state.levelCorners[0][2]));
    state.currentLevel = 1;
    return read;
}

}  // namespace orv::cli
