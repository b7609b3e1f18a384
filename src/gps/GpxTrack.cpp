#include "gps/GpxTrack.h"

#include "exchange/GpxReader.h"
#include "exchange/GpxTime.h"
#include "gps/TrackDatum.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace orv {

namespace {

// Positions read on WGS 84 keep the thousandths of a second until they are brought onto the
// Tokyo datum.
constexpr int kWgs84SecondDecimals = 3;

// Japanese time is UTC + 9 hours.
constexpr int kJapanHours = 9;

// GPS dates hold two-digit years: 80..99 are the 1900s, the rest the 2000s.
constexpr int kFirstCenturyYear = 80;

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

void setTimeTexts(const std::optional<UtcSeconds>& time, RoutePoint& point) {
    if (!time) return;
    const UtcDateTime when = utcDateTime(*time);
    point.dateText = twoDigits(when.month) + "/" + twoDigits(when.day) + "/" + twoDigits(when.year);
    point.timeText = twoDigits((when.hour + kJapanHours) % 24) + ":" + twoDigits(when.minute) + ":" +
                     twoDigits(when.second);
}

// The number of the `count` digits at `at`, or -1.
int number(std::string_view text, size_t at, size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// The UTC time of a point's date (MM/DD/YY or MM/DD/YYYY, the UTC date) and time (HH:MM:SS in
// Japanese time); nothing when either cannot be read.
std::optional<UtcSeconds> pointTime(const RoutePoint& point) {
    const std::string_view date = point.dateText;
    const std::string_view time = point.timeText;
    if ((date.size() != 8 && date.size() != 10) || date[2] != '/' || date[5] != '/') return std::nullopt;
    if (time.size() != 8 || time[2] != ':' || time[5] != ':') return std::nullopt;
    UtcDateTime when;
    when.month = number(date, 0, 2);
    when.day = number(date, 3, 2);
    when.year = number(date, 6, date.size() - 6);
    if (when.year < 0) return std::nullopt;
    if (date.size() == 8) when.year += when.year >= kFirstCenturyYear ? 1900 : 2000;
    const int localHour = number(time, 0, 2);
    if (localHour < 0 || localHour > 23) return std::nullopt;
    when.hour = (localHour + 24 - kJapanHours) % 24;
    when.minute = number(time, 3, 2);
    when.second = number(time, 6, 2);
    return utcSeconds(when);
}

// The indices of `keep` points spread evenly over `count` points, the first and the last kept.
std::vector<size_t> evenlySpread(size_t count, size_t keep) {
    std::vector<size_t> indices;
    indices.reserve(keep);
    for (size_t k = 0; k < keep; ++k) indices.push_back((k * (count - 1) + (keep - 1) / 2) / (keep - 1));
    return indices;
}

RoutePoint trackPoint(const GpxPoint& from) {
    RoutePoint point;
    point.latitude = degreesToDmsText(from.latitude, kWgs84SecondDecimals);
    point.longitude = degreesToDmsText(from.longitude, kWgs84SecondDecimals);
    point.elevation = from.elevation ? static_cast<float>(*from.elevation) : 0.0f;
    setTimeTexts(from.time, point);
    return point;
}

struct MarkName {
    const char* name;
    const char* symbol;
};

// The names and receiver symbols of the marks of kinds 1..6.
constexpr std::array<MarkName, 6> kMarkNames{{
    {"ﾃﾝﾄ場", "Campground"},
    {"山小屋", "Lodging"},
    {"展望ﾎﾟｲﾝﾄ", "Scenic Area"},
    {"水場", "Drinking Water"},
    {"ﾎﾟｲﾝﾄ", "Flag, Red"},
    {"注意", "Danger Area"},
}};

// A GPX point at the WGS 84 position of Tokyo datum texts; BadValue naming the texts when they
// cannot be converted.
Result<GpxPoint> gpxPoint(const DmsText& latitude, const DmsText& longitude, const DatumShift& shift) {
    const auto wgs = wgs84Position(latitude, longitude, shift);
    if (!wgs) return Problem{ProblemKind::BadValue, 0, latitude + " " + longitude};
    GpxPoint point;
    point.latitude = wgs->latitude;
    point.longitude = wgs->longitude;
    return point;
}

}  // namespace

Result<GpsTrack> gpxTrack(const GpxDocument& document) {
    GpsTrack track;
    track.datum = TrackDatum::Wgs84;
    track.oddLines = document.oddValues;
    track.firstOddLine = document.firstOddLine;

    if (document.waypoints.size() > static_cast<size_t>(kMaxWaypoints))
        return Problem{ProblemKind::TooMany, document.waypoints[kMaxWaypoints].line, kTooManyWaypoints};
    for (const GpxPoint& from : document.waypoints) {
        Waypoint waypoint;
        waypoint.number = static_cast<int16_t>(track.waypoints.size() + 1);
        waypoint.name = from.name;
        waypoint.latitude = degreesToDmsText(from.latitude, kWgs84SecondDecimals);
        waypoint.longitude = degreesToDmsText(from.longitude, kWgs84SecondDecimals);
        track.waypoints.push_back(std::move(waypoint));
    }

    // The track points in file order, or the route points of a file without a track.
    std::vector<const GpxPoint*> points;
    points.reserve(document.trackPointCount() > 0 ? document.trackPointCount() : document.routePointCount());
    for (const GpxTrack& gpx : document.tracks)
        for (const auto& segment : gpx.segments)
            for (const GpxPoint& point : segment) points.push_back(&point);
    if (points.empty())
        for (const GpxRoute& route : document.routes)
            for (const GpxPoint& point : route.points) points.push_back(&point);

    const auto limit = static_cast<size_t>(kMaxRoutePoints);
    if (points.size() > limit) {
        track.thinnedFrom = static_cast<int>(std::min<size_t>(points.size(), INT32_MAX));
        std::vector<const GpxPoint*> kept;
        kept.reserve(limit);
        for (size_t i : evenlySpread(points.size(), limit)) kept.push_back(points[i]);
        points = std::move(kept);
    }
    track.points.reserve(points.size());
    track.heights.reserve(points.size());
    for (const GpxPoint* from : points) {
        RoutePoint point = trackPoint(*from);
        point.number = static_cast<int16_t>(track.points.size() + 1);
        track.points.push_back(std::move(point));
        track.heights.push_back(from->elevation.has_value());
    }
    return track;
}

Result<GpsTrack> readGpxTrack(const std::filesystem::path& path, const GpsProgress& progress) {
    GpxProgress bar;
    if (progress) bar = [&progress](int value) { progress(value, kGpxProgressText); };
    const Result<GpxDocument> document = readGpxFile(path, bar);
    if (!document) return document.problem();
    return gpxTrack(*document);
}

Result<GpxDocument> routeGpx(const std::string& name, std::span<const RoutePoint> points,
                             std::span<const Waypoint> waypoints, const DatumShift& shift) {
    GpxDocument document;
    document.name = name;
    GpxTrack track;
    track.name = name;
    std::vector<GpxPoint> segment;
    segment.reserve(points.size());
    for (const RoutePoint& point : points) {
        Result<GpxPoint> converted = gpxPoint(point.latitude, point.longitude, shift);
        if (!converted) return converted.problem();
        GpxPoint& out = *converted;
        out.elevation = point.elevation;
        out.time = pointTime(point);
        segment.push_back(out);

        // Named and marked points become waypoints: the mountain's name, else the place's,
        // else the mark's own name.
        const bool marked = point.markKind >= 1 && point.markKind <= static_cast<int>(kMarkNames.size());
        if (point.mountainName.empty() && point.placeName.empty() && !marked) continue;
        GpxPoint waypoint = out;
        waypoint.name = !point.mountainName.empty() ? point.mountainName
                        : !point.placeName.empty()  ? point.placeName
                                                    : kMarkNames[static_cast<size_t>(point.markKind - 1)].name;
        if (marked) waypoint.symbol = kMarkNames[static_cast<size_t>(point.markKind - 1)].symbol;
        document.waypoints.push_back(std::move(waypoint));
    }
    if (!segment.empty()) {
        track.segments.push_back(std::move(segment));
        document.tracks.push_back(std::move(track));
    }
    for (const Waypoint& w : waypoints) {
        Result<GpxPoint> waypoint = gpxPoint(w.latitude, w.longitude, shift);
        if (!waypoint) return waypoint.problem();
        waypoint->name = w.name;
        document.waypoints.push_back(std::move(*waypoint));
    }
    return document;
}

}  // namespace orv
