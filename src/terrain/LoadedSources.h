#pragma once
// What reading the sources of a block gives: the sample blocks, and the problems of the files
// that could not be read, each with the area it would have covered, so that only the meshes
// in that area are left unwritten.
#include "core/Result.h"
#include "terrain/ElevationTile.h"
#include "terrain/SourceGrid.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv::terrain {

struct SourceProblem {
    std::string file;           // the file, archive member or URL
    Problem problem;
    std::optional<GeoBox> box;  // the area it spoils; none: every mesh of the block
};

struct LoadedSources {
    std::vector<SourceGrid> grids;
    std::vector<SourceProblem> problems;
    int filesRead = 0;     // files or tiles that gave samples
    int tilesMissing = 0;  // tiles the server does not have (the sea, no survey yet)
    int tilesMissingRemembered = 0;  // of those: known from the cache's record of an earlier answer
    std::vector<TileId> missingTiles;  // which tiles those are
    bool offline = false;  // the tile server could not be reached at all
    std::string offlineHost;   // the server that could not be reached
    std::string offlineCause;  // why, in short ("ホストが見つかりません")
    bool cancelled = false;
};

// Progress of a long step: `done` of `total`, with a line saying what is being done. Returning
// false cancels.
using ProgressHook = std::function<bool(int done, int total, const std::string& text)>;

}  // namespace orv::terrain
