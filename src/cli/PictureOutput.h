#pragma once
// The pictures of orvane-cli's drawing commands written out: to a PNG or BMP file, or as PNG to
// standard output for "-".
#include "platform/DrawingSurface.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace orv::cli {

// Nothing when `out` names a file the picture can go to (.png, .bmp or "-"); otherwise the
// usage error.
std::optional<std::string> pictureOutProblem(const std::filesystem::path& out);

// Writes the picture to the file `out` names (atomically), or its PNG bytes to `standardOutput`
// for "-". Nothing when written; otherwise the message.
std::optional<std::string> writePicture(const DrawingSurface& picture, const std::filesystem::path& out,
                                        std::ostream& standardOutput);

// What a drawing command says about the picture written: "FILE: 600×600" on the output, or after
// the command's prefix on the error stream when the picture itself went to standard output.
std::ostream& pictureReport(const std::filesystem::path& out, std::ostream& output, std::ostream& err,
                            const std::string& prefix);

}  // namespace orv::cli
