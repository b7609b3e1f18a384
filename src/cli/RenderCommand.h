#pragma once
// orvane-cli render: the level-1 route map picture as the route map window draws it — terrain,
// contours, and the route with its names and marks, ridge and valley lines, with the caption
// block when a route is drawn — written to a PNG or BMP file without a display.
#include <iosfwd>
#include <string>
#include <vector>

namespace orv::cli {

int runRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orv::cli
