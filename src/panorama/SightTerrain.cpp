#include "panorama/SightTerrain.h"

#include <cmath>

namespace orv::panorama {

WorldPoint toWorld(LatLon) { return {}; }
LatLon fromWorld(WorldPoint) { return {}; }
float MercatorLayer::heightAt(WorldPoint) const { return std::nanf(""); }
int zoomForDistance(double, double, double) { return 14; }

void SightTerrain::addLayer(MercatorLayer layer) { layers_.push_back(std::move(layer)); }
float SightTerrain::heightAt(WorldPoint, int) const { return std::nanf(""); }

}  // namespace orv::panorama
