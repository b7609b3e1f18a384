#include "panorama/SightTerrain.h"

#include "terrain/SourceGrid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <system_error>
#include <thread>
#include <vector>

namespace orv::panorama {

namespace {

constexpr float kUnknown = std::numeric_limits<float>::quiet_NaN();

bool tooLarge(int64_t columns, int64_t rows) {
    return columns <= 0 || rows <= 0 || columns * rows > kMaxLayerSamples;
}

// Lattice rows v0 .. v1 − 1 of a layer: the part one thread lays out.
struct RowBand {
    int64_t v0 = 0, v1 = 0;
};

// Copies the part of `grid` inside the layer's band; a pixel without data is the sea.
void copyTile(const terrain::SourceGrid& grid, MercatorLayer& layer, RowBand band) {
    const int64_t u0 = std::max(grid.u0, layer.u0);
    const int64_t v0 = std::max({grid.v0, layer.v0, band.v0});
    const int64_t u1 = std::min(grid.u0 + grid.columns, layer.u0 + layer.columns);
    const int64_t v1 = std::min({grid.v0 + grid.rows, layer.v0 + layer.rows, band.v1});
    if (u0 >= u1 || v0 >= v1 || grid.heights.size() != static_cast<size_t>(grid.columns) * static_cast<size_t>(grid.rows))
        return;
    for (int64_t v = v0; v < v1; ++v) {
        const float* from = grid.heights.data() + (v - grid.v0) * grid.columns + (u0 - grid.u0);
        float* to = layer.heights.data() + (v - layer.v0) * layer.columns + (u0 - layer.u0);
        for (int64_t i = 0; i < u1 - u0; ++i) to[i] = std::isnan(from[i]) ? 0.0f : from[i];
    }
}

void fillTile(terrain::TileId tile, float height, MercatorLayer& layer, RowBand band) {
    const int64_t u0 = std::max(int64_t{tile.x} * terrain::kTilePixels, layer.u0);
    const int64_t v0 = std::max({int64_t{tile.y} * terrain::kTilePixels, layer.v0, band.v0});
    const int64_t u1 = std::min(int64_t{tile.x + 1} * terrain::kTilePixels, layer.u0 + layer.columns);
    const int64_t v1 = std::min({int64_t{tile.y + 1} * terrain::kTilePixels, layer.v0 + layer.rows, band.v1});
    if (u0 >= u1) return;
    for (int64_t v = v0; v < v1; ++v) {
        float* to = layer.heights.data() + (v - layer.v0) * layer.columns;
        std::fill(to + (u0 - layer.u0), to + (u1 - layer.u0), height);
    }
}

// Runs `work(band)` over the layer's rows in bands, one per core (up to four), on threads of
// plain data; a small layer, or one when no thread is to be had, on the calling thread alone.
template <typename Work>
void inBands(const MercatorLayer& layer, const Work& work) {
    constexpr int64_t kRowsPerBand = 2 * terrain::kTilePixels;
    const int64_t cores = std::clamp<int64_t>(std::thread::hardware_concurrency(), 1, 4);
    const int64_t bands = std::clamp<int64_t>(layer.rows / kRowsPerBand, 1, cores);
    std::vector<std::thread> helpers;
    int64_t done = layer.v0;  // rows before this one have a thread
    try {
        for (int64_t b = 1; b < bands; ++b) {
            const int64_t end = layer.v0 + layer.rows * b / bands;
            helpers.emplace_back([&work, band = RowBand{done, end}] { work(band); });
            done = end;
        }
    } catch (const std::system_error&) {  // no more threads: this one takes the rest
    }
    work(RowBand{done, layer.v0 + layer.rows});
    for (std::thread& helper : helpers) helper.join();
}

// A Tokyo datum position in arc-seconds.
struct Seconds {
    double latitude = 0.0, longitude = 0.0;
};

// The shift from the Tokyo datum onto the modern one, in arc-seconds, taken at the four
// corners of the block and interpolated bilinearly between them: across a block of 15′ × 22.5′
// it changes by about 0.15″ (4 m), and the bilinear shift stays within a few millimetres of
// PROJ's everywhere in the block.
class CornerShift {
public:
    CornerShift(const LevelBounds& block, const DatumShift& shift) : block_(block) {
        const std::array<Seconds, 4> corners{{{double(block.north), double(block.west)},
                                              {double(block.north), double(block.east)},
                                              {double(block.south), double(block.west)},
                                              {double(block.south), double(block.east)}}};
        for (size_t i = 0; i < corners.size(); ++i) {
            const LatLon modern = shift.fromTokyo(corners[i].latitude / 3600.0, corners[i].longitude / 3600.0);
            shifts_[i] = {modern.latitude * 3600.0 - corners[i].latitude, modern.longitude * 3600.0 - corners[i].longitude};
            ok_ = ok_ && std::isfinite(shifts_[i].latitude) && std::isfinite(shifts_[i].longitude);
        }
        const Seconds middle{(double(block.north) + block.south) / 2.0, (double(block.west) + block.east) / 2.0};
        middleShift_ = at(middle);
    }
    bool ok() const { return ok_; }

