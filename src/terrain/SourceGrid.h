#pragma once
// Elevation samples of today's survey products, as read from a file or a tile: a block of a
// regular lattice of sample points in the lattice's own index space, with NaN for no data.
//
// Two lattices occur. FG-GML DEMs are a latitude/longitude lattice of `stepSeconds` (0.2″ for
// the 5 m models, 0.4″ for the 10 m ones); sample u covers longitude u·step .. (u + 1)·step
// seconds, so its centre lies at (u + 0.5)·step, and sample v covers latitude −(v + 1)·step ..
// −v·step (v grows southward). Elevation tiles are the Web Mercator lattice of their zoom:
// sample u, v is pixel (u mod 256, v mod 256) of tile (u / 256, v / 256). Both use JGD2011
// positions (the tiles' WGS 84 is the same to well under a metre).
#include <cmath>
#include <compare>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace orv::terrain {

enum class Lattice { LatLon, WebMercator };

// Which lattice a sample block belongs to. Blocks of one layer can be laid side by side.
struct LayerKey {
    Lattice lattice = Lattice::LatLon;
    double stepSeconds = 0.0;  // LatLon: the lattice step in arc-seconds
    int zoom = 0;              // WebMercator: the tile zoom
    char grade = 'Z';          // survey grade of the DEM ('A' laser, 'B', 'C'); 'Z' unknown, tiles

    auto operator<=>(const LayerKey&) const = default;

    // Nominal spacing in metres at mid-latitudes, for putting the finest source first.
    double nominalMetres() const;
    // The size of one sample in metres at `latitude` (degrees): 5 m and 10 m for the survey's
    // DEMs of 0.2″ and 0.4″ (their products' own names), a tile pixel's side at that latitude
    // (a Web Mercator pixel is as wide as it is high), else the lattice step north to south.
    double cellMetres(double latitude) const;
    // True when cellMetres is a product's nominal size rather than a measure.
    bool nominalCellSize() const;
    // "DEM5A", "DEM10B", "タイル z14" …: how a layer is named in summaries.
    std::string name() const;
    // The same in ASCII for the mesh files' header line ("tile z14").
    std::string asciiName() const;
};

// Cells of a source larger than this are coarser than the 50 m grid of the mesh files.
inline constexpr double kCoarseCellMetres = 50.0;

// A latitude/longitude box in degrees (JGD2011).
struct GeoBox {
    double south = 0, north = 0, west = 0, east = 0;

    bool intersects(const GeoBox& o) const {
        return south < o.north && o.south < north && west < o.east && o.west < east;
    }
};

struct SourceGrid {
    LayerKey key;
    int64_t u0 = 0;  // lattice index of the first column
    int64_t v0 = 0;  // lattice index of the first row (north)
    int columns = 0;
    int rows = 0;
    std::vector<float> heights;  // rows × columns, north row first; NaN = no data
    std::string origin;          // the file (or archive member) it came from

    float at(int row, int column) const {
        return heights[static_cast<size_t>(row) * static_cast<size_t>(columns) +
                       static_cast<size_t>(column)];
    }
    GeoBox box() const;
};

inline constexpr float kNoHeight = std::numeric_limits<float>::quiet_NaN();

// A value of this many metres or more (either way) is no height: no height on earth comes near.
inline constexpr double kImpossibleHeight = 100000.0;

// Web Mercator: continuous pixel coordinates at `zoom` of a position, in the frame where
// pixel (i, j) of the lattice has its centre at (i, j).
double mercatorU(double longitude, int zoom);
double mercatorV(double latitude, int zoom);
// The inverse: longitude and latitude of continuous pixel coordinates.
double mercatorLongitude(double u, int zoom);
double mercatorLatitude(double v, int zoom);

}  // namespace orv::terrain
