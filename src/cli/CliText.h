#pragma once
// What the commands of orvane-cli share in reading their arguments and printing the program's
// messages.
#include <filesystem>
#include <optional>
#include <string>

namespace orv::cli {

// An argument that is an option ("--out", "-h"), not a value.
bool isOption(const std::string& argument);

// A message of the program with its CR LF line breaks as a terminal's LF.
std::string terminalText(std::string text);

// Nothing when `plan` can name a plan as the windows take one (so it names files inside the
// data folder only); otherwise why not, for the usage error of --plan.
std::optional<std::string> planNameProblem(const std::string& plan);

// "-" as the file written: the bytes go to standard output, and what the command says about
// them to the error stream.
inline bool isStandardOutput(const std::filesystem::path& path) { return path == "-"; }

// The extension of a file name in lower case, without its point ("GPX" for "walk.GPX").
std::string lowerExtension(const std::filesystem::path& path);

}  // namespace orv::cli
