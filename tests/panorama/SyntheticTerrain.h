#pragma once
// Height layers of made-up terrain for the panorama's tests and benchmarks: a layer of one zoom
// around a place, each sample's height a function of its position.
#include "panorama/SightTerrain.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace orv::panorama::synthetic {

// Metres of ground per unit of world x at `latitude`.
inline double metresPerWorld(double latitude) {
    return 40075016.686 * std::cos(latitude * std::numbers::pi / 180.0);
}

// The samples of `zoom` within `halfSize` metres east, west, north and south of `centre`, each
// `height(LatLon)` high.
template <class Height>
MercatorLayer layerAround(LatLon centre, double halfSize, int zoom, Height height) {
    const double samples = 256.0 * std::ldexp(1.0, zoom);
    const WorldPoint middle = toWorld(centre);
    const double half = halfSize / metresPerWorld(centre.latitude);
    MercatorLayer layer;
    layer.zoom = zoom;
    layer.u0 = static_cast<int64_t>(std::floor((middle.x - half) * samples));
    layer.v0 = static_cast<int64_t>(std::floor((middle.y - half) * samples));
    layer.columns = static_cast<int>(std::ceil((middle.x + half) * samples)) - static_cast<int>(layer.u0);
    layer.rows = static_cast<int>(std::ceil((middle.y + half) * samples)) - static_cast<int>(layer.v0);
    layer.heights.resize(static_cast<size_t>(layer.rows) * static_cast<size_t>(layer.columns));
    for (int r = 0; r < layer.rows; ++r)
        for (int c = 0; c < layer.columns; ++c) {
            const WorldPoint at{(static_cast<double>(layer.u0 + c) + 0.5) / samples,
                                (static_cast<double>(layer.v0 + r) + 0.5) / samples};
            layer.heights[static_cast<size_t>(r) * static_cast<size_t>(layer.columns) + static_cast<size_t>(c)] =
                static_cast<float>(height(fromWorld(at)));
        }
    return layer;
}

}  // namespace orv::panorama::synthetic
