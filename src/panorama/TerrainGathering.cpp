#include "panorama/TerrainGathering.h"

#include "panorama/Geodesy.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

namespace orv::panorama {

namespace fs = std::filesystem;
using terrain::GeoBox;
using terrain::TileId;
using terrain::TileRange;

namespace {

constexpr double kMetresPerDegree = 111320.0;
constexpr int kMaxRings = 32;

int tileCount(const TileRange& range) { return (range.x1 - range.x0 + 1) * (range.y1 - range.y0 + 1); }

bool inRange(const TileRange& range, TileId tile) {
    return tile.x >= range.x0 && tile.x <= range.x1 && tile.y >= range.y0 && tile.y <= range.y1;
}

GeoBox unite(const GeoBox& a, const GeoBox& b) {
    return {std::min(a.south, b.south), std::max(a.north, b.north), std::min(a.west, b.west), std::max(a.east, b.east)};
}

// The area two boxes share, in square degrees.
double overlap(const GeoBox& a, const GeoBox& b) {
    return std::max(0.0, std::min(a.north, b.north) - std::max(a.south, b.south)) *
           std::max(0.0, std::min(a.east, b.east) - std::max(a.west, b.west));
}

// The bounding box of the view's sector out to `radius`, with a margin of two pixels of
// `zoom` and a little more for the arc between the directions sampled.
GeoBox sectorBox(const SightRequest& request, double fieldOfView, double radius, int zoom) {
    const LatLon at = request.observer;
    GeoBox box{at.latitude, at.latitude, at.longitude, at.longitude};
    const bool whole = fieldOfView >= 360.0;
    const double first = whole ? 0.0 : request.azimuth - fieldOfView / 2.0;
    const double span = whole ? 360.0 : fieldOfView;
    const int steps = std::max(1, static_cast<int>(std::ceil(span / 2.0)));
    for (int k = 0; k <= steps; ++k) {
        double azimuth = std::fmod(first + span * k / steps, 360.0);
        if (azimuth < 0) azimuth += 360.0;
        const LatLon p = directGeodesic(at, azimuth, radius);
        box = unite(box, {p.latitude, p.latitude, p.longitude, p.longitude});
    }
    const double cosine = std::max(std::cos(at.latitude * std::numbers::pi / 180.0), 0.01);
    const double pixel = terrain::LayerKey{terrain::Lattice::WebMercator, 0.0, zoom, 'Z'}.cellMetres(at.latitude);
    const double margin = 2.0 * pixel + 0.002 * radius;  // a 2° arc bulges 0.00015 of the radius
    box.south -= margin / kMetresPerDegree;
    box.north += margin / kMetresPerDegree;
    box.west -= margin / (kMetresPerDegree * cosine);
    box.east += margin / (kMetresPerDegree * cosine);
    box.south = std::max(box.south, -85.0);
    box.north = std::min(box.north, 85.0);
    box.west = std::max(box.west, -180.0);
    box.east = std::min(box.east, 180.0);
    return box;
}

// The layers to lay out: one range of one zoom (of one server), finest first.
struct LayerPlan {
    int zoom = 0;
    size_t server = 0;
    GeoBox box;
    TileRange range;
};

std::vector<LayerPlan> planLayers(const std::map<std::pair<int, size_t>, GeoBox, std::greater<>>& boxes) {
    std::vector<LayerPlan> plans;
    for (const auto& [key, box] : boxes)
        plans.push_back({key.first, key.second, box, terrain::tilesCovering(box, key.first)});
    return plans;
}

// Progress over every layer: the layer's own count from `offset` of `total`.
terrain::ProgressHook partOf(const terrain::ProgressHook& progress, const int& offset, int total) {
    if (!progress) return {};
    return [&progress, &offset, total](int done, int, const std::string& text) {
        return progress(std::min(offset + done, total), total, text);
    };
}

// What a problem's detail says first: the cause without the network's own words after it.
std::string shortCause(const std::string& detail) {
    const size_t colon = detail.find("：");
    return colon == std::string::npos ? detail : detail.substr(0, colon);
}

void addProblems(GatheredTerrain& out, std::vector<terrain::SourceProblem> problems) {
    out.tilesFailed += static_cast<int>(problems.size());
    for (auto& p : problems) out.problems.push_back(std::move(p));
}

// A layer too large to hold (rings never make one; a backstop): its tiles are not read, all
// of them fail.
bool refusedAsTooLarge(GatheredTerrain& out, const LayerPlan& plan, const std::string& origin) {
    if (int64_t{tileCount(plan.range)} * terrain::kTilePixels * terrain::kTilePixels <= kMaxLayerSamples) return false;
    out.tilesFailed += tileCount(plan.range);
    out.problems.push_back({origin, Problem{ProblemKind::TooLarge, 0, "範囲が広すぎます"}, plan.box});
    return true;
}

}  // namespace

std::vector<TileRing> tileRings(const SightRequest& request) {
    std::vector<TileRing> rings;
    const double latitude = request.observer.latitude;
    const double maxDistance = std::min(request.maxDistance, kMaxSightDistance);
    const double fieldOfView = std::min(request.fieldOfView, 360.0);
    if (!(maxDistance > 0) || !(fieldOfView > 0) || !(request.columnStep > 0) || !(std::abs(latitude) < 85.0) ||
        !(std::abs(request.observer.longitude) <= 180.0) || !std::isfinite(request.azimuth))
        return rings;
    const auto zoomAt = [&](double distance) { return zoomForDistance(distance, request.columnStep, latitude); };
    const auto ringTo = [&](int zoom, double radius) {
        TileRing ring;
        ring.zoom = zoom;
        ring.box = sectorBox(request, fieldOfView, radius, zoom);
        ring.range = terrain::tilesCovering(ring.box, zoom);
        return ring;
    };
    double near = 0.0;
    int zoom = zoomAt(near);
    while (near < maxDistance && static_cast<int>(rings.size()) < kMaxRings) {
        zoom = std::min(zoom, zoomAt(near));
        // The far end: where the zoom first falls below the ring's (the zoom only falls with
        // distance), to a metre ...
        double far = maxDistance;
        if (zoomAt(maxDistance) < zoom) {
            double lo = near;
            while (far - lo > 1.0) {
                const double mid = (lo + far) / 2.0;
                (zoomAt(mid) < zoom ? far : lo) = mid;
            }
        }
        // ... or nearer, where the ring's tiles would grow too many (a fine column step): the
        // rest is left to coarser rings. A ring that would end hardly beyond its start is
        // coarser itself.
        TileRing ring = ringTo(zoom, far);
        if (ring.tiles() > kMaxRingTiles && zoom > 0) {
            double lo = near;
            while (far - lo > 1.0) {
                const double mid = (lo + far) / 2.0;
                (ringTo(zoom, mid).tiles() > kMaxRingTiles ? far : lo) = mid;
            }
            if (lo <= near * 1.25 + 1.0) {
                --zoom;
                continue;
            }
            far = lo;
            ring = ringTo(zoom, far);
        }
        ring.nearDistance = near;
        ring.farDistance = far;
        rings.push_back(ring);
        near = far;
    }
    return rings;
}

std::string GatheredTerrain::statusText() const {
    if (cancelled) return "標高タイルの読み込みを取り消しました。得られなかった範囲は描かれません";
    if (tilesFailed <= 0 && tilesAbsent <= 0) return {};
    std::string text = "標高タイル ";
    if (tilesAbsent > 0) text += std::to_string(tilesAbsent) + (tilesFailed > 0 ? " 枚がフォルダになく、" : " 枚がフォルダにありません");
    if (tilesFailed > 0) {
        std::string cause = offline && !offlineCause.empty() ? offlineCause : "";
        if (cause.empty() && !problems.empty()) {
            cause = shortCause(problems.front().problem.detail);
            if (std::any_of(problems.begin(), problems.end(),
                            [&](const terrain::SourceProblem& p) { return shortCause(p.problem.detail) != cause; }))
                cause += "など";
        }
        text += std::to_string(tilesFailed) + " 枚が得られません";
        if (!cause.empty()) text += "（" + cause + "）";
    }
    return text + "。その範囲は描かれません";
}

GatheredTerrain gatherFromFolder(const fs::path& folder, const SightRequest& request, const terrain::ProgressHook& progress) {
    GatheredTerrain out;
    const std::vector<TileRing> rings = tileRings(request);
    if (rings.empty()) return out;
    GeoBox all = rings.front().box;
    for (const TileRing& ring : rings) all = unite(all, ring.box);

    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        for (const TileRing& ring : rings) out.tilesWanted += ring.tiles();
        out.tilesFailed = out.tilesWanted;
        out.problems.push_back({folder.string(), Problem{ProblemKind::NotFound, 0, "フォルダが見つかりません"}, std::nullopt});
        return out;
    }
    const terrain::TileFolderFiles files = findTileFiles(folder, all);

