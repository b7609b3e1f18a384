#pragma once
// GPS positions between the datum of a file and the Tokyo datum the program works on: a track
// read on WGS 84 is brought onto the Tokyo datum before it is committed, and a route leaves the
// program for WGS 84 files converted the other way.
#include "core/Result.h"
#include "geo/DatumShift.h"
#include "gps/GpsImport.h"

#include <optional>

namespace orv {

// Seconds of arc are kept to a hundredth (about 30 cm) in converted positions.
inline constexpr int kConvertedSecondDecimals = 2;

// Brings the points and waypoints of a track read on WGS 84 onto the Tokyo datum (the datum
// becomes Tokyo); a track on the Tokyo datum stays as it is. BadValue (detail = the position)
// when a position is no number or PROJ cannot convert it; the track is then unchanged.
Status moveTrackToTokyo(GpsTrack& track, const DatumShift& shift);
// The same with a shift made for the call when the track needs one (Unsupported when PROJ
// cannot make it).
Status moveTrackToTokyo(GpsTrack& track);

// The WGS 84 degrees of a position held as Tokyo datum D.MMSS texts; nothing when the texts
// are no numbers or PROJ cannot convert them.
std::optional<LatLon> wgs84Position(const DmsText& latitude, const DmsText& longitude,
                                    const DatumShift& shift);

}  // namespace orv
