#pragma once
// orvane-cli dem: the nine ".MEM" files of the block around a centre mesh, from FG-GML DEM files
// or archives, a folder of elevation tiles, or downloaded tiles.
#include "terrain/DemBuild.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace orv::cli {

struct DemOptions {
    terrain::DemBuildRequest request;
    bool force = false;  // replace existing files
    bool help = false;
};

// The options, or the usage error to print.
struct DemParse {
    std::optional<DemOptions> options;
    std::string error;
};
DemParse parseDemOptions(const std::vector<std::string>& args);

int runDemCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace orv::cli
