#pragma once
// A GPX file (GPX 1.0 and 1.1) as the program reads and writes it: waypoints, routes and tracks
// with their segments, each point on WGS 84 with its elevation, time and name when it has them.
// Everything else of a file (metadata beyond the name, links, extensions) is left out.
#include "exchange/GpxTime.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

struct GpxPoint {
    double latitude = 0.0;   // WGS 84 degrees, -90..90
    double longitude = 0.0;  // WGS 84 degrees, -180..180
    std::optional<double> elevation;  // metres
    std::optional<UtcSeconds> time;
    std::string name;
    std::string symbol;  // the symbol a receiver shows for a waypoint ("Campground")
    int line = 0;        // the line of the file where the point starts (reading only)
};

struct GpxRoute {
    std::string name;
    std::vector<GpxPoint> points;
};

struct GpxTrack {
    std::string name;
    std::vector<std::vector<GpxPoint>> segments;
};

struct GpxDocument {
    std::string name;  // the file's own name (GPX 1.0 "name", GPX 1.1 "metadata/name")
    std::vector<GpxPoint> waypoints;
    std::vector<GpxRoute> routes;
    std::vector<GpxTrack> tracks;
    // Elevations and times that could not be read and were left out (reading only).
    int oddValues = 0;
    int firstOddLine = 0;  // the line of the first of them, 0 when none

    size_t trackPointCount() const;
    size_t routePointCount() const;
};

// The longest name (characters) kept from a file; longer names are cut.
inline constexpr int kMaxGpxNameCharacters = 100;

}  // namespace orv
