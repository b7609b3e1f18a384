#pragma once
// Elevation tiles made by the panorama tests: the survey's text layout (256 lines of 256
// comma-separated metres, "e" for no data) from a height per pixel, and where a pixel's
// centre lies.
#include "geo/DatumShift.h"
#include "terrain/ElevationTile.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <string>

namespace orv::panorama::test {

// height(column, row) of each pixel; NaN writes "e".
inline std::string textTile(const std::function<double(int column, int row)>& height) {
    std::string text;
    text.reserve(256 * 256 * 8);
    char number[32];
    for (int row = 0; row < terrain::kTilePixels; ++row) {
        for (int column = 0; column < terrain::kTilePixels; ++column) {
            if (column > 0) text += ',';
            const double h = height(column, row);
            if (std::isnan(h)) {
                text += 'e';
                continue;
            }
            const auto [end, ec] = std::to_chars(number, number + sizeof number, h, std::chars_format::fixed, 2);
            text.append(number, end);
        }
        text += '\n';
    }
    return text;
}

// The centre of pixel (column, row) of a tile, moved by a fraction of a pixel.
inline LatLon pixelCentre(terrain::TileId tile, double column, double row) {
    return {terrain::mercatorLatitude(tile.y * 256.0 + row, tile.z),
            terrain::mercatorLongitude(tile.x * 256.0 + column, tile.z)};
}

inline std::string tilePath(terrain::TileId tile, const std::string& extension = ".txt") {
    return std::to_string(tile.z) + "/" + std::to_string(tile.x) + "/" + std::to_string(tile.y) + extension;
}

}  // namespace orv::panorama::test
