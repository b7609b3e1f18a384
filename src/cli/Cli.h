#pragma once
// orvane-cli: the companion command-line program over Orvane's logic, for batch use and
// scripts (no display needed). Subcommands: dem, convert, render.
#include <iosfwd>
#include <string>
#include <vector>

namespace orv::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs the program with its arguments (the program name left out). `terminal`: the error stream
// is a terminal, so progress is shown on one updating line. Returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace orv::cli
