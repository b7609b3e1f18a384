#pragma once
// Small GPS files for the reader tests: lines joined with CR LF, as the receivers' PC software
// writes them, and PCX track and waypoint lines built from their items.
#include "core/Cp932.h"
#include "gps/GpsImport.h"
#include "gps/GpsImportRun.h"

#include <filesystem>

#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// A reader's problem as a failed comparison shows it.
inline void PrintTo(const Problem& problem, std::ostream* out) {
    *out << "{kind " << static_cast<int>(problem.kind) << ", line " << problem.line << ", \"" << problem.detail
         << "\"}";
}

}  // namespace orv

namespace orv::test {

// The lines (UTF-8) as CP932 bytes, each ended by CR LF.
inline std::string crlfFile(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += utf8ToCp932(line).text;
        bytes += "\r\n";
    }
    return bytes;
}

inline std::string crlfFile(std::initializer_list<std::string_view> lines) {
    return crlfFile(std::vector<std::string>(lines.begin(), lines.end()));
}

// The head of a PCX track file as the export writes it.
inline std::vector<std::string> pcxTrackHead() {
    return {
        "H  SOFTWARE NAME & VERSION",
        "I  PCX5 2.09",
        "",
        "H  R DATUM                IDX DA            DF            DX            DY            DZ",
        "M  G Tokyo                098 +7.398450e+002 +1.003748e-005 -1.280000e+002 +4.810000e+002 "
        "+6.640000e+002",
        "",
        "H  COORDINATE SYSTEM",
        "U  LAT LON DMS",
        "",
        "H  LATITUDE    LONGITUDE    DATE      TIME     ALT    ;track"};
}

// A track point line: "T  N<lat> E<lon> <date> <time> <alt>".
inline std::string trackLine(std::string_view lat, std::string_view lon,
                             std::string_view date = "08-OCT-99",
                             std::string_view time = "15:20:00") {
    return "T  N" + std::string(lat) + " E" + std::string(lon) + " " + std::string(date) + " " +
           std::string(time) + " 00123";
}

// The i-th of many distinct track points (DMS unit).
inline std::string numberedTrackLine(int i) {
    return trackLine(std::to_string(350000 + i % 5000) + ".0", std::to_string(1390000 + i % 5000));
}

// A waypoint line: "W  <name> N<lat> E<lon> <date> <time> <alt>".
inline std::string waypointLine(std::string_view name, std::string_view lat, std::string_view lon) {
    return "W  " + std::string(name) + "    N" + std::string(lat) + " E" + std::string(lon) +
           " 08-OCT-99 15:20:00 -9999";
}

// The kind of problem that stopped a reader; nothing when it read the file.
inline std::optional<ProblemKind> problemKind(const GpsReadMessage& read) {
    if (!read.problem) return std::nullopt;
    return read.problem->kind;
}

// Reads a file as the import does: what the file replaces is cleared first, then the reader
// runs, the track is committed into the state, and the outcome is put as the user is told it.
inline GpsReadMessage readAndCommit(GpsFileKind kind, const std::filesystem::path& path,
                                    AppState& state, const GpsProgress& progress) {
    if (kind != GpsFileKind::PcxWaypoints) clearRoute(state);
    if (kind != GpsFileKind::PcxTrack) {
        clearWaypoints(state);
        state.waypointsRead = false;
    }
    const Result<GpsTrack> read = kind == GpsFileKind::PcxTrack       ? readPcxTrack(path, progress)
                                  : kind == GpsFileKind::PcxWaypoints ? readPcxWaypoints(path, progress)
                                                                      : readWaypointPlus(path, progress);
    if (read.ok()) commitGpsTrack(state, kind, *read);
    return describeGpsRead(kind, read, path);
}

}  // namespace orv::test
