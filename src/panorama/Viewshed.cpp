#include "panorama/Viewshed.h"

#include "geo/ElevationGrid.h"
#include "panorama/Geodesy.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <thread>
#include <utility>

namespace orv::panorama {

namespace {

// The earth's mean radius: the visible-area map covers a few tens of kilometres, where the
// radius's change with latitude and direction moves the drop by millimetres.
constexpr double kMeanEarthRadius = 6371000.0;
// Ground this close below the sight line (metres) counts as on it, and is seen.
constexpr double kHeightTolerance = 1e-3;
constexpr float kNothing = -std::numeric_limits<float>::infinity();

bool known(float height) { return std::isfinite(height) && height != ElevationGrid::kNoData; }

// One quarter of the level around the observer, the cells whose distance along one axis (the
// major one, `i` steps of `majorMetres`) is at least their distance along the other (`j`).
struct Quarter {
    int rowOfMajor, columnOfMajor;  // the cell step one major step makes
    int rowOfMinor, columnOfMinor;  // the cell step one minor step makes
};

size_t cellIndex(const LevelTerrain& level, int row, int column) {
    return static_cast<size_t>(row) * static_cast<size_t>(level.columns) + static_cast<size_t>(column);
}

// Every cell's ground lowered by its apparent drop, less the eye's height; kNothing unknown.
float loweredHeight(float height, double distance, double eye, const SightOptions& options) {
    return known(height) ? static_cast<float>(height - apparentDrop(distance, kMeanEarthRadius, options) - eye) : kNothing;
}

std::vector<float> loweredHeights(const LevelTerrain& level, int row, int column, double eye, const SightOptions& options) {
    std::vector<float> lowered(static_cast<size_t>(level.rows) * static_cast<size_t>(level.columns), kNothing);
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c) {
            const size_t at = cellIndex(level, r, c);
            lowered[at] = loweredHeight(level.heights[at], std::hypot((r - row) * level.rowMetres, (c - column) * level.columnMetres),
                                        eye, options);
        }
    return lowered;
}

// The eye's height over the datum; nothing when the question has no answer (no cells, an
// observer outside the level or on a cell without data).
std::optional<double> eyeOver(const LevelTerrain& level, int row, int column, double eyeHeight) {
    if (level.heights == nullptr || level.rows <= 0 || level.columns <= 0 || row < 0 || row >= level.rows ||
        column < 0 || column >= level.columns || !(level.rowMetres > 0.0) || !(level.columnMetres > 0.0) ||
        !std::isfinite(eyeHeight))
        return std::nullopt;
    const float ground = level.heights[cellIndex(level, row, column)];
    if (!known(ground)) return std::nullopt;
    return ground + eyeHeight;
}

std::vector<CellSight> unknownCells(const LevelTerrain& level) {
    const size_t cells = level.rows > 0 && level.columns > 0
                             ? static_cast<size_t>(level.rows) * static_cast<size_t>(level.columns)
                             : 0;
    return std::vector<CellSight>(cells, CellSight::NoData);
}

// Whether ground `lowered` metres from the eye's height at `distance` is seen over `horizon`.
CellSight seenOver(double lowered, double distance, double horizon) {
    return (lowered + kHeightTolerance) / distance >= horizon ? CellSight::Visible : CellSight::Hidden;
}

class Sweep {
public:
    Sweep(const LevelTerrain& level, int row, int column, double eye, const SightOptions& options)
        : level_(level), row_(row), column_(column), eye_(eye),
          dropPerSquareMetre_(apparentDrop(1.0, kMeanEarthRadius, options)) {}

