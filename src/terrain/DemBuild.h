#pragma once
// Building the nine ".MEM" files of a block from today's survey products: FG-GML DEM files or
// archives, a folder of elevation tiles, or tiles downloaded from the survey's server. One
// engine for the window and for orvane-cli: it asks nothing itself; the caller decides about
// existing files and shows progress, problems and the summary.
#include "core/Result.h"
#include "terrain/LoadedSources.h"
#include "terrain/TileSources.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace orv::terrain {

enum class DemSourceKind { Gml, TileFolder, Download };

struct DemBuildRequest {
    std::string centre;  // the centre mesh code
    DemSourceKind kind = DemSourceKind::Gml;
    std::vector<std::string> gmlFiles;  // FG-GML XML files and ZIP archives
    std::filesystem::path tileFolder;
    DownloadOptions download;
    std::filesystem::path outFolder;
};

// Why a mesh was not written when the set of files could not be written.
inline constexpr const char* kMeshWriteFailed = "書き込めませんでした";

struct MeshResult {
    std::string code;
    std::filesystem::path path;
    bool written = false;
    int cellsWithData = 0;
    int cellsCoarse = 0;              // from a source coarser than the 50 m grid
    std::vector<std::string> layers;  // the sources used, finest first
    std::string notWritten;           // why the mesh was not written
};

// One source the written meshes took heights from, and the size of its cells at the block.
struct SourceCellSize {
    LayerKey layer;
    double metres = 0;
};

struct DemBuildReport {
    std::array<MeshResult, 9> meshes;  // north-west, north, …, south-east
    std::vector<SourceCellSize> sources;  // of the written meshes, finest first
    std::vector<SourceProblem> problems;
    int filesRead = 0;
    int tilesMissing = 0;
    int tilesMissingRemembered = 0;  // of those: known from the cache's record
    bool offline = false;
    std::string offlineHost;   // the tile server that could not be reached
    std::string offlineCause;  // why, in short
    // The files could not be written (a full disk, a folder that takes no files): the file,
    // and whether the output folder is as it was (else some meshes may be new, some old).
    std::string writeFailedFile;
    bool writeRestored = true;
    bool cancelled = false;
    bool declined = false;  // existing files were not to be replaced: nothing was done

    int meshesWritten() const;
    int cellsWritten() const;  // cells of the written meshes
    int cellsWithData() const;
    int cellsCoarse() const;
};

struct DemBuildHooks {
    // Progress in steps of `total`; false cancels (and nothing is written).
    ProgressHook progress;
    // Asked once, before any work, with the files that would be replaced; false (or no hook)
    // leaves them and does nothing.
    std::function<bool(const std::vector<std::filesystem::path>&)> replaceExisting;
};

// The whole run. A problem only when nothing could start (a bad centre code, an output folder
// that cannot be made, PROJ missing); problems of single sources are in the report, and only
// the meshes they touch are left unwritten. The meshes to write are written as one set: every
// one of them replaces its file, or (a failed write) none does. Temporary files an interrupted
// earlier run left in the output folder are removed first.
Result<DemBuildReport> buildDemBlock(const DemBuildRequest& request, const DemBuildHooks& hooks = {});

// The sources alone, read for the JGD2011 area `wanted` (the first half of buildDemBlock).
LoadedSources readDemSources(const DemBuildRequest& request, const GeoBox& wanted, const ProgressHook& progress);

}  // namespace orv::terrain