    // The shift at a Tokyo datum position (bilinear, also a little outside the block).
    Seconds at(Seconds tokyo) const {
        const double s = (block_.north - tokyo.latitude) / (double(block_.north) - block_.south);
        const double t = (tokyo.longitude - block_.west) / (double(block_.east) - block_.west);
        const auto mix = [&](double nw, double ne, double sw, double se) {
            return (1 - s) * ((1 - t) * nw + t * ne) + s * ((1 - t) * sw + t * se);
        };
        return {mix(shifts_[0].latitude, shifts_[1].latitude, shifts_[2].latitude, shifts_[3].latitude),
                mix(shifts_[0].longitude, shifts_[1].longitude, shifts_[2].longitude, shifts_[3].longitude)};
    }
    // The Tokyo position of a modern one: the shift read where the position came from, near
    // enough (the shift differs by a hundred-thousandth of a second over the few metres the
    // middle's shift is off). Bilinear in the modern position, so linear along a row.
    Seconds tokyoOf(Seconds modern) const {
        const Seconds d = at({modern.latitude - middleShift_.latitude, modern.longitude - middleShift_.longitude});
        return {modern.latitude - d.latitude, modern.longitude - d.longitude};
    }

private:
    LevelBounds block_;
    std::array<Seconds, 4> shifts_{};
    Seconds middleShift_;
    bool ok_ = true;
};

constexpr int kBlockLevel = 1;  // the level that holds the whole block as it is loaded

bool unknownCell(float h) { return !(h > ElevationGrid::kNoData + 0.05f); }

}  // namespace

bool SightTerrain::addTileLayer(int zoom, const terrain::TileRange& range, const terrain::LoadedSources& sources,
                                const std::vector<terrain::TileId>& seaTiles) {
    const int64_t columns = (int64_t{range.x1} - range.x0 + 1) * terrain::kTilePixels;
    const int64_t rows = (int64_t{range.y1} - range.y0 + 1) * terrain::kTilePixels;
    if (zoom < 0 || zoom > 30 || range.x0 < 0 || range.y0 < 0 || tooLarge(columns, rows)) return false;
    MercatorLayer layer;
    layer.zoom = zoom;
    layer.u0 = int64_t{range.x0} * terrain::kTilePixels;
    layer.v0 = int64_t{range.y0} * terrain::kTilePixels;
    layer.columns = static_cast<int>(columns);
    layer.rows = static_cast<int>(rows);
    layer.heights.resize(static_cast<size_t>(columns * rows));
    // Each band of rows in the order a single pass would take: unknown, then the sea, then
    // the tiles read.
    inBands(layer, [&](RowBand band) {
        std::fill(layer.heights.begin() + (band.v0 - layer.v0) * columns, layer.heights.begin() + (band.v1 - layer.v0) * columns,
                  kUnknown);
        for (const terrain::TileId& tile : seaTiles)
            if (tile.z == zoom) fillTile(tile, 0.0f, layer, band);
        for (const terrain::SourceGrid& grid : sources.grids)
            if (grid.key.lattice == terrain::Lattice::WebMercator && grid.key.zoom == zoom) copyTile(grid, layer, band);
    });
    addLayer(std::move(layer));
    return true;
}

bool SightTerrain::addBlock(const ElevationGrid& grid, const LevelBounds& block, const DatumShift& shift, int zoom) {
    if (block.north <= block.south || block.east <= block.west || zoom < 0 || zoom > 20) return false;
    const CornerShift corners(block, shift);
    if (!corners.ok()) return false;

    // The layer's samples: every one whose centre lies inside the shifted block's box.
    double north = -90, south = 90, west = 180, east = -180;
    for (const double latitude : {double(block.north), double(block.south)})
        for (const double longitude : {double(block.west), double(block.east)}) {
            const Seconds d = corners.at({latitude, longitude});
            north = std::max(north, (latitude + d.latitude) / 3600.0);
            south = std::min(south, (latitude + d.latitude) / 3600.0);
            west = std::min(west, (longitude + d.longitude) / 3600.0);
            east = std::max(east, (longitude + d.longitude) / 3600.0);
        }
    MercatorLayer layer;
    layer.zoom = zoom;
    layer.u0 = static_cast<int64_t>(std::ceil(terrain::mercatorU(west, zoom)));
    layer.v0 = static_cast<int64_t>(std::ceil(terrain::mercatorV(north, zoom)));
    const int64_t columns = static_cast<int64_t>(std::floor(terrain::mercatorU(east, zoom))) - layer.u0 + 1;
    const int64_t rows = static_cast<int64_t>(std::floor(terrain::mercatorV(south, zoom))) - layer.v0 + 1;
    if (tooLarge(columns, rows)) return false;
    layer.columns = static_cast<int>(columns);
    layer.rows = static_cast<int>(rows);
    layer.heights.assign(static_cast<size_t>(columns * rows), kUnknown);

    const double dLat = latitudeStep(block);
    const double dLon = longitudeStep(block);
    const float* cells = grid.data() + ElevationGrid::index(0, 0, kBlockLevel);
    constexpr int kLast = kMapSize;  // the last row and column of a level
    // Along a row of the layer the longitude grows evenly, and so do the Tokyo position and
    // the fractional cell (y, x) of the block.
    const double west0 = terrain::mercatorLongitude(static_cast<double>(layer.u0), zoom) * 3600.0;
    const double west1 = terrain::mercatorLongitude(static_cast<double>(layer.u0 + 1), zoom) * 3600.0;
    for (int64_t j = 0; j < rows; ++j) {
        const double latitude = terrain::mercatorLatitude(static_cast<double>(layer.v0 + j), zoom) * 3600.0;
        const Seconds first = corners.tokyoOf({latitude, west0});
        const Seconds next = corners.tokyoOf({latitude, west1});
        const double y0 = (block.north - first.latitude) / dLat, dy = (first.latitude - next.latitude) / dLat;
        const double x0 = (first.longitude - block.west) / dLon, dx = (next.longitude - first.longitude) / dLon;
        float* out = layer.heights.data() + j * columns;
        for (int64_t i = 0; i < columns; ++i) {
            const double y = y0 + static_cast<double>(i) * dy;
            const double x = x0 + static_cast<double>(i) * dx;
            if (!(y >= 0.0 && y <= kLast && x >= 0.0 && x <= kLast)) continue;
            const int r = std::min(static_cast<int>(y), kLast - 1);
            const int c = std::min(static_cast<int>(x), kLast - 1);
            const float* at = cells + ElevationGrid::index(r, c, 0);
            const float nw = at[0], ne = at[1], sw = at[ElevationGrid::kColumns], se = at[ElevationGrid::kColumns + 1];
            if (unknownCell(nw) || unknownCell(ne) || unknownCell(sw) || unknownCell(se)) continue;
            const double fy = y - r, fx = x - c;
            out[i] = static_cast<float>((1 - fy) * ((1 - fx) * nw + fx * ne) + fy * ((1 - fx) * sw + fx * se));
        }
    }
    addLayer(std::move(layer));
    return true;
}

}  // namespace orv::panorama
