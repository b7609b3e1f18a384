// GPS files: PCX tracks and waypoints, Waypoint+ text.
#include "FuzzTargets.h"

#include "gps/GpsImport.h"
#include "gps/GpsImportRun.h"
#include "platform/Progress.h"

namespace orv::fuzz {

namespace {

using Parse = Result<GpsTrack> (*)(std::string_view bytes, const GpsProgress& progress);

template <typename Item>
void checkNumbered(const std::vector<Item>& table, Checks& checks) {
    for (size_t i = 0; i < table.size(); ++i) {
        checks.expect(table[i].number == static_cast<int16_t>(i + 1), "records are not numbered 1..count");
        checks.expect(allUtf8({table[i].latitude, table[i].longitude}), "a coordinate is not UTF-8");
    }
}

void fuzzGps(std::string_view bytes, Checks& checks, GpsFileKind kind, Parse parse) {
    int last = 0;
    const GpsProgress progress = [&](int value, const std::string&) {
        checks.expect(value >= last && value <= kProgressWidth, "the progress went back or past 200");
        last = value;
    };
    const Result<GpsTrack> read = parse(bytes, progress);
    const GpsReadMessage message = describeGpsRead(kind, read, "track.dat");
    if (!read) {
        checks.expect(lineInFile(read.problem().line, bytes), "the problem names a line outside the file");
        checks.expect(message.problem && !message.message.empty() && !message.title.empty(),
                      "a problem without a message");
        return;
    }
    const GpsTrack& track = *read;
    checks.expect(track.points.size() <= static_cast<size_t>(kMaxRoutePoints), "more track points than the route holds");
    checks.expect(track.waypoints.size() <= static_cast<size_t>(kMaxWaypoints), "more waypoints than the table holds");
    checkNumbered(track.points, checks);
    checkNumbered(track.waypoints, checks);
    for (const RoutePoint& p : track.points)
        checks.expect(allUtf8({p.dateText, p.timeText}), "a date or time is not UTF-8");
    for (const Waypoint& w : track.waypoints) checks.expect(allUtf8({w.name}), "a waypoint name is not UTF-8");
    checks.expect(track.oddLines == 0 ? track.firstOddLine == 0
                                      : track.firstOddLine > 0 && lineInFile(track.firstOddLine, bytes),
                  "the first odd line is not a line of the file");
    checks.expect(message.ok() && message.warning.empty() == (track.oddLines == 0),
                  "the warning does not match the odd lines");
}

}  // namespace

void fuzzPcxTrack(std::string_view bytes, Checks& checks) {
    fuzzGps(bytes, checks, GpsFileKind::PcxTrack, parsePcxTrack);
}

void fuzzPcxWaypoints(std::string_view bytes, Checks& checks) {
    fuzzGps(bytes, checks, GpsFileKind::PcxWaypoints, parsePcxWaypoints);
}

void fuzzWaypointPlus(std::string_view bytes, Checks& checks) {
    fuzzGps(bytes, checks, GpsFileKind::WaypointPlus, parseWaypointPlus);
}

}  // namespace orv::fuzz