    // East and west (columns the major axis) on one thread, south and north (rows) on another;
    // the cells on the diagonals, in both, are written by the first.
    std::vector<CellSight> run() const {
        std::vector<CellSight> sight(static_cast<size_t>(level_.rows) * static_cast<size_t>(level_.columns),
                                     CellSight::NoData);
        const int north = row_, south = level_.rows - 1 - row_;
        const int west = column_, east = level_.columns - 1 - column_;
        std::thread across([&] {
            sweep({1, 0, 0, 1}, south, west, east, level_.rowMetres, level_.columnMetres, sight, false);
            sweep({-1, 0, 0, 1}, north, west, east, level_.rowMetres, level_.columnMetres, sight, false);
        });
        sweep({0, 1, 1, 0}, east, north, south, level_.columnMetres, level_.rowMetres, sight, true);
        sweep({0, -1, 1, 0}, west, north, south, level_.columnMetres, level_.rowMetres, sight, true);
        across.join();
        sight[cellIndex(level_, row_, column_)] = CellSight::Visible;
        return sight;
    }

private:
    // Outward one major step at a time; each cell's horizon is the sight's highest slope over the
    // terrain before it, taken from the step before where the sight line crosses it: the
    // horizons of the two cells there interpolated, raised by the ground at the crossing. Only
    // the step before is kept: its cells' lowered ground and horizons (kNothing: none).
    void sweep(const Quarter& q, int steps, int minorBack, int minorAhead, double majorMetres, double minorMetres,
               std::vector<CellSight>& sight, bool diagonals) const {
        const auto width = static_cast<size_t>(minorBack + minorAhead + 1);
        std::vector<float> groundBefore(width, kNothing), horizonBefore(width, kNothing);
        std::vector<float> ground(width, kNothing), horizon(width, kNothing);
        const auto slot = [minorBack](int j) { return static_cast<size_t>(j + minorBack); };
        for (int i = 1; i <= steps; ++i) {
            const int first = -std::min(i, minorBack), last = std::min(i, minorAhead);
            const double run = i * majorMetres;
            for (int j = first; j <= last; ++j) {
                const size_t cell = cellIndex(level_, row_ + i * q.rowOfMajor + j * q.rowOfMinor,
                                              column_ + i * q.columnOfMajor + j * q.columnOfMinor);
                const double minor = j * minorMetres;
                const double squared = run * run + minor * minor;
                const double distance = std::sqrt(squared);
                float seenOverHere = kNothing;
                if (i > 1) {
                    // The crossing with the step before: j·(i−1)/i between its cells jl and jl + 1.
                    const double t = static_cast<double>(j) * (i - 1) / i;
                    const double below = std::floor(t);
                    const auto f = static_cast<float>(t - below);
                    const size_t a = slot(static_cast<int>(below));
                    float crossing = groundBefore[a];
                    seenOverHere = horizonBefore[a];
                    if (f > 0.0f) {
                        const size_t b = a + 1;
                        crossing = crossing == kNothing || groundBefore[b] == kNothing
                                       ? kNothing
                                       : crossing + f * (groundBefore[b] - crossing);
                        if (seenOverHere == kNothing) seenOverHere = horizonBefore[b];
                        else if (horizonBefore[b] != kNothing) seenOverHere += f * (horizonBefore[b] - seenOverHere);
                    }
                    if (crossing != kNothing)
                        seenOverHere = std::max(seenOverHere, static_cast<float>(crossing / (distance * (i - 1) / i)));
                }
                const float height = level_.heights[cell];
                const float lowered = known(height) ? static_cast<float>(height - dropPerSquareMetre_ * squared - eye_) : kNothing;
                ground[slot(j)] = lowered;
                horizon[slot(j)] = seenOverHere;
                if (lowered != kNothing && (diagonals || (j != -i && j != i)))
                    sight[cell] = seenOver(lowered, distance, seenOverHere);
            }
            std::swap(ground, groundBefore);
            std::swap(horizon, horizonBefore);
        }
    }

    const LevelTerrain& level_;
    int row_, column_;
    double eye_;
    double dropPerSquareMetre_;  // the apparent drop grows with the distance squared
};

}  // namespace

std::vector<CellSight> visibleCells(const LevelTerrain& level, int row, int column, double eyeHeight,
                                    const SightOptions& options) {
    const std::optional<double> eye = eyeOver(level, row, column, eyeHeight);
    if (!eye) return unknownCells(level);
    return Sweep(level, row, column, *eye, options).run();
}

std::vector<CellSight> visibleCellsAlongSightLines(const LevelTerrain& level, int row, int column, double eyeHeight,
                                                   const SightOptions& options) {
    std::vector<CellSight> sight = unknownCells(level);
    const std::optional<double> eye = eyeOver(level, row, column, eyeHeight);
    if (!eye) return sight;
    const std::vector<float> lowered = loweredHeights(level, row, column, *eye, options);
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c) {
            const size_t cell = cellIndex(level, r, c);
            if (lowered[cell] == kNothing) continue;
            const int dr = r - row, dc = c - column;
            const int steps = std::max(std::abs(dr), std::abs(dc));
            const bool byColumn = std::abs(dc) >= std::abs(dr);
            const double distance = std::hypot(dr * level.rowMetres, dc * level.columnMetres);
            double horizon = -std::numeric_limits<double>::infinity();
            // The crossing with each row (or column) of cells between the eye and the cell.
            for (int k = 1; k < steps; ++k) {
                const int major = (byColumn ? dc : dr) / steps * k;
                const double minor = static_cast<double>(byColumn ? dr : dc) * k / steps;
                const int low = static_cast<int>(std::floor(minor));
                const double f = minor - low;
                const auto at = [&](int m) {
                    return byColumn ? cellIndex(level, row + m, column + major) : cellIndex(level, row + major, column + m);
                };
                const float a = lowered[at(low)];
                const float b = f > 0.0 ? lowered[at(low + 1)] : a;
                if (a == kNothing || b == kNothing) continue;
                horizon = std::max(horizon, (a + f * (b - a)) / (distance * k / steps));
            }
            sight[cell] = steps == 0 ? CellSight::Visible : seenOver(lowered[cell], distance, horizon);
        }
    return sight;
}

