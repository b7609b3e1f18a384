#pragma once
// Geodesics on the GRS80 ellipsoid (the ellipsoid of JGD2011; WGS 84 differs from it by far
// less than a millimetre over the distances used here): distance and azimuths between two
// positions, the position at a distance and azimuth, and the earth's radius of curvature in a
// direction. Positions in degrees, north and east positive; azimuths in degrees clockwise from
// north, 0 ≤ azimuth < 360.
#include "geo/DatumShift.h"

namespace orv::panorama {

inline constexpr double kGrs80SemiMajor = 6378137.0;
inline constexpr double kGrs80Flattening = 1.0 / 298.257222101;

struct GeodesicLine {
    double distance = 0.0;  // metres along the ellipsoid
    double azimuthFrom = 0.0;  // at the first position
    double azimuthTo = 0.0;    // forward azimuth at the second position
};

// The inverse problem: the geodesic from `from` to `to` (millimetre accuracy for distances
// up to thousands of kilometres). Equal positions give distance 0, azimuths 0.
GeodesicLine inverseGeodesic(LatLon from, LatLon to);

// The direct problem: the position reached from `from` along `azimuth` after `distance` metres.
LatLon directGeodesic(LatLon from, double azimuth, double distance);

// The radius of curvature of the ellipsoid's normal section at `latitude` in the direction
// `azimuth` (Euler: 1 / (cos²α / M + sin²α / N)), in metres.
double normalSectionRadius(double latitude, double azimuth);

// Geodetic position and ellipsoidal height to earth-centred cartesian coordinates (metres).
struct Cartesian {
    double x = 0.0, y = 0.0, z = 0.0;
};
Cartesian toCartesian(LatLon position, double height);

}  // namespace orv::panorama