    // Each ring at the zoom whose tiles cover most of the ring's box; of zooms covering as
    // much, the nearest to the ring's own (the finer of two as near).
    std::map<std::pair<int, size_t>, GeoBox, std::greater<>> boxes;
    for (const TileRing& ring : rings) {
        std::map<int, double> covered;
        const auto note = [&](TileId id) {
            const double area = overlap(terrain::tileBox(id), ring.box);
            if (area > 0) covered[id.z] += area;
        };
        for (const auto& [id, path] : files.tiles) note(id);
        for (const TileId& id : files.missing) note(id);
        std::erase_if(covered, [&](const auto& zoomArea) {
            const int z = zoomArea.first;
            return z > ring.zoom && tileCount(terrain::tilesCovering(ring.box, z)) > kMaxRingTiles;
        });
        double most = 0;
        for (const auto& [z, area] : covered) most = std::max(most, area);
        int zoom = ring.zoom;
        std::pair<int, int> nearest{1000, 0};
        for (const auto& [z, area] : covered) {
            const std::pair<int, int> distance{std::abs(z - ring.zoom), -z};
            if (area >= 0.999 * most && distance < nearest) {
                nearest = distance;
                zoom = z;
            }
        }
        const auto [at, added] = boxes.emplace(std::pair(zoom, size_t{0}), ring.box);
        if (!added) at->second = unite(at->second, ring.box);
    }

