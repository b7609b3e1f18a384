#pragma once
// The readers of GPS text files: PCX track (".TRK") and waypoint (".WPT") files and Waypoint+
// text files. Each reads one file and returns what it held or the problem; committing the
// track into the state, showing a message and drawing the progress strip are left to the
// caller. A track never holds more than the route and waypoint tables take.
#include "core/Result.h"
#include "state/AppState.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// The datum of a file's positions. The program works on the Tokyo datum of the mesh data;
// positions on WGS 84 are brought onto it before they are used (gps/TrackDatum.h).
enum class TrackDatum { Tokyo, Wgs84 };

// What a GPS file held: track points (numbered 1.., with the file's heights in metres or 0,
// times in Japanese time) and waypoints (numbered 1..), and the lines read although they bent
// the format's rules.
struct GpsTrack {
    std::vector<RoutePoint> points;   // at most kMaxRoutePoints
    // Which points the file gave a height (one per point; empty for a format without heights):
    // the elevation 0 of the others means none.
    std::vector<bool> heights;
    std::vector<Waypoint> waypoints;  // at most kMaxWaypoints
    int oddLines = 0;       // records read with a date, time or coordinate out of the usual form
    int firstOddLine = 0;   // the first of them, 0 when none
    TrackDatum datum = TrackDatum::Tokyo;
    std::string unknownDatum;  // a datum the file named that the program does not know; read as Tokyo
    int thinnedFrom = 0;       // the track points of a file that held more than the route takes
};

// The readers take a file and return its track, or the problem that stopped them; they never
// touch the application state nor show a message. Problems (line = the 1-based line, detail =
// why the line cannot be read, for the message):
// - the file's own: NotFound, NotAFile, CannotRead, TooLarge;
// - Unsupported: a "U  LAT LON" line with a unit other than DMS or DEG;
// - BadRecord: a record that the format's rules cannot take apart (no "N" or "E", no items
//   after the longitude or the date, a coordinate that is no number, too few items or fields,
//   or a line over kMaxRecordBytes);
// - TooMany: more than kMaxRoutePoints track points or kMaxWaypoints waypoints (detail names
//   which: kTooManyTrackPoints or kTooManyWaypoints), or a track point after line
//   kMaxPcxTrackLines of a PCX track file (detail kTooManyLines).
// Dates not in the form DD-MMM-YY, times not HH:MM:SS with minutes and seconds up to 59 and
// coordinates beyond 90° / 180° are read by the format's rules all the same and counted in
// oddLines.
inline constexpr const char* kTooManyTrackPoints = "track";
inline constexpr const char* kTooManyWaypoints = "waypoints";
inline constexpr const char* kTooManyLines = "lines";

// PCX files name their datum in an "M  G" line ("M  G Tokyo  098 …", "M  G WGS 84  121 …"):
// Tokyo and WGS 84 (and JGD2000/JGD2011, which agree with it) are known; a file without the
// line is on the Tokyo datum. PCX units are DMS, DEG and DM (degrees and decimal minutes).

// A PCX track file. (readPcxTrack)
Result<GpsTrack> readPcxTrack(const std::filesystem::path& path, const GpsProgress& progress);

// A PCX waypoint file. (readPcxWaypoints)
Result<GpsTrack> readPcxWaypoints(const std::filesystem::path& path, const GpsProgress& progress);

// A Waypoint+ text file: "WP" records are waypoints, every other record a track point.
// (readWaypointPlus)
Result<GpsTrack> readWaypointPlus(const std::filesystem::path& path, const GpsProgress& progress);

// The same readers over a file's bytes: the problems of its contents only.
Result<GpsTrack> parsePcxTrack(std::string_view bytes, const GpsProgress& progress);
Result<GpsTrack> parsePcxWaypoints(std::string_view bytes, const GpsProgress& progress);
Result<GpsTrack> parseWaypointPlus(std::string_view bytes, const GpsProgress& progress);

}  // namespace orv
