#pragma once
// The terrain a sight line passes over: height layers on the Web Mercator lattice of their
// zoom, finest first, filled from elevation tiles (a folder, the cache, the survey's server)
// and from the loaded 3 × 3 block. Heights in metres: 0 where a tile says the sea (no data) or
// the server has no tile, NaN where nothing is known (a tile that could not be had).
#include "geo/DatumShift.h"
#include "geo/ElevationGrid.h"
#include "map/MapGeometry.h"
#include "terrain/LoadedSources.h"
#include "terrain/TileSources.h"

#include <cstdint>
#include <vector>

namespace orv::panorama {

// A position in Web Mercator world coordinates: fractions 0..1 of the world's width from
// 180° W eastward and of its height from the north edge (85.05° N) southward.
struct WorldPoint {
    double x = 0.0, y = 0.0;
};
WorldPoint toWorld(LatLon position);
LatLon fromWorld(WorldPoint point);

// One zoom's heights: lattice samples u0 .. u0 + columns − 1, v0 .. v0 + rows − 1 of that
// zoom (sample (u, v) is pixel (u mod 256, v mod 256) of tile (u / 256, v / 256), its centre at
// world x = (u + 0.5) / (256 · 2^zoom)).
struct MercatorLayer {
    int zoom = 0;
    int64_t u0 = 0, v0 = 0;
    int columns = 0, rows = 0;
    std::vector<float> heights;  // rows × columns, north row first; NaN unknown

    // Bilinear height at `point`; NaN outside the layer or beside an unknown sample.
    float heightAt(WorldPoint point) const;
};

// The tile zoom whose pixel best matches what a sight at `distance` metres can resolve with
// columns `columnStep` degrees apart: the finest zoom (at most 14) whose pixel is not smaller
// than distance · columnStep (in radians) at `latitude`; at least zoom 5.
int zoomForDistance(double distance, double columnStep, double latitude);

// A layer holds at most this many samples (256 MB of heights): 1 024 tiles.
inline constexpr int64_t kMaxLayerSamples = int64_t{64} << 20;

class SightTerrain {
public:
    // Lays out one layer of `zoom` over the tiles `range`: the tiles of `sources` of that zoom
    // (a no-data pixel is the sea, 0 m), the tiles listed in `seaTiles` (the server has none:
    // 0 m), NaN for every other tile of the range. A second layer of the same zoom replaces
    // nothing: both are kept, the first added is asked first. False (nothing added) for an
    // empty range or one of more than kMaxLayerSamples samples.
    bool addTileLayer(int zoom, const terrain::TileRange& range, const terrain::LoadedSources& sources,
                      const std::vector<terrain::TileId>& seaTiles);
    // The loaded block: level 1 of `grid` (the whole block as it is loaded, 601 × 601 cells
    // within `block`, that level's corners, Tokyo datum arc-seconds; cell (row, column) lies at
    // latitude N − row·dLat, longitude W + column·dLon; kNoData cells unknown) resampled
    // bilinearly onto a layer of `zoom` covering the block, shifted onto JGD2011 by `shift`.
    // The shift is taken at the block's corners and interpolated between them (the shift
    // varies by well under a metre across a block). False (nothing added) when the bounds are
    // empty, the shift cannot convert them, or the layer would be too large.
    bool addBlock(const ElevationGrid& grid, const LevelBounds& block, const DatumShift& shift,
                  int zoom = 13);
    void addLayer(MercatorLayer layer);

    // The height at `point` for a sight that resolves `wantedZoom`: from the finest layer not
    // finer than wantedZoom that knows it, else the nearest finer one that does; NaN when no
    // layer knows it.
    float heightAt(WorldPoint point, int wantedZoom) const;

    const std::vector<MercatorLayer>& layers() const { return layers_; }  // finest first
    bool empty() const { return layers_.empty(); }

private:
    std::vector<MercatorLayer> layers_;
};

}  // namespace orv::panorama
