#pragma once
// The elevation tiles a panorama or a sight needs, gathered into a SightTerrain: which tiles of
// which zoom, read from a folder or fetched through the one downloader and its cache.
#include "panorama/SightTerrain.h"

#include <filesystem>
#include <string>
#include <vector>

namespace orv::panorama {

// What a panorama or a sight needs: where from, how far, in which directions, how finely.
struct SightRequest {
    LatLon observer;               // JGD2011
    double maxDistance = 150000.0;  // metres
    double azimuth = 0.0;           // the centre of the view, degrees from north
    double fieldOfView = 360.0;     // degrees
    double columnStep = 0.1;        // degrees between two columns
};

// The tiles a request needs, one range per zoom, finest first: zoom z serves the distances
// where zoomForDistance gives z, and its range covers the view's sector out to farDistance (its
// bounding box, with a margin of a few pixels). A ring whose range would grow beyond
// kMaxRingTiles tiles (a fine column step) ends where it reaches that many, and coarser rings
// serve the rest: the terrain stays finest near the observer and a request never needs more
// than about seven rings of kMaxRingTiles (642 tiles, 170 MB of heights, at 300 km and any
// step). Distances beyond kMaxSightDistance are not served.
inline constexpr int kMaxRingTiles = 100;
inline constexpr double kMaxSightDistance = 300000.0;
struct TileRing {
    int zoom = 0;
    terrain::TileRange range;
    double nearDistance = 0.0, farDistance = 0.0;
    terrain::GeoBox box;  // the sector's bounding box (JGD2011) the range covers
    int tiles() const { return (range.x1 - range.x0 + 1) * (range.y1 - range.y0 + 1); }
};
std::vector<TileRing> tileRings(const SightRequest& request);

struct GatheredTerrain {
    SightTerrain terrain;
    int tilesWanted = 0;
    int tilesRead = 0;
    int tilesSea = 0;     // the server has none: the sea, or no survey
    int tilesFailed = 0;  // could not be had or read: their area is unknown
    int tilesAbsent = 0;  // not in the folder: their area is unknown
    std::vector<terrain::SourceProblem> problems;  // of the tiles that failed
    bool offline = false;
    std::string offlineCause;
    bool cancelled = false;

    // The status line's note: empty when every tile was had or is known to be the sea, else
    // how many are missing and why ("標高タイル 12 枚が得られません（ホストが見つかりません）。
    // その範囲は描かれません"; the first cause, with "など" when others differ; tiles not in the
    // folder: "標高タイル 9 枚がフォルダにありません。…"), or that the gathering was cancelled.
    std::string statusText() const;
};

// The tiles of every ring from a folder of tiles (z/x/y.png or .txt, the cache's layout, or
// single tiles named "…-z-x-y.txt"); a ring is laid out at the zoom whose tiles cover most of
// it (of zooms covering as much, the nearest to the ring's own, the finer of two as near,
// unless its range would be too large): a folder of zoom-8 tiles serves every ring at zoom 8.
// A tile the folder does not hold is unknown (tilesAbsent), unless the cache's record beside
// it says the server has none: then it is the sea.
GatheredTerrain gatherFromFolder(const std::filesystem::path& folder, const SightRequest& request,
                                 const terrain::ProgressHook& progress = {});

// The tiles of every ring from the cache and the survey's server (the elevation tile setting:
// one template, or "template zoom" pairs as tileServersFromSetting reads them), through the one
// downloader. Each ring is fetched from one server: the one of the lowest zoom not coarser than
// the ring's (a server of finer tiles only, like the 5 m survey's, has none of a coarser zoom),
// at the ring's zoom; with none as fine, the finest server at its own zoom. A tile the server
// does not have is the sea; once the server is out of reach the rest comes from the cache
// alone. Needs a running Qt application.
GatheredTerrain gatherFromServer(const SightRequest& request, const std::string& urlTemplate,
                                 const std::filesystem::path& cacheFolder,
                                 const terrain::ProgressHook& progress = {});
// The same with the downloader's options (servers, cache, pace, time limits).
GatheredTerrain gatherFromServer(const SightRequest& request, const terrain::DownloadOptions& options,
                                 const terrain::ProgressHook& progress = {});

}  // namespace orv::panorama
