#include "terrain/SourceGrid.h"

#include <numbers>

namespace orv::terrain {

namespace {

constexpr double kTilePixels = 256.0;
// Metres of one arc-second of latitude; a tile pixel at the equator is 156543 m at zoom 0.
constexpr double kMetresPerSecond = 30.87;
constexpr double kEquatorPixelMetres = 156543.03;
constexpr double kMidLatitudeCos = 0.8;  // about 37° N, the middle of Japan

double worldPixels(int zoom) { return kTilePixels * std::ldexp(1.0, zoom); }

bool isStep(double stepSeconds, double survey) { return std::abs(stepSeconds - survey) < 1e-6; }

}  // namespace

double LayerKey::nominalMetres() const {
    if (lattice == Lattice::LatLon) return stepSeconds * kMetresPerSecond;
    return kEquatorPixelMetres / std::ldexp(1.0, zoom) * kMidLatitudeCos;
}

double LayerKey::cellMetres(double latitude) const {
    if (lattice == Lattice::WebMercator)
        return kEquatorPixelMetres / std::ldexp(1.0, zoom) * std::cos(latitude * std::numbers::pi / 180.0);
    if (isStep(stepSeconds, 0.2)) return 5.0;
    if (isStep(stepSeconds, 0.4)) return 10.0;
    return stepSeconds * kMetresPerSecond;
}

bool LayerKey::nominalCellSize() const {
    return lattice == Lattice::LatLon && (isStep(stepSeconds, 0.2) || isStep(stepSeconds, 0.4));
}

std::string LayerKey::name() const {
    if (lattice == Lattice::WebMercator) return "タイル z" + std::to_string(zoom);
    const int metres = stepSeconds < 0.3 ? 5 : 10;
    std::string text = "DEM" + std::to_string(metres);
    if (grade != 'Z') text += grade;
    return text;
}

std::string LayerKey::asciiName() const {
    if (lattice == Lattice::WebMercator) return "tile z" + std::to_string(zoom);
    return name();
}

GeoBox SourceGrid::box() const {
    if (key.lattice == Lattice::LatLon) {
        const double s = key.stepSeconds / 3600.0;
        return {-static_cast<double>(v0 + rows) * s, -static_cast<double>(v0) * s,
                static_cast<double>(u0) * s, static_cast<double>(u0 + columns) * s};
    }
    // Pixel edges lie half a pixel from the centres.
    return {mercatorLatitude(static_cast<double>(v0 + rows) - 0.5, key.zoom),
            mercatorLatitude(static_cast<double>(v0) - 0.5, key.zoom),
            mercatorLongitude(static_cast<double>(u0) - 0.5, key.zoom),
            mercatorLongitude(static_cast<double>(u0 + columns) - 0.5, key.zoom)};
}

double mercatorU(double longitude, int zoom) {
    return (longitude + 180.0) / 360.0 * worldPixels(zoom) - 0.5;
}

double mercatorV(double latitude, int zoom) {
    const double phi = latitude * std::numbers::pi / 180.0;
    return (1.0 - std::asinh(std::tan(phi)) / std::numbers::pi) / 2.0 * worldPixels(zoom) - 0.5;
}

double mercatorLongitude(double u, int zoom) { return (u + 0.5) / worldPixels(zoom) * 360.0 - 180.0; }

double mercatorLatitude(double v, int zoom) {
    const double y = std::numbers::pi * (1.0 - 2.0 * (v + 0.5) / worldPixels(zoom));
    return std::atan(std::sinh(y)) * 180.0 / std::numbers::pi;
}

}  // namespace orv::terrain
