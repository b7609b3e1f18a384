#pragma once
// GPX files as GPS tracks: a GPS log or planned route read into the route and waypoint tables
// like a PCX or Waypoint+ file, and the route written as a GPX track.
#include "core/Result.h"
#include "exchange/Gpx.h"
#include "geo/DatumShift.h"
#include "gps/GpsImport.h"

#include <filesystem>
#include <span>
#include <string>

namespace orv {

inline constexpr const char* kGpxProgressText = "GPXデータ読込中";

// The points of a GPX file as a track on WGS 84 (the caller brings it onto the Tokyo datum,
// gps/TrackDatum.h): the points of its tracks, every segment in order, or, when it has no
// track points, those of its routes become the track; its waypoints the waypoints. A track
// longer than the route table is thinned evenly to kMaxRoutePoints points, the first and the
// last kept (thinnedFrom = the points the file held). Times become the file's UTC date as
// MM/DD/YY and the time in Japanese time, as the PCX reader gives them; elevations are kept.
// Problems: those of readGpx, and TooMany (detail kTooManyWaypoints, line = the first waypoint
// too many) for more than kMaxWaypoints waypoints.
Result<GpsTrack> gpxTrack(const GpxDocument& document);
Result<GpsTrack> readGpxTrack(const std::filesystem::path& path, const GpsProgress& progress);

// The GPX document of a route on the Tokyo datum: a track named `name` of every point on WGS 84
// with its elevation and, where its date (MM/DD/YY) and time (Japanese time) can be read, its
// UTC time; the named and marked points of the route and the waypoints as GPX waypoints.
// BadValue (detail = the position) when a position is no number or cannot be converted.
Result<GpxDocument> routeGpx(const std::string& name, std::span<const RoutePoint> points,
                             std::span<const Waypoint> waypoints, const DatumShift& shift);

}  // namespace orv
