#pragma once
// orvane-cli panorama: the panorama (展望図) from a point as the panorama window draws it —
// ridges shaded by distance, the scales, and the peaks of a mountain file in view labelled —
// from elevation tiles (a folder, or downloaded through the cache) and the 50 m mesh block,
// written to a PNG or BMP file without a display; the peaks in view listed on request.
#include <iosfwd>
#include <string>
#include <vector>

namespace orv::cli {

int runPanoramaCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace orv::cli
