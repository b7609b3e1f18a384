#include "panorama/SightTerrain.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace orv::panorama {

namespace {

constexpr double kRadian = std::numbers::pi / 180.0;
constexpr double kEquator = 2.0 * std::numbers::pi * 6378137.0;  // Web Mercator's sphere
constexpr int kFinestZoom = 14;
constexpr int kCoarsestZoom = 5;
constexpr float kUnknown = std::numeric_limits<float>::quiet_NaN();

// Bilinear sampling of a rows × columns lattice at continuous sample coordinates (u, v), sample
// (0, 0) at (0, 0); the lattice covers −0.5 .. columns − 0.5 (rows likewise). `lastU`, `lastV`:
// columns − 1, rows − 1.
inline float sample(const float* heights, int columns, double lastU, double lastV, double u, double v) {
    // Written so that NaN coordinates fail too.
    if (!(u >= -0.5 && u <= lastU + 0.5 && v >= -0.5 && v <= lastV + 0.5)) return kUnknown;
    u = std::min(std::max(u, 0.0), lastU);
    v = std::min(std::max(v, 0.0), lastV);
    const int i = static_cast<int>(u);
    const int j = static_cast<int>(v);
    const float s = static_cast<float>(u - i);
    const float t = static_cast<float>(v - j);
    // A neighbour is read only when it has weight: on the last sample (or exactly on any), the
    // sample alone.
    const size_t di = s > 0.0f ? 1 : 0;
    const size_t dj = t > 0.0f ? static_cast<size_t>(columns) : 0;
    const float* p = heights + static_cast<size_t>(j) * static_cast<size_t>(columns) + static_cast<size_t>(i);
    const float north = p[0] + s * (p[di] - p[0]);
    const float south = p[dj] + s * (p[dj + di] - p[dj]);
    return north + t * (south - north);
}

}  // namespace

WorldPoint toWorld(LatLon position) {
    return {(position.longitude + 180.0) / 360.0,
            (1.0 - std::asinh(std::tan(position.latitude * kRadian)) / std::numbers::pi) / 2.0};
}

LatLon fromWorld(WorldPoint point) {
    return {std::atan(std::sinh(std::numbers::pi * (1.0 - 2.0 * point.y))) / kRadian, point.x * 360.0 - 180.0};
}

float MercatorLayer::heightAt(WorldPoint point) const {
    if (heights.size() != static_cast<size_t>(columns) * static_cast<size_t>(rows) || columns <= 0 || rows <= 0)
        return kUnknown;
    const double scale = std::ldexp(256.0, zoom);
    return sample(heights.data(), columns, columns - 1.0, rows - 1.0, point.x * scale - 0.5 - static_cast<double>(u0),
                  point.y * scale - 0.5 - static_cast<double>(v0));
}

int zoomForDistance(double distance, double columnStep, double latitude) {
    const double resolved = distance * columnStep * kRadian;
    if (!(resolved > 0.0)) return kFinestZoom;
    // pixel(z) = equator · cos φ / (256 · 2^z) ≥ resolved  ⇔  z ≤ log2(equator · cos φ / (256 · resolved))
    const double z = std::floor(std::log2(kEquator * std::cos(latitude * kRadian) / (256.0 * resolved)));
    if (!(z >= kCoarsestZoom)) return kCoarsestZoom;
    return z >= kFinestZoom ? kFinestZoom : static_cast<int>(z);
}

void SightTerrain::addLayer(MercatorLayer layer) {
    const auto at = std::upper_bound(layers_.begin(), layers_.end(), layer.zoom,
                                     [](int zoom, const MercatorLayer& l) { return zoom > l.zoom; });
    layers_.insert(at, std::move(layer));
    arrange();
}

void SightTerrain::arrange() {
    samplers_.clear();
    for (const MercatorLayer& l : layers_) {
        Sampler s;
        const bool whole = l.columns > 0 && l.rows > 0 &&
                           l.heights.size() == static_cast<size_t>(l.columns) * static_cast<size_t>(l.rows);
        if (whole) {  // a malformed layer keeps no samples and answers nothing
            s.scale = std::ldexp(256.0, l.zoom);
            s.offsetU = static_cast<double>(l.u0) + 0.5;
            s.offsetV = static_cast<double>(l.v0) + 0.5;
            s.columns = l.columns;
            s.lastU = l.columns - 1.0;
            s.lastV = l.rows - 1.0;
            s.heights = l.heights.data();
        }
        samplers_.push_back(s);
    }
    // For a wanted zoom: the layers not finer, finest first (their stored order), then the finer
    // ones from the nearest zoom up, equal zooms in the order added.
    const size_t n = layers_.size();
    order_.assign(n * kZooms, 0);
    for (int zoom = 0; zoom < kZooms; ++zoom) {
        uint16_t* out = order_.data() + static_cast<size_t>(zoom) * n;
        for (size_t k = 0; k < n; ++k)
            if (layers_[k].zoom <= zoom) *out++ = static_cast<uint16_t>(k);
        // The finer layers are layers_[0 .. finer): walk their zooms from the coarsest (the
        // nearest) up, each zoom's layers from its first.
        const auto finer = static_cast<size_t>(std::count_if(
            layers_.begin(), layers_.end(), [zoom](const MercatorLayer& l) { return l.zoom > zoom; }));
        size_t first = finer;
        for (size_t k = finer; k-- > 0;) {
            if (k == 0 || layers_[k - 1].zoom != layers_[k].zoom) {
                for (size_t m = k; m < first; ++m) *out++ = static_cast<uint16_t>(m);
                first = k;
            }
        }
    }
}

float SightTerrain::heightAt(WorldPoint point, int wantedZoom) const {
    const size_t n = samplers_.size();
    const uint16_t* order = order_.data() + static_cast<size_t>(std::clamp(wantedZoom, 0, kZooms - 1)) * n;
    for (size_t k = 0; k < n; ++k) {
        const Sampler& s = samplers_[order[k]];
        const float h = sample(s.heights, s.columns, s.lastU, s.lastV, point.x * s.scale - s.offsetU,
                               point.y * s.scale - s.offsetV);
        if (!std::isnan(h)) return h;
    }
    return kUnknown;
}

}  // namespace orv::panorama
