#pragma once
// The survey's elevation tiles: 256 × 256 heights on the Web Mercator tile grid (zoom z,
// column x, row y), as text (256 lines of 256 comma-separated metres, "e" = no data; a value of
// 100 km or more is refused) or as PNG (the height in 0.01 m as 2^16·R + 2^8·G + B, two's
// complement over 24 bits; (128, 0, 0) = no data).
#include "core/Result.h"
#include "terrain/SourceGrid.h"

#include <string>
#include <string_view>

namespace orv::terrain {

inline constexpr int kTilePixels = 256;

struct TileId {
    int z = 0, x = 0, y = 0;
    auto operator<=>(const TileId&) const = default;
};

// Reads a tile, text or PNG as its bytes say.
Result<SourceGrid> parseElevationTile(std::string_view bytes, TileId tile, const std::string& origin);
Result<SourceGrid> parseTextTile(std::string_view bytes, TileId tile, const std::string& origin);
Result<SourceGrid> parsePngTile(std::string_view bytes, TileId tile, const std::string& origin);

// The tiles of zoom z that hold any of `box`: columns x0..x1 and rows y0..y1.
struct TileRange {
    int x0 = 0, x1 = -1, y0 = 0, y1 = -1;
};
TileRange tilesCovering(const GeoBox& box, int zoom);
GeoBox tileBox(TileId tile);

}  // namespace orv::terrain
