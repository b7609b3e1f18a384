#include "panorama/Geodesy.h"

namespace orv::panorama {

GeodesicLine inverseGeodesic(LatLon, LatLon) { return {}; }
LatLon directGeodesic(LatLon from, double, double) { return from; }
double normalSectionRadius(double, double) { return kGrs80SemiMajor; }
Cartesian toCartesian(LatLon, double) { return {}; }

}  // namespace orv::panorama
