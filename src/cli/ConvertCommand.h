#pragma once
// orvane-cli convert: a GPS file from one format into another (GPX, PCX track, Waypoint+), with
// the program's own readers, writers, datum rules and messages.
#include <iosfwd>
#include <string>
#include <vector>

namespace orv::cli {

int runConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orv::cli
