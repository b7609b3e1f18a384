#pragma once
// Elevation tiles from a folder (z/x/y.txt or .png, or names ending "-z-x-y.txt" as the survey
// names single tiles) and from the survey's tile server, with an on-disk cache.
#include "terrain/ElevationTile.h"
#include "terrain/LoadedSources.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace orv::terrain {

// Every tile of the folder that holds part of `wanted`, of every zoom found (each zoom is a
// source of its own; the finest wins where it has data).
LoadedSources readTileFolder(const std::filesystem::path& folder, const GeoBox& wanted,
                             const ProgressHook& progress = {});

// The tile files of a folder that hold part of `wanted`, found as readTileFolder finds them (a
// tile there twice, as text and as PNG: the first name in order), and the cache's records of
// tiles the server did not have ("z/x/y.png.none").
struct TileFolderFiles {
    std::map<TileId, std::filesystem::path> tiles;
    std::set<TileId> missing;
};
TileFolderFiles findTileFiles(const std::filesystem::path& folder, const GeoBox& wanted);

// Reads the given tile files, in their order.
LoadedSources readTileFiles(const std::map<TileId, std::filesystem::path>& files,
                            const ProgressHook& progress = {});

// A tile server: a URL with {z}, {x} and {y}, and the zoom to fetch.
struct TileServer {
    std::string urlTemplate;
    int zoom = 14;
};

// The survey's public elevation tiles: the 5 m laser survey (DEM5A) where it exists, then the
// 10 m model (DEM10B) for the rest, both as PNG (a quarter of the text tiles' size).
std::vector<TileServer> defaultTileServers();

// The URL template setting holds the servers as "template zoom" pairs separated by blanks
// ("https://…/dem5a_png/{z}/{x}/{y}.png 15 https://…/dem_png/{z}/{x}/{y}.png 14"); a template
// without a zoom gets 14. Nothing usable gives the default servers.
std::vector<TileServer> tileServersFromSetting(const std::string& setting);
// True when the setting names at least one template with {z}, {x} and {y}.
bool isUsableTileSetting(const std::string& setting);
// The setting of the default servers.
std::string defaultTileSetting();
std::string tileServersSetting(const std::vector<TileServer>& servers);

struct DownloadOptions {
    std::vector<TileServer> servers = defaultTileServers();
    std::filesystem::path cacheFolder;  // empty: no cache
    int minimumIntervalMs = 250;        // between two requests: at most four a second
    int timeoutMs = 30000;              // a request that stalls this long fails
    int tileDeadlineMs = 120000;        // a tile not received in whole this long after asking fails
    // How long the cache's record of a tile the server did not have is believed; after that
    // the tile is asked for again (the survey adds tiles, a server may answer 404 by mistake).
    std::chrono::seconds missingKeptFor = std::chrono::hours(24);
    // Nothing is asked of the servers: only the cache is read (the server is known to be out
    // of reach), every other tile fails as unreachable.
    bool cacheOnly = false;
};

// Downloads what is needed for `wanted`: every tile of the first server, then the tiles of each
// further server that lie where the earlier ones had missing tiles or pixels without data.
// A tile the server does not have (404) is no data, and the cache records that for a while
// (missingKeptFor); a failed request spoils its tile's area.
// Needs a running Qt application (the requests run in a local event loop).
LoadedSources downloadTiles(const GeoBox& wanted, const DownloadOptions& options,
                            const ProgressHook& progress = {});

// The URL of a tile.
std::string tileUrl(const std::string& urlTemplate, TileId tile);

}  // namespace orv::terrain
