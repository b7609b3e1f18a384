#pragma once
// Writes a GPX 1.1 file: the waypoints, routes and tracks of a document, each point with its
// elevation, time and name when it has them. UTF-8, written atomically.
#include "core/Result.h"
#include "exchange/Gpx.h"

#include <filesystem>
#include <string>

namespace orv {

// The creator GPX files name.
inline constexpr const char* kGpxCreator = "Orvane";

// The whole file. Coordinates are written with eight decimals (about a millimetre).
std::string gpxBytes(const GpxDocument& document);

// Writes the file atomically; CannotWrite (detail = the path) when it fails.
Status writeGpxFile(const std::filesystem::path& path, const GpxDocument& document);

}  // namespace orv
