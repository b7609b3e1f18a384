#include "panorama/SightTerrain.h"

#include <cmath>

namespace orv::panorama {

WorldPoint toWorld(LatLon) { return {}; }
LatLon fromWorld(WorldPoint) { return {}; }
float MercatorLayer::heightAt(WorldPoint) const { return std::nanf(""); }
int zoomForDistance(double, double, double) { return 14; }

void SightTerrain::addTileLayer(int, const terrain::TileRange&, const terrain::LoadedSources&,
                                const std::vector<terrain::TileId>&) {}
void SightTerrain::addBlock(const ElevationGrid&, const LevelBounds&, const DatumShift&, int) {}
void SightTerrain::addLayer(MercatorLayer layer) { layers_.push_back(std::move(layer)); }
float SightTerrain::heightAt(WorldPoint, int) const { return std::nanf(""); }

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
