#include "panorama/TerrainGathering.h"

namespace orv::panorama {

std::vector<TileRing> tileRings(const SightRequest&) { return {}; }
std::string GatheredTerrain::statusText() const { return {}; }
GatheredTerrain gatherFromFolder(const std::filesystem::path&, const SightRequest&, const terrain::ProgressHook&) {
    return {};
}
GatheredTerrain gatherFromServer(const SightRequest&, const std::string&, const std::filesystem::path&,
                                 const terrain::ProgressHook&) {
    return {};
}

}  // namespace orv::panorama
