#pragma once
// The Waypoint+ text file as the program writes it (for orvane-cli convert): a header line, then
// one comma-separated record per waypoint ("WP") and per track point ("TP"), in the fields the
// Waypoint+ reader takes: name, latitude and longitude of a waypoint; latitude, longitude, date
// and UTC time of a track point. Coordinates are the D.MMSS texts rounded to five decimals, as
// the reader keeps them. CP932 with CR LF, written atomically.
#include "core/Result.h"
#include "state/RouteModel.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace orv {

inline constexpr const char* kWaypointPlusHeader = "Datum,Tokyo,Tokyo,0,0,0,0,0";

// Commas in names and dates, which would split a record, become full-width commas; times go back
// from Japanese time to UTC ("09:00:00" is written "00:00:00"), other time texts stay as they
// are, and a point without a time is written at "00:00:00".
// Commas in names, which would split a record, become full-width commas; times go back from
// Japanese time to UTC ("09:00:00" is written "00:00:00"), other time texts stay as they are.
std::vector<std::string> waypointPlusLines(std::span<const RoutePoint> points,
                                           std::span<const Waypoint> waypoints);

Status writeWaypointPlusFile(const std::filesystem::path& path, std::span<const RoutePoint> points,
                             std::span<const Waypoint> waypoints);

}  // namespace orv
