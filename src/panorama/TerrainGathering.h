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

// The tiles a request needs, one range per zoom: zoom z serves the distances where
// zoomForDistance gives z, and its range covers the part of the view within them.
struct TileRing {
    int zoom = 0;
    terrain::TileRange range;
    double nearDistance = 0.0, farDistance = 0.0;
};
std::vector<TileRing> tileRings(const SightRequest& request);

struct GatheredTerrain {
    SightTerrain terrain;
    int tilesWanted = 0;
    int tilesRead = 0;
    int tilesSea = 0;     // the server has none: the sea, or no survey
    int tilesFailed = 0;  // could not be had or read: their area is unknown
    bool offline = false;
    std::string offlineCause;
    bool cancelled = false;

    // The status line's note: empty when every tile was had, else how many are missing and why
    // ("標高タイル 12 枚が得られません（ホストが見つかりません）。その範囲は描かれません").
    std::string statusText() const;
};

// The tiles of every ring from a folder of tiles (z/x/y.png or .txt, the cache's layout, or
// single tiles named "…-z-x-y.txt"); a ring whose zoom the folder lacks is filled from the
// nearest zoom it has.
GatheredTerrain gatherFromFolder(const std::filesystem::path& folder, const SightRequest& request,
                                 const terrain::ProgressHook& progress = {});

// The tiles of every ring from the cache and the survey's server (the elevation tile template
// of the settings, PNG or text), through the one downloader. Needs a running Qt application.
GatheredTerrain gatherFromServer(const SightRequest& request, const std::string& urlTemplate,
                                 const std::filesystem::path& cacheFolder,
                                 const terrain::ProgressHook& progress = {});

}  // namespace orv::panorama
