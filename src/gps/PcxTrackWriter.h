#pragma once
// The PCX text track file as the program writes it, so that a receiver's PC software can load a
// route: the header lines, then one "T" line per route point. CP932 with CR LF, written
// atomically.
#include "core/Result.h"
#include "state/RouteModel.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr const char* kPcxTokyoDatumLine =
    "M  G Tokyo                098 +7.398450e+002 +1.003748e-005 -1.280000e+002 +4.810000e+002 +6.640000e+002";
inline constexpr const char* kPcxTrackHeading = "H  LATITUDE    LONGITUDE    DATE      TIME     ALT    ;track";
// The date every point of an exported route carries.
inline constexpr const char* kPcxExportDate = "04-APR-99";

// How the points' dates and times are written.
enum class PcxTimes {
    // The route map's export: the fixed date kPcxExportDate and each point's time text as it
    // stands (a planned route's cumulative walking time); "00:00:00" for a point without one,
    // so that every line stays readable.
    AsTheyStand,
    // A GPS record passed on: each point's own date (MM/DD/YY as DD-MMM-YY) and its time in UTC,
    // as a receiver writes them, so that reading the file gives the same dates and times. Points
    // without a readable date or time are written as above.
    Recorded,
};

// The lines of the file for a route on the Tokyo datum: "H  " + name, the datum line, an empty
// line, "U  LAT LON DMS", an empty line, the column heading, then for each point
// "T  N" + lat + " E" + lon + " " + date + " " + time + " " + elevation, where lat and lon are the
// point's D.MMSS texts × 10000 in shortest decimal form (35.45123 gives 354512.3) and the
// elevation is in shortest decimal form.
std::vector<std::string> pcxTrackLines(std::string_view name, std::span<const RoutePoint> points,
                                       PcxTimes times = PcxTimes::AsTheyStand);

// Writes the lines as CP932 with CR LF, atomically; CannotWrite (detail = the path) when it fails.
Status writePcxTrackFile(const std::filesystem::path& path, std::string_view name,
                         std::span<const RoutePoint> points, PcxTimes times = PcxTimes::AsTheyStand);

}  // namespace orv
