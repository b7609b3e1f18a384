#include "gps/TrackDatum.h"

#include <cmath>
#include <utility>
#include <vector>

namespace orv {

namespace {

struct TokyoTexts {
    DmsText latitude;
    DmsText longitude;
};

// A position of D.MMSS texts shifted one way or the other; nothing when the texts are no
// numbers or PROJ cannot convert them.
template <typename Shift>
std::optional<LatLon> shifted(const DmsText& latitude, const DmsText& longitude, Shift shift) {
    const auto lat = dmsTextDegrees(latitude);
    const auto lon = dmsTextDegrees(longitude);
    if (!lat || !lon) return std::nullopt;
    const LatLon to = shift(*lat, *lon);
    if (!std::isfinite(to.latitude) || !std::isfinite(to.longitude)) return std::nullopt;
    return to;
}

std::optional<TokyoTexts> toTokyo(const DmsText& latitude, const DmsText& longitude,
                                  const DatumShift& shift) {
    const auto tokyo = shifted(latitude, longitude, [&shift](double lat, double lon) { return shift.toTokyo(lat, lon); });
    if (!tokyo) return std::nullopt;
    return TokyoTexts{degreesToDmsText(tokyo->latitude, kConvertedSecondDecimals),
                      degreesToDmsText(tokyo->longitude, kConvertedSecondDecimals)};
}

Problem unconvertible(const DmsText& latitude, const DmsText& longitude) {
    return Problem{ProblemKind::BadValue, 0, latitude + " " + longitude};
}

}  // namespace

Status moveTrackToTokyo(GpsTrack& track, const DatumShift& shift) {
    if (track.datum == TrackDatum::Tokyo) return {};
    // Everything is converted first, so a failure leaves the track as it was.
    std::vector<TokyoTexts> points;
    points.reserve(track.points.size());
    for (const RoutePoint& p : track.points) {
        auto tokyo = toTokyo(p.latitude, p.longitude, shift);
        if (!tokyo) return unconvertible(p.latitude, p.longitude);
        points.push_back(std::move(*tokyo));
    }
    std::vector<TokyoTexts> waypoints;
    waypoints.reserve(track.waypoints.size());
    for (const Waypoint& w : track.waypoints) {
        auto tokyo = toTokyo(w.latitude, w.longitude, shift);
        if (!tokyo) return unconvertible(w.latitude, w.longitude);
        waypoints.push_back(std::move(*tokyo));
    }
    for (size_t i = 0; i < points.size(); ++i) {
        track.points[i].latitude = std::move(points[i].latitude);
        track.points[i].longitude = std::move(points[i].longitude);
    }
    for (size_t i = 0; i < waypoints.size(); ++i) {
        track.waypoints[i].latitude = std::move(waypoints[i].latitude);
        track.waypoints[i].longitude = std::move(waypoints[i].longitude);
    }
    track.datum = TrackDatum::Tokyo;
    return {};
}

Status moveTrackToTokyo(GpsTrack& track) {
    if (track.datum == TrackDatum::Tokyo) return {};
    const Result<DatumShift> shift = DatumShift::create(ModernDatum::Wgs84);
    if (!shift) return shift.problem();
    return moveTrackToTokyo(track, *shift);
}

std::optional<LatLon> wgs84Position(const DmsText& latitude, const DmsText& longitude,
                                    const DatumShift& shift) {
    return shifted(latitude, longitude, [&shift](double lat, double lon) { return shift.fromTokyo(lat, lon); });
}

}  // namespace orv
