#pragma once
// orvane-cli dem: the nine ".MEM" files of the block around a centre mesh, from FG-GML DEM files
// or archives, a folder of elevation tiles, or downloaded tiles.
#include <iosfwd>
#include <string>
#include <vector>

namespace orv::cli {

int runDemCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace orv::cli
