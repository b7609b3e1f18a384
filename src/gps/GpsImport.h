#pragma once
// The readers of GPS text files: PCX track (".TRK") and waypoint (".WPT") files and Waypoint+
// text files. Each reads one file into the route and waypoint tables of the state and reports
// by value; showing a message is left to the caller, as is drawing the progress strip.
//
// A reader keeps only what it read completely: when it fails, the route and the waypoints are
// cleared again. The tables never receive more than their limits.
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace orv {

// Progress of a reader: the bar value 0..200 and the strip's text. Called once with 0 before
// the first line and after every line.
using GpsProgress = std::function<void(int value, const std::string& text)>;

inline constexpr const char* kPcxTrackProgressText = "TRKデータ読み込み中";
inline constexpr const char* kPcxWaypointProgressText = "WPTデータ読み込み中";
inline constexpr const char* kWaypointPlusProgressText = "TRKデータ読込中";

// Lines of a PCX track file that are read; a track point on a later line fails the import.
inline constexpr int kMaxPcxTrackLines = 10000;

// Longest record line (bytes) a reader takes apart; longer track or waypoint lines are broken.
inline constexpr size_t kMaxRecordBytes = 1024;

inline constexpr const char* kTrackReadTitle = "ＴＲＫ読み込み";
inline constexpr const char* kWaypointReadTitle = "ＷＰＴ読み込み";
inline constexpr const char* kUnsupportedUnitMessage = "この形式のＴＲＫデータは読み込めません";

enum class GpsReadStatus {
    Ok,
    FileError,        // missing, unreadable or too large
    UnsupportedUnit,  // a "U  LAT LON" line with a unit other than DMS or DEG
    BrokenLine,       // a record that cannot be taken apart
    TooManyPoints,    // more than kMaxRoutePoints track points
    TooManyWaypoints, // more than kMaxWaypoints waypoints
    TooManyLines,     // a track point after line kMaxPcxTrackLines of a PCX track file
};

struct GpsReadResult {
    GpsReadStatus status = GpsReadStatus::Ok;
    int line = 0;         // the line of the problem (1-based), 0 when none
    std::string message;  // what the user is told, "" when read
    std::string title;
    Icon icon = Icon::None;

    bool ok() const { return status == GpsReadStatus::Ok; }
};

// Reads a PCX track file into `route` (points 1..routeCount, no elevation yet, times in
// Japanese time); on success routeCount is set and routeLoaded = 1. The waypoints are left alone.
GpsReadResult readPcxTrack(const std::filesystem::path& path, AppState& state,
                           const GpsProgress& progress);

// Reads a PCX waypoint file into `waypoints`; on success waypointCount is set, waypointsRead = 1
// when a waypoint was read, and routeLoaded = 1. The route is left alone.
GpsReadResult readPcxWaypoints(const std::filesystem::path& path, AppState& state,
                               const GpsProgress& progress);

// Reads a Waypoint+ text file: its "WP" records into `waypoints`, every other record into
// `route`; on success both counts are set and routeLoaded = 1.
GpsReadResult readWaypointPlus(const std::filesystem::path& path, AppState& state,
                               const GpsProgress& progress);

}  // namespace orv
