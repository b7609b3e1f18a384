// Mesh elevation files.
#include "FuzzTargets.h"

#include "geo/ElevationGrid.h"
#include "geo/MemFile.h"

#include <cmath>

namespace orv::fuzz {

void fuzzMesh(std::string_view bytes, Checks& checks) {
    const MeshBlock block = parseMeshBlock(bytes);
    checks.expect(block.metres.size() == static_cast<size_t>(kMeshPoints) * kMeshPoints,
                  "the block is not 200 × 200");
    // Five characters of 0.1 m hold at most 9999.9 m either way.
    for (const float metres : block.metres)
        checks.expect(metres == ElevationGrid::kNoData || (std::isfinite(metres) && std::fabs(metres) <= 9999.9f),
                      "a field gave a height no field can hold");
    checks.expect(block.oddFields >= 0 && block.oddFields <= kMeshPoints * kMeshPoints,
                  "more odd fields than fields");
}

}  // namespace orv::fuzz
