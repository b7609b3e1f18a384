#include "support/SampleBlock.h"

#include "core/TextFile.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"

#include <string>

namespace orv::test {

bool loadSampleBlock(AppState& state) {
    const std::string folder = std::string(ORVANE_ASSETS) + "/sample/dem";
    state.centreMeshCode = kSampleCentreMesh;
    state.meshCodes = meshNeighbours(kSampleCentreMesh);
    const ArcSeconds south = dmsToSeconds(meshSouthLatitude(kSampleCentreMesh));
    const ArcSeconds west = dmsToSeconds(meshWestLongitude(kSampleCentreMesh));
    state.levelCorners[0][1] = secondsToDms(south);
    state.levelCorners[0][2] = secondsToDms(west);
    state.levelCorners[1] = {secondsToDms(south - 300), secondsToDms(south + 600),
                             secondsToDms(west - 450), secondsToDms(west + 900)};
    const int firstRows[] = {0, 0, 0, 0, 200, 200, 200, 400, 400, 400};
    const int firstColumns[] = {0, 0, 200, 400, 0, 200, 400, 0, 200, 400};
    for (int slot = 1; slot <= 9; ++slot) {
        std::string bytes;
        if (readBytes(meshFilePath(folder, state.meshCodes[static_cast<size_t>(slot)], false), bytes) !=
            FileError::None)
            return false;
        parseMemFile(bytes, state.elevationGrid, firstRows[slot], firstColumns[slot], 1);
    }
    repeatLastRowAndColumn(state.elevationGrid, 1);
    state.currentLevel = 1;
    return true;
}

}  // namespace orv::test
