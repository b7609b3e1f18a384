#include "panorama/SightTerrain.h"

namespace orv::panorama {

void SightTerrain::addTileLayer(int, const terrain::TileRange&, const terrain::LoadedSources&,
                                const std::vector<terrain::TileId>&) {}
void SightTerrain::addBlock(const ElevationGrid&, const LevelBounds&, const DatumShift&, int) {}
}  // namespace orv::panorama
