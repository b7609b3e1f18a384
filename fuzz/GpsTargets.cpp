// GPS files: PCX tracks and waypoints, Waypoint+ text, GPX.
#include "FuzzTargets.h"

#include "exchange/GpxReader.h"
#include "exchange/GpxWriter.h"
#include "gps/GpsImport.h"
#include "gps/GpsImportRun.h"
#include "gps/GpxTrack.h"
#include "platform/Progress.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

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
    checks.expect(track.heights.empty() || track.heights.size() == track.points.size(),
                  "the heights do not go with the points");
    for (size_t i = 0; i < std::min(track.heights.size(), track.points.size()); ++i)
        checks.expect(track.heights[i] || track.points[i].elevation == 0.0f, "a point without a height has one");
    for (const RoutePoint& p : track.points)
        checks.expect(allUtf8({p.dateText, p.timeText}), "a date or time is not UTF-8");
    for (const Waypoint& w : track.waypoints) checks.expect(allUtf8({w.name}), "a waypoint name is not UTF-8");
    checks.expect(track.oddLines == 0 ? track.firstOddLine == 0
                                      : track.firstOddLine > 0 && lineInFile(track.firstOddLine, bytes),
                  "the first odd line is not a line of the file");
    // The status line warns of odd lines and of a datum the program does not know.
    checks.expect(message.ok() && message.warning.empty() == (track.oddLines == 0 && track.unknownDatum.empty()),
                  "the warning does not match the odd lines and the datum");
}

// A GPX file as the GPS import reads it: the document, then the track and waypoints it gives.
Result<GpsTrack> parseGpx(std::string_view bytes, const GpsProgress& progress) {
    const GpxProgress bar = [&progress](int value) { progress(value, kGpxProgressText); };
    const Result<GpxDocument> document = readGpx(bytes, bar);
    if (!document) return document.problem();
    return gpxTrack(*document);
}

std::vector<const GpxPoint*> allPoints(const GpxDocument& document) {
    std::vector<const GpxPoint*> points;
    for (const GpxPoint& point : document.waypoints) points.push_back(&point);
    for (const GpxRoute& route : document.routes)
        for (const GpxPoint& point : route.points) points.push_back(&point);
    for (const GpxTrack& track : document.tracks)
        for (const auto& segment : track.segments)
            for (const GpxPoint& point : segment) points.push_back(&point);
    return points;
}

bool nameKept(const std::string& name) {
    return allUtf8({name}) && QString::fromStdString(name).size() <= kMaxGpxNameCharacters;
}

bool samePoint(const GpxPoint& a, const GpxPoint& b) {
    constexpr double kCoordinateStep = 1e-8;  // the writer's eight decimals
    return std::fabs(a.latitude - b.latitude) <= kCoordinateStep &&
           std::fabs(a.longitude - b.longitude) <= kCoordinateStep && a.time == b.time && a.name == b.name &&
           a.symbol == b.symbol && a.elevation.has_value() == b.elevation.has_value();
}

// The document itself: positions in range, names as the program keeps them, and the file the
// GPX writer makes of it reads back to the same points.
void checkGpxDocument(std::string_view bytes, Checks& checks) {
    const Result<GpxDocument> read = readGpx(bytes);
    if (!read) return;
    const std::vector<const GpxPoint*> points = allPoints(*read);
    checks.expect(!points.empty(), "a document without points was read");
    checks.expect(nameKept(read->name), "the document name is not kept as the program keeps names");
    for (const GpxPoint* p : points) {
        checks.expect(std::fabs(p->latitude) <= 90.0 && std::fabs(p->longitude) <= 180.0, "a position out of range");
        checks.expect(!p->elevation || std::isfinite(*p->elevation), "an elevation that is not finite");
        checks.expect(nameKept(p->name) && nameKept(p->symbol), "a point name is not kept as the program keeps names");
        checks.expect(lineInFile(p->line, bytes), "a point's line is not a line of the file");
    }
    const Result<GpxDocument> again = readGpx(gpxBytes(*read));
    checks.expect(again.ok(), "the written GPX file cannot be read back");
    if (!again) return;
    const std::vector<const GpxPoint*> back = allPoints(*again);
    checks.expect(back.size() == points.size() && again->name == read->name, "the written GPX file lost points or its name");
    for (size_t i = 0; i < std::min(back.size(), points.size()); ++i)
        checks.expect(samePoint(*points[i], *back[i]), "a point of the written GPX file reads back differently");
}

}  // namespace

void fuzzGpx(std::string_view bytes, Checks& checks) {
    checkGpxDocument(bytes, checks);
    fuzzGps(bytes, checks, GpsFileKind::Gpx, parseGpx);
}

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
