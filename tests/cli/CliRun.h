#pragma once
// orvane-cli run in-process, with what it printed.
#include "cli/Cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace orv::cli {

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runCli(args, out, err, false);
    return {status, out.str(), err.str()};
}

}  // namespace orv::cli
