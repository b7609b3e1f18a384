#pragma once
// Reading the FG-GML DEM files and ZIP archives the user chose (any mix of DEM5A/5B/5C and
// DEM10A/10B, archives inside archives too). Only the DEMs that reach `wanted` are kept.
#include "terrain/LoadedSources.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::terrain {

// progress: asked before each file and again every few megabytes read of it (an archive's
// members, unpacked, count), so that a long file can be cancelled.
LoadedSources readGmlSources(const std::vector<std::string>& paths, const GeoBox& wanted,
                             const ProgressHook& progress = {});

// The same for one file's bytes held in memory (an archive or a document); `label` names the
// file in problems and, as a file name does, may tell an archive by its ".zip".
LoadedSources readGmlSourceBytes(std::string bytes, const std::string& label, const GeoBox& wanted);

// The area of an FG-GML file named after its mesh ("FG-GML-5238-74-00-DEM5A-…" is tertiary mesh
// 52387400, "FG-GML-5238-74-DEM10B-…" secondary mesh 523874), on the survey's JGD2011 meshes.
std::optional<GeoBox> boxFromGmlName(std::string_view name);

}  // namespace orv::terrain
