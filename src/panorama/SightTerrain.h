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

    // Bilinear height at `point` between the four sample centres around it; NaN outside the
    // layer or where a sample it needs is unknown. A point on a sample's row or column needs
    // no neighbour across it (exactly on a sample: that sample alone). The layer covers its
    // pixels' whole area: in the outer half pixel, beyond the last sample centres, the edge
    // samples hold (so layers of adjacent tile ranges leave no gap between them).
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
    // The shift is taken at the block's corners and interpolated between them (across a block
    // it changes by about 4 m; the interpolated one stays within 3 mm of PROJ's). False
    // (nothing added) when the bounds are empty, the shift cannot convert them, or the layer
    // would be too large.
    bool addBlock(const ElevationGrid& grid, const LevelBounds& block, const DatumShift& shift,
                  int zoom = 13);
    // Every layer enters here (addTileLayer and addBlock too): it keeps the layers sorted finest
    // first, equal zooms in the order added, and the order heightAt asks them in.
    void addLayer(MercatorLayer layer);

    // The height at `point` for a sight that resolves `wantedZoom`: from the finest layer not
    // finer than wantedZoom that knows it, else the nearest finer one that does; NaN when no
    // layer knows it.
    float heightAt(WorldPoint point, int wantedZoom) const;

    const std::vector<MercatorLayer>& layers() const { return layers_; }  // finest first
    bool empty() const { return layers_.empty(); }

private:
    // The lattice of one layer as heightAt reads it.
    struct Sampler {
        double scale = 0.0;                   // samples per world width: 256 · 2^zoom
        double offsetU = 0.0, offsetV = 0.0;  // u0 + 0.5, v0 + 0.5
        int columns = 0;
        double lastU = -2.0, lastV = -2.0;    // columns − 1, rows − 1 (no samples: nothing answers)
        const float* heights = nullptr;
    };
    void arrange();

    std::vector<MercatorLayer> layers_;
    std::vector<Sampler> samplers_;  // one per layer, in the same order
    // For each wanted zoom 0 .. kZooms − 1, the layers in the order they are asked:
    // order_[zoom * layers_.size() + n].
    static constexpr int kZooms = 32;
    std::vector<uint16_t> order_;
};

}  // namespace orv::panorama
