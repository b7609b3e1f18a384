#pragma once
// The route data file PlanName.RTD: the centre mesh's corner, the 3 × 3 mesh codes, the
// destination mountain and the route points, each part after a ";" line.
#include "core/Result.h"
#include "core/TextFile.h"
#include "state/AppState.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Largest route data file that is read; no larger one is written.
inline constexpr std::uintmax_t kMaxRouteFileBytes = kMaxTextFileBytes;

// Lines before the first route point line.
inline constexpr int kRouteHeaderLines = 8;

// The fields of a line: blanks and commas both separate, empty fields are kept.
std::vector<std::string> splitRouteFields(std::string_view line);

// One route point line: number, latitude, longitude, elevation, timeText, mountainName,
// placeName, markKind, label, separated by single blanks (empty texts leave empty places).
std::string routePointLine(const RoutePoint& point);
// A route point from its line; missing fields read as empty texts and zeros, and so does an
// elevation of 100 km or more.
RoutePoint parseRoutePointLine(std::string_view line);

// Every line of the file for the current plan, in order. Line 5 is the destination record;
// without one (the plan's destination was not in the mountain table when it was read) it is
// the destination line as it was read.
std::vector<std::string> routeFileLines(const AppState& state);

struct RouteFileData {
    MeshCode centreMeshCode;                    // checked: a valid secondary mesh code
    std::array<std::string, 4> destination{};   // name, latitude, longitude, elevation
    std::string destinationLine;                // line 5 as it was read
    std::vector<RoutePoint> points;             // route points 1..count
    bool lossless = true;                       // false when some bytes were not CP932
};

// The line numbers the route file's problems name.
inline constexpr int kRouteMeshLine = 3;
inline constexpr int kRouteCountLine = 7;

// Reads and checks a route data file without touching any state, reading no more lines than
// the header and the stated points. Problems: the file's own (NotFound, NotAFile, CannotRead,
// TooLarge); BadFormat (no count line, or a count that is not a number or negative, line 7);
// BadValue (line 3: the centre mesh code is not a valid code, detail = the code); TooMany
// (more than 2048 points stated, line 7); TooFew (fewer point lines than stated); NoData (no
// point, or the first point without a latitude).
Result<RouteFileData> readRouteData(const std::filesystem::path& file);

// The same for a file's bytes (the problems of its contents only).
Result<RouteFileData> parseRouteData(std::string_view bytes);

}  // namespace orv
