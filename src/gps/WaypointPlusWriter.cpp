#include "gps/WaypointPlusWriter.h"

#include "core/TextFile.h"
#include "gps/GpsFields.h"

#include <string_view>

namespace orv {

namespace {

std::string withoutCommas(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ',') out += "，";
        else out += c;
    }
    return out;
}

std::string coordinate(const DmsText& text) {
    auto rounded = waypointPlusCoordinate(text, kMaxLongitudeDegrees);
    return rounded ? *rounded : withoutCommas(text);
}

// The time a record holds: UTC, which the reader turns into Japanese time again. A point without
// a time gets midnight, since the reader refuses a record without one.
std::string recordTime(const std::string& time) {
    if (time.empty()) return "00:00:00";
    const auto utc = utcTime(time);
    return utc ? *utc : withoutCommas(time);
}

}  // namespace

std::vector<std::string> waypointPlusLines(std::span<const RoutePoint> points,
                                           std::span<const Waypoint> waypoints) {
    std::vector<std::string> lines{kWaypointPlusHeader};
    lines.reserve(1 + waypoints.size() + points.size());
    for (const Waypoint& w : waypoints)
        lines.push_back("WP,," + withoutCommas(w.name) + "," + coordinate(w.latitude) + "," + coordinate(w.longitude));
    for (const RoutePoint& p : points)
        lines.push_back("TP,," + coordinate(p.latitude) + "," + coordinate(p.longitude) + "," +
                        withoutCommas(p.dateText) + "," + recordTime(p.timeText));
    return lines;
}

Status writeWaypointPlusFile(const std::filesystem::path& path, std::span<const RoutePoint> points,
                             std::span<const Waypoint> waypoints) {
    return problemOf(writeTextLines(path, waypointPlusLines(points, waypoints)), path.string());
}

}  // namespace orv