namespace {

// The size of a pixel of `zoom` at `latitude`, in metres.
double pixelMetres(int zoom, double latitude) {
    return 2.0 * std::numbers::pi * kGrs80SemiMajor * std::cos(latitude * std::numbers::pi / 180.0) / (256.0 * std::ldexp(1.0, zoom));
}

// The finest zoom among the layers that know the height at `point`; -1 when none does.
int zoomKnowing(const SightTerrain& terrain, WorldPoint point) {
    for (const MercatorLayer& layer : terrain.layers())
        if (std::isfinite(layer.heightAt(point))) return layer.zoom;
    return -1;
}

// Points along the geodesic: computed on the ellipsoid every kGeodesicPiece metres and taken on
// straight lines between them on the Mercator plane (their distance from the geodesic stays far
// below a millimetre over such a piece).
constexpr double kGeodesicPiece = 2000.0;
// At most so many terrain samples along one sight.
constexpr int kMaxSamples = 20000;

bool seesTarget(const SightTerrain& terrain, int zoom, LatLon place, double eyeHeight, LatLon target,
                double targetHeight, double nearTarget, const SightOptions& options) {
    const float ground = terrain.heightAt(toWorld(place), zoom);
    if (!std::isfinite(ground)) return false;
    const double eye = ground + eyeHeight;
    const GeodesicLine line = inverseGeodesic(place, target);
    const double length = line.distance;
    if (!(length > 0.0)) return true;
    const double radius = normalSectionRadius(place.latitude, line.azimuthFrom);
    const double end = targetHeight - apparentDrop(length, radius, options);
    const double step = std::max(pixelMetres(zoom, place.latitude) / 2.0, length / kMaxSamples);
    const int pieces = std::max(1, static_cast<int>(std::ceil(length / kGeodesicPiece)));
    WorldPoint from = toWorld(place);
    for (int p = 1; p <= pieces; ++p) {
        const double pieceStart = length * (p - 1) / pieces, pieceEnd = length * p / pieces;
        const WorldPoint to = p == pieces ? toWorld(target) : toWorld(directGeodesic(place, line.azimuthFrom, pieceEnd));
        for (double s = std::max(step, std::ceil(pieceStart / step) * step); s < pieceEnd && s < length - nearTarget; s += step) {
            const double f = (s - pieceStart) / (pieceEnd - pieceStart);
            const float h = terrain.heightAt({from.x + f * (to.x - from.x), from.y + f * (to.y - from.y)}, zoom);
            if (!std::isfinite(h)) continue;
            const double sight = eye + (end - eye) * s / length;
            if (h - apparentDrop(s, radius, options) > sight) return false;
        }
        from = to;
    }
    return true;
}

}  // namespace

std::vector<bool> targetVisibleFrom(const SightTerrain& terrain, const std::vector<LatLon>& places, double eyeHeight,
                                    LatLon target, double targetHeight, const SightOptions& options) {
    std::vector<bool> seen(places.size(), false);
    if (terrain.empty() || !std::isfinite(eyeHeight) || !std::isfinite(targetHeight) ||
        !std::isfinite(target.latitude) || !std::isfinite(target.longitude))
        return seen;
    const int zoom = terrain.layers().front().zoom;
    // The target's own summit: a few samples of the layer that knows it, whose bilinear heights
    // round the summit off or lift its shoulders, never hide it.
    const int targetZoom = zoomKnowing(terrain, toWorld(target));
    const double nearTarget = 2.0 * pixelMetres(targetZoom < 0 ? zoom : targetZoom, target.latitude);
    for (size_t n = 0; n < places.size(); ++n)
        seen[n] = seesTarget(terrain, zoom, places[n], eyeHeight, target, targetHeight, nearTarget, options);
    return seen;
}

}  // namespace orv::panorama