    const std::vector<LayerPlan> plans = planLayers(boxes);
    for (const LayerPlan& plan : plans) out.tilesWanted += tileCount(plan.range);
    int offset = 0;
    for (const LayerPlan& plan : plans) {
        if (refusedAsTooLarge(out, plan, folder.string())) {
            offset += tileCount(plan.range);
            continue;
        }
        std::map<TileId, fs::path> held;
        for (const auto& [id, path] : files.tiles)
            if (id.z == plan.zoom && inRange(plan.range, id)) held.emplace(id, path);
        std::vector<TileId> sea;
        for (const TileId& id : files.missing)
            if (id.z == plan.zoom && inRange(plan.range, id) && !held.contains(id)) sea.push_back(id);
        const terrain::LoadedSources sources = terrain::readTileFiles(held, partOf(progress, offset, out.tilesWanted));
        if (sources.cancelled) {
            out.cancelled = true;
            return out;
        }
        out.tilesRead += sources.filesRead;
        out.tilesSea += static_cast<int>(sea.size());
        out.tilesAbsent += tileCount(plan.range) - static_cast<int>(held.size() + sea.size());
        addProblems(out, sources.problems);
        out.terrain.addTileLayer(plan.zoom, plan.range, sources, sea);
        offset += tileCount(plan.range);
    }
    if (progress) progress(out.tilesWanted, out.tilesWanted, "");
    return out;
}

GatheredTerrain gatherFromServer(const SightRequest& request, const std::string& urlTemplate, const fs::path& cacheFolder,
                                 const terrain::ProgressHook& progress) {
    terrain::DownloadOptions options;
    options.servers = terrain::tileServersFromSetting(urlTemplate);
    options.cacheFolder = cacheFolder;
    return gatherFromServer(request, options, progress);
}

GatheredTerrain gatherFromServer(const SightRequest& request, const terrain::DownloadOptions& options,
                                 const terrain::ProgressHook& progress) {
    GatheredTerrain out;
    const std::vector<TileRing> rings = tileRings(request);
    if (rings.empty() || options.servers.empty()) return out;

    // Each ring from the server of the lowest zoom not coarser than the ring's.
    std::map<std::pair<int, size_t>, GeoBox, std::greater<>> boxes;
    for (const TileRing& ring : rings) {
        size_t chosen = 0;
        for (size_t i = 1; i < options.servers.size(); ++i) {
            const int z = options.servers[i].zoom, best = options.servers[chosen].zoom;
            if (best < ring.zoom ? z > best : (z >= ring.zoom && z < best)) chosen = i;
        }
        const int zoom = std::min(ring.zoom, options.servers[chosen].zoom);
        const auto [at, added] = boxes.emplace(std::pair(zoom, chosen), ring.box);
        if (!added) at->second = unite(at->second, ring.box);
    }

    const std::vector<LayerPlan> plans = planLayers(boxes);
    for (const LayerPlan& plan : plans) out.tilesWanted += tileCount(plan.range);
    int offset = 0;
    for (const LayerPlan& plan : plans) {
        if (refusedAsTooLarge(out, plan, options.servers[plan.server].urlTemplate)) {
            offset += tileCount(plan.range);
            continue;
        }
        terrain::DownloadOptions one = options;
        one.servers = {{options.servers[plan.server].urlTemplate, plan.zoom}};
        one.cacheOnly = options.cacheOnly || out.offline;
        terrain::LoadedSources sources = terrain::downloadTiles(plan.box, one, partOf(progress, offset, out.tilesWanted));
        if (sources.cancelled) {
            out.cancelled = true;
            return out;
        }
        if (sources.offline && !out.offline) {
            out.offline = true;
            out.offlineCause = sources.offlineCause;
        }
        out.tilesRead += sources.filesRead;
        out.tilesSea += sources.tilesMissing;
        addProblems(out, std::move(sources.problems));
        out.terrain.addTileLayer(plan.zoom, plan.range, sources, sources.missingTiles);
        offset += tileCount(plan.range);
    }
    return out;
}

}  // namespace orv::panorama
