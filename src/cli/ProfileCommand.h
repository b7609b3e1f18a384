#pragma once
// orvane-cli profile: the route profile picture (784 × 364) of a saved plan as the profile
// window draws and saves it — the plan's route measured over its block, with the course-time
// schedule and all five data labels when asked — written to a PNG or BMP file without a display.
#include <iosfwd>
#include <string>
#include <vector>

namespace orv::cli {

int runProfileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orv::cli
