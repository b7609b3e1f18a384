#include "panorama/SightGeometry.h"

namespace orv::panorama {

double apparentDrop(double, double, const SightOptions&) { return 0.0; }
double elevationAngle(double, double, double, double, const SightOptions&) { return 0.0; }

}  // namespace orv::panorama
